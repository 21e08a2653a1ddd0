#include "addin/engine/date_arithmetic.h"

#include <string>

#include "platform/automation/errors.h"

namespace feriant::engine {
namespace {

using std::chrono::days;
using std::chrono::local_days;

// Beyond this magnitude a number cannot lead to a represented date; the bound keeps the
// arithmetic below far from overflow.
constexpr std::int64_t kNumberLimit = std::int64_t{1} << 40;

Result<local_days> FromDayCount(std::int64_t count) {
  if (count < kFirstDayCount || count > kLastDayCount) return DateOutOfRange();
  return local_days(days(count));
}

bool IsWithinLimit(std::int64_t number) {
  return number >= -kNumberLimit && number <= kNumberLimit;
}

}  // namespace

Error DateOutOfRange() {
  return automation::MakeError(automation::hresult::kOverflow,
                               "the date lies outside the years " + std::to_string(kMinYear) +
                                   " to " + std::to_string(kMaxYear));
}

Result<local_days> DateSerial(std::int64_t year, std::int64_t month, std::int64_t day) {
  if (!IsWithinLimit(year) || !IsWithinLimit(month) || !IsWithinLimit(day)) return DateOutOfRange();
  const std::int64_t months = month - 1;
  const std::int64_t whole_year = year + FloorDiv(months, 12);
  const std::int64_t month_of_year = months - FloorDiv(months, 12) * 12 + 1;
  return FromDayCount(DaysFromCivil(whole_year, month_of_year, 1) + (day - 1));
}

std::chrono::sys_seconds GermanTimeToUtc(std::chrono::local_seconds german) {
  using std::chrono::hours;
  using std::chrono::Sunday;
  const std::chrono::year year =
      std::chrono::year_month_day(std::chrono::floor<days>(german)).year();
  const local_days summer_day(year / std::chrono::March / Sunday[std::chrono::last]);
  const local_days winter_day(year / std::chrono::October / Sunday[std::chrono::last]);
  const bool summer = german >= summer_day + hours(2) && german < winter_day + hours(3);
  return std::chrono::sys_seconds(german.time_since_epoch()) - hours(summer ? 2 : 1);
}

}  // namespace feriant::engine
