#include "platform/base/clock.h"

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace feriant::base {
namespace {

using namespace std::chrono;

// Runs a test body with TZ set, restoring the previous zone afterwards.
class ZoneTest : public ::testing::Test {
 protected:
  void SetZone(const char* zone) {
    if (!saved_) {
      const char* old = std::getenv("TZ");
      saved_ = std::make_unique<std::string>(old ? old : "");
      had_ = old != nullptr;
    }
    ::setenv("TZ", zone, 1);
    ::tzset();
  }
  void TearDown() override {
    if (saved_) {
      if (had_) {
        ::setenv("TZ", saved_->c_str(), 1);
      } else {
        ::unsetenv("TZ");
      }
      ::tzset();
    }
    SetCurrentClock(nullptr);
  }

 private:
  std::unique_ptr<std::string> saved_;
  bool had_ = false;
};

TEST_F(ZoneTest, LocalAndUtcConvertThroughTheZone) {
  SetZone("Europe/Berlin");
  struct Case {
    local_seconds local;
    sys_seconds utc;
  } cases[] = {
      // summer time: UTC+2
      {local_days{2006y / June / 9} + 18h, sys_days{2006y / June / 9} + 16h},
      // winter time: UTC+1
      {local_days{2006y / January / 1} + 0h, sys_days{2005y / December / 31} + 23h},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToUtc(c.local), c.utc);
    EXPECT_EQ(ToLocal(c.utc), c.local);
  }
  EXPECT_EQ(UtcOffset(local_days{2006y / June / 9} + 18h), hours(2));
  EXPECT_EQ(UtcOffset(local_days{2006y / December / 9} + 18h), hours(1));
}

// Wall-clock times that a change of offset skips or repeats included.
TEST_F(ZoneTest, UtcOfAWallClockTimeIsWhatMktimeGives) {
  for (const char* zone :
       {"Europe/Berlin", "America/New_York", "Australia/Lord_Howe", "UTC", "Asia/Kathmandu"}) {
    SetZone(zone);
    for (local_seconds t = local_days{2026y / January / 1}; t < local_days{2027y / January / 1};
         t += 15min) {
      const auto day = floor<days>(t);
      const year_month_day ymd{day};
      const hh_mm_ss<seconds> hms{t - day};
      std::tm parts{};
      parts.tm_year = int(ymd.year()) - 1900;
      parts.tm_mon = int(unsigned(ymd.month())) - 1;
      parts.tm_mday = int(unsigned(ymd.day()));
      parts.tm_hour = int(hms.hours().count());
      parts.tm_min = int(hms.minutes().count());
      parts.tm_isdst = -1;
      ASSERT_EQ(ToUtc(t).time_since_epoch().count(), ::mktime(&parts)) << zone;
    }
  }
}

TEST_F(ZoneTest, CurrentClockCanBeSetAndRestored) {
  const local_seconds fixed = local_days{2006y / July / 9} + 23h + 59min;
  SetCurrentClock(std::make_shared<FixedClock>(fixed));
  EXPECT_EQ(CurrentClock().Now(), fixed);
  SetCurrentClock(nullptr);
  EXPECT_GT(CurrentClock().Now(), local_days{2020y / January / 1} + 0s);
}

}  // namespace
}  // namespace feriant::base
