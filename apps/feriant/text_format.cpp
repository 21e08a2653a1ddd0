#include "apps/feriant/text_format.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include "platform/base/text.h"

namespace feriant::cli {
namespace {

// `value` in decimal with at least `digits` digits.
std::string Digits(long long value, int digits) {
  std::string text;
  const bool negative = value < 0;
  unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                          : static_cast<unsigned long long>(value);
  do {
    text.insert(text.begin(), static_cast<char>('0' + magnitude % 10));
    magnitude /= 10;
  } while (magnitude != 0);
  if (text.size() < static_cast<size_t>(digits)) text.insert(0, digits - text.size(), '0');
  if (negative) text.insert(text.begin(), '-');
  return text;
}

constexpr size_t kNoteIndent = 4;
constexpr std::string_view kColumnGap = "  ";

// By text language, then by c_encoding() (Sunday = 0).
constexpr std::array<std::array<std::string_view, 7>, engine::kTextLanguageCount> kWeekdays = {{
    {"Sonntag", "Montag", "Dienstag", "Mittwoch", "Donnerstag", "Freitag", "Samstag"},
    {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
    {"dimanche", "lundi", "mardi", "mercredi", "jeudi", "vendredi", "samedi"},
    {"domenica", "lunedì", "martedì", "mercoledì", "giovedì", "venerdì", "sabato"},
}};

}  // namespace

std::string DateText(std::chrono::local_days day) {
  return base::FormatIsoDay(std::chrono::year_month_day{day});
}

std::string TimeText(std::chrono::local_seconds moment) {
  const auto since_midnight = moment - std::chrono::floor<std::chrono::days>(moment);
  const std::chrono::hh_mm_ss<std::chrono::seconds> time{since_midnight};
  return Digits(time.hours().count(), 2) + ":" + Digits(time.minutes().count(), 2);
}

std::string_view WeekdayName(std::chrono::weekday weekday, engine::TextLanguage language) {
  return kWeekdays[static_cast<size_t>(language)][weekday.c_encoding() % 7];
}

std::size_t DisplayWidth(std::string_view text) {
  // Every code point has exactly one byte that is not a continuation byte (10xxxxxx).
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

void TextTable::AddRow(std::vector<std::string> cells) {
  rows_.push_back(Row{std::move(cells), {}});
}

void TextTable::AddNote(std::string line) {
  if (!rows_.empty()) rows_.back().notes.push_back(std::move(line));
}

void TextTable::Print(std::ostream& out) const {
  std::vector<size_t> widths;
  for (const Row& row : rows_) {
    if (widths.size() < row.cells.size()) widths.resize(row.cells.size(), 0);
    for (size_t i = 0; i < row.cells.size(); ++i)
      widths[i] = std::max(widths[i], DisplayWidth(row.cells[i]));
  }
  for (const Row& row : rows_) {
    std::string line;
    for (size_t i = 0; i < row.cells.size(); ++i) {
      if (i > 0) line += kColumnGap;
      line += row.cells[i];
      if (i + 1 < row.cells.size()) line.append(widths[i] - DisplayWidth(row.cells[i]), ' ');
    }
    // A trailing empty cell would leave blanks at the end of the line.
    line.erase(line.find_last_not_of(' ') + 1);
    out << line << '\n';
    for (const std::string& note : row.notes)
      out << std::string(kNoteIndent, ' ') << note << '\n';
  }
}

}  // namespace feriant::cli
