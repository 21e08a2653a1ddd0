#include "platform/ui/drawing/picture.h"

#include <cmath>
#include <cstring>

#include "platform/base/file.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/common/screen.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

namespace {

std::int32_t NextPictureHandle() {
  static std::int32_t next = 0x05000000;
  return next++;
}

// HIMETRIC of `pixels` at `twips_per_pixel`: pixels x tpp twips, 1440 twips = 2540 HIMETRIC.
std::int32_t PixelsToHimetric(int pixels, int twips_per_pixel) {
  return static_cast<std::int32_t>(
      std::llround(static_cast<double>(pixels) * twips_per_pixel * 2540.0 / 1440.0));
}

Error BadBitmap(const std::string& what) {
  return MakeUiError(ui_error::kInvalidPicture, what);
}

std::uint32_t ReadLe32(const std::string& bytes, size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) {
    value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  }
  return value;
}

std::uint16_t ReadLe16(const std::string& bytes, size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

}  // namespace

int HimetricToTwips(std::int32_t himetric) {
  return static_cast<int>(std::llround(static_cast<double>(himetric) * 1440.0 / 2540.0));
}

std::int32_t TwipsToHimetric(int twips) {
  return static_cast<std::int32_t>(std::llround(static_cast<double>(twips) * 2540.0 / 1440.0));
}

std::shared_ptr<StdPicture> StdPicture::CreateBitmap(int width, int height, OleColor fill,
                                                     int twips_per_pixel_x, int twips_per_pixel_y) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  auto created =
      FromPixels(width, height,
                 std::vector<OleColor>(static_cast<size_t>(width) * static_cast<size_t>(height),
                                       ResolveColor(fill) & 0x00FFFFFFu),
                 twips_per_pixel_x, twips_per_pixel_y);
  return created ? *created : Empty();
}

Result<std::shared_ptr<StdPicture>> StdPicture::FromPixels(int width, int height,
                                                           std::vector<OleColor> pixels,
                                                           int twips_per_pixel_x,
                                                           int twips_per_pixel_y) {
  if (width <= 0 || height <= 0) return BadBitmap("a bitmap needs a positive size");
  // 2^26 pixels (64 M) is far beyond any control's picture and keeps sizes in range.
  if (static_cast<long long>(width) * height > (1LL << 26)) return BadBitmap("bitmap too large");
  if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    return BadBitmap("pixel count does not match the size");
  if (twips_per_pixel_x <= 0) twips_per_pixel_x = ScreenTwipsPerPixelX();
  if (twips_per_pixel_y <= 0) twips_per_pixel_y = ScreenTwipsPerPixelY();
  auto picture = std::make_shared<StdPicture>();
  picture->type_ = PictureType::kBitmap;
  picture->handle_ = NextPictureHandle();
  picture->width_ = width;
  picture->height_ = height;
  picture->himetric_width_ = PixelsToHimetric(width, twips_per_pixel_x);
  picture->himetric_height_ = PixelsToHimetric(height, twips_per_pixel_y);
  for (OleColor& pixel : pixels)
    pixel &= 0x00FFFFFFu;
  picture->pixels_ = std::move(pixels);
  return picture;
}

Result<std::shared_ptr<StdPicture>> StdPicture::FromPixelsHimetric(int width, int height,
                                                                   std::vector<OleColor> pixels,
                                                                   std::int32_t himetric_width,
                                                                   std::int32_t himetric_height) {
  if (himetric_width < 0 || himetric_height < 0) return BadBitmap("negative size");
  auto picture = FromPixels(width, height, std::move(pixels));
  if (!picture) return picture;
  (*picture)->himetric_width_ = himetric_width;
  (*picture)->himetric_height_ = himetric_height;
  return picture;
}

std::shared_ptr<StdPicture> StdPicture::Clone() const {
  auto copy = std::make_shared<StdPicture>();
  copy->type_ = type_;
  copy->handle_ = type_ == PictureType::kNone ? 0 : NextPictureHandle();
  copy->himetric_width_ = himetric_width_;
  copy->himetric_height_ = himetric_height_;
  copy->width_ = width_;
  copy->height_ = height_;
  copy->pixels_ = pixels_;
  return copy;
}

Result<std::shared_ptr<StdPicture>> StdPicture::LoadBmp(const std::filesystem::path& path) {
  auto bytes = base::ReadFile(path);
  if (!bytes) return bytes.error();
  auto picture = DecodeBmp(*bytes);
  if (!picture) return BadBitmap(path.string() + ": " + picture.error().description);
  return picture;
}

Result<std::shared_ptr<StdPicture>> StdPicture::DecodeBmp(const std::string& bytes) {
  // BITMAPFILEHEADER (14 bytes) + BITMAPINFOHEADER (at least 40 bytes).
  if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') return BadBitmap("not a bitmap");
  const std::uint32_t data_offset = ReadLe32(bytes, 10);
  const std::uint32_t header_size = ReadLe32(bytes, 14);
  if (header_size < 40 || 14 + static_cast<size_t>(header_size) > bytes.size())
    return BadBitmap("unsupported bitmap header");
  const auto width = static_cast<std::int32_t>(ReadLe32(bytes, 18));
  const auto raw_height = static_cast<std::int32_t>(ReadLe32(bytes, 22));
  const std::uint16_t bits = ReadLe16(bytes, 28);
  const std::uint32_t compression = ReadLe32(bytes, 30);
  if ((bits != 24 && bits != 32) || (compression != 0 && compression != 3))
    return BadBitmap("only uncompressed 24- and 32-bit bitmaps are read");
  if (width <= 0 || raw_height == 0 || raw_height == INT32_MIN) return BadBitmap("bad size");
  const bool top_down = raw_height < 0;
  const std::int32_t height = top_down ? -raw_height : raw_height;
  if (static_cast<long long>(width) * height > (1LL << 26)) return BadBitmap("bitmap too large");
  const size_t bytes_per_pixel = bits / 8;
  const size_t stride =
      (static_cast<size_t>(width) * bytes_per_pixel + 3) & ~static_cast<size_t>(3);
  if (data_offset > bytes.size() ||
      stride * static_cast<size_t>(height) > bytes.size() - data_offset)
    return BadBitmap("pixel data cut short");
  std::vector<OleColor> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  for (std::int32_t y = 0; y < height; ++y) {
    const std::int32_t row = top_down ? y : height - 1 - y;
    const size_t at = data_offset + static_cast<size_t>(row) * stride;
    for (std::int32_t x = 0; x < width; ++x) {
      const size_t p = at + static_cast<size_t>(x) * bytes_per_pixel;
      const auto blue = static_cast<unsigned char>(bytes[p]);
      const auto green = static_cast<unsigned char>(bytes[p + 1]);
      const auto red = static_cast<unsigned char>(bytes[p + 2]);
      pixels[static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)] =
          Rgb(red, green, blue);
    }
  }
  return FromPixels(width, height, std::move(pixels));
}

const Members<StdPicture>& StdPicture::Interface() {
  static const Members<StdPicture> members = [] {
    Members<StdPicture> m;
    using Args = std::span<Variant>;
    m.Get("Handle", 0, [](StdPicture& p, Args) -> Result<Variant> { return Variant(p.Handle()); })
        .Get("hPal", 2,
             [](StdPicture&, Args) -> Result<Variant> { return Variant(std::int32_t{0}); })
        .Get("Type", 3,
             [](StdPicture& p, Args) -> Result<Variant> {
               return Variant(static_cast<std::int16_t>(p.Type()));
             })
        .Get("Width", 4, [](StdPicture& p, Args) -> Result<Variant> { return Variant(p.Width()); })
        .Get("Height", 5,
             [](StdPicture& p, Args) -> Result<Variant> { return Variant(p.Height()); });
    return m;
  }();
  return members;
}

int StdPicture::WidthTwips() const {
  return HimetricToTwips(himetric_width_);
}

int StdPicture::HeightTwips() const {
  return HimetricToTwips(himetric_height_);
}

Result<OleColor> StdPicture::Pixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return MakeUiError(ui_error::kInvalidProcedureCall, "pixel outside the picture");
  return pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
}

void StdPicture::Overlay(const StdPicture& source, int x, int y,
                         std::optional<OleColor> transparent) {
  bool changed = false;
  for (int sy = 0; sy < source.height_; ++sy) {
    const int ty = y + sy;
    if (ty < 0 || ty >= height_) continue;
    for (int sx = 0; sx < source.width_; ++sx) {
      const int tx = x + sx;
      if (tx < 0 || tx >= width_) continue;
      const OleColor color =
          source.pixels_[static_cast<size_t>(sy) * static_cast<size_t>(source.width_) +
                         static_cast<size_t>(sx)];
      if (transparent && color == *transparent) continue;
      OleColor& pixel =
          pixels_[static_cast<size_t>(ty) * static_cast<size_t>(width_) + static_cast<size_t>(tx)];
      if (pixel == color) continue;
      pixel = color;
      changed = true;
    }
  }
  if (changed) changed_.Raise();
}

Status StdPicture::SetPixel(int x, int y, OleColor color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_)
    return MakeUiError(ui_error::kInvalidProcedureCall, "pixel outside the picture");
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  OleColor& pixel =
      pixels_[static_cast<size_t>(y) * static_cast<size_t>(width_) + static_cast<size_t>(x)];
  const OleColor rgb = ResolveColor(color) & 0x00FFFFFFu;
  if (pixel == rgb) return Ok();
  pixel = rgb;
  changed_.Raise();
  return Ok();
}

bool StdPicture::SameImage(const StdPicture& other) const {
  return type_ == other.type_ && width_ == other.width_ && height_ == other.height_ &&
         himetric_width_ == other.himetric_width_ && himetric_height_ == other.himetric_height_ &&
         pixels_ == other.pixels_;
}

std::shared_ptr<StdPicture> PictureOf(const Variant& value) {
  return std::dynamic_pointer_cast<StdPicture>(value.AsObject());
}

}  // namespace feriant::ui
