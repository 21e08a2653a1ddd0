#pragma once
// The automation date: days since 1899-12-30 as a double, the fraction being the time of
// day. Before that day the whole part counts backwards while the fraction still counts
// forwards (-1.25 is 1899-12-29 06:00). It names a wall-clock time, no time zone.

#include <chrono>

namespace feriant::automation {

class Date {
 public:
  constexpr Date() = default;
  constexpr explicit Date(double value) : value_(value) {}

  static Date FromLocal(std::chrono::local_seconds time);
  static Date FromDay(std::chrono::year_month_day day) {
    return FromLocal(std::chrono::local_days(day));
  }

  // The wall-clock time, rounded to the nearest second.
  std::chrono::local_seconds ToLocal() const;
  std::chrono::year_month_day Day() const;

  constexpr double value() const { return value_; }
  friend constexpr bool operator==(Date, Date) = default;

 private:
  double value_ = 0.0;
};

}  // namespace feriant::automation
