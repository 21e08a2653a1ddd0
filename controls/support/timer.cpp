#include "controls/support/timer.h"

#include <array>
#include <chrono>
#include <memory>

#include "controls/support/subclass.h"

namespace feriant::lumatrel {
namespace {

struct TimerTable {
  std::array<CTimer*, kTimerSlots> slots{};  // slot n at index n - 1
  std::int16_t high_water = 0;
};

TimerTable& Table() {
  thread_local TimerTable table;
  return table;
}

// Asks the system for a timer and takes a slot. The id is known only after the system
// answered, so the callback reads it from a cell filled in right after.
Status StartTimer(CTimer& timer) {
  auto id_cell = std::make_shared<ui::TimerId>(0);
  const ui::TimerId id = ui::CurrentBackend().StartTimer(
      std::chrono::milliseconds(timer.Interval()), [id_cell] { TimerProc(*id_cell); });
  *id_cell = id;
  timer.SetSystemTimerId(id);
  if (id == 0) return SubclassError(subclass_error::kCantCreateTimer);
  TimerTable& table = Table();
  for (int slot = 1; slot <= kTimerSlots; ++slot) {
    if (table.slots[slot - 1] != nullptr) continue;
    table.slots[slot - 1] = &timer;
    if (table.high_water < slot) table.high_water = static_cast<std::int16_t>(slot);
    return Ok();
  }
  // A system timer without a slot would tick for nobody until the process ends.
  ui::CurrentBackend().StopTimer(id);
  timer.SetSystemTimerId(0);
  return SubclassError(subclass_error::kTooManyTimers);
}

void StopTimer(CTimer& timer) {
  TimerTable& table = Table();
  for (int slot = 1; slot <= table.high_water; ++slot) {
    CTimer* held = table.slots[slot - 1];
    if (held == nullptr || held->SystemTimerId() != timer.SystemTimerId()) continue;
    ui::CurrentBackend().StopTimer(held->SystemTimerId());
    table.slots[slot - 1] = nullptr;
    break;
  }
  timer.SetSystemTimerId(0);
}

}  // namespace

CTimer::~CTimer() {
  (void)SetInterval(0);
}

Status CTimer::SetInterval(std::int32_t milliseconds) {
  if (milliseconds > 0 && milliseconds != interval_) {
    if (interval_ > 0) StopTimer(*this);
    interval_ = milliseconds;
    if (Status started = StartTimer(*this); !started) {
      interval_ = 0;
      return started;
    }
  } else if (milliseconds <= 0 && interval_ > 0) {
    interval_ = 0;
    StopTimer(*this);
  }
  return Ok();
}

std::int16_t TimerHighWaterMark() {
  return Table().high_water;
}

const CTimer* TimerInSlot(int slot) {
  return slot >= 1 && slot <= kTimerSlots ? Table().slots[slot - 1] : nullptr;
}

void TimerProc(ui::TimerId system_id) {
  const TimerTable& table = Table();
  for (int slot = 1; slot <= table.high_water; ++slot) {
    CTimer* timer = table.slots[slot - 1];
    if (timer == nullptr || timer->SystemTimerId() != system_id) continue;
    // A handler may destroy the timer; nothing here touches it afterwards.
    timer->PulseTimer();
    return;
  }
}

}  // namespace feriant::lumatrel
