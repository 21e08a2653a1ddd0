#include "platform/ui/core/input.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/user_control.h"

namespace feriant::ui::input {
namespace {

Status Unreachable(const Control& control) {
  return MakeUiError(ui_error::kInvalidProcedureCall,
                     control.Name() + " is hidden or disabled and takes no input");
}

bool Reachable(const Control& control) {
  return control.IsShown() && control.IsEnabledForInput();
}

}  // namespace

Status Click(Control& control) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  return control.InputClick();
}

Status DblClick(Control& control) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  return control.InputDblClick();
}

Status Mouse(Control& control, const MouseInput& mouse) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  return control.InputMouse(mouse);
}

Status MouseDown(Control& control, int button, int shift_state, int x, int y) {
  return Mouse(control, MouseInput{MouseAction::kDown, button, shift_state, x, y});
}

Status MouseUp(Control& control, int button, int shift_state, int x, int y) {
  return Mouse(control, MouseInput{MouseAction::kUp, button, shift_state, x, y});
}

Status MouseMove(Control& control, int buttons, int shift_state, int x, int y) {
  return Mouse(control, MouseInput{MouseAction::kMove, buttons, shift_state, x, y});
}

Status KeyDown(Form& form, int key_code, int shift_state) {
  auto keep = form.weak_from_this().lock();
  if (!form.Visible() || !form.Enabled())
    return MakeUiError(ui_error::kInvalidProcedureCall, form.Name() + " takes no keys now");
  form.KeyDown(key_code, shift_state);
  return Ok();
}

Status EditText(Control& control, std::string text) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  return control.InputText(std::move(text));
}

Status Focus(Control& control) {
  auto keep = control.weak_from_this().lock();
  return control.SetFocus();
}

Status ResizeClient(Form& form, int width, int height) {
  auto keep = form.weak_from_this().lock();
  return form.SetClientSize(width, height);
}

Result<bool> CloseBox(Form& form) {
  auto keep = form.weak_from_this().lock();
  return form.Unload(UnloadMode::kFormControlMenu);
}

void Paint(UserControl& control) {
  if (control.IsVisibleOnScreen()) control.Paint();
}

}  // namespace feriant::ui::input
