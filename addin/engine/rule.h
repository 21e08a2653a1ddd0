#pragma once
// Holiday rule expressions: the text in the rule table that says on which day a holiday
// falls in a given year, and its evaluation.
//
// Three forms, told apart by their first characters (case-sensitive):
//   "Fix " day "." month                      the day in the processed year ("Fix 31.12")
//   "WM " day "." month "." year " " h ":" m  a match kick-off, whatever year is processed
//   key, key "+" n, key "-" n                 a movable feast moved by n days ("Easter-2")
// Numbers are decimal integers (blanks around them and one sign are accepted) that fit
// in 32 bits; anything else where a number belongs is an error. A rule is parsed once
// into a ParsedRule and evaluated against the FeastTable of each year; evaluating any
// text whatsoever gives a date, no date, or an Error. Values; any thread.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "addin/engine/date_arithmetic.h"
#include "addin/engine/feast_table.h"
#include "platform/base/result.h"

namespace feriant::engine {

// The date a rule gives: a whole day (00:00) or, for a match, its kick-off.
struct RuleDate {
  std::chrono::local_seconds Start;
  bool IsWorldCupMatch = false;

  std::chrono::local_days Day() const { return std::chrono::floor<std::chrono::days>(Start); }
  friend bool operator==(const RuleDate&, const RuleDate&) = default;
};

// A date, or none when the rule names a feast that the year's table lacks.
using RuleOutcome = Result<std::optional<RuleDate>>;

class ParsedRule {
 public:
  // Parses `rule`; a malformed rule keeps its Error and gives it on every evaluation.
  static ParsedRule Parse(std::string_view rule);

  // The rule's date in `year`, feasts taken from `feasts`. The common cases inline, as a
  // run evaluates a rule for every occurrence.
  [[nodiscard]] RuleOutcome Evaluate(std::int32_t year, const FeastTable& feasts) const {
    if (form_ == Form::kFixedDay) {
      // DateSerial's arithmetic, the month normalised once by Parse.
      const std::int64_t count =
          DaysFromCivil(std::int64_t{year} + years_carried_, month_of_year_, 1) + day_ - 1;
      if (count >= kFirstDayCount && count <= kLastDayCount)
        return std::optional<RuleDate>(
            RuleDate{std::chrono::local_seconds(std::chrono::days(count))});
    } else if (form_ == Form::kFeast && known_key_ >= 0) {
      const std::optional<std::chrono::local_days> feast = feasts.LookupKnownFeast(known_key_);
      if (!feast) return std::optional<RuleDate>();
      // AddDays: offset_ fits 32 bits, so from a represented day the sum cannot overflow.
      if (IsRepresentable(*feast)) {
        const std::int64_t count = feast->time_since_epoch().count() + offset_;
        if (count >= kFirstDayCount && count <= kLastDayCount)
          return std::optional<RuleDate>(
              RuleDate{std::chrono::local_seconds(std::chrono::days(count))});
      }
    }
    return EvaluateOther(year, feasts);
  }

 private:
  enum class Form { kFixedDay, kMatch, kFeast, kInvalid };

  ParsedRule() = default;
  // Evaluate for the rest: matches, feasts of other keys, malformed rules and dates
  // beyond the represented years.
  RuleOutcome EvaluateOther(std::int32_t year, const FeastTable& feasts) const;

  Form form_ = Form::kInvalid;
  std::string text_;        // the rule as written, for error descriptions
  std::int32_t day_ = 0;    // kFixedDay
  std::int32_t month_ = 0;  // kFixedDay
  // kFixedDay: month_ as DateSerial normalises it, into whole years and a month 1..12.
  std::int32_t years_carried_ = 0;
  std::int32_t month_of_year_ = 1;
  std::chrono::local_seconds match_start_{};  // kMatch
  std::string key_;                           // kFeast
  int known_key_ = -1;                        // kFeast: FeastTable::KnownKeyIndex(key_)
  std::int64_t offset_ = 0;                   // kFeast, in days
  Error error_;                               // kInvalid
};

// The date of `rule` in `year`: Parse(rule).Evaluate(year, feasts).
[[nodiscard]] RuleOutcome EvaluateRule(std::string_view rule, std::int32_t year,
                                       const FeastTable& feasts);

// The kick-off of a match rule's text after "WM ": day "." month "." year " " hour ":"
// minute. Date and time are normalised like DateSerial (hour 24 is the next day's 00:00).
[[nodiscard]] Result<std::chrono::local_seconds> ParseMatchDateTime(std::string_view text);

}  // namespace feriant::engine
