#include "platform/base/text.h"

#include <chrono>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace feriant::base {
namespace {

using std::chrono::year_month_day;

TEST(TextTest, ComparesAndTrimsAsNamesInFilesNeedIt) {
  EXPECT_TRUE(EqualsIgnoringAsciiCase("VCALENDAR", "vCalendar"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("Ä", "ä"));  // only ASCII letters fold
  EXPECT_FALSE(EqualsIgnoringAsciiCase("[", "{"));  // 0x5B and 0x7B are not letters
  EXPECT_FALSE(EqualsIgnoringAsciiCase("END", "ENDE"));
  EXPECT_EQ(ToUpperAscii("begin:vEvent ä"), "BEGIN:VEVENT ä");
  EXPECT_EQ(Trim(" \t a b\t "), "a b");
  EXPECT_EQ(Trim("\r\n a \r\n"), "\r\n a \r\n");  // line breaks stay unless asked for
  EXPECT_EQ(Trim("\r\n a \r\n", kWhitespace), "a");
  EXPECT_EQ(Trim(" \t "), "");
}

TEST(TextTest, WholeNumbersAreOneSignAndDigitsWithinTheirRange) {
  constexpr WholeNumberRules kPlain;
  constexpr WholeNumberRules kBlanks{.blanks_around = true};
  constexpr WholeNumberRules kDigitsOnly{.minus_sign = false, .plus_sign = false};
  constexpr WholeNumberRules kYears{.min = 1, .max = 9999};
  constexpr auto kNaN = WholeNumberFault::kNotANumber;
  constexpr auto kRange = WholeNumberFault::kOutOfRange;
  const struct {
    const char* text;
    WholeNumberRules rules;
    std::optional<std::int64_t> value;
    WholeNumberFault fault;  // when refused
  } cases[] = {
      {"2006", kPlain, 2006, {}},
      {"+5", kPlain, 5, {}},
      {"-0042", kPlain, -42, {}},
      {"-9223372036854775808", kPlain, INT64_MIN, {}},
      {"9223372036854775808", kPlain, std::nullopt, kRange},
      {"-9223372036854775809", kPlain, std::nullopt, kRange},
      {"99999999999999999999x", kPlain, std::nullopt, kNaN},
      {"+-5", kPlain, std::nullopt, kNaN},
      {"--5", kPlain, std::nullopt, kNaN},
      {"3x", kPlain, std::nullopt, kNaN},
      {"0x10", kPlain, std::nullopt, kNaN},
      {"", kPlain, std::nullopt, kNaN},
      {"-", kPlain, std::nullopt, kNaN},
      {" 5", kPlain, std::nullopt, kNaN},
      {" \t-5\t ", kBlanks, -5, {}},
      {"- 5", kBlanks, std::nullopt, kNaN},
      {" ", kBlanks, std::nullopt, kNaN},
      {"+5", kDigitsOnly, std::nullopt, kNaN},
      {"-0", kDigitsOnly, std::nullopt, kNaN},
      {"0", kYears, std::nullopt, kRange},
      {"9999", kYears, 9999, {}},
      {"10000", kYears, std::nullopt, kRange},
  };
  for (const auto& c : cases) {
    WholeNumberFault fault = c.fault == kNaN ? kRange : kNaN;  // must be overwritten
    EXPECT_EQ(ParseWholeNumber(c.text, c.rules, &fault), c.value) << '"' << c.text << '"';
    if (!c.value) {
      EXPECT_EQ(fault, c.fault) << '"' << c.text << '"';
    }
  }
}

TEST(TextTest, IsoDaysAreTenCharactersOfAnExistingDay) {
  const struct {
    const char* text;
    std::optional<year_month_day> day;
  } cases[] = {
      {"2006-07-09", std::chrono::year(2006) / 7 / 9},
      {"0001-01-01", std::chrono::year(1) / 1 / 1},
      {"2004-02-29", std::chrono::year(2004) / 2 / 29},
      {"2006-02-29", std::nullopt},
      {"2006-13-01", std::nullopt},
      {"2006-7-9", std::nullopt},
      {"2006-07-09T00:00", std::nullopt},
      {"+006-07-09", std::nullopt},
      {"2006/07/09", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseIsoDay(c.text), c.day) << c.text;
  // Every day of the years the calendars hold reads back what was written.
  using std::chrono::sys_days;
  for (sys_days day = sys_days(std::chrono::year(1900) / 1 / 1);
       day <= sys_days(std::chrono::year(2100) / 12 / 31); day += std::chrono::days(1)) {
    ASSERT_EQ(ParseIsoDay(FormatIsoDay(year_month_day(day))), year_month_day(day));
  }
}

TEST(TextTest, JsonNestingCountsBracketsOutsideStrings) {
  const struct {
    std::string json;
    size_t limit;
    bool deeper;
  } cases[] = {
      {R"({"a": [1, {"b": []}]})", 4, false}, {R"({"a": [1, {"b": [[]]}]})", 4, true},
      {R"({"a": "[[[[{{{{"})", 1, false},     {R"({"a": "\"[[[["})", 1, false},
      {R"([] [] [] [])", 1, false},           {std::string(100000, '['), 64, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(JsonNestsDeeperThan(c.json, c.limit), c.deeper) << c.json.substr(0, 40);
}

}  // namespace
}  // namespace feriant::base
