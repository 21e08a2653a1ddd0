#include "platform/automation/date.h"

#include <cmath>

#include <gtest/gtest.h>

namespace feriant::automation {
namespace {

using namespace std::chrono;

local_seconds At(int y, unsigned m, unsigned d, int h = 0, int mi = 0, int s = 0) {
  return local_days(year(y) / month(m) / day(d)) + hours(h) + minutes(mi) + seconds(s);
}

TEST(DateTest, CountsDaysFromTheEpochWithTheTimeAsFraction) {
  struct Case {
    local_seconds time;
    double value;
  };
  const Case cases[] = {
      {At(1899, 12, 30), 0.0},
      {At(1899, 12, 30, 6), 0.25},
      {At(1899, 12, 31), 1.0},
      {At(1899, 12, 31, 12), 1.5},
      {At(1900, 1, 1), 2.0},
      {At(2006, 6, 9), 38877.0},
      {At(2006, 6, 9, 18), 38877.75},
      {At(1984, 1, 1), 30682.0},
      {At(2049, 12, 31), 54788.0},
      {At(2000, 2, 29, 12), 36585.5},
      {At(9999, 12, 31), 2958465.0},
      // Before the epoch the day counts back and the time still forwards.
      {At(1899, 12, 29), -1.0},
      {At(1899, 12, 29, 6), -1.25},
      {At(1899, 12, 29, 18), -1.75},
      {At(1899, 12, 28, 12), -2.5},
      {At(1800, 1, 1), -36522.0},
      {At(100, 1, 1), -657434.0},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(Date::FromLocal(c.time).value(), c.value) << c.value;
    EXPECT_EQ(Date(c.value).ToLocal(), c.time) << c.value;
    EXPECT_EQ(Date(c.value).Day(), year_month_day(floor<days>(c.time))) << c.value;
  }
  EXPECT_EQ(Date::FromDay(year(2006) / 6 / 9).value(), 38877.0);
}

TEST(DateTest, RoundsToTheNearestSecond) {
  constexpr double kSecond = 1.0 / 86400.0;
  struct Case {
    double value;
    local_seconds time;
  };
  const Case cases[] = {
      {38877.75 + 0.4 * kSecond, At(2006, 6, 9, 18)},
      {38877.75 + 0.6 * kSecond, At(2006, 6, 9, 18, 0, 1)},
      {38877.75 - 0.4 * kSecond, At(2006, 6, 9, 18)},
      {38877.75 - 0.6 * kSecond, At(2006, 6, 9, 17, 59, 59)},
      // A time that rounds up to midnight is the next day.
      {38877.0 + 1.0 - 0.2 * kSecond, At(2006, 6, 10)},
      {-1.0 - 1.0 + 0.2 * kSecond, At(1899, 12, 30)},  // 1899-12-29 23:59:59.8
      {-0.5, At(1899, 12, 30, 12)},                    // the day 0 counted from either side
      {-1.0 - 0.6 * kSecond, At(1899, 12, 29, 0, 0, 1)},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Date(c.value).ToLocal(), c.time) << std::fixed << c.value;
}

// Every day from 1700 to 2199 at a few times of day survives the trip through the
// number, on both sides of the epoch.
TEST(DateTest, RoundTripsEveryDayOfFiveCenturies) {
  const seconds times[] = {seconds(0), hours(6), hours(12) + minutes(30),
                           hours(23) + minutes(59) + seconds(59)};
  for (local_days day = local_days(year(1700) / 1 / 1); day < local_days(year(2200) / 1 / 1);
       day += days(1)) {
    for (seconds time : times) {
      const local_seconds when = day + time;
      const Date date = Date::FromLocal(when);
      ASSERT_EQ(date.ToLocal(), when) << date.value();
      ASSERT_EQ(std::trunc(date.value()),
                static_cast<double>((day - local_days(year(1899) / 12 / 30)).count()))
          << date.value();
    }
  }
}

}  // namespace
}  // namespace feriant::automation
