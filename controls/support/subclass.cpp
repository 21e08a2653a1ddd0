#include "controls/support/subclass.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_set>

#include "platform/automation/errors.h"
#include "platform/ui/common/errors.h"

namespace feriant::lumatrel {
namespace {

namespace window = ui::window;
using window::Handle;

// The library's file, liblumatrel.so, without its extension: the source of its errors.
constexpr std::string_view kErrorSource = "liblumatrel.WindowProc";

thread_local std::uint32_t current_message = 0;

// Handlers alive on this thread: an entry whose handler is gone is skipped, not called.
std::unordered_set<const SubclassHandler*>& LiveHandlers() {
  thread_local std::unordered_set<const SubclassHandler*> live;
  return live;
}

std::string Decimal(std::int64_t value) {
  return std::to_string(value);
}

// The property names of the bookkeeping.
std::string OldProcKey(Handle w) {
  return Decimal(w);
}
std::string TotalKey(Handle w) {
  return "C" + Decimal(w);
}
std::string CountKey(Handle w, std::uint32_t m) {
  return Decimal(w) + "#" + Decimal(static_cast<std::int32_t>(m)) + "C";
}
std::string HandlerKey(Handle w, std::uint32_t m, std::intptr_t i) {
  return Decimal(w) + "#" + Decimal(static_cast<std::int32_t>(m)) + "#" + Decimal(i);
}

std::intptr_t Identity(const SubclassHandler& handler) {
  return reinterpret_cast<std::intptr_t>(&handler);
}

SubclassHandler* LiveHandler(std::intptr_t identity) {
  auto* handler = reinterpret_cast<SubclassHandler*>(identity);
  return identity != 0 && LiveHandlers().count(handler) != 0 ? handler : nullptr;
}

// A count as stored; a missing or nonsensical entry is 0.
std::intptr_t CountOf(Handle w, const std::string& key) {
  return std::max<std::intptr_t>(window::GetProp(w, key), 0);
}

bool IsOwnWindow(Handle w) {
  return window::IsWindow(w) && window::ProcessOf(w) == window::CurrentProcess();
}

Error NotWritten() {
  return ui::MakeUiError(ui::ui_error::kInvalidProcedureCall);
}

// Puts the previous procedure back and forgets it; nothing when none is stored.
void RestoreOldProc(Handle w) {
  if (auto old = window::ProcedureOf(window::GetProp(w, OldProcKey(w)))) {
    window::SetProcedure(w, old);
    window::SetProp(w, OldProcKey(w), 0);
  }
}

std::intptr_t SharedWindowProc(Handle w, std::uint32_t m, std::intptr_t wparam,
                               std::intptr_t lparam) {
  const window::Procedure old = window::ProcedureOf(window::GetProp(w, OldProcKey(w)));
  if (old == nullptr) return 0;
  const std::intptr_t n = CountOf(w, CountKey(w, m));
  bool old_called = false;
  std::intptr_t result = 0;
  SubclassHandler* last = nullptr;
  for (std::intptr_t i = n; i >= 1; --i) {
    // Read afresh each time: a handler may detach itself or others while it runs.
    SubclassHandler* handler = LiveHandler(window::GetProp(w, HandlerKey(w, m, i)));
    if (handler == nullptr) continue;
    last = handler;
    current_message = m;
    if (i == 1 && handler->MsgResponse() == msg_response::kPreProcess && !old_called) {
      result = window::CallProcedure(old, w, m, wparam, lparam);
      old_called = true;
    }
    result = handler->WindowProc(w, m, wparam, lparam);
  }
  if (last == nullptr) {
    // No handler took the message: the window hears it as if it were not subclassed, and
    // its destruction ends the subclassing (the per-message entries go with the window).
    if (m == window::kDestroy && n == 0 && window::GetProp(w, TotalKey(w)) > 0) {
      RestoreOldProc(w);
      window::SetProp(w, TotalKey(w), 0);
    }
    return window::CallProcedure(old, w, m, wparam, lparam);
  }
  if (LiveHandler(Identity(*last)) != nullptr &&
      last->MsgResponse() == msg_response::kPostProcess && !old_called)
    return window::CallProcedure(old, w, m, wparam, lparam);
  return result;
}

}  // namespace

Error SubclassError(std::int32_t code) {
  const char* description = "";
  switch (code) {
    case subclass_error::kCantSubclass:
      description = "Can't subclass window";
      break;
    case subclass_error::kAlreadyHandled:
      description = "Message already handled by another class";
      break;
    case subclass_error::kInvalidWindow:
      description = "Invalid window";
      break;
    case subclass_error::kForeignWindow:
      description = "Can't modify external window";
      break;
    case subclass_error::kTooManyTimers:
      description = "No more than 10 timers allowed per class";
      break;
    case subclass_error::kCantCreateTimer:
      description = "Can't create system timer";
      break;
  }
  return automation::MakeObjectError(code, description, std::string(kErrorSource));
}

SubclassHandler::SubclassHandler() {
  LiveHandlers().insert(this);
}

SubclassHandler::~SubclassHandler() {
  LiveHandlers().erase(this);
}

Status AttachMessage(SubclassHandler& handler, Handle w, std::uint32_t m) {
  if (!window::IsWindow(w)) return SubclassError(subclass_error::kInvalidWindow);
  if (!IsOwnWindow(w)) return SubclassError(subclass_error::kForeignWindow);
  const std::intptr_t identity = Identity(handler);
  const std::intptr_t n = CountOf(w, CountKey(w, m));
  for (std::intptr_t i = 1; i <= n; ++i) {
    if (window::GetProp(w, HandlerKey(w, m, i)) == identity)
      return SubclassError(subclass_error::kAlreadyHandled);
  }
  if (!window::SetProp(w, CountKey(w, m), n + 1)) return NotWritten();
  // Removing an entry (writing 0) always succeeds, so every undo below does.
  auto forget_handler = [&] {
    window::SetProp(w, HandlerKey(w, m, n + 1), 0);
    window::SetProp(w, CountKey(w, m), n);
  };
  if (!window::SetProp(w, HandlerKey(w, m, n + 1), identity)) {
    window::SetProp(w, CountKey(w, m), n);
    return NotWritten();
  }
  const std::intptr_t total = CountOf(w, TotalKey(w));
  if (total == 0) {
    const window::Procedure old = window::SetProcedure(w, &SharedWindowProc);
    if (old == nullptr) {
      forget_handler();
      return SubclassError(subclass_error::kCantSubclass);
    }
    if (!window::SetProp(w, OldProcKey(w), window::ProcedureValue(old))) {
      window::SetProcedure(w, old);
      forget_handler();
      return NotWritten();
    }
  }
  if (!window::SetProp(w, TotalKey(w), total + 1)) {
    forget_handler();
    if (total == 0) RestoreOldProc(w);
    return NotWritten();
  }
  return Ok();
}

void DetachMessage(SubclassHandler& handler, Handle w, std::uint32_t m) {
  if (!IsOwnWindow(w)) return;
  const std::intptr_t n = CountOf(w, CountKey(w, m));
  const std::intptr_t identity = Identity(handler);
  std::intptr_t index = 0;
  for (std::intptr_t i = 1; i <= n && index == 0; ++i) {
    if (window::GetProp(w, HandlerKey(w, m, i)) == identity) index = i;
  }
  if (index == 0) return;
  for (std::intptr_t i = index; i < n; ++i)
    window::SetProp(w, HandlerKey(w, m, i), window::GetProp(w, HandlerKey(w, m, i + 1)));
  window::SetProp(w, HandlerKey(w, m, n), 0);
  window::SetProp(w, CountKey(w, m), n - 1);
  const std::intptr_t total = CountOf(w, TotalKey(w));
  if (total == 1) RestoreOldProc(w);
  // After WM_DESTROY ended the subclassing the total is 0 already; it never goes below,
  // or a later attachment would not subclass the window again.
  window::SetProp(w, TotalKey(w), std::max<std::intptr_t>(total - 1, 0));
}

std::uint32_t CurrentMessage() {
  return current_message;
}

std::intptr_t CallOldWindowProc(Handle w, std::uint32_t m, std::intptr_t wparam,
                                std::intptr_t lparam) {
  const window::Procedure old = window::ProcedureOf(window::GetProp(w, OldProcKey(w)));
  return old != nullptr ? window::CallProcedure(old, w, m, wparam, lparam) : 0;
}

}  // namespace feriant::lumatrel
