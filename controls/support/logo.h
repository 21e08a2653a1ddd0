#pragma once
// The library's logo: a 146 x 14 pixel wordmark ("LUMATREL" beside a small amber
// diamond, trailed by a rule that fades out) and its coverage mask, the artwork that the
// button bar blends over the button face.
//
// The logo holds the ink colour of every pixel that the mask covers at all and black
// elsewhere. The mask is grey: black (0) where the background shows through, white (255)
// inside the strokes, and grey levels on the soft edges and along the fading rule. Each
// call makes new picture objects, so that a control may blend its copy in place.
// The user-interface thread only (pictures take their HIMETRIC size from the backend).

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ui/common/color.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::lumatrel {

inline constexpr int kLogoWidth = 146;  // pixels
inline constexpr int kLogoHeight = 14;  // pixels

// Row by row, top row first; kLogoWidth x kLogoHeight values each.
struct LogoPixels {
  std::vector<ui::OleColor> ink;       // 0x00BBGGRR
  std::vector<std::uint8_t> coverage;  // 0 background .. 255 solid
};

// The artwork as plain values (drawn once, then shared).
const LogoPixels& LogoArtwork();

// New 24-bit bitmaps of kLogoWidth x kLogoHeight pixels.
std::shared_ptr<ui::StdPicture> MakeLogo();
std::shared_ptr<ui::StdPicture> MakeLogoMask();

}  // namespace feriant::lumatrel
