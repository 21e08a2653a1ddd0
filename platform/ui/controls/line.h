#pragma once
// Line: a straight line from (X1, Y1) to (X2, Y2) in its container's twips. It is
// windowless and has no Left/Top/Width/Height of its own: its Bounds() are the box
// around its end points, and setting them is not supported. The user-interface thread only.

#include <string>

#include "platform/ui/core/control.h"

namespace feriant::ui {

class Line final : public ControlImpl<Line> {
 public:
  Line();
  static const automation::Members<Line>& Interface();
  std::string ClassName() const override { return "Line"; }

  int X1() const { return x1_; }
  int Y1() const { return y1_; }
  int X2() const { return x2_; }
  int Y2() const { return y2_; }
  void SetX1(int value);
  void SetY1(int value);
  void SetX2(int value);
  void SetY2(int value);
  void SetPoints(int x1, int y1, int x2, int y2);
  OleColor BorderColor() const { return border_color_; }
  Status SetBorderColor(OleColor color) { return AssignColor(border_color_, color, "BorderColor"); }
  // Pixels, 1 to 8192.
  int BorderWidth() const { return border_width_; }
  Status SetBorderWidth(int width);
  // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid.
  int BorderStyle() const { return border_style_; }
  Status SetBorderStyle(int style);

 protected:
  bool GeometrySettable() const override { return false; }

 private:
  void UpdateBounds(std::string_view property);

  int x1_ = 0;
  int y1_ = 0;
  int x2_ = 0;
  int y2_ = 0;
  OleColor border_color_ = system_color::kWindowText;
  int border_width_ = 1;
  int border_style_ = 1;
};

}  // namespace feriant::ui
