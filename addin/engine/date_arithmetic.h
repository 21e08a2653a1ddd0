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

// True for kMinYear-01-01 .. kMaxYear-12-31.
bool IsRepresentable(std::chrono::local_days day);

// The date of (year, month, day) with calendar normalisation: a month beyond 12 carries
// into the following years and a month below 1 into the preceding ones; a day beyond
// the end of the month carries into the following months, day 0 is the last day of the
// month before, negative days count further back. So (2006, 2, 29) is 1 March 2006 and
// (2006, 13, 1) is 1 January 2007. Years are taken as they are (5 is the year 5).
// Fails when the result lies outside the represented years; never overflows.
[[nodiscard]] Result<std::chrono::local_days> DateSerial(std::int64_t year, std::int64_t month,
                                                         std::int64_t day);

// `day` moved by `offset` days; fails when the result lies outside the represented years.
[[nodiscard]] Result<std::chrono::local_days> AddDays(std::chrono::local_days day,
                                                      std::int64_t offset);

// The instant of a German wall-clock time: UTC+1, and UTC+2 in summer, from 02:00 on the
// last Sunday of March to 03:00 on the last Sunday of October (the European rule in
// force since 1996; earlier years are taken by it too). The hour skipped in spring counts
// as summer time; of the hour that comes twice in autumn, the first (summer) one is meant.
std::chrono::sys_seconds GermanTimeToUtc(std::chrono::local_seconds german);

}  // namespace feriant::engine
