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

  // The rule's date in `year`, feasts taken from `feasts`.
  [[nodiscard]] RuleOutcome Evaluate(std::int32_t year, const FeastTable& feasts) const;

 private:
  enum class Form { kFixedDay, kMatch, kFeast, kInvalid };

  ParsedRule() = default;
  // The Error of a date beyond the represented years; apart, so that the evaluations
  // that succeed stay short.
  RuleOutcome OutOfRange() const;

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
