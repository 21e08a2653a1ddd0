#include "addin/engine/feast_table.h"

#include "addin/engine/date_arithmetic.h"
#include "addin/engine/text_case.h"

namespace feriant::engine {
namespace {

using std::chrono::days;
using std::chrono::local_days;

// Weekdays as ISO numbers, Monday = 1 .. Sunday = 7.
constexpr unsigned kMonday = 1;
constexpr unsigned kTuesday = 2;
constexpr unsigned kThursday = 4;
constexpr unsigned kFriday = 5;
constexpr unsigned kSunday = 7;

std::int32_t FloorMod(std::int32_t a, std::int32_t b) {
  const std::int32_t r = a % b;
  return r < 0 ? r + b : r;
}

local_days Day(std::int32_t year, unsigned month, unsigned day) {
  return local_days(std::chrono::year(year) / std::chrono::month(month) / std::chrono::day(day));
}

unsigned IsoWeekday(local_days day) {
  return std::chrono::weekday(day).iso_encoding();
}

// The first `weekday` on or after `from` (`from` itself when it is one).
local_days FirstOnOrAfter(local_days from, unsigned weekday) {
  return from + days((weekday + 7 - IsoWeekday(from)) % 7);
}

// The last `weekday` on or before `from` (`from` itself when it is one).
local_days LastOnOrBefore(local_days from, unsigned weekday) {
  return from - days((IsoWeekday(from) + 7 - weekday) % 7);
}

// Gauss's Easter algorithm for the Gregorian calendar, with its two exceptions. Negative
// years take the remainders of floored division, continuing the cycles backwards.
local_days EasterSunday(std::int32_t year) {
  int m = 24;
  int n = 6;
  if (year <= 1799) {
    m = 23;
    n = 3;
  } else if (year <= 1899) {
    m = 23;
    n = 4;
  } else if (year <= 2099) {
    m = 24;
    n = 5;
  }
  const int a = FloorMod(year, 19);
  const int b = FloorMod(year, 4);
  const int c = FloorMod(year, 7);
  const int d = (19 * a + m) % 30;
  const int e = (2 * b + 4 * c + 6 * d + n) % 7;
  const int s = 22 + d + e;
  if (s <= 31) return Day(year, 3, static_cast<unsigned>(s));
  int april = s - 31;
  if (april == 26) {
    april = 19;
  } else if (april == 25 && d == 28 && a > 10) {
    april = 18;
  }
  return Day(year, 4, static_cast<unsigned>(april));
}

// Sechseläuten, a Monday in April, for the years 2000 to 2015.
constexpr std::int32_t kSechselaeutenFirstYear = 2000;
constexpr std::array<unsigned, 16> kSechselaeutenApril = {10, 23, 15, 28, 19, 18, 24, 16,
                                                          14, 20, 19, 11, 16, 15, 7,  13};

}  // namespace

FeastTable::FeastTable() {
  first_known_.fill(-1);
}

void FeastTable::ComputeFeasts(std::int32_t year) {
  // Records are overwritten in place so that a table refilled every year keeps its
  // storage; the known-key index follows the fixed order of kKnownKeys.
  first_known_.fill(-1);
  size_t count = 0;
  auto put = [this, &count](local_days date) {
    if (count < feasts_.size()) {
      feasts_[count].FeastKey.assign(kKnownKeys[count]);
      feasts_[count].FeastDate = date;
    } else {
      feasts_.push_back(Feast{std::string(kKnownKeys[count]), date});
    }
    first_known_[count] = static_cast<std::int32_t>(count);
    ++count;
  };

  if (year >= kMinYear && year <= kMaxYear) {
    const local_days first_sunday_of_may = FirstOnOrAfter(Day(year, 5, 1), kSunday);
    const local_days first_sunday_of_september = FirstOnOrAfter(Day(year, 9, 1), kSunday);

    put(EasterSunday(year));
    put(first_sunday_of_may + days(7));  // Muttertag: second Sunday of May
    // MuttertagFranceSweden: the last Sunday of May, stepping a week at a time.
    local_days last_sunday_of_may = first_sunday_of_may;
    const local_days first_of_june = Day(year, 6, 1);
    for (local_days d = first_sunday_of_may; d < first_of_june; d += days(7)) {
      last_sunday_of_may = d;
    }
    put(last_sunday_of_may);
    // Advent1: four Sundays back from the last Sunday before 25 December.
    put(LastOnOrBefore(Day(year, 12, 24), kSunday) - days(21));
    put(first_sunday_of_september + days(14));  // EidgDankBussUndBettag: third Sunday of Sept.
    put(FirstOnOrAfter(Day(year, 12, 1), kTuesday) + days(7));  // StNikolaus: second Tuesday
    put(FirstOnOrAfter(Day(year, 7, 1), kThursday));            // Rutenzug
    put(FirstOnOrAfter(Day(year, 7, 1), kFriday));              // Maienzug
    put(FirstOnOrAfter(Day(year, 4, 1), kThursday));            // NäfelserFahrt
    put(FirstOnOrAfter(Day(year, 1, 13), kFriday));             // Hilari: Friday in 13..19 Jan.
    put(first_sunday_of_september + days(4));                   // GenferBettag: the Thursday after
    put(LastOnOrBefore(Day(year, 6, 30), kMonday));             // Solennität: last Monday of June
    put(FirstOnOrAfter(Day(year, 11, 1), kMonday) + days(21));  // Zibelemärit: fourth Monday
    if (year >= kSechselaeutenFirstYear &&
        year < kSechselaeutenFirstYear + static_cast<std::int32_t>(kSechselaeutenApril.size())) {
      put(Day(year, 4, kSechselaeutenApril[static_cast<size_t>(year - kSechselaeutenFirstYear)]));
    }
  }
  feasts_.resize(count);
}

void FeastTable::AddFeast(std::string_view key, local_days date) {
  const int known = KnownKeyIndex(key);
  if (known >= 0 && first_known_[known] < 0) {
    first_known_[known] = static_cast<std::int32_t>(feasts_.size());
  }
  feasts_.push_back(Feast{std::string(key), date});
}

std::optional<local_days> FeastTable::LookupFeast(std::string_view key) const {
  const int known = KnownKeyIndex(key);
  if (known >= 0) return LookupKnownFeast(known);
  // A key that folds like none of the known keys can only match records added by
  // AddFeast under other keys.
  const std::string folded = FoldCase(key);
  for (const Feast& feast : feasts_) {
    if (feast.FeastKey.size() == folded.size() && FoldCase(feast.FeastKey) == folded) {
      return feast.FeastDate;
    }
  }
  return std::nullopt;
}

int FeastTable::KnownKeyIndex(std::string_view key) {
  static const std::array<std::string, kKnownKeys.size()> kFoldedKeys = [] {
    std::array<std::string, kKnownKeys.size()> folded;
    for (size_t i = 0; i < kKnownKeys.size(); ++i)
      folded[i] = FoldCase(kKnownKeys[i]);
    return folded;
  }();
  bool possible = false;  // only a key of a known key's length can fold like it
  for (const std::string& known : kFoldedKeys)
    possible = possible || known.size() == key.size();
  if (!possible) return -1;
  const std::string folded = FoldCase(key);
  for (size_t i = 0; i < kFoldedKeys.size(); ++i) {
    if (kFoldedKeys[i] == folded) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace feriant::engine
