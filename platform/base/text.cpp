#include "platform/base/text.h"

#include <charconv>
#include <cstdio>

namespace feriant::base {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::string ToUpperAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

std::optional<std::int64_t> ParseWholeNumber(std::string_view text, const WholeNumberRules& rules,
                                             WholeNumberFault* fault) {
  auto refuse = [fault](WholeNumberFault why) -> std::optional<std::int64_t> {
    if (fault != nullptr) *fault = why;
    return std::nullopt;
  };
  if (rules.blanks_around) text = Trim(text);
  const bool negative = rules.minus_sign && text.starts_with('-');
  if (negative || (rules.plus_sign && text.starts_with('+'))) text.remove_prefix(1);
  // from_chars would take a second sign itself; only digits may follow the one sign.
  if (text.empty() || text.front() < '0' || text.front() > '9')
    return refuse(WholeNumberFault::kNotANumber);
  std::uint64_t magnitude = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude);
  if (end != text.data() + text.size()) return refuse(WholeNumberFault::kNotANumber);
  // The magnitude of the smallest int64 is one more than the largest.
  constexpr std::uint64_t kLargest = std::numeric_limits<std::int64_t>::max();
  if (error != std::errc() || magnitude > kLargest + (negative ? 1 : 0))
    return refuse(WholeNumberFault::kOutOfRange);
  const std::int64_t value =
      negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
  if (value < rules.min || value > rules.max) return refuse(WholeNumberFault::kOutOfRange);
  return value;
}

std::string_view Trim(std::string_view text, std::string_view characters) {
  const size_t first = text.find_first_not_of(characters);
  if (first == std::string_view::npos) return {};
  const size_t last = text.find_last_not_of(characters);
  return text.substr(first, last - first + 1);
}

std::optional<std::chrono::year_month_day> ParseIsoDay(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (!IsDigit(text[i])) return std::nullopt;
  }
  const auto number = [&](size_t at, size_t length) {
    unsigned value = 0;
    for (size_t i = at; i < at + length; ++i)
      value = value * 10 + static_cast<unsigned>(text[i] - '0');
    return value;
  };
  const std::chrono::year_month_day day{std::chrono::year(static_cast<int>(number(0, 4))),
                                        std::chrono::month(number(5, 2)),
                                        std::chrono::day(number(8, 2))};
  if (!day.ok()) return std::nullopt;
  return day;
}

std::string FormatIsoDay(std::chrono::year_month_day day) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

bool JsonNestsDeeperThan(std::string_view json, size_t limit) {
  size_t depth = 0;
  bool in_string = false;
  for (size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (in_string) {
      if (c == '\\') {
        ++i;  // the escaped character, a quote included
      } else if (c == '"') {
        in_string = false;
      }
    } else if (c == '"') {
      in_string = true;
    } else if (c == '[' || c == '{') {
      if (++depth > limit) return true;
    } else if ((c == ']' || c == '}') && depth > 0) {
      --depth;
    }
  }
  return false;
}

}  // namespace feriant::base
