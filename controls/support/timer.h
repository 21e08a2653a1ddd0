#pragma once
// Interval timers of the library's own code (CTimer, with the module MTimer): a timer
// raises ThatTime every Interval milliseconds, driven by the backend's system timers and
// one shared callback that finds the timer by its system timer id.
//
// The running timers sit in a table of 100 slots (1-100); the high-water mark is the
// highest slot ever used, and only slots up to it are searched. A timer holds its slot
// from a successful start until it stops (Interval 0) or is destroyed; the table does
// not own it. The user-interface thread only: the table is per thread.

#include <cstdint>

#include "platform/base/result.h"
#include "platform/ui/common/event.h"
#include "platform/ui/core/backend.h"

namespace feriant::lumatrel {

inline constexpr int kTimerSlots = 100;

class CTimer {
 public:
  CTimer() = default;
  CTimer(const CTimer&) = delete;
  CTimer& operator=(const CTimer&) = delete;
  // Stops the timer first.
  ~CTimer();

  // Milliseconds; 0 = stopped. "Set to zero to stop the timer."
  std::int32_t Interval() const { return interval_; }
  // A new positive value restarts the timer at that interval; the value it has already
  // changes nothing; zero or less stops it. Refused with kCantCreateTimer when the
  // system gives no timer and kTooManyTimers when every slot is taken; the timer is then
  // stopped.
  Status SetInterval(std::int32_t milliseconds);
  // Raises ThatTime now.
  void PulseTimer() { that_time_.Raise(); }
  // "Raised when the timer fires."
  ui::Event<>& ThatTime() { return that_time_; }

  // The system timer's id while running; 0 when none.
  ui::TimerId SystemTimerId() const { return system_id_; }
  void SetSystemTimerId(ui::TimerId id) { system_id_ = id; }

 private:
  std::int32_t interval_ = 0;
  ui::TimerId system_id_ = 0;
  ui::Event<> that_time_;
};

// The module's table, for tests and diagnostics: the highest slot ever used on this
// thread (0 before the first start) and the timer in slot 1-100 (nullptr when empty).
std::int16_t TimerHighWaterMark();
const CTimer* TimerInSlot(int slot);

// The shared callback: pulses the first timer up to the high-water mark whose system id
// is `system_id`; an id that no timer has is ignored.
void TimerProc(ui::TimerId system_id);

}  // namespace feriant::lumatrel
