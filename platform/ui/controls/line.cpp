#include "platform/ui/controls/line.h"

#include <algorithm>
#include <cstdlib>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

Line::Line() : ControlImpl(/*windowed=*/false) {}

const Members<Line>& Line::Interface() {
  static const Members<Line> members = [] {
    Members<Line> m;
    using members::Getter;
    using members::Setter;
    using T = Line;
    members::AddCommonMembers(m, members::kIdentity);
    m.Get("X1", dispid::kX1, Getter<T>(&T::X1))
        .Put("X1", dispid::kX1, Setter<T, int>(&T::SetX1))
        .Get("Y1", dispid::kY1, Getter<T>(&T::Y1))
        .Put("Y1", dispid::kY1, Setter<T, int>(&T::SetY1))
        .Get("X2", dispid::kX2, Getter<T>(&T::X2))
        .Put("X2", dispid::kX2, Setter<T, int>(&T::SetX2))
        .Get("Y2", dispid::kY2, Getter<T>(&T::Y2))
        .Put("Y2", dispid::kY2, Setter<T, int>(&T::SetY2))
        .Get("BorderColor", dispid::kBorderColor, members::ColorGetter<T>(&T::BorderColor))
        .Put("BorderColor", dispid::kBorderColor, members::ColorSetter<T>(&T::SetBorderColor))
        .Get("BorderWidth", dispid::kBorderWidth, Getter<T>(&T::BorderWidth))
        .Put("BorderWidth", dispid::kBorderWidth, Setter<T, int>(&T::SetBorderWidth))
        .Get("BorderStyle", dispid::kBorderStyle, Getter<T>(&T::BorderStyle))
        .Put("BorderStyle", dispid::kBorderStyle, Setter<T, int>(&T::SetBorderStyle));
    return m;
  }();
  return members;
}

void Line::SetX1(int value) {
  if (value == x1_) return;
  x1_ = value;
  UpdateBounds("X1");
}

void Line::SetY1(int value) {
  if (value == y1_) return;
  y1_ = value;
  UpdateBounds("Y1");
}

void Line::SetX2(int value) {
  if (value == x2_) return;
  x2_ = value;
  UpdateBounds("X2");
}

void Line::SetY2(int value) {
  if (value == y2_) return;
  y2_ = value;
  UpdateBounds("Y2");
}

void Line::SetPoints(int x1, int y1, int x2, int y2) {
  x1_ = x1;
  y1_ = y1;
  x2_ = x2;
  y2_ = y2;
  UpdateBounds("Points");
}

Status Line::SetBorderWidth(int width) {
  if (width < 1 || width > 8192) return MakeUiError(ui_error::kInvalidPropertyValue, "BorderWidth");
  if (width == border_width_) return Ok();
  border_width_ = width;
  NotifyChanged("BorderWidth");
  return Ok();
}

Status Line::SetBorderStyle(int style) {
  if (style < 0 || style > 6) return MakeUiError(ui_error::kInvalidPropertyValue, "BorderStyle");
  if (style == border_style_) return Ok();
  border_style_ = style;
  NotifyChanged("BorderStyle");
  return Ok();
}

void Line::UpdateBounds(std::string_view property) {
  NotifyChanged(property);
  // 64-bit arithmetic: end points may lie anywhere in the 32-bit range.
  const long long width = std::llabs(static_cast<long long>(x2_) - x1_);
  const long long height = std::llabs(static_cast<long long>(y2_) - y1_);
  SetBoundsInternal(Rect{std::min(x1_, x2_), std::min(y1_, y2_),
                         static_cast<int>(std::min<long long>(width, 0x7FFFFFFF)),
                         static_cast<int>(std::min<long long>(height, 0x7FFFFFFF))});
}

}  // namespace feriant::ui
