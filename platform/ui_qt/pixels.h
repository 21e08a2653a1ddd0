#pragma once
// Twips and screen pixels. The model keeps every length in twips; only the renderer
// converts. An edge at `twips` lies on the nearest pixel (halves round towards +inf), and
// a rectangle is converted edge by edge, so controls that touch in twips touch on screen
// whatever their positions. Plain functions; no thread affinity.

#include <QRect>

#include "platform/ui/core/control.h"

namespace feriant::ui_qt {

// The pixel nearest to `twips` at `twips_per_pixel` (>= 1).
int PixelsFromTwips(long long twips, int twips_per_pixel);

// The pixel rectangle of `bounds` (twips): each edge converted on its own.
QRect PixelRect(const ui::Rect& bounds, int twips_per_pixel_x, int twips_per_pixel_y);

// 1440 / dpi rounded, at least 1: 15 at 96 dpi, 12 at 120 dpi.
int TwipsPerPixelForDpi(double dots_per_inch);

}  // namespace feriant::ui_qt
