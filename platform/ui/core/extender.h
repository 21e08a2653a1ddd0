#pragma once
// The extender: what a container adds for each user control placed on it, and what form
// code reaches under the control's name. It holds the container-side properties (Name,
// Left, Top, Width, Height, Visible, TabIndex, Tag, Align, Default, Cancel, Parent) and
// answers them itself; every other member name or dispatch id is forwarded to the
// control's own interface. Its own dispatch ids lie in the container range (dispids.h).
//
// Align: 0 none, 1 docked to the top edge, 2 to the bottom edge, 3 left, 4 right. On a
// form the container keeps a docked control at the edge with the full client width (or
// height) and docks again whenever the form's client area or a docked control's size
// changes; docked controls stack in creation order.
//
// Change notifications of the control (PropertyChanged) are recorded here: a log of the
// property names in order (empty for an unnamed change) and a dirty flag.
// The extender keeps its control alive. The user-interface thread only.

#include <memory>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/ui/core/control.h"
#include "platform/ui/core/user_control.h"

namespace feriant::ui {

namespace align {
inline constexpr int kNone = 0;
inline constexpr int kTop = 1;
inline constexpr int kBottom = 2;
inline constexpr int kLeft = 3;
inline constexpr int kRight = 4;
}  // namespace align

class Extender final : public Control {
 public:
  explicit Extender(std::shared_ptr<UserControl> object);
  ~Extender() override;

  static const automation::Members<Extender>& Interface();
  std::string ClassName() const override { return object_->TypeName(); }
  Result<automation::DispId> GetIdOfName(std::string_view name) const override;
  Result<automation::Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<automation::Variant> args,
                                     std::span<const automation::NamedArg> named) override;

  const std::shared_ptr<UserControl>& Object() const { return object_; }

  int Align() const { return align_; }
  // 0 to 4; anything else is an invalid property value.
  Status SetAlign(int align);
  bool Default() const { return IsDefault(); }
  void SetDefault(bool value) { SetDefaultFlag(value); }
  bool Cancel() const { return IsCancel(); }
  void SetCancel(bool value) { SetCancelFlag(value); }

  bool Enabled() const override { return object_->Enabled(); }
  void SetEnabled(bool enabled) override { object_->SetEnabled(enabled); }
  bool CanContain() const override { return object_->ControlContainer(); }
  bool CanFocus() const override { return true; }
  // As the default or cancel control: the user control hears the key.
  void PressByKey(int key_ascii) override;
  // Input on the extender is input on the user control's own surface.
  Status InputClick() override;
  Status InputDblClick() override;
  Status InputMouse(const MouseInput& input) override;
  void InputKey(KeyAction action, int& key_code, int shift_state) override;
  void InputKeyPress(int& key_ascii) override;

  // Change notifications of the control.
  const std::vector<std::string>& ChangeLog() const { return change_log_; }
  void ClearChangeLog() { change_log_.clear(); }
  bool Dirty() const { return dirty_; }
  void SetDirty(bool dirty) { dirty_ = dirty; }
  void RecordChange(std::string_view property);

 protected:
  void OnBoundsChanged(const Rect& old_bounds) override;
  void OnVisibleChanged() override;
  void OnAttached() override;
  void OnDetaching() override;

 private:
  friend class UserControl;
  // The enabled state lives here while sited.
  bool SiteEnabled() const { return Control::Enabled(); }
  void SetSiteEnabled(bool enabled) { Control::SetEnabled(enabled); }

  std::shared_ptr<UserControl> object_;
  int align_ = align::kNone;
  std::vector<std::string> change_log_;
  bool dirty_ = false;
};

}  // namespace feriant::ui
