#pragma once
// Blending the button bar's logo over the button face through its coverage mask, once,
// in place. Per pixel, with a = (low byte of the mask) / 256 x 1.5, at most 1 (so that
// three quarters of coverage already shows the ink in full):
//   channel = (1 - a) x face + a x logo
// for the channels at bits 16-23 and 8-15 truncated to a whole number, and for the one
// at bits 0-7 rounded to the nearest (half to even, as the automation runtime rounds).
// Plain functions; the user-interface thread only (pictures raise Changed).

#include "platform/ui/common/color.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::lumatrel {

ui::OleColor BlendPixel(ui::OleColor logo, ui::OleColor mask, ui::OleColor face);

// Blends pixel columns 0 .. columns - 1 and rows 0 .. rows - 1 of `logo`; pixels outside
// either bitmap are left alone. `face` is an RGB value.
void BlendLogo(ui::StdPicture& logo, const ui::StdPicture& mask, ui::OleColor face, int columns,
               int rows);

}  // namespace feriant::lumatrel
