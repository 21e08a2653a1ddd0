#include "platform/ui/controls/timer.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

Timer::Timer() : ControlImpl(/*windowed=*/false) {}

Timer::~Timer() {
  Stop();
}

const Members<Timer>& Timer::Interface() {
  static const Members<Timer> members = [] {
    Members<Timer> m;
    using T = Timer;
    members::AddCommonMembers(m, members::kIdentity | members::kEnabled);
    m.Get("Interval", dispid::kInterval, members::Getter<T>(&T::Interval))
        .Put("Interval", dispid::kInterval, members::Setter<T, int>(&T::SetInterval));
    return m;
  }();
  return members;
}

Status Timer::SetInterval(int milliseconds) {
  if (milliseconds < 0 || milliseconds > 65535)
    return MakeUiError(ui_error::kInvalidPropertyValue, "Interval " + std::to_string(milliseconds));
  interval_ = milliseconds;
  Restart();
  return Ok();
}

void Timer::SetEnabled(bool enabled) {
  Control::SetEnabled(enabled);
  Restart();
}

void Timer::Restart() {
  Stop();
  if (!Enabled() || interval_ <= 0 || Host() == nullptr) return;
  // The callback holds the timer weakly: a tick never outlives the control.
  std::weak_ptr<automation::Dispatch> weak = weak_from_this();
  timer_ = CurrentBackend().StartTimer(std::chrono::milliseconds(interval_), [this, weak] {
    auto keep = weak.lock();
    if (keep && Host() != nullptr) tick_.Raise();
  });
}

void Timer::Stop() {
  if (timer_ == 0) return;
  CurrentBackend().StopTimer(timer_);
  timer_ = 0;
}

}  // namespace feriant::ui
