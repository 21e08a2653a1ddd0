#pragma once
// The drawing a user control makes on its own surface, recorded: the control fills a
// Canvas when it paints (UserControl::OnPaint), a renderer replays the commands in order
// (later ones over earlier ones), and the headless backend simply keeps them, so that
// tests read what was drawn.
//
// Positions and sizes are in twips of the control's surface, (0, 0) at its top-left;
// pen widths are in pixels. Colours are kept as given: system colours are resolved when
// the commands are drawn. A Clip limits every later command to its area until the next
// Clip; an empty one lifts the limit. Pictures are held by shared reference and drawn as
// they are when replayed. Plain values; the user-interface thread only.

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/ui/common/color.h"
#include "platform/ui/common/geometry.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui {

class Canvas {
 public:
  struct Fill {
    Rect area;
    OleColor color = 0;
    friend bool operator==(const Fill&, const Fill&) = default;
  };
  struct Line {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    OleColor color = 0;
    int width = 1;
    friend bool operator==(const Line&, const Line&) = default;
  };
  // The outline of a rectangle, drawn inside `area`.
  struct Frame {
    Rect area;
    OleColor color = 0;
    int width = 1;
    friend bool operator==(const Frame&, const Frame&) = default;
  };
  // One line of text, its top-left at (x, y), in `font` and `color`, on a clear ground.
  struct Text {
    int x = 0;
    int y = 0;
    std::string text;
    FontDesc font;
    OleColor color = 0;
    friend bool operator==(const Text&, const Text&) = default;
  };
  // A picture with its top-left at area's, scaled to area's size (a width or height of 0:
  // the picture's own size). With a mask colour, pixels of that colour are not drawn.
  struct Picture {
    std::shared_ptr<StdPicture> picture;
    Rect area;
    std::optional<OleColor> mask;
    friend bool operator==(const Picture&, const Picture&) = default;
  };
  struct Clip {
    std::optional<Rect> area;  // nullopt: no limit
    friend bool operator==(const Clip&, const Clip&) = default;
  };
  using Command = std::variant<Fill, Line, Frame, Text, Picture, Clip>;

  void Clear() { commands_.clear(); }
  void FillRect(const Rect& area, OleColor color);
  void DrawLine(int x1, int y1, int x2, int y2, OleColor color, int width = 1);
  void DrawFrame(const Rect& area, OleColor color, int width = 1);
  void DrawText(int x, int y, std::string text, const FontDesc& font, OleColor color);
  // An empty or missing picture draws nothing.
  void DrawPicture(std::shared_ptr<StdPicture> picture, int x, int y, int width = 0,
                   int height = 0);
  void DrawPictureTransparent(std::shared_ptr<StdPicture> picture, int x, int y,
                              OleColor mask_color, int width = 0, int height = 0);
  void SetClip(const Rect& area);
  void ClearClip();

  const std::vector<Command>& Commands() const { return commands_; }

 private:
  std::vector<Command> commands_;
};

}  // namespace feriant::ui
