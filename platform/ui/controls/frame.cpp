#include "platform/ui/controls/frame.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

Frame::Frame() : ControlImpl(/*windowed=*/true), font_([this] { NotifyChanged("Font"); }) {}

const Members<Frame>& Frame::Interface() {
  static const Members<Frame> members = [] {
    Members<Frame> m;
    using members::Getter;
    using members::Setter;
    using T = Frame;
    members::AddCommonMembers(m);
    m.Get("Caption", dispid::kCaption, Getter<T>(&T::Caption))
        .Put("Caption", dispid::kCaption, Setter<T, std::string>(&T::SetCaption))
        .Get("BorderStyle", dispid::kBorderStyle, Getter<T>(&T::BorderStyle))
        .Put("BorderStyle", dispid::kBorderStyle, Setter<T, int>(&T::SetBorderStyle))
        .Get("BackColor", dispid::kBackColor, members::ColorGetter<T>(&T::BackColor))
        .Put("BackColor", dispid::kBackColor, members::ColorSetter<T>(&T::SetBackColor))
        .Get("ForeColor", dispid::kForeColor, members::ColorGetter<T>(&T::ForeColor))
        .Put("ForeColor", dispid::kForeColor, members::ColorSetter<T>(&T::SetForeColor))
        .Get("Font", dispid::kFont, Getter<T>(&T::Font))
        .PutRef("Font", dispid::kFont, Setter<T, std::shared_ptr<StdFont>>(&T::SetFont));
    return m;
  }();
  return members;
}

void Frame::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
}

Status Frame::SetBorderStyle(int style) {
  if (style != 0 && style != 1) return MakeUiError(ui_error::kInvalidPropertyValue, "BorderStyle");
  if (style == border_style_) return Ok();
  border_style_ = style;
  NotifyChanged("BorderStyle");
  return Ok();
}

Status Frame::SetBackColor(OleColor color) {
  return AssignColor(back_color_, color, "BackColor");
}

Status Frame::SetForeColor(OleColor color) {
  return AssignColor(fore_color_, color, "ForeColor");
}

void Frame::PressAccessKey() {
  Control* next = Host() != nullptr ? Host()->NextFocusable(*this) : nullptr;
  if (next != nullptr) (void)next->SetFocus();
}

void Frame::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
