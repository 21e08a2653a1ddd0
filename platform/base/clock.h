#pragma once
// The wall clock of the person at the keyboard, in local time. Programs read it through
// Clock so that tests and the command line's --today can set it.

#include <chrono>
#include <memory>

namespace feriant::base {

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time now, to the second.
  virtual std::chrono::local_seconds Now() const = 0;
};

// The system's clock in the time zone of the process (TZ, /etc/localtime).
class SystemClock final : public Clock {
 public:
  std::chrono::local_seconds Now() const override;
};

// A clock that stands still at the time it is given.
class FixedClock final : public Clock {
 public:
  explicit FixedClock(std::chrono::local_seconds now) : now_(now) {}
  std::chrono::local_seconds Now() const override { return now_; }
  void Set(std::chrono::local_seconds now) { now_ = now; }

 private:
  std::chrono::local_seconds now_;
};

// The process-wide clock: the system clock unless a program or test has replaced it.
const Clock& CurrentClock();
// Replaces the process-wide clock; nullptr restores the system clock.
void SetCurrentClock(std::shared_ptr<const Clock> clock);

// Local wall time <-> seconds since the epoch, through the process's time zone.
std::chrono::local_seconds ToLocal(std::chrono::sys_seconds utc);
std::chrono::sys_seconds ToUtc(std::chrono::local_seconds local);
// The offset of local time from UTC at that local time, in seconds (east positive).
std::chrono::seconds UtcOffset(std::chrono::local_seconds local);

}  // namespace feriant::base
