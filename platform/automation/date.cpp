#include "platform/automation/date.h"

#include <cmath>

namespace feriant::automation {
namespace {

using std::chrono::days;
using std::chrono::local_days;
using std::chrono::local_seconds;
using std::chrono::seconds;

constexpr local_days kEpoch = local_days(std::chrono::year(1899) / 12 / 30);
constexpr double kSecondsPerDay = 86400.0;

}  // namespace

Date Date::FromLocal(local_seconds time) {
  const auto day = std::chrono::floor<days>(time);
  const double whole = static_cast<double>((day - kEpoch).count());
  const double fraction = static_cast<double>((time - day).count()) / kSecondsPerDay;
  // Before the epoch the fraction is subtracted: the sign belongs to the day only.
  return Date(whole >= 0 ? whole + fraction : whole - fraction);
}

local_seconds Date::ToLocal() const {
  const double whole = std::trunc(value_);
  long long secs = std::llround(std::fabs(value_ - whole) * kSecondsPerDay);
  long long day_count = static_cast<long long>(whole);
  // A time that rounds up to midnight belongs to the next calendar day.
  if (secs >= 86400) {
    secs -= 86400;
    day_count += 1;
  }
  return local_seconds(kEpoch) + days(day_count) + seconds(secs);
}

std::chrono::year_month_day Date::Day() const {
  return std::chrono::year_month_day(std::chrono::floor<days>(ToLocal()));
}

}  // namespace feriant::automation
