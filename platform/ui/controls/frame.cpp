#include "platform/ui/controls/frame.h"

#include "platform/ui/common/errors.h"

namespace feriant::ui {

using automation::Members;

Frame::Frame() : ControlImpl(/*windowed=*/true) {}

const Members<Frame>& Frame::Interface() {
  static const Members<Frame> members = [] {
    Members<Frame> m;
    using T = Frame;
    members::AddCommonMembers(m);
    members::AddCaptionMembers(m);
    m.Get("BorderStyle", dispid::kBorderStyle, members::Getter<T>(&T::BorderStyle))
        .Put("BorderStyle", dispid::kBorderStyle, members::Setter<T, int>(&T::SetBorderStyle));
    return m;
  }();
  return members;
}

Status Frame::SetBorderStyle(int style) {
  if (style != 0 && style != 1) return MakeUiError(ui_error::kInvalidPropertyValue, "BorderStyle");
  if (style == border_style_) return Ok();
  border_style_ = style;
  NotifyChanged("BorderStyle");
  return Ok();
}

void Frame::PressAccessKey() {
  Control* next = Host() != nullptr ? Host()->NextFocusable(*this) : nullptr;
  if (next != nullptr) (void)next->SetFocus();
}

}  // namespace feriant::ui
