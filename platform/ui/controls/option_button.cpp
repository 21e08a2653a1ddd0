#include "platform/ui/controls/option_button.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

OptionButton::OptionButton()
    : ControlImpl(/*windowed=*/true), font_([this] { NotifyChanged("Font"); }) {}

const Members<OptionButton>& OptionButton::Interface() {
  static const Members<OptionButton> members = [] {
    Members<OptionButton> m;
    using members::Getter;
    using members::Setter;
    using T = OptionButton;
    members::AddCommonMembers(m);
    m.Get("Value", dispid::kValue, Getter<T>(&T::Value))
        .Put("Value", dispid::kValue, Setter<T, bool>(&T::SetValue))
        .Get("Caption", dispid::kCaption, Getter<T>(&T::Caption))
        .Put("Caption", dispid::kCaption, Setter<T, std::string>(&T::SetCaption))
        .Get("Alignment", dispid::kAlignment, Getter<T>(&T::Alignment))
        .Put("Alignment", dispid::kAlignment, Setter<T, int>(&T::SetAlignment))
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

void OptionButton::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
}

void OptionButton::SetValue(bool value) {
  if (value == value_) return;
  value_ = value;
  NotifyChanged("Value");
  if (!value) return;
  if (Host() != nullptr) {
    for (const auto& control : Host()->Controls()) {
      auto* other = dynamic_cast<OptionButton*>(control.get());
      if (other != nullptr && other != this && other->Container() == Container())
        other->SetValue(false);
    }
  }
  auto keep = KeepAlive();
  click_.Raise();
}

Status OptionButton::SetAlignment(int value) {
  if (value != 0 && value != 1) return MakeUiError(ui_error::kInvalidPropertyValue, "Alignment");
  if (value == alignment_) return Ok();
  alignment_ = value;
  NotifyChanged("Alignment");
  return Ok();
}

Status OptionButton::SetBackColor(OleColor color) {
  return AssignColor(back_color_, color, "BackColor");
}

Status OptionButton::SetForeColor(OleColor color) {
  return AssignColor(fore_color_, color, "ForeColor");
}

void OptionButton::CopyPropertiesFrom(const OptionButton& other) {
  SetCaption(other.caption_);
  (void)SetAlignment(other.alignment_);
  (void)SetBackColor(other.back_color_);
  (void)SetForeColor(other.fore_color_);
  font_.Get()->SetDesc(other.Font()->Desc());
  (void)Move(other.Left(), other.Top(), other.Width(), other.Height());
  SetEnabled(other.Enabled());
  SetTag(other.Tag());
}

Status OptionButton::InputClick() {
  SetValue(true);
  return Ok();
}

void OptionButton::PressAccessKey() {
  (void)SetFocus();
  SetValue(true);
}

void OptionButton::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
