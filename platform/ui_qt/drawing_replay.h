#pragma once
// Replays what a user control drew (ui::Canvas) with a QPainter, converting twips to the
// painter's pixels the way the rest of the renderer does (pixels.h): a rectangle edge by
// edge, a point to its nearest pixel. Text is drawn in the real font with its top at the
// given point; a picture with a mask colour leaves that colour's pixels undrawn. Needs a
// QGuiApplication; the user-interface thread only.

#include <QPainter>

#include "platform/ui/drawing/canvas.h"

namespace feriant::ui_qt {

void ReplayDrawing(QPainter& painter, const ui::Canvas& canvas, int twips_per_pixel_x,
                   int twips_per_pixel_y);

}  // namespace feriant::ui_qt
