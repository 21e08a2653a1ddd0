#include "platform/ui_qt/pixels.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace feriant::ui_qt {

int PixelsFromTwips(long long twips, int twips_per_pixel) {
  const long long per = std::max(1, twips_per_pixel);
  // floor((twips + per / 2) / per) in integers, exact for negative lengths too.
  const long long shifted = 2 * twips + per;
  const long long twice = 2 * per;
  long long pixels = shifted / twice;
  if (shifted % twice != 0 && shifted < 0) --pixels;
  return static_cast<int>(std::clamp<long long>(pixels, INT_MIN, INT_MAX));
}

QRect PixelRect(const ui::Rect& bounds, int twips_per_pixel_x, int twips_per_pixel_y) {
  const int left = PixelsFromTwips(bounds.left, twips_per_pixel_x);
  const int top = PixelsFromTwips(bounds.top, twips_per_pixel_y);
  const int right =
      PixelsFromTwips(static_cast<long long>(bounds.left) + bounds.width, twips_per_pixel_x);
  const int bottom =
      PixelsFromTwips(static_cast<long long>(bounds.top) + bounds.height, twips_per_pixel_y);
  return QRect(left, top, std::max(0, right - left), std::max(0, bottom - top));
}

int TwipsPerPixelForDpi(double dots_per_inch) {
  if (!(dots_per_inch > 0)) return 15;
  return std::max(1, static_cast<int>(std::lround(1440.0 / dots_per_inch)));
}

}  // namespace feriant::ui_qt
