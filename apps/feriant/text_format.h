#pragma once
// Plain-text formatting for the command line: dates and times in ISO form, weekday
// names in the user-interface languages, and aligned tables of UTF-8 text.
//
// Nothing here consults the process locale: digits are written by hand, widths count
// Unicode code points. Values and functions; one thread.

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "addin/engine/localisation.h"

namespace feriant::cli {

// "2006-06-15"; years outside 0..9999 keep their sign and all their digits.
std::string DateText(std::chrono::local_days day);

// "18:00": the time of day of `moment`, hours and minutes.
std::string TimeText(std::chrono::local_seconds moment);

// "Monday".."Sunday", or "Montag".."Sonntag" when `german`.
std::string_view WeekdayName(std::chrono::weekday weekday, engine::TextLanguage language);

// The number of code points of a UTF-8 text: its width on a terminal for the Latin,
// Greek and symbol characters the data holds.
std::size_t DisplayWidth(std::string_view text);

// Rows of cells printed in columns two blanks apart, every column as wide as its widest
// cell; the last cell of a row is not padded. Notes are lines printed under the row
// added last, indented, and do not widen any column.
class TextTable {
 public:
  void AddRow(std::vector<std::string> cells);
  void AddNote(std::string line);
  bool empty() const { return rows_.empty(); }

  void Print(std::ostream& out) const;
  void Clear() { rows_.clear(); }

 private:
  struct Row {
    std::vector<std::string> cells;
    std::vector<std::string> notes;
  };
  std::vector<Row> rows_;
};

}  // namespace feriant::cli
