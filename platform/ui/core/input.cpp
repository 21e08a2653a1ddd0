#include "platform/ui/core/input.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/text_box.h"
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

// The mouse events of the controls that have them; nullptr for the others.
MouseEvent* MouseDownOf(Control& control) {
  if (auto* c = dynamic_cast<Label*>(&control)) return &c->MouseDown();
  if (auto* c = dynamic_cast<CommandButton*>(&control)) return &c->MouseDown();
  if (auto* c = dynamic_cast<Image*>(&control)) return &c->MouseDown();
  if (auto* c = dynamic_cast<PictureBox*>(&control)) return &c->MouseDown();
  return nullptr;
}

MouseEvent* MouseUpOf(Control& control) {
  if (auto* c = dynamic_cast<Label*>(&control)) return &c->MouseUp();
  if (auto* c = dynamic_cast<CommandButton*>(&control)) return &c->MouseUp();
  if (auto* c = dynamic_cast<Image*>(&control)) return &c->MouseUp();
  if (auto* c = dynamic_cast<PictureBox*>(&control)) return &c->MouseUp();
  return nullptr;
}

}  // namespace

Status Click(Control& control) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  if (auto* button = dynamic_cast<CommandButton*>(&control)) {
    button->PerformClick();
  } else if (auto* check = dynamic_cast<CheckBox*>(&control)) {
    check->Toggle();
  } else if (auto* label = dynamic_cast<Label*>(&control)) {
    label->Click().Raise();
  } else if (auto* image = dynamic_cast<Image*>(&control)) {
    image->Click().Raise();
  } else if (auto* picture = dynamic_cast<PictureBox*>(&control)) {
    picture->Click().Raise();
  } else {
    return MakeUiError(ui_error::kNotSupported, control.ClassName() + " has no Click");
  }
  return Ok();
}

Status MouseDown(Control& control, int button, int shift_state, int x, int y) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  MouseEvent* event = MouseDownOf(control);
  if (event == nullptr)
    return MakeUiError(ui_error::kNotSupported, control.ClassName() + " has no MouseDown");
  event->Raise(button, shift_state, x, y);
  return Ok();
}

Status MouseUp(Control& control, int button, int shift_state, int x, int y) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control);
  MouseEvent* event = MouseUpOf(control);
  if (event == nullptr)
    return MakeUiError(ui_error::kNotSupported, control.ClassName() + " has no MouseUp");
  event->Raise(button, shift_state, x, y);
  return Ok();
}

Status KeyDown(Form& form, int key_code, int shift_state) {
  auto keep = form.weak_from_this().lock();
  if (!form.Visible() || !form.Enabled())
    return MakeUiError(ui_error::kInvalidProcedureCall, form.Name() + " takes no keys now");
  form.KeyDown(key_code, shift_state);
  return Ok();
}

Status EditText(TextBox& text_box, std::string text) {
  auto keep = text_box.weak_from_this().lock();
  if (!Reachable(text_box)) return Unreachable(text_box);
  if (!text_box.EditText(std::move(text)))
    return MakeUiError(ui_error::kInvalidProcedureCall, text_box.Name() + " is locked");
  return Ok();
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
