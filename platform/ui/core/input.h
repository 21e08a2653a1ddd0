#pragma once
// Input from a renderer (or a test) into the model: what a person does with the mouse and
// the keyboard. Input reaches a control only while it is visible and enabled (shown on a
// shown surface); otherwise the call changes nothing and answers an
// invalid-procedure-call error. Every call keeps the objects it touches alive until it
// returns, so handlers may unload the form. The user-interface thread only.

#include <string>

#include "platform/base/result.h"
#include "platform/ui/core/form.h"

namespace feriant::ui {

class CheckBox;
class Control;
class TextBox;
class UserControl;

namespace input {

// A click: a push button's Click, a check box's toggle (and Click), a label's, image's or
// picture box's Click.
Status Click(Control& control);
// A mouse button pressed or released over a label, image, picture box or push button;
// `button` is a mouse_button::* value, `shift_state` shift::* bits, x and y in twips of
// the control.
Status MouseDown(Control& control, int button, int shift_state, int x, int y);
Status MouseUp(Control& control, int button, int shift_state, int x, int y);
// A key pressed in a form (Enter and Esc are routed; see form.h).
Status KeyDown(Form& form, int key_code, int shift_state = 0);
// The whole text of a text box after the person edited it.
Status EditText(TextBox& text_box, std::string text);
// The person moved the focus to a control.
Status Focus(Control& control);
// The person resized the form's window; sizes of the client area in twips.
Status ResizeClient(Form& form, int width, int height);
// The close box: unload with mode "control menu". True when the form was unloaded.
Result<bool> CloseBox(Form& form);
// The window system asks a user control to paint.
void Paint(UserControl& control);

}  // namespace input
}  // namespace feriant::ui
