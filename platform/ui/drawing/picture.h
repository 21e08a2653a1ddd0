#pragma once
// Pictures: the standard picture object. A picture is either empty (type 0, handle 0,
// size 0) or a bitmap of 24-bit pixels. Width and Height answer in HIMETRIC (hundredths
// of a millimetre), as the picture object always has: a 146 x 14 pixel bitmap made at
// 96 dpi (15 twips per pixel) reports 3863 x 370. Pixels are addressed (x, y) from the
// top-left, as OLE colours 0x00BBGGRR; writing one raises Changed so that the controls
// showing the picture repaint.
//
// Shared objects; the user-interface thread only.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/event.h"

namespace feriant::ui {

enum class PictureType : std::int16_t { kNone = 0, kBitmap = 1, kMetafile = 2, kIcon = 3 };

// Dispatch ids are those of the standard picture interface: Handle 0, hPal 2, Type 3,
// Width 4, Height 5.
class StdPicture final : public automation::DispatchObject<StdPicture> {
 public:
  StdPicture() = default;  // empty
  // A bitmap of width x height pixels, all `fill`. Its HIMETRIC size is computed from the
  // pixel size at `twips_per_pixel_x/y` (the screen's at creation when 0).
  static std::shared_ptr<StdPicture> CreateBitmap(int width, int height, OleColor fill = 0,
                                                  int twips_per_pixel_x = 0,
                                                  int twips_per_pixel_y = 0);
  // A bitmap from rows of pixels, top row first; pixels.size() must be width * height.
  static Result<std::shared_ptr<StdPicture>> FromPixels(int width, int height,
                                                        std::vector<OleColor> pixels,
                                                        int twips_per_pixel_x = 0,
                                                        int twips_per_pixel_y = 0);
  // A bitmap with an explicit HIMETRIC size (restoring a saved picture).
  static Result<std::shared_ptr<StdPicture>> FromPixelsHimetric(int width, int height,
                                                                std::vector<OleColor> pixels,
                                                                std::int32_t himetric_width,
                                                                std::int32_t himetric_height);
  static std::shared_ptr<StdPicture> Empty() { return std::make_shared<StdPicture>(); }
  // A Windows bitmap file (uncompressed, 24 or 32 bits per pixel).
  static Result<std::shared_ptr<StdPicture>> LoadBmp(const std::filesystem::path& path);
  static Result<std::shared_ptr<StdPicture>> DecodeBmp(const std::string& bytes);
  std::shared_ptr<StdPicture> Clone() const;

  static const automation::Members<StdPicture>& Interface();
  std::string TypeName() const override { return "StdPicture"; }

  bool IsEmpty() const { return type_ == PictureType::kNone; }
  PictureType Type() const { return type_; }
  // A process-unique nonzero number for a bitmap; 0 when empty.
  std::int32_t Handle() const { return handle_; }
  std::int32_t Width() const { return himetric_width_; }    // HIMETRIC
  std::int32_t Height() const { return himetric_height_; }  // HIMETRIC
  // The size in twips (HIMETRIC converted, rounded); what an image control takes.
  int WidthTwips() const;
  int HeightTwips() const;

  int PixelWidth() const { return width_; }
  int PixelHeight() const { return height_; }
  const std::vector<OleColor>& Pixels() const { return pixels_; }
  // Outside the bitmap: an invalid-procedure-call error.
  Result<OleColor> Pixel(int x, int y) const;
  // System colours are resolved through the current backend's scheme.
  Status SetPixel(int x, int y, OleColor color);

  // Copies the pixels of `source` with its top-left corner at pixel (x, y), leaving out
  // those of the RGB colour `transparent` when given and what falls outside this bitmap;
  // one Changed when anything changed.
  void Overlay(const StdPicture& source, int x, int y,
               std::optional<OleColor> transparent = std::nullopt);

  // Same kind, size and pixels (what a property bag compares with a default).
  bool SameImage(const StdPicture& other) const;

  Event<>& Changed() { return changed_; }

 private:
  PictureType type_ = PictureType::kNone;
  std::int32_t handle_ = 0;
  std::int32_t himetric_width_ = 0;
  std::int32_t himetric_height_ = 0;
  int width_ = 0;
  int height_ = 0;
  std::vector<OleColor> pixels_;
  Event<> changed_;
};

// HIMETRIC <-> twips, rounded to the nearest whole unit.
int HimetricToTwips(std::int32_t himetric);
std::int32_t TwipsToHimetric(int twips);

// The picture object of a Variant (nullptr for Nothing or any other object).
std::shared_ptr<StdPicture> PictureOf(const automation::Variant& value);

}  // namespace feriant::ui
