#include "platform/ui/core/input.h"

#include <memory>
#include <utility>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/extender.h"
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

// Where the control's client area starts on the surface at the top of its tree, in twips.
std::pair<int, int> OriginOnTop(const Control& control) {
  int x = 0;
  int y = 0;
  for (const Control* c = &control; c != nullptr;) {
    x += c->Left();
    y += c->Top();
    if (c->Container() != nullptr) {
      c = c->Container();
      continue;
    }
    const auto* user_control = dynamic_cast<const UserControl*>(c->Host());
    c = user_control != nullptr ? user_control->Site() : nullptr;
  }
  return {x, y};
}

// The control a press holds the mouse for until the release.
WeakControl& ThePressed() {
  static WeakControl pressed;
  return pressed;
}

// A key for `control`, routed through its form (or straight to it on a surface without
// one).
template <class Route>
Result<bool> RouteKey(Control& control, Route route) {
  auto keep = control.weak_from_this().lock();
  if (!Reachable(control)) return Unreachable(control).error();
  Form* form = control.ParentForm();
  auto keep_form = form != nullptr ? form->weak_from_this().lock() : nullptr;
  return route(form);
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
  Control* holder = Control::CaptureHolder();
  // A new press starts afresh, should a renderer ever have missed a release.
  if (holder == nullptr && mouse.action != MouseAction::kDown) holder = ThePressed().Get();
  Control& target = holder != nullptr ? *holder : control;
  auto keep_target = target.weak_from_this().lock();
  MouseInput moved = mouse;
  if (&target != &control) {
    // The holder hears it in its own coordinates.
    const auto [from_x, from_y] = OriginOnTop(control);
    const auto [to_x, to_y] = OriginOnTop(target);
    moved.x += from_x - to_x;
    moved.y += from_y - to_y;
  }
  Status status = Ok();
  if (!Reachable(target)) {
    status = Unreachable(target);
  } else {
    if (mouse.action == MouseAction::kDown && holder == nullptr)
      ThePressed() = WeakControl(control);
    status = target.InputMouse(moved);
  }
  if (mouse.action == MouseAction::kUp) ThePressed() = WeakControl();
  return status;
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

Result<bool> KeyDown(Control& control, int key_code, int shift_state) {
  return RouteKey(control, [&](Form* form) {
    if (form != nullptr) return form->KeyDown(key_code, shift_state, &control);
    control.InputKey(KeyAction::kDown, key_code, shift_state);
    return key_code == 0;
  });
}

Result<bool> KeyUp(Control& control, int key_code, int shift_state) {
  return RouteKey(control, [&](Form* form) {
    if (form != nullptr) return form->KeyUp(key_code, shift_state, &control);
    control.InputKey(KeyAction::kUp, key_code, shift_state);
    return key_code == 0;
  });
}

Result<bool> KeyPress(Control& control, int key_ascii) {
  return RouteKey(control, [&](Form* form) {
    if (form != nullptr) return form->KeyPress(key_ascii, &control);
    control.InputKeyPress(key_ascii);
    return key_ascii == 0;
  });
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
