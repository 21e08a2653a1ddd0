#pragma once
// The day arithmetic of base-calendar edits: a calendar's exceptions as spans of whole
// days, and the two edits the add-in makes on them (set days non-working, return days to
// the calendar's default working time). Knows nothing of XML; the file store applies the
// same edit to each stored form of a calendar's exceptions. Plain values; no threads.
//
// The program's own exceptions (`own`) are those it added; every other one is the
// person's. Rules (they keep a file that project-planning programs accept: exceptions
// never overlap):
//   - Non-working: days already inside a non-working exception, the person's or the
//     program's, stay as they are (a second import of the same day changes nothing). Every
//     run of requested days not covered yet becomes one new non-working exception of the
//     program's own. A new exception is not merged with one that merely touches it: each
//     holiday stays an exception of its own, so removing one later never has to cut
//     another one apart.
//   - A non-working day inside a working exception (a day with working times of its own)
//     wins: the working exception is trimmed or split around it and keeps its working
//     times on the days that remain.
//   - Default: the program's own exceptions covering requested days are removed, trimmed
//     or split so that none covers them any more. A person's exception is never cut: the
//     days it covers stay as the person made them.
//   - Recurring exceptions (a pattern over a span) are never cut; the store refuses an
//     edit that overlaps one, so ApplyDayEdit expects none in the way.
//   - After a change the exceptions are sorted by their first day.

#include <chrono>
#include <vector>

namespace feriant::project {

using Day = std::chrono::sys_days;

// Whole days from `first` to `last`, both included; first <= last.
struct DaySpan {
  Day first;
  Day last;
  friend bool operator==(const DaySpan&, const DaySpan&) = default;
};

inline bool Overlaps(const DaySpan& a, const DaySpan& b) {
  return a.first <= b.last && b.first <= a.last;
}

enum class DayEdit {
  kNonWorking,  // Working = false
  kDefault,     // Default = true
};

struct CalendarException {
  DaySpan days;
  bool working = false;    // the days have working times of their own
  bool recurring = false;  // a recurrence pattern within `days`; never cut
  int source = -1;         // index of the stored element it came from; -1 = new
  bool own = false;        // added by this program, not by the person
  friend bool operator==(const CalendarException&, const CalendarException&) = default;
};

// Applies `edit` to the days of `span`. Returns whether the list changed.
bool ApplyDayEdit(std::vector<CalendarException>& exceptions, DaySpan span, DayEdit edit);

}  // namespace feriant::project
