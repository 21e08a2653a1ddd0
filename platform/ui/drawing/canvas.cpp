#include "platform/ui/drawing/canvas.h"

#include <utility>

namespace feriant::ui {

void Canvas::FillRect(const Rect& area, OleColor color) {
  commands_.emplace_back(Fill{area, color});
}

void Canvas::DrawLine(int x1, int y1, int x2, int y2, OleColor color, int width) {
  commands_.emplace_back(Line{x1, y1, x2, y2, color, width});
}

void Canvas::DrawFrame(const Rect& area, OleColor color, int width) {
  commands_.emplace_back(Frame{area, color, width});
}

void Canvas::DrawText(int x, int y, std::string text, const FontDesc& font, OleColor color) {
  commands_.emplace_back(Text{x, y, std::move(text), font, color});
}

void Canvas::DrawPicture(std::shared_ptr<StdPicture> picture, int x, int y, int width, int height) {
  if (!picture || picture->IsEmpty()) return;
  commands_.emplace_back(Picture{std::move(picture), Rect{x, y, width, height}, std::nullopt});
}

void Canvas::DrawPictureTransparent(std::shared_ptr<StdPicture> picture, int x, int y,
                                    OleColor mask_color, int width, int height) {
  if (!picture || picture->IsEmpty()) return;
  commands_.emplace_back(Picture{std::move(picture), Rect{x, y, width, height}, mask_color});
}

void Canvas::SetClip(const Rect& area) {
  commands_.emplace_back(Clip{area});
}

void Canvas::ClearClip() {
  commands_.emplace_back(Clip{std::nullopt});
}

}  // namespace feriant::ui
