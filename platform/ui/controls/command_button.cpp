#include "platform/ui/controls/command_button.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

CommandButton::CommandButton()
    : ControlImpl(/*windowed=*/true), font_([this] { NotifyChanged("Font"); }) {}

const Members<CommandButton>& CommandButton::Interface() {
  static const Members<CommandButton> members = [] {
    Members<CommandButton> m;
    using members::Getter;
    using members::Setter;
    using T = CommandButton;
    members::AddCommonMembers(m);
    m.Get("Value", dispid::kValue,
          [](T&, std::span<Variant>) -> Result<Variant> { return Variant(false); })
        .Put("Value", dispid::kValue, Setter<T, bool>([](T& b, bool v) {
               if (v) b.PerformClick();
             }))
        .Get("Caption", dispid::kCaption, Getter<T>(&T::Caption))
        .Put("Caption", dispid::kCaption, Setter<T, std::string>(&T::SetCaption))
        .Get("Default", dispid::kDefault, Getter<T>(&T::Default))
        .Put("Default", dispid::kDefault, Setter<T, bool>(&T::SetDefault))
        .Get("Cancel", dispid::kCancel, Getter<T>(&T::Cancel))
        .Put("Cancel", dispid::kCancel, Setter<T, bool>(&T::SetCancel))
        .Get("BackColor", dispid::kBackColor, members::ColorGetter<T>(&T::BackColor))
        .Put("BackColor", dispid::kBackColor, members::ColorSetter<T>(&T::SetBackColor))
        .Get("Font", dispid::kFont, Getter<T>(&T::Font))
        .PutRef("Font", dispid::kFont, Setter<T, std::shared_ptr<StdFont>>(&T::SetFont));
    return m;
  }();
  return members;
}

void CommandButton::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyChanged("Caption");
}

void CommandButton::PerformClick() {
  auto keep = KeepAlive();
  click_.Raise();
}

Status CommandButton::InputClick() {
  PerformClick();
  return Ok();
}

Status CommandButton::InputMouse(const MouseInput& input) {
  return RaiseMouseEvent(input, &mouse_down_, &mouse_up_);
}

void CommandButton::PressAccessKey() {
  (void)SetFocus();
  PerformClick();
}

void CommandButton::PressByKey(int /*key_ascii*/) {
  PerformClick();
}

void CommandButton::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
