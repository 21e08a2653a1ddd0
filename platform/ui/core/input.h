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

class Control;
class UserControl;

namespace input {

// A click: what it does is the control's (a push button's Click, a check box's toggle
// and Click, a label's, image's or picture box's Click; see Control::InputClick).
Status Click(Control& control);
// A double click, for the kinds that have DblClick.
Status DblClick(Control& control);
// A mouse button pressed or released, or the mouse moved, over a control whose kind has
// that event; `button` is a mouse_button::* value (for a move: the buttons held, added
// up), `shift_state` shift::* bits, x and y in twips of the control.
Status Mouse(Control& control, const MouseInput& mouse);
Status MouseDown(Control& control, int button, int shift_state, int x, int y);
Status MouseUp(Control& control, int button, int shift_state, int x, int y);
Status MouseMove(Control& control, int buttons, int shift_state, int x, int y);
// Mouse input goes to the control that holds the capture (Control::SetCapture) or,
// between a press and the release, to the pressed control, with x and y moved into that
// control's coordinates. A press without a capture goes to its own control.

// A key pressed in a form, for its focused control (Enter and Esc are routed; see form.h).
Status KeyDown(Form& form, int key_code, int shift_state = 0);
// A key pressed (again with each auto-repeat) or released, or a character typed, while
// `control` has the focus: routed through its form (see form.h). True when the key was
// taken (a handler swallowed it, or it pressed a control), so the renderer drops it.
Result<bool> KeyDown(Control& control, int key_code, int shift_state = 0);
Result<bool> KeyUp(Control& control, int key_code, int shift_state = 0);
Result<bool> KeyPress(Control& control, int key_ascii);
// The whole text of a text box after the person edited it (refused while Locked).
Status EditText(Control& control, std::string text);
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
