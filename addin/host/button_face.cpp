#include "addin/host/button_face.h"

#include <array>
#include <string>
#include <vector>

#include "addin/engine/version.h"
#include "platform/automation/errors.h"
#include "platform/ui/core/backend.h"

namespace feriant::host {
namespace {

// The image, one character a pixel, top row first: a calendar page with a red header,
// two rings, a grid of days and one red holiday, on magenta (transparent).
constexpr std::array<std::string_view, kButtonImageSize> kImage = {
    "................",  //
    "...o.......o....",  //
    ".kkokkkkkkkokkk.",  //
    ".krrrrrrrrrrrrk.",  //
    ".krrrrrrrrrrrrk.",  //
    ".kwwwwwwwwwwwwk.",  //
    ".kwgwgwgwgwgwwk.",  //
    ".kwwwwwwwwwwwwk.",  //
    ".kwgwgwRRRwgwwk.",  //
    ".kwwwwwRRRwwwwk.",  //
    ".kwgwgwRRRwgwwk.",  //
    ".kwwwwwwwwwwwwk.",  //
    ".kwgwgwgwgwgwwk.",  //
    ".kwwwwwwwwwwwwk.",  //
    ".kkkkkkkkkkkkkk.",  //
    "................",  //
};

ui::OleColor ColorOf(char pixel) {
  switch (pixel) {
    case 'o':
      return ui::Rgb(96, 96, 96);  // rings
    case 'k':
      return ui::Rgb(0, 0, 0);  // outline
    case 'r':
      return ui::Rgb(192, 0, 0);  // header
    case 'R':
      return ui::Rgb(255, 0, 0);  // the holiday
    case 'w':
      return ui::Rgb(255, 255, 255);  // page
    case 'g':
      return ui::Rgb(128, 128, 128);  // days
    default:
      return kMagenta;
  }
}

Result<std::shared_ptr<ui::StdPicture>> Bitmap(bool mask) {
  std::vector<ui::OleColor> pixels;
  pixels.reserve(kButtonImageSize * kButtonImageSize);
  for (std::string_view row : kImage) {
    for (char pixel : row) {
      const bool transparent = pixel == '.';
      pixels.push_back(!mask ? ColorOf(pixel)
                             : (transparent ? ui::Rgb(255, 255, 255) : ui::Rgb(0, 0, 0)));
    }
  }
  return ui::StdPicture::FromPixels(kButtonImageSize, kButtonImageSize, std::move(pixels));
}

}  // namespace

Result<std::shared_ptr<ui::StdPicture>> LoadButtonBitmap(std::int32_t id) {
  if (id == kButtonImageId) return Bitmap(false);
  if (id == kButtonMaskId) return Bitmap(true);
  return automation::MakeError(automation::hresult::kInvalidArg,
                               "no bitmap resource " + std::to_string(id));
}

Result<std::shared_ptr<ui::StdPicture>> TransparentFace(std::int32_t image_id) {
  Result<std::shared_ptr<ui::StdPicture>> loaded = LoadButtonBitmap(image_id);
  if (!loaded) return loaded.error();
  ui::StdPicture& face = **loaded;
  const int index = static_cast<int>(ui::system_color::kButtonFace & ~ui::kSystemColorFlag);
  const ui::OleColor button_face = ui::CurrentBackend().SystemColor(index) & 0xFFFFFFu;
  const ui::OleColor kept = button_face == 0xFFFFFFu ? button_face - 1 : button_face + 1;
  for (int x = 0; x < kButtonImageSize; ++x) {
    for (int y = 0; y < kButtonImageSize; ++y) {
      const ui::OleColor pixel = *face.Pixel(x, y);
      if (pixel == button_face) {
        (void)face.SetPixel(x, y, kept);
      } else if (pixel == kMagenta) {
        (void)face.SetPixel(x, y, button_face);
      }
    }
  }
  return loaded;
}

Status SetButtonFace(automation::Dispatch& button, std::int32_t image_id, std::int32_t mask_id,
                     std::string_view host_version) {
  if (engine::IsVersionAtLeast(host_version, "10.0")) {
    Result<std::shared_ptr<ui::StdPicture>> image = LoadButtonBitmap(image_id);
    if (!image) return image.error();
    Result<std::shared_ptr<ui::StdPicture>> mask = LoadButtonBitmap(mask_id);
    if (!mask) return mask.error();
    if (Status put = button.PutRef("Picture", automation::Variant(*image)); !put) return put;
    return button.PutRef("Mask", automation::Variant(*mask));
  }
  Result<std::shared_ptr<ui::StdPicture>> face = TransparentFace(image_id);
  if (!face) return face.error();
  ui::CurrentBackend().SetClipboardPicture(*face);
  Result<automation::Variant> pasted = button.Call("PasteFace");
  if (!pasted) return pasted.error();
  return Ok();
}

}  // namespace feriant::host
