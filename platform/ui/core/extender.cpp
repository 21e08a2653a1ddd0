#include "platform/ui/core/extender.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

Extender::Extender(std::shared_ptr<UserControl> object)
    : Control(/*windowed=*/true), object_(std::move(object)) {}

Extender::~Extender() {
  if (object_ && object_->site_ == this) object_->site_ = nullptr;
}

const Members<Extender>& Extender::Interface() {
  static const Members<Extender> members = [] {
    Members<Extender> m;
    members::AddCommonMembers(
        m, members::kIdentity | members::kGeometry | members::kTabIndex | members::kFocus);
    m.Get("Align", dispid::kAlign, members::Getter<Extender>(&Extender::Align))
        .Put("Align", dispid::kAlign, members::Setter<Extender, int>(&Extender::SetAlign))
        .Get("Default", dispid::kDefault, members::Getter<Extender>(&Extender::Default))
        .Put("Default", dispid::kDefault, members::Setter<Extender, bool>(&Extender::SetDefault))
        .Get("Cancel", dispid::kCancel, members::Getter<Extender>(&Extender::Cancel))
        .Put("Cancel", dispid::kCancel, members::Setter<Extender, bool>(&Extender::SetCancel))
        .Get("Object", dispid::kObject, [](Extender& e, std::span<Variant>) -> Result<Variant> {
          return Variant(automation::ObjectRef(e.Object()));
        });
    return m;
  }();
  return members;
}

namespace {

bool IsOwnId(automation::DispId id) {
  for (const auto& slot : Extender::Interface().Slots()) {
    if (slot.id == id) return true;
  }
  return false;
}

}  // namespace

Result<automation::DispId> Extender::GetIdOfName(std::string_view name) const {
  if (auto own = Interface().IdOfName(name)) return own;
  return object_->GetIdOfName(name);
}

Result<Variant> Extender::Invoke(automation::DispId id, automation::InvokeKind kind,
                                 std::span<Variant> args,
                                 std::span<const automation::NamedArg> named) {
  // Both stay alive for the call, even if it unloads the form that holds them.
  auto keep = KeepAlive();
  std::shared_ptr<UserControl> object = object_;
  if (IsOwnId(id)) {
    try {
      return Interface().Invoke(*this, id, kind, args, named);
    } catch (const automation::ObjectError& error) {
      return error.error();
    }
  }
  return object->Invoke(id, kind, args, named);
}

Status Extender::SetAlign(int value) {
  if (value < align::kNone || value > align::kRight)
    return MakeUiError(ui_error::kInvalidPropertyValue, "Align " + std::to_string(value));
  if (value == align_) return Ok();
  align_ = value;
  NotifyChanged("Align");
  if (Host() != nullptr) Host()->OnChildBoundsChanged(*this);
  return Ok();
}

void Extender::PressByKey(int key_ascii) {
  std::shared_ptr<UserControl> object = object_;
  object->AccessKeyPress(key_ascii);
}

Status Extender::InputClick() {
  std::shared_ptr<UserControl> object = object_;
  if (!object->terminated_) object->OnClick();
  return Ok();
}

Status Extender::InputDblClick() {
  std::shared_ptr<UserControl> object = object_;
  if (!object->terminated_) object->OnDblClick();
  return Ok();
}

Status Extender::InputMouse(const MouseInput& input) {
  std::shared_ptr<UserControl> object = object_;
  if (object->terminated_) return Ok();
  switch (input.action) {
    case MouseAction::kDown:
      object->OnMouseDown(input.button, input.shift_state, input.x, input.y);
      break;
    case MouseAction::kUp:
      object->OnMouseUp(input.button, input.shift_state, input.x, input.y);
      break;
    case MouseAction::kMove:
      object->OnMouseMove(input.button, input.shift_state, input.x, input.y);
      break;
  }
  return Ok();
}

void Extender::InputKey(KeyAction action, int& key_code, int shift_state) {
  std::shared_ptr<UserControl> object = object_;
  if (object->terminated_) return;
  if (action == KeyAction::kDown) {
    object->OnKeyDown(key_code, shift_state);
  } else {
    object->OnKeyUp(key_code, shift_state);
  }
}

void Extender::InputKeyPress(int& key_ascii) {
  std::shared_ptr<UserControl> object = object_;
  if (!object->terminated_) object->OnKeyPress(key_ascii);
}

void Extender::RecordChange(std::string_view property) {
  change_log_.emplace_back(property);
  dirty_ = true;
  NotifyChanged(property);
}

void Extender::OnBoundsChanged(const Rect& /*old_bounds*/) {
  if (object_->site_ != this) return;
  std::shared_ptr<UserControl> object = object_;
  if (Host() != nullptr) Host()->OnChildBoundsChanged(*this);
  object->ReportSize();
}

void Extender::OnVisibleChanged() {
  // A hidden docked control gives its space to the others.
  if (align_ != align::kNone && Host() != nullptr) Host()->OnChildBoundsChanged(*this);
}

void Extender::OnAttached() {
  SetBoundsInternal(Rect{0, 0, object_->own_width_, object_->own_height_});
  SetSiteEnabled(object_->own_enabled_);
  object_->site_ = this;
}

void Extender::OnDetaching() {
  std::shared_ptr<UserControl> object = object_;
  object->Terminate();
  object->own_width_ = Width();
  object->own_height_ = Height();
  object->own_enabled_ = SiteEnabled();
  object->site_ = nullptr;
}

}  // namespace feriant::ui
