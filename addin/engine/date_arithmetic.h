#pragma once
// Date arithmetic for holiday dates: the range of years the engine represents, the
// normalising construction of a date from year, month and day numbers, and German local
// time (the time of the World Cup kick-offs) as an instant.
//
// Dates are wall-clock calendar days (std::chrono::local_days) in the proleptic
// Gregorian calendar. The engine represents the years that std::chrono::year holds,
// -32767 to 32767; any computation whose result falls outside them is refused with an
// Error instead of producing a wrong date. Plain functions; any thread.

#include <chrono>
#include <cstdint>

#include "platform/base/result.h"

namespace feriant::engine {

inline constexpr std::int32_t kMinYear = static_cast<int>(std::chrono::year::min());
inline constexpr std::int32_t kMaxYear = static_cast<int>(std::chrono::year::max());

// a / b rounded towards negative infinity; b is not 0.
constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days from 1970-01-01 to the given proleptic Gregorian date, month 1..12, day 1..31, with
// no check. Exact for any year whose magnitude stays far below 2^40, which covers every
// year that int32 month and year numbers can produce.
constexpr std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(year, 400);
  const std::int64_t year_of_era = year - era * 400;  // 0..399
  const std::int64_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;  // 0..146096
  return era * 146097 + day_of_era - 719468;
}

// kMinYear-01-01 and kMaxYear-12-31 as DaysFromCivil counts them.
inline constexpr std::int64_t kFirstDayCount = DaysFromCivil(kMinYear, 1, 1);
inline constexpr std::int64_t kLastDayCount = DaysFromCivil(kMaxYear, 12, 31);

// True for kMinYear-01-01 .. kMaxYear-12-31.
inline bool IsRepresentable(std::chrono::local_days day) {
  const std::int64_t count = day.time_since_epoch().count();
  return count >= kFirstDayCount && count <= kLastDayCount;
}

// The error of a date outside the represented years.
Error DateOutOfRange();

// The date of (year, month, day) with calendar normalisation: a month beyond 12 carries
// into the following years and a month below 1 into the preceding ones; a day beyond
// the end of the month carries into the following months, day 0 is the last day of the
// month before, negative days count further back. So (2006, 2, 29) is 1 March 2006 and
// (2006, 13, 1) is 1 January 2007. Years are taken as they are (5 is the year 5).
// Fails when the result lies outside the represented years; never overflows.
[[nodiscard]] Result<std::chrono::local_days> DateSerial(std::int64_t year, std::int64_t month,
                                                         std::int64_t day);

// `day` moved by `offset` days; fails when the result lies outside the represented years.
// Inline: the holiday run moves a feast for most occurrences.
[[nodiscard]] inline Result<std::chrono::local_days> AddDays(std::chrono::local_days day,
                                                             std::int64_t offset) {
  // Both in range, so the sum cannot overflow.
  if (IsRepresentable(day) && offset >= kFirstDayCount - kLastDayCount &&
      offset <= kLastDayCount - kFirstDayCount) {
    const std::int64_t count = day.time_since_epoch().count() + offset;
    if (count >= kFirstDayCount && count <= kLastDayCount)
      return std::chrono::local_days(std::chrono::days(count));
  }
  return DateOutOfRange();
}

// The instant of a German wall-clock time: UTC+1, and UTC+2 in summer, from 02:00 on the
// last Sunday of March to 03:00 on the last Sunday of October (the European rule in
// force since 1996; earlier years are taken by it too). The hour skipped in spring counts
// as summer time; of the hour that comes twice in autumn, the first (summer) one is meant.
std::chrono::sys_seconds GermanTimeToUtc(std::chrono::local_seconds german);

}  // namespace feriant::engine
