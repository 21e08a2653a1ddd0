#include "addin/engine/rule.h"

#include <chrono>
#include <climits>
#include <cstdint>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "addin/data/holiday_data.h"
#include "addin/engine/date_arithmetic.h"

namespace feriant::engine {
namespace {

using namespace std::chrono;

local_seconds At(int y, unsigned m, unsigned d, int hour = 0, int minute = 0) {
  return local_seconds(local_days(year(y) / month(m) / day(d))) + hours(hour) + minutes(minute);
}

enum class Kind { kDate, kNone, kError };

struct RuleCase {
  const char* rule;
  std::int32_t year;
  Kind kind;
  local_seconds start;
  bool match;
};

TEST(EvaluateRuleTest, Forms) {
  const RuleCase kCases[] = {
      // Fixed days in the processed year, normalised like DateSerial.
      {"Fix 1.1", 2010, Kind::kDate, At(2010, 1, 1), false},
      {"Fix 31.12", 2006, Kind::kDate, At(2006, 12, 31), false},
      {"Fix 29.2", 2006, Kind::kDate, At(2006, 3, 1), false},
      {"Fix 29.2", 2008, Kind::kDate, At(2008, 2, 29), false},
      {"Fix 0.3", 2006, Kind::kDate, At(2006, 2, 28), false},
      {"Fix 32.12", 2006, Kind::kDate, At(2007, 1, 1), false},
      {"Fix 1.13", 2006, Kind::kDate, At(2007, 1, 1), false},
      {"Fix 1.0", 2006, Kind::kDate, At(2005, 12, 1), false},
      {"Fix -1.3", 2006, Kind::kDate, At(2006, 2, 27), false},
      {"Fix 01.01", 2006, Kind::kDate, At(2006, 1, 1), false},
      // Feast expressions.
      {"Easter", 2006, Kind::kDate, At(2006, 4, 16), false},
      {"Easter-2", 2006, Kind::kDate, At(2006, 4, 14), false},
      {"Easter+39", 2006, Kind::kDate, At(2006, 5, 25), false},
      {"Easter+60", 2006, Kind::kDate, At(2006, 6, 15), false},
      {"Easter-52", 2008, Kind::kDate, At(2008, 1, 31), false},
      {"Advent1", 2006, Kind::kDate, At(2006, 12, 3), false},
      {"Advent1-11", 2006, Kind::kDate, At(2006, 11, 22), false},
      {"Advent1+21", 2006, Kind::kDate, At(2006, 12, 24), false},
      {"EidgDankBussUndBettag-6", 2006, Kind::kDate, At(2006, 9, 11), false},
      {"EidgDankBussUndBettag+1", 2006, Kind::kDate, At(2006, 9, 18), false},
      {"Maienzug+7", 2006, Kind::kDate, At(2006, 7, 14), false},
      {"Sechseläuten", 2006, Kind::kDate, At(2006, 4, 24), false},
      {"Sechseläuten", 2016, Kind::kNone, {}, false},
      {"easter", 2006, Kind::kDate, At(2006, 4, 16), false},
      {"EASTER+1", 2006, Kind::kDate, At(2006, 4, 17), false},
      {"Easter+-3", 2006, Kind::kDate, At(2006, 4, 13), false},
      {"Easter+ 1 ", 2006, Kind::kDate, At(2006, 4, 17), false},
      {"Easter+365", 2006, Kind::kDate, At(2007, 4, 16), false},  // used as it falls
      {"fix 1.1", 2006, Kind::kNone, {}, false},  // a feast expression naming no feast
      {"Ostern+1", 2006, Kind::kNone, {}, false},
      {"", 2006, Kind::kNone, {}, false},
      {"Easter", kMaxYear + 1, Kind::kNone, {}, false},  // no feasts beyond the years held
      // Matches: their own date and kick-off, whatever the year.
      {"WM 9.6.2006 18:00", 1990, Kind::kDate, At(2006, 6, 9, 18), true},
      {"WM 20.6.2006 16:00", 2006, Kind::kDate, At(2006, 6, 20, 16), true},
      {"WM 9.7.2006 20:00", INT32_MIN, Kind::kDate, At(2006, 7, 9, 20), true},
      {"WM 30.6.2006 24:30", 2006, Kind::kDate, At(2006, 7, 1, 0, 30), true},
      // Malformed rules and results beyond the years held.
      {"Easter+", 2006, Kind::kError, {}, false},
      {"Easter-", 2006, Kind::kError, {}, false},
      {"Easter+x", 2006, Kind::kError, {}, false},
      {"Nothing+x", 2006, Kind::kError, {}, false},  // the offset is read first
      {"Easter+1.5", 2006, Kind::kError, {}, false},
      {"Easter+99999999999", 2006, Kind::kError, {}, false},
      {"Easter+2147483647", 2006, Kind::kError, {}, false},
      {"Easter-2147483648", 2006, Kind::kError, {}, false},
      {"Fix 1", 2006, Kind::kError, {}, false},
      {"Fix .1", 2006, Kind::kError, {}, false},
      {"Fix 1.", 2006, Kind::kError, {}, false},
      {"Fix a.b", 2006, Kind::kError, {}, false},
      {"Fix 1.1", INT32_MAX, Kind::kError, {}, false},
      {"Fix 1.1", INT32_MIN, Kind::kError, {}, false},
      {"Fix 2147483647.1", 2006, Kind::kError, {}, false},
      {"WM 9.6.2006", 2006, Kind::kError, {}, false},
      {"WM 9.6.2006 18.00", 2006, Kind::kError, {}, false},
      {"WM 9-6-2006 18:00", 2006, Kind::kError, {}, false},
      {"WM 9.6.2006 18:", 2006, Kind::kError, {}, false},
      {"WM 9.6.99999 18:00", 2006, Kind::kError, {}, false},
  };
  FeastTable feasts;
  for (const RuleCase& c : kCases) {
    feasts.ComputeFeasts(c.year);
    const RuleOutcome outcome = EvaluateRule(c.rule, c.year, feasts);
    SCOPED_TRACE(std::string(c.rule) + " in " + std::to_string(c.year));
    switch (c.kind) {
      case Kind::kError:
        ASSERT_FALSE(outcome.ok());
        EXPECT_NE(outcome.error().description.find(c.rule), std::string::npos)
            << outcome.error().description;
        break;
      case Kind::kNone:
        ASSERT_TRUE(outcome.ok()) << outcome.error().description;
        EXPECT_FALSE(outcome->has_value());
        break;
      case Kind::kDate:
        ASSERT_TRUE(outcome.ok()) << outcome.error().description;
        ASSERT_TRUE(outcome->has_value());
        EXPECT_EQ((*outcome)->Start, c.start);
        EXPECT_EQ((*outcome)->IsWorldCupMatch, c.match);
        break;
    }
  }
}

TEST(EvaluateRuleTest, ShippedRulesStayInTheProcessedYear) {
  FeastTable feasts;
  const local_seconds first_match = At(2006, 6, 9, 0);
  const local_seconds after_last_match = At(2006, 7, 10, 0);
  for (int y = 1984; y <= 2049; ++y) {
    feasts.ComputeFeasts(y);
    for (std::int32_t h = 0; h < data::kRuleCount; ++h) {
      const std::string_view rule = data::RuleTable[static_cast<size_t>(h)];
      const RuleOutcome outcome = EvaluateRule(rule, y, feasts);
      ASSERT_TRUE(outcome.ok()) << rule << " " << y << ": " << outcome.error().description;
      if (!outcome->has_value()) {
        EXPECT_EQ(rule, "Sechseläuten") << y;
        continue;
      }
      const RuleDate& date = **outcome;
      EXPECT_EQ(date.IsWorldCupMatch,
                h >= data::kFirstWorldCupMatch && h <= data::kLastWorldCupMatch);
      if (date.IsWorldCupMatch) {
        EXPECT_GE(date.Start, first_match) << rule;
        EXPECT_LT(date.Start, after_last_match) << rule;
      } else {
        EXPECT_EQ(static_cast<int>(year_month_day(date.Day()).year()), y) << rule;
        EXPECT_EQ(date.Start, local_seconds(date.Day())) << rule;
      }
    }
  }
}

TEST(ParseMatchDateTimeTest, Fields) {
  const struct {
    const char* text;
    bool ok;
    local_seconds start;
  } kCases[] = {
      {"9.6.2006 18:00", true, At(2006, 6, 9, 18)},
      {"1.1.2006 00:00", true, At(2006, 1, 1)},
      {"31.12.2006 23:59", true, At(2006, 12, 31, 23, 59)},
      {"31.12.2006 23:60", true, At(2007, 1, 1)},
      {"1.1.2006 -1:00", true, At(2005, 12, 31, 23)},
      {"0.1.2006 12:00", true, At(2005, 12, 31, 12)},
      {"", false, {}},
      {"9.6.2006", false, {}},
      {"9.6 18:00", false, {}},
      {"x.6.2006 18:00", false, {}},
      {"9.6.2006 18:xx", false, {}},
      {"9.6.2006 99999999999:00", false, {}},
  };
  for (const auto& c : kCases) {
    const auto start = ParseMatchDateTime(c.text);
    ASSERT_EQ(start.ok(), c.ok) << c.text;
    if (c.ok) {
      EXPECT_EQ(*start, c.start) << c.text;
    }
  }
}

struct SerialCase {
  std::int64_t year, month, day;
  bool ok;
  int y;
  unsigned m, d;
};

TEST(DateSerialTest, NormalisesLikeTheAutomationRuntime) {
  const SerialCase kCases[] = {
      {2006, 2, 29, true, 2006, 3, 1},
      {2008, 2, 29, true, 2008, 2, 29},
      {1900, 2, 29, true, 1900, 3, 1},
      {2000, 2, 29, true, 2000, 2, 29},
      {2006, 13, 1, true, 2007, 1, 1},
      {2006, 0, 1, true, 2005, 12, 1},
      {2006, -11, 1, true, 2005, 1, 1},
      {2006, -12, 1, true, 2004, 12, 1},
      {2006, 25, 1, true, 2008, 1, 1},
      {2006, 3, 0, true, 2006, 2, 28},
      {2008, 3, 0, true, 2008, 2, 29},
      {2006, 1, -30, true, 2005, 12, 1},
      {2006, 1, 366, true, 2007, 1, 1},
      {2006, 12, 32, true, 2007, 1, 1},
      {kMaxYear, 12, 31, true, kMaxYear, 12, 31},
      {kMinYear, 1, 1, true, kMinYear, 1, 1},
      {kMaxYear + 1, -11, 1, true, kMaxYear, 1, 1},  // carried back into the years held
      {kMaxYear, 12, 32, false, 0, 0, 0},
      {kMinYear, 1, 0, false, 0, 0, 0},
      {INT32_MAX, INT32_MAX, INT32_MAX, false, 0, 0, 0},
      {INT32_MIN, INT32_MIN, INT32_MIN, false, 0, 0, 0},
      {INT64_MAX, 1, 1, false, 0, 0, 0},
      {1, INT64_MIN, 1, false, 0, 0, 0},
  };
  for (const auto& c : kCases) {
    const auto date = DateSerial(c.year, c.month, c.day);
    SCOPED_TRACE(std::to_string(c.year) + "-" + std::to_string(c.month) + "-" +
                 std::to_string(c.day));
    ASSERT_EQ(date.ok(), c.ok);
    if (c.ok) {
      EXPECT_EQ(*date, local_days(year(c.y) / month(c.m) / day(c.d)));
    }
  }
}

// Every valid day of years around the calendar's turning points agrees with std::chrono,
// and so does its day count.
TEST(DateSerialTest, AgreesWithChronoOnValidDates) {
  const int kYears[] = {kMinYear, -401, -400, -1,   0,    1,    1582,         1600,    1899,
                        1900,     1999, 2000, 2001, 2100, 2400, kMaxYear - 1, kMaxYear};
  for (const int y : kYears) {
    for (unsigned m = 1; m <= 12; ++m) {
      const unsigned month_length = static_cast<unsigned>((year(y) / month(m) / last).day());
      for (unsigned d = 1; d <= month_length; ++d) {
        const auto date = DateSerial(y, m, d);
        const local_days expected = local_days(year(y) / month(m) / day(d));
        ASSERT_TRUE(date.ok());
        ASSERT_EQ(*date, expected) << y << "-" << m << "-" << d;
        ASSERT_EQ(DaysFromCivil(y, m, d), expected.time_since_epoch().count());
      }
    }
  }
}

TEST(GermanTimeToUtcTest, WinterAndSummerTime) {
  const struct {
    local_seconds german;
    sys_seconds utc;
  } kCases[] = {
      {At(2006, 6, 9, 18), sys_days(year(2006) / 6 / 9) + hours(16)},  // the opening match
      {At(2006, 1, 1, 12), sys_days(year(2006) / 1 / 1) + hours(11)},
      {At(2006, 3, 26, 1, 59), sys_days(year(2006) / 3 / 26) + minutes(59)},    // last of winter
      {At(2006, 3, 26, 3), sys_days(year(2006) / 3 / 26) + hours(1)},           // first of summer
      {At(2006, 10, 29, 2, 30), sys_days(year(2006) / 10 / 29) + minutes(30)},  // twice: summer
      {At(2006, 10, 29, 3), sys_days(year(2006) / 10 / 29) + hours(2)},
      {At(2049, 12, 31, 23), sys_days(year(2049) / 12 / 31) + hours(22)},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(GermanTimeToUtc(c.german), c.utc) << c.german.time_since_epoch().count();
}

// Rules built from random pieces and random bytes: every evaluation ends in a date inside
// the years held, no date, or an error; a fixed-day date equals the first of the carried
// month plus the carried days, computed independently with std::chrono.
TEST(EvaluateRuleTest, ArbitraryTextNeverFails) {
  std::mt19937_64 random(20060609);
  const char* kPieces[] = {"Fix ",
                           "WM ",
                           "Easter",
                           "easter",
                           "Advent1",
                           "NäfelserFahrt",
                           "Sechseläuten",
                           "+",
                           "-",
                           ".",
                           ":",
                           " ",
                           "0",
                           "1",
                           "12",
                           "29",
                           "2006",
                           "-2147483648",
                           "2147483647",
                           "99999999999999999999999",
                           "\xC3",
                           "\xFF",
                           "\x00",
                           "18:00",
                           "ÄÖÜ"};
  const std::int32_t kYears[] = {INT32_MIN, kMinYear - 1, kMinYear, -1,           0,        1984,
                                 2006,      2049,         kMaxYear, kMaxYear + 1, INT32_MAX};
  FeastTable feasts;
  int dates = 0;
  int nones = 0;
  int errors = 0;
  // A number as a rule may hold it: mostly small, sometimes at or beyond the 32-bit limits.
  auto number = [&random]() -> std::string {
    switch (random() % 6) {
      case 0:
        return std::to_string(static_cast<std::int32_t>(random()));
      case 1:
        return "99999999999999999999999";
      default:
        return std::to_string(static_cast<int>(random() % 81) - 40);
    }
  };
  for (int i = 0; i < 60000; ++i) {
    std::string rule;
    switch (random() % 4) {
      case 0:
        rule = "Fix " + number() + "." + number();
        break;
      case 1:
        rule = "WM " + number() + "." + number() + "." + number() + " " + number() + ":" + number();
        break;
      case 2:
        rule = std::string(kPieces[2 + random() % 5]) + (random() % 2 == 0 ? "+" : "-") + number();
        break;
      default: {
        const int pieces = static_cast<int>(random() % 7);
        for (int p = 0; p < pieces; ++p) {
          if (random() % 4 == 0) {
            rule.push_back(static_cast<char>(random() % 256));
          } else {
            const char* piece = kPieces[random() % std::size(kPieces)];
            rule.append(piece[0] == '\0' ? std::string(1, '\0') : std::string(piece));
          }
        }
      }
    }
    const std::int32_t processed = (random() % 2 == 0) ? kYears[random() % std::size(kYears)]
                                                       : static_cast<std::int32_t>(random());
    feasts.ComputeFeasts(processed);
    const RuleOutcome outcome = EvaluateRule(rule, processed, feasts);
    if (!outcome.ok()) {
      ++errors;
      EXPECT_FALSE(outcome.error().description.empty());
      continue;
    }
    if (!outcome->has_value()) {
      ++nones;
      continue;
    }
    ++dates;
    ASSERT_TRUE(IsRepresentable((*outcome)->Day())) << rule;
  }
  // Both the pieces and the years are chosen so that every outcome occurs often.
  EXPECT_GT(dates, 1000);
  EXPECT_GT(nones, 1000);
  EXPECT_GT(errors, 1000);

  for (int i = 0; i < 20000; ++i) {
    const auto d = static_cast<std::int32_t>(random() % 4001) - 2000;
    const auto m = static_cast<std::int32_t>(random() % 401) - 200;
    const auto y = static_cast<std::int32_t>(random() % 6001) - 1000;
    const std::string rule = "Fix " + std::to_string(d) + "." + std::to_string(m);
    const RuleOutcome outcome = EvaluateRule(rule, y, feasts);
    ASSERT_TRUE(outcome.ok() && outcome->has_value()) << rule << " " << y;
    const int carried_months = (m - 1) >= 0 ? (m - 1) / 12 : -((12 - m) / 12);
    const int month_number = m - 1 - carried_months * 12 + 1;
    const local_days expected =
        local_days(year(y + carried_months) / month(static_cast<unsigned>(month_number)) / 1) +
        days(d - 1);
    ASSERT_EQ((*outcome)->Day(), expected) << rule << " " << y;
  }
}

}  // namespace
}  // namespace feriant::engine
