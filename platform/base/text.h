#pragma once
// Text helpers every layer shares: ASCII case folding, trimming, whole numbers and ISO
// days.
//
// Names in files and automation calls (property and component names, program ids, the
// words "true" and "false") ignore the case of ASCII letters only; every other byte of
// UTF-8 text compares as it is. Days are written "YYYY-MM-DD", the form of iCalendar,
// Project XML and the command line. Pure functions; no thread affinity.

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace feriant::base {

// What Trim takes away by default: blanks within a line.
inline constexpr std::string_view kBlanks = " \t";
// Blanks and line breaks.
inline constexpr std::string_view kWhitespace = " \t\r\n";

// Whether `a` and `b` are equal when ASCII letters are folded to one case. Inline: the
// readers of calendars compare every content line's name with it.
inline bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (a[i] == b[i]) continue;
    // Letters differ from their other case in bit 0x20 alone; other bytes must be equal.
    const char folded = static_cast<char>(a[i] | 0x20);
    if (folded != static_cast<char>(b[i] | 0x20) || folded < 'a' || folded > 'z') return false;
  }
  return true;
}

// `text` with its ASCII letters in upper case.
std::string ToUpperAscii(std::string_view text);

// `text` without leading and trailing blanks (kBlanks). Inline, like the comparison.
inline std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// `text` without the leading and trailing characters found in `characters`.
std::string_view Trim(std::string_view text, std::string_view characters);

// What a whole number may look like besides its digits. Always: at most one sign, then
// one or more ASCII decimal digits, nothing else ("+-5", "3x", "0x10", "" and "-" are no
// numbers); leading zeros are allowed. Each format says which of these it adds.
struct WholeNumberRules {
  bool blanks_around = false;  // blanks (kBlanks) may stand before and after
  bool minus_sign = true;      // "-" may stand before the digits
  bool plus_sign = true;       // "+" may stand before the digits
  std::int64_t min = std::numeric_limits<std::int64_t>::min();
  std::int64_t max = std::numeric_limits<std::int64_t>::max();
};

// Why ParseWholeNumber refused a text.
enum class WholeNumberFault { kNotANumber, kOutOfRange };

// The whole decimal number `text` writes under `rules`; nothing for any other text and
// for a number outside rules.min..rules.max, and then `fault` (when given) says which.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text,
                                             const WholeNumberRules& rules = {},
                                             WholeNumberFault* fault = nullptr);

// The day written exactly as "YYYY-MM-DD" (ten characters, digits where digits go);
// nothing for any other text or a day that does not exist ("2006-02-29").
std::optional<std::chrono::year_month_day> ParseIsoDay(std::string_view text);

// "YYYY-MM-DD" for a valid day of the years 0 to 9999.
std::string FormatIsoDay(std::chrono::year_month_day day);

// Whether the JSON text `json` opens more than `limit` arrays and objects inside one
// another (brackets within strings do not count). JSON libraries copy, compare and
// print values recursively; a file nested deeper than any file of ours is refused with
// this before it is parsed.
bool JsonNestsDeeperThan(std::string_view json, size_t limit);

}  // namespace feriant::base
