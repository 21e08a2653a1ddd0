#include "addin/engine/feast_table.h"

#include <chrono>
#include <climits>
#include <cstdint>
#include <string>

#include <gtest/gtest.h>

#include "addin/engine/date_arithmetic.h"
#include "addin/engine/run_caches.h"

namespace feriant::engine {
namespace {

using namespace std::chrono;

local_days Ymd(int y, unsigned m, unsigned d) {
  return local_days(year(y) / month(m) / day(d));
}

// The anonymous Gregorian computus, independent of Gauss's algorithm with its century
// constants and exceptions.
local_days AnonymousGregorianEaster(int y) {
  const int a = y % 19;
  const int b = y / 100;
  const int c = y % 100;
  const int d = b / 4;
  const int e = b % 4;
  const int f = (b + 8) / 25;
  const int g = (b - f + 1) / 3;
  const int h = (19 * a + b - d - g + 15) % 30;
  const int i = c / 4;
  const int k = c % 4;
  const int l = (32 + 2 * e + 2 * i - h - k) % 7;
  const int m = (a + 11 * h + 22 * l) / 451;
  const int month_number = (h + l - 7 * m + 114) / 31;
  const int day_number = (h + l - 7 * m + 114) % 31 + 1;
  return Ymd(y, static_cast<unsigned>(month_number), static_cast<unsigned>(day_number));
}

local_days Lookup(const FeastTable& table, const std::string& key) {
  auto date = table.LookupFeast(key);
  EXPECT_TRUE(date.has_value()) << key;
  return date.value_or(local_days{});
}

TEST(FeastTableTest, EasterAgreesWithTheGregorianComputusFrom1700To2199) {
  FeastTable table;
  for (int y = 1700; y <= 2199; ++y) {
    table.ComputeFeasts(y);
    EXPECT_EQ(Lookup(table, "Easter"), AnonymousGregorianEaster(y)) << y;
  }
}

TEST(FeastTableTest, Feasts2006InTheirFixedOrder) {
  const struct {
    const char* key;
    local_days date;
  } kExpected[] = {
      {"Easter", Ymd(2006, 4, 16)},
      {"Muttertag", Ymd(2006, 5, 14)},
      {"MuttertagFranceSweden", Ymd(2006, 5, 28)},
      {"Advent1", Ymd(2006, 12, 3)},
      {"EidgDankBussUndBettag", Ymd(2006, 9, 17)},
      {"StNikolaus", Ymd(2006, 12, 12)},
      {"Rutenzug", Ymd(2006, 7, 6)},
      {"Maienzug", Ymd(2006, 7, 7)},
      {"NäfelserFahrt", Ymd(2006, 4, 6)},
      {"Hilari", Ymd(2006, 1, 13)},
      {"GenferBettag", Ymd(2006, 9, 7)},
      {"Solennität", Ymd(2006, 6, 26)},
      {"Zibelemärit", Ymd(2006, 11, 27)},
      {"Sechseläuten", Ymd(2006, 4, 24)},
  };
  FeastTable table;
  table.ComputeFeasts(2006);
  ASSERT_EQ(table.Feasts().size(), std::size(kExpected));
  for (size_t i = 0; i < std::size(kExpected); ++i) {
    EXPECT_EQ(table.Feasts()[i].FeastKey, kExpected[i].key) << i;
    EXPECT_EQ(table.Feasts()[i].FeastDate, kExpected[i].date) << kExpected[i].key;
  }
}

// Every weekday-anchored feast lands on its weekday inside its window, in every year:
// catches searches that start a day off or take the anchor day when they must not.
TEST(FeastTableTest, WeekdayFeastsLandInTheirWindowsEveryYear) {
  const struct {
    const char* key;
    unsigned iso_weekday;
    unsigned month_number;
    unsigned first_day;
    unsigned last_day;  // beyond the month's length: into the next month
  } kWindows[] = {
      {"Muttertag", 7, 5, 8, 14},   {"MuttertagFranceSweden", 7, 5, 25, 31},
      {"Advent1", 7, 11, 27, 33},   {"EidgDankBussUndBettag", 7, 9, 15, 21},
      {"StNikolaus", 2, 12, 8, 14}, {"Rutenzug", 4, 7, 1, 7},
      {"Maienzug", 5, 7, 1, 7},     {"NäfelserFahrt", 4, 4, 1, 7},
      {"Hilari", 5, 1, 13, 19},     {"GenferBettag", 4, 9, 5, 11},
      {"Solennität", 1, 6, 24, 30}, {"Zibelemärit", 1, 11, 22, 28},
  };
  FeastTable table;
  for (int y = 1700; y <= 2199; ++y) {
    table.ComputeFeasts(y);
    for (const auto& window : kWindows) {
      const local_days date = Lookup(table, window.key);
      EXPECT_EQ(weekday(date).iso_encoding(), window.iso_weekday) << window.key << " " << y;
      const local_days first(Ymd(y, window.month_number, 1));
      const auto offset = (date - first).count() + 1;  // day of the window's month
      EXPECT_GE(offset, window.first_day) << window.key << " " << y;
      EXPECT_LE(offset, window.last_day) << window.key << " " << y;
    }
  }
}

TEST(FeastTableTest, NamedYears) {
  const struct {
    int year;
    const char* key;
    local_days date;
  } kCases[] = {
      {2049, "Easter", Ymd(2049, 4, 18)},  // second exception: d = 28, a = 16
      {1981, "Easter", Ymd(1981, 4, 19)},  // first exception: 26 April
      {2076, "Easter", Ymd(2076, 4, 19)},
      {2011, "Advent1", Ymd(2011, 11, 27)},  // 25 December is a Sunday and never taken
      {2008, "Solennität", Ymd(2008, 6, 30)},
      {2009, "MuttertagFranceSweden", Ymd(2009, 5, 31)},
      {2000, "Sechseläuten", Ymd(2000, 4, 10)},
      {2015, "Sechseläuten", Ymd(2015, 4, 13)},
  };
  FeastTable table;
  for (const auto& c : kCases) {
    table.ComputeFeasts(c.year);
    EXPECT_EQ(Lookup(table, c.key), c.date) << c.key << " " << c.year;
  }
}

TEST(FeastTableTest, SechselaeutenOnlyFrom2000To2015AndAlwaysOnAMonday) {
  FeastTable table;
  for (int y = 1990; y <= 2025; ++y) {
    table.ComputeFeasts(y);
    const bool listed = y >= 2000 && y <= 2015;
    EXPECT_EQ(table.Feasts().size(), listed ? 14u : 13u) << y;
    const auto date = table.LookupFeast("Sechseläuten");
    ASSERT_EQ(date.has_value(), listed) << y;
    if (listed) {
      EXPECT_EQ(weekday(*date).iso_encoding(), 1u) << y;
      EXPECT_EQ(year_month_day(*date).month(), April) << y;
    }
  }
}

TEST(FeastTableTest, LookupIgnoresCaseAndTakesTheFirstMatch) {
  FeastTable table;
  table.ComputeFeasts(2006);
  const struct {
    const char* key;
    bool found;
    local_days date;
  } kLookups[] = {
      {"easter", true, Ymd(2006, 4, 16)},
      {"EASTER", true, Ymd(2006, 4, 16)},
      {"NÄFELSERFAHRT", true, Ymd(2006, 4, 6)},
      {"solennitÄt", true, Ymd(2006, 6, 26)},
      {"Ostern", false, {}},
      {"Easter ", false, {}},
      {"", false, {}},
      {"Solennitat", false, {}},
  };
  for (const auto& lookup : kLookups) {
    const auto date = table.LookupFeast(lookup.key);
    ASSERT_EQ(date.has_value(), lookup.found) << lookup.key;
    if (lookup.found) {
      EXPECT_EQ(*date, lookup.date) << lookup.key;
    }
  }

  // Records appended later never shadow earlier ones.
  table.AddFeast("EASTER", Ymd(2006, 1, 1));
  table.AddFeast("Custom", Ymd(2006, 2, 2));
  table.AddFeast("custom", Ymd(2006, 3, 3));
  EXPECT_EQ(Lookup(table, "Easter"), Ymd(2006, 4, 16));
  EXPECT_EQ(Lookup(table, "CUSTOM"), Ymd(2006, 2, 2));
  EXPECT_EQ(table.Feasts().size(), 17u);

  // On a table without the computed feasts the first added record answers.
  FeastTable added;
  added.AddFeast("ADVENT1", Ymd(2006, 1, 1));
  added.AddFeast("Advent1", Ymd(2006, 2, 2));
  EXPECT_EQ(Lookup(added, "advent1"), Ymd(2006, 1, 1));
  EXPECT_FALSE(added.LookupFeast("Easter").has_value());

  // Refilling replaces everything, the added records included, also where a record of
  // the new year takes the place of an added one.
  table.ComputeFeasts(2016);
  EXPECT_EQ(table.Feasts().size(), 13u);
  EXPECT_FALSE(table.LookupFeast("Custom").has_value());
  EXPECT_EQ(Lookup(table, "Easter"), Ymd(2016, 3, 27));
  table.AddFeast("Custom", Ymd(2016, 2, 2));
  table.ComputeFeasts(2006);
  EXPECT_EQ(table.Feasts().back().FeastKey, "Sechseläuten");
  EXPECT_FALSE(table.LookupFeast("Custom").has_value());
}

TEST(FeastTableTest, AnyYearIsSafeAndUnrepresentableYearsHaveNoFeasts) {
  const struct {
    std::int32_t year;
    size_t records;
  } kYears[] = {
      {INT32_MIN, 0}, {kMinYear - 1, 0}, {kMinYear, 13},    {-1, 13},       {0, 13},
      {1, 13},        {kMaxYear, 13},    {kMaxYear + 1, 0}, {INT32_MAX, 0},
  };
  FeastTable table;
  for (const auto& c : kYears) {
    table.ComputeFeasts(c.year);
    EXPECT_EQ(table.Feasts().size(), c.records) << c.year;
    for (const Feast& feast : table.Feasts()) {
      const year_month_day date(feast.FeastDate);
      EXPECT_TRUE(date.ok()) << feast.FeastKey << " " << c.year;
      EXPECT_EQ(static_cast<int>(date.year()), c.year) << feast.FeastKey;
    }
    if (c.records != 0) {
      const local_days easter = Lookup(table, "Easter");
      EXPECT_GE(easter, local_days(year(c.year) / March / 22)) << c.year;
      EXPECT_LE(easter, local_days(year(c.year) / April / 25)) << c.year;
    }
  }
}

// The tables a run's caches keep per year are those of the year, whatever was asked
// before, inside the kept years and outside them.
TEST(FeastTableTest, KeptTablesAreThoseOfTheirYear) {
  RunCaches caches;
  for (const std::int32_t y : {2006, 1983, 1984, 2049, 2050, 2006, 1983, 2000}) {
    FeastTable fresh;
    fresh.ComputeFeasts(y);
    const FeastTable& kept = caches.Feasts(y);
    ASSERT_EQ(kept.Feasts().size(), fresh.Feasts().size()) << y;
    for (size_t i = 0; i < fresh.Feasts().size(); ++i) {
      EXPECT_EQ(kept.Feasts()[i].FeastKey, fresh.Feasts()[i].FeastKey) << y;
      EXPECT_EQ(kept.Feasts()[i].FeastDate, fresh.Feasts()[i].FeastDate) << y;
    }
  }
}

}  // namespace
}  // namespace feriant::engine
