#include "platform/ui/controls/option_button.h"

#include "platform/ui/common/errors.h"

namespace feriant::ui {

using automation::Members;

OptionButton::OptionButton() : ControlImpl(/*windowed=*/true) {}

const Members<OptionButton>& OptionButton::Interface() {
  static const Members<OptionButton> members = [] {
    Members<OptionButton> m;
    using members::Getter;
    using members::Setter;
    using T = OptionButton;
    members::AddCommonMembers(m);
    m.Get("Value", dispid::kValue, Getter<T>(&T::Value))
        .Put("Value", dispid::kValue, Setter<T, bool>(&T::SetValue))
        .Get("Alignment", dispid::kAlignment, Getter<T>(&T::Alignment))
        .Put("Alignment", dispid::kAlignment, Setter<T, int>(&T::SetAlignment));
    members::AddCaptionMembers(m);
    return m;
  }();
  return members;
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

void OptionButton::CopyPropertiesFrom(const OptionButton& other) {
  CopyCaptionFrom(other);
  (void)SetAlignment(other.alignment_);
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

}  // namespace feriant::ui
