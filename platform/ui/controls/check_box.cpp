#include "platform/ui/controls/check_box.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

CheckBox::CheckBox() : ControlImpl(/*windowed=*/true), font_([this] { NotifyChanged("Font"); }) {}

const Members<CheckBox>& CheckBox::Interface() {
  static const Members<CheckBox> members = [] {
    Members<CheckBox> m;
    using members::Getter;
    using members::Setter;
    using T = CheckBox;
    members::AddCommonMembers(m);
    m.Get("Value", dispid::kValue, Getter<T>(&T::Value))
        .Put("Value", dispid::kValue, Setter<T, int>(&T::SetValue))
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

void CheckBox::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
}

Status CheckBox::SetValue(int value) {
  if (value < check_value::kUnchecked || value > check_value::kGrayed)
    return MakeUiError(ui_error::kInvalidPropertyValue, "Value " + std::to_string(value));
  if (value == value_) return Ok();
  value_ = value;
  NotifyChanged("Value");
  auto keep = KeepAlive();
  click_.Raise();
  return Ok();
}

Status CheckBox::SetAlignment(int value) {
  if (value != 0 && value != 1) return MakeUiError(ui_error::kInvalidPropertyValue, "Alignment");
  if (value == alignment_) return Ok();
  alignment_ = value;
  NotifyChanged("Alignment");
  return Ok();
}

void CheckBox::Toggle() {
  const int next =
      value_ == check_value::kUnchecked ? check_value::kChecked : check_value::kUnchecked;
  (void)SetValue(next);
}

Status CheckBox::InputClick() {
  Toggle();
  return Ok();
}

void CheckBox::PressAccessKey() {
  (void)SetFocus();
  Toggle();
}

void CheckBox::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
