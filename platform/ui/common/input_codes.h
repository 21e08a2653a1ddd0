#pragma once
// The numbers a person's input carries through the model: mouse buttons, shift-state
// bits and the key codes the model routes itself, and the signatures of the mouse and
// key events that controls raise. Plain constants; no thread affinity.

#include "platform/ui/common/event.h"

namespace feriant::ui {

// Mouse buttons of mouse events: one button for a press or release, the buttons held
// (added up) for a move.
namespace mouse_button {
inline constexpr int kLeft = 1;
inline constexpr int kRight = 2;
inline constexpr int kMiddle = 4;
}  // namespace mouse_button

// Shift state bits of mouse and key events.
namespace shift {
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;
}  // namespace shift

// Key codes the model routes.
namespace key {
inline constexpr int kReturn = 13;
inline constexpr int kEscape = 27;
inline constexpr int kTab = 9;
}  // namespace key

// MouseDown, MouseUp and MouseMove: button, shift state (shift::* bits), x, y in the
// control's twips.
using MouseEvent = Event<int, int, int, int>;
// KeyDown and KeyUp: key code (a handler sets it to 0 to swallow the key), shift state.
using KeyEvent = Event<int&, int>;
// KeyPress: the character's code (a handler sets it to 0 to swallow it).
using KeyPressEvent = Event<int&>;

}  // namespace feriant::ui
