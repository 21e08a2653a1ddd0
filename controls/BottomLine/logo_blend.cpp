#include "controls/BottomLine/logo_blend.h"

#include <algorithm>
#include <cmath>

namespace feriant::lumatrel {

ui::OleColor BlendPixel(ui::OleColor logo, ui::OleColor mask, ui::OleColor face) {
  const double a = std::min(1.0, static_cast<double>(mask & 0xFF) / 256.0 * 1.5);
  auto mix = [&](int shift) {
    return (1.0 - a) * static_cast<double>((face >> shift) & 0xFF) +
           a * static_cast<double>((logo >> shift) & 0xFF);
  };
  // A convex mix of two bytes stays within 0..255.
  const auto high = static_cast<ui::OleColor>(mix(16));
  const auto middle = static_cast<ui::OleColor>(mix(8));
  const auto low = static_cast<ui::OleColor>(std::nearbyint(mix(0)));
  return (high << 16) | (middle << 8) | low;
}

void BlendLogo(ui::StdPicture& logo, const ui::StdPicture& mask, ui::OleColor face, int columns,
               int rows) {
  columns = std::min({columns, logo.PixelWidth(), mask.PixelWidth()});
  rows = std::min({rows, logo.PixelHeight(), mask.PixelHeight()});
  for (int i = 0; i < columns; ++i) {
    for (int j = 0; j < rows; ++j) {
      auto l = logo.Pixel(i, j);
      auto m = mask.Pixel(i, j);
      if (l && m) (void)logo.SetPixel(i, j, BlendPixel(*l, *m, face));
    }
  }
}

}  // namespace feriant::lumatrel
