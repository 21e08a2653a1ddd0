#include "controls/support/timer.h"

#include <chrono>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using std::chrono::milliseconds;

class TimerTest : public ui::testing::UiTest {};

TEST_F(TimerTest, IntervalStartsRestartsAndStopsTheSystemTimer) {
  CTimer timer;
  int fired = 0;
  timer.ThatTime().Connect([&] { ++fired; });
  struct Step {
    std::int32_t interval;
    bool new_system_timer;  // a different system timer than before the step
    std::int32_t expect_interval;
  };
  const Step steps[] = {
      {100, true, 100}, {100, false, 100},  // the same value does not restart the timer
      {50, true, 50},   {-1, true, 0},      // stops
      {0, false, 0},                        // stopped already: nothing
  };
  for (const Step& s : steps) {
    const ui::TimerId before = timer.SystemTimerId();
    ASSERT_TRUE(timer.SetInterval(s.interval)) << s.interval;
    EXPECT_EQ(timer.Interval(), s.expect_interval) << s.interval;
    EXPECT_EQ(timer.SystemTimerId() != before, s.new_system_timer) << s.interval;
    EXPECT_EQ(backend().RunningTimers(), s.expect_interval > 0 ? 1u : 0u) << s.interval;
  }
  ASSERT_TRUE(timer.SetInterval(100));
  backend().Advance(milliseconds(250));
  EXPECT_EQ(fired, 2);
  TimerProc(timer.SystemTimerId() + 1000);  // an id no timer has
  EXPECT_EQ(fired, 2);
}

TEST_F(TimerTest, SlotsAreReusedBelowAHighWaterMarkThatNeverFalls) {
  const std::int16_t mark = TimerHighWaterMark();  // earlier tests on this thread count
  auto first = std::make_unique<CTimer>();
  CTimer second;
  ASSERT_TRUE(first->SetInterval(10));
  ASSERT_TRUE(second.SetInterval(10));
  EXPECT_EQ(TimerInSlot(1), first.get());
  EXPECT_EQ(TimerInSlot(2), &second);
  first.reset();  // destroying a running timer stops it and frees its slot
  EXPECT_EQ(TimerInSlot(1), nullptr);
  EXPECT_EQ(backend().RunningTimers(), 1u);
  EXPECT_EQ(TimerHighWaterMark(), std::max<std::int16_t>(mark, 2));
  CTimer third;
  ASSERT_TRUE(third.SetInterval(10));
  EXPECT_EQ(TimerInSlot(1), &third);
  int fired = 0;
  second.ThatTime().Connect([&] { ++fired; });
  backend().Advance(milliseconds(10));
  EXPECT_EQ(fired, 1);
}

TEST_F(TimerTest, AFullTableRefusesTheNextTimerWithoutLeavingItsSystemTimer) {
  std::vector<std::unique_ptr<CTimer>> timers;
  for (int i = 0; i < kTimerSlots; ++i) {
    timers.push_back(std::make_unique<CTimer>());
    ASSERT_TRUE(timers.back()->SetInterval(1000));
  }
  CTimer extra;
  Status status = extra.SetInterval(1000);
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error().code, static_cast<std::int32_t>(0x80043553));
  EXPECT_EQ(status.error().description, "No more than 10 timers allowed per class");
  EXPECT_EQ(extra.Interval(), 0);
  EXPECT_EQ(extra.SystemTimerId(), 0u);
  EXPECT_EQ(backend().RunningTimers(), static_cast<size_t>(kTimerSlots));
  EXPECT_EQ(TimerHighWaterMark(), kTimerSlots);
}

}  // namespace
}  // namespace feriant::lumatrel
