#pragma once
// Window subclassing (the module MSubclass, with its object front GSubclass): code of the
// library hooks messages of a window it does not own, such as the size-limit query of
// the form that hosts a control, and several handler objects share one window.
//
// Attaching replaces the window's procedure by one shared procedure. All bookkeeping
// lives in the window's own property store, so no table of the library has to follow
// windows as they come and go (W is the window handle, M the message, both signed
// decimal, I a 1-based index):
//   W            the procedure that was in place before (as a number)
//   "C" + W      how many (message, handler) attachments the window has
//   W#M"C"       how many handlers message M has
//   W#M#I        the I-th handler of M (its address; the entry does not own it)
// A window stays subclassed from its first attachment until its last detachment or its
// WM_DESTROY, whichever comes first.
//
// Dispatch of a message with handlers: from the last attached handler down to the first;
// each handler's WindowProc result becomes the message's result. The handler's
// MsgResponse decides how the previous procedure takes part: 2 (asked of the first
// handler) calls it before that handler runs, 1 (asked again of the last one visited)
// calls it after all of them, its result replacing theirs, anything else not at all.
//
// A handler must detach before it is destroyed; one that did not is skipped (its entry
// counts as empty), never called. Attach reports what went wrong and undoes every write
// it made before; detach and the shared procedure never fail. The user-interface thread
// only: the current message and the record of live handlers are per thread.

#include <cstdint>

#include "platform/base/result.h"
#include "platform/ui/core/window.h"

namespace feriant::lumatrel {

// How the previous window procedure takes part in a message (MsgResponse).
namespace msg_response {
inline constexpr std::int32_t kConsume = 0;      // not called: the handlers' answer stands
inline constexpr std::int32_t kPostProcess = 1;  // called after the handlers, its answer wins
inline constexpr std::int32_t kPreProcess = 2;   // called before the first-attached handler
}  // namespace msg_response

// The error codes of subclassing and timers (added to the object-error base when raised).
namespace subclass_error {
inline constexpr std::int32_t kCantSubclass = 13081;
inline constexpr std::int32_t kAlreadyHandled = 13082;
inline constexpr std::int32_t kInvalidWindow = 13083;
inline constexpr std::int32_t kForeignWindow = 13084;
inline constexpr std::int32_t kTooManyTimers = 13651;
inline constexpr std::int32_t kCantCreateTimer = 13652;
}  // namespace subclass_error

// The Error of one of the codes above: 0x80040000 + code, its fixed description, and the
// source "<library file>.WindowProc".
Error SubclassError(std::int32_t code);

// What an object implements to handle window messages.
class SubclassHandler {
 public:
  SubclassHandler();
  SubclassHandler(const SubclassHandler&) = delete;
  SubclassHandler& operator=(const SubclassHandler&) = delete;
  virtual ~SubclassHandler();

  // Asked for the message being dispatched (CurrentMessage); see msg_response.
  virtual std::int32_t MsgResponse() const = 0;
  virtual void SetMsgResponse(std::int32_t value) = 0;
  virtual std::int32_t WindowProc(ui::window::Handle hwnd, std::uint32_t iMsg, std::intptr_t wParam,
                                  std::intptr_t lParam) = 0;
};

// The module's routines (MSubclass).
//
// Refused, in this order: not a window (kInvalidWindow), a window of another process
// (kForeignWindow), `handler` already attached to this message (kAlreadyHandled), the
// window's procedure cannot be replaced (kCantSubclass), a property write that the
// window refused (run-time error 5). Nothing written stays behind on a refusal.
Status AttachMessage(SubclassHandler& handler, ui::window::Handle hwnd, std::uint32_t iMsg);
// Does nothing when the window, the message or the handler is not found.
void DetachMessage(SubclassHandler& handler, ui::window::Handle hwnd, std::uint32_t iMsg);
// The message being dispatched; meaningful inside MsgResponse and WindowProc.
std::uint32_t CurrentMessage();
// Calls the procedure the window had before it was subclassed; 0 when it is not.
std::intptr_t CallOldWindowProc(ui::window::Handle hwnd, std::uint32_t iMsg, std::intptr_t wParam,
                                std::intptr_t lParam);

// The object front of the module (GSubclass).
class GSubclass {
 public:
  Status AttachMessage(SubclassHandler& handler, ui::window::Handle hwnd, std::uint32_t iMsg) {
    return lumatrel::AttachMessage(handler, hwnd, iMsg);
  }
  void DetachMessage(SubclassHandler& handler, ui::window::Handle hwnd, std::uint32_t iMsg) {
    lumatrel::DetachMessage(handler, hwnd, iMsg);
  }
  std::uint32_t CurrentMessage() const { return lumatrel::CurrentMessage(); }
  std::intptr_t CallOldWindowProc(ui::window::Handle hwnd, std::uint32_t iMsg, std::intptr_t wParam,
                                  std::intptr_t lParam) {
    return lumatrel::CallOldWindowProc(hwnd, iMsg, wParam, lParam);
  }
};

}  // namespace feriant::lumatrel
