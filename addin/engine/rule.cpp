#include "addin/engine/rule.h"

#include <limits>

#include "addin/engine/date_arithmetic.h"
#include "platform/automation/errors.h"
#include "platform/base/text.h"

namespace feriant::engine {
namespace {

using std::chrono::local_days;
using std::chrono::local_seconds;

constexpr std::string_view kFixedDayPrefix = "Fix ";
constexpr std::string_view kMatchPrefix = "WM ";

Error Malformed(std::string_view detail) {
  return automation::MakeError(automation::hresult::kTypeMismatch, std::string(detail));
}

std::string Quoted(std::string_view text) {
  std::string quoted = "\"";
  quoted.append(text).append("\"");
  return quoted;
}

// A whole number of a rule: blanks around it and either sign allowed, 32 bits.
Result<std::int32_t> ParseNumber(std::string_view text) {
  base::WholeNumberFault fault{};
  const auto value = base::ParseWholeNumber(text,
                                            {.blanks_around = true,
                                             .min = std::numeric_limits<std::int32_t>::min(),
                                             .max = std::numeric_limits<std::int32_t>::max()},
                                            &fault);
  if (value) return static_cast<std::int32_t>(*value);
  text = base::Trim(text);
  if (fault == base::WholeNumberFault::kOutOfRange) {
    return automation::MakeError(automation::hresult::kOverflow,
                                 Quoted(text) + " does not fit in 32 bits");
  }
  return Malformed(Quoted(text) + " is not a whole number");
}

// The text before the first `separator`, removed from the front of `text` together with
// the separator.
Result<std::string_view> CutField(std::string_view& text, char separator) {
  const size_t at = text.find(separator);
  if (at == std::string_view::npos) {
    return Malformed(std::string("missing \"") + separator + "\" in " + Quoted(text));
  }
  const std::string_view field = text.substr(0, at);
  text.remove_prefix(at + 1);
  return field;
}

Error InRule(Error error, std::string_view rule) {
  error.description = "rule " + Quoted(rule) + ": " + error.description;
  error.source = "EvaluateRule";
  return error;
}

}  // namespace

Result<local_seconds> ParseMatchDateTime(std::string_view text) {
  std::int32_t numbers[4] = {};  // day, month, year, hour
  constexpr char kSeparators[4] = {'.', '.', ' ', ':'};
  for (int i = 0; i < 4; ++i) {
    auto field = CutField(text, kSeparators[i]);
    if (!field) return field.error();
    auto number = ParseNumber(*field);
    if (!number) return number.error();
    numbers[i] = *number;
  }
  auto minute = ParseNumber(text);
  if (!minute) return minute.error();

  auto day = DateSerial(numbers[2], numbers[1], numbers[0]);
  if (!day) return day.error();
  // Minutes since midnight, carried into whole days the way DateSerial carries days.
  const std::int64_t minutes = std::int64_t{numbers[3]} * 60 + *minute;
  const std::int64_t whole_days = minutes >= 0 ? minutes / 1440 : -((-minutes + 1439) / 1440);
  auto start_day = AddDays(*day, whole_days);
  if (!start_day) return start_day.error();
  return local_seconds(*start_day) + std::chrono::minutes(minutes - whole_days * 1440);
}

ParsedRule ParsedRule::Parse(std::string_view rule) {
  ParsedRule parsed;
  parsed.text_ = std::string(rule);
  auto fail = [&parsed, rule](Error error) {
    parsed.form_ = Form::kInvalid;
    parsed.error_ = InRule(std::move(error), rule);
    return parsed;
  };

  if (rule.starts_with(kFixedDayPrefix)) {
    const size_t dot = rule.find('.');
    if (dot == std::string_view::npos) return fail(Malformed("missing \".\""));
    auto month = ParseNumber(rule.substr(dot + 1));
    if (!month) return fail(month.error());
    auto day = ParseNumber(rule.substr(kFixedDayPrefix.size(), dot - kFixedDayPrefix.size()));
    if (!day) return fail(day.error());
    parsed.form_ = Form::kFixedDay;
    parsed.day_ = *day;
    parsed.month_ = *month;
    const std::int64_t months = std::int64_t{*month} - 1;  // from January, may be negative
    const std::int64_t years = FloorDiv(months, 12);
    parsed.years_carried_ = static_cast<std::int32_t>(years);
    parsed.month_of_year_ = static_cast<std::int32_t>(months - years * 12 + 1);
    return parsed;
  }

  if (rule.starts_with(kMatchPrefix)) {
    auto start = ParseMatchDateTime(rule.substr(kMatchPrefix.size()));
    if (!start) return fail(start.error());
    parsed.form_ = Form::kMatch;
    parsed.match_start_ = *start;
    return parsed;
  }

  std::string_view key = rule;
  std::int64_t offset = 0;
  size_t sign = rule.find('+');
  if (sign == std::string_view::npos) sign = rule.find('-');
  if (sign != std::string_view::npos) {
    auto number = ParseNumber(rule.substr(sign + 1));
    if (!number) return fail(number.error());
    offset = rule[sign] == '-' ? -std::int64_t{*number} : std::int64_t{*number};
    key = rule.substr(0, sign);
  }
  parsed.form_ = Form::kFeast;
  parsed.key_ = std::string(key);
  parsed.known_key_ = FeastTable::KnownKeyIndex(key);
  parsed.offset_ = offset;
  return parsed;
}

RuleOutcome ParsedRule::EvaluateOther(std::int32_t year, const FeastTable& feasts) const {
  switch (form_) {
    case Form::kFixedDay: {
      auto day = DateSerial(year, month_, day_);
      if (!day) return InRule(day.error(), text_);
      return std::optional<RuleDate>(RuleDate{local_seconds(*day), false});
    }
    case Form::kMatch:
      return std::optional<RuleDate>(RuleDate{match_start_, true});
    case Form::kFeast: {
      const auto feast =
          known_key_ >= 0 ? feasts.LookupKnownFeast(known_key_) : feasts.LookupFeast(key_);
      if (!feast) return std::optional<RuleDate>();
      auto day = AddDays(*feast, offset_);
      if (!day) return InRule(day.error(), text_);
      return std::optional<RuleDate>(RuleDate{local_seconds(*day), false});
    }
    case Form::kInvalid:
      break;
  }
  return error_;
}

RuleOutcome EvaluateRule(std::string_view rule, std::int32_t year, const FeastTable& feasts) {
  return ParsedRule::Parse(rule).Evaluate(year, feasts);
}

}  // namespace feriant::engine
