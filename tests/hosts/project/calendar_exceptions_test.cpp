#include "hosts/project/calendar_exceptions.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace feriant::project {
namespace {

using std::chrono::December;

// Days of December 2006 by their number; 0 and 32 reach into the neighbouring months.
Day Dec(int day) {
  return Day(std::chrono::year(2006) / December / 1) + std::chrono::days(day - 1);
}

// A person's exceptions, as read from the file.
CalendarException Off(int first, int last, int source) {
  return {{Dec(first), Dec(last)}, false, false, source};
}
CalendarException Working(int first, int last, int source) {
  return {{Dec(first), Dec(last)}, true, false, source};
}
CalendarException Recurring(int first, int last, int source) {
  return {{Dec(first), Dec(last)}, false, true, source};
}
// The program's own: read from the file, or added by the edit.
CalendarException Own(int first, int last, int source) {
  return {{Dec(first), Dec(last)}, false, false, source, true};
}
CalendarException New(int first, int last) {
  return Own(first, last, -1);
}

std::string Describe(const std::vector<CalendarException>& list) {
  std::string text;
  for (const CalendarException& e : list) {
    text += "[" + std::to_string((e.days.first - Dec(0)).count()) + "-" +
            std::to_string((e.days.last - Dec(0)).count()) + (e.working ? " working" : "") +
            (e.recurring ? " recurring" : "") + (e.own ? " own" : "") + " from " +
            std::to_string(e.source) + "] ";
  }
  return text;
}

struct EditCase {
  const char* what;
  std::vector<CalendarException> before;
  int first;
  int last;
  DayEdit edit;
  bool changed;
  std::vector<CalendarException> after;
};

TEST(ApplyDayEditTest, FollowsTheDayRules) {
  const DayEdit off = DayEdit::kNonWorking;
  const DayEdit reset = DayEdit::kDefault;
  const EditCase cases[] = {
      {"new day in an empty calendar", {}, 25, 25, off, true, {New(25, 25)}},
      {"day already inside a person's exception",
       {Off(24, 26, 0)},
       25,
       25,
       off,
       false,
       {Off(24, 26, 0)}},
      {"same day again", {Own(25, 25, 0)}, 25, 25, off, false, {Own(25, 25, 0)}},
      {"touching day stays separate",
       {Own(25, 25, 0)},
       26,
       26,
       off,
       true,
       {Own(25, 25, 0), New(26, 26)}},
      {"only the uncovered runs are added",
       {Off(25, 25, 0)},
       24,
       27,
       off,
       true,
       {New(24, 24), Off(25, 25, 0), New(26, 27)}},
      {"gap between two exceptions",
       {Off(1, 2, 0), Own(5, 6, 1)},
       1,
       6,
       off,
       true,
       {Off(1, 2, 0), New(3, 4), Own(5, 6, 1)}},
      {"span across the month end", {}, 31, 32, off, true, {New(31, 32)}},
      {"new day sorts among unsorted ones",
       {Off(24, 26, 0), Off(6, 6, 1)},
       10,
       10,
       off,
       true,
       {Off(6, 6, 1), New(10, 10), Off(24, 26, 0)}},
      {"non-working day splits a working exception",
       {Working(3, 5, 0)},
       4,
       4,
       off,
       true,
       {Working(3, 3, 0), New(4, 4), Working(5, 5, 0)}},
      {"non-working span swallows a working exception",
       {Working(4, 4, 0)},
       3,
       5,
       off,
       true,
       {New(3, 5)}},
      {"recurring exception elsewhere is untouched",
       {Recurring(1, 10, 0)},
       20,
       20,
       off,
       true,
       {Recurring(1, 10, 0), New(20, 20)}},
      {"reset splits an own exception",
       {Own(24, 26, 0)},
       25,
       25,
       reset,
       true,
       {Own(24, 24, 0), Own(26, 26, 0)}},
      {"reset trims the start", {Own(24, 26, 0)}, 24, 24, reset, true, {Own(25, 26, 0)}},
      {"reset trims the end", {Own(24, 26, 0)}, 26, 27, reset, true, {Own(24, 25, 0)}},
      {"reset removes", {Own(24, 26, 0), Own(31, 31, 1)}, 20, 30, reset, true, {Own(31, 31, 1)}},
      {"reset of a plain day", {Own(24, 26, 0)}, 27, 27, reset, false, {Own(24, 26, 0)}},
      {"reset of an empty calendar", {}, 1, 31, reset, false, {}},
      {"reset across several",
       {Own(1, 3, 0), Own(5, 5, 1), Own(7, 9, 2)},
       2,
       8,
       reset,
       true,
       {Own(1, 1, 0), Own(9, 9, 2)}},
      {"reset leaves a person's exception whole",
       {Off(24, 26, 0)},
       25,
       25,
       reset,
       false,
       {Off(24, 26, 0)}},
      {"reset leaves a person's working exception",
       {Working(3, 5, 0)},
       3,
       3,
       reset,
       false,
       {Working(3, 5, 0)}},
      {"reset takes only the own among a person's",
       {Off(1, 3, 0), Own(5, 5, 1), Off(7, 9, 2)},
       2,
       8,
       reset,
       true,
       {Off(1, 3, 0), Off(7, 9, 2)}},
  };
  for (const EditCase& c : cases) {
    std::vector<CalendarException> list = c.before;
    EXPECT_EQ(ApplyDayEdit(list, DaySpan{Dec(c.first), Dec(c.last)}, c.edit), c.changed) << c.what;
    EXPECT_EQ(list, c.after) << c.what << ": got " << Describe(list) << "wanted "
                             << Describe(c.after);
  }
}

TEST(ApplyDayEditTest, ImportThenRemoveRestoresTheCalendar) {
  // A person's days off: 6 December, and 20 December to 6 January.
  const std::vector<CalendarException> original = {Off(6, 6, 0), Off(20, 37, 1)};
  std::vector<CalendarException> list = original;
  const DaySpan imported{Dec(-5), Dec(26)};  // 25 November to 26 December
  ASSERT_TRUE(ApplyDayEdit(list, imported, DayEdit::kNonWorking));
  ASSERT_FALSE(ApplyDayEdit(list, imported, DayEdit::kNonWorking));
  for (int day = -5; day <= 26; ++day)
    ApplyDayEdit(list, DaySpan{Dec(day), Dec(day)}, DayEdit::kDefault);
  // The import's own pieces are gone again; the person's exceptions were never cut.
  EXPECT_EQ(list, original) << Describe(list);
}

}  // namespace
}  // namespace feriant::project
