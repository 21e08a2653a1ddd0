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

CalendarException Off(int first, int last, int source = -1) {
  return {{Dec(first), Dec(last)}, false, false, source};
}
CalendarException Working(int first, int last, int source) {
  return {{Dec(first), Dec(last)}, true, false, source};
}
CalendarException Recurring(int first, int last, int source) {
  return {{Dec(first), Dec(last)}, false, true, source};
}

std::string Describe(const std::vector<CalendarException>& list) {
  std::string text;
  for (const CalendarException& e : list) {
    text += "[" + std::to_string((e.days.first - Dec(0)).count()) + "-" +
            std::to_string((e.days.last - Dec(0)).count()) + (e.working ? " working" : "") +
            (e.recurring ? " recurring" : "") + " from " + std::to_string(e.source) + "] ";
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
      {"new day in an empty calendar", {}, 25, 25, off, true, {Off(25, 25)}},
      {"day already inside an exception", {Off(24, 26, 0)}, 25, 25, off, false, {Off(24, 26, 0)}},
      {"same day again", {Off(25, 25, 0)}, 25, 25, off, false, {Off(25, 25, 0)}},
      {"touching day stays separate",
       {Off(25, 25, 0)},
       26,
       26,
       off,
       true,
       {Off(25, 25, 0), Off(26, 26)}},
      {"only the uncovered runs are added",
       {Off(25, 25, 0)},
       24,
       27,
       off,
       true,
       {Off(24, 24), Off(25, 25, 0), Off(26, 27)}},
      {"gap between two exceptions",
       {Off(1, 2, 0), Off(5, 6, 1)},
       1,
       6,
       off,
       true,
       {Off(1, 2, 0), Off(3, 4), Off(5, 6, 1)}},
      {"span across the month end", {}, 31, 32, off, true, {Off(31, 32)}},
      {"new day sorts among unsorted ones",
       {Off(24, 26, 0), Off(6, 6, 1)},
       10,
       10,
       off,
       true,
       {Off(6, 6, 1), Off(10, 10), Off(24, 26, 0)}},
      {"non-working day splits a working exception",
       {Working(3, 5, 0)},
       4,
       4,
       off,
       true,
       {Working(3, 3, 0), Off(4, 4), Working(5, 5, 0)}},
      {"non-working span swallows a working exception",
       {Working(4, 4, 0)},
       3,
       5,
       off,
       true,
       {Off(3, 5)}},
      {"recurring exception elsewhere is untouched",
       {Recurring(1, 10, 0)},
       20,
       20,
       off,
       true,
       {Recurring(1, 10, 0), Off(20, 20)}},
      {"reset splits", {Off(24, 26, 0)}, 25, 25, reset, true, {Off(24, 24, 0), Off(26, 26, 0)}},
      {"reset trims the start", {Off(24, 26, 0)}, 24, 24, reset, true, {Off(25, 26, 0)}},
      {"reset trims the end", {Off(24, 26, 0)}, 26, 27, reset, true, {Off(24, 25, 0)}},
      {"reset removes", {Off(24, 26, 0), Off(31, 31, 1)}, 20, 30, reset, true, {Off(31, 31, 1)}},
      {"reset of a working exception", {Working(3, 5, 0)}, 3, 3, reset, true, {Working(4, 5, 0)}},
      {"reset of a plain day", {Off(24, 26, 0)}, 27, 27, reset, false, {Off(24, 26, 0)}},
      {"reset of an empty calendar", {}, 1, 31, reset, false, {}},
      {"reset across several",
       {Off(1, 3, 0), Off(5, 5, 1), Off(7, 9, 2)},
       2,
       8,
       reset,
       true,
       {Off(1, 1, 0), Off(9, 9, 2)}},
  };
  for (const EditCase& c : cases) {
    std::vector<CalendarException> list = c.before;
    EXPECT_EQ(ApplyDayEdit(list, DaySpan{Dec(c.first), Dec(c.last)}, c.edit), c.changed) << c.what;
    EXPECT_EQ(list, c.after) << c.what << ": got " << Describe(list) << "wanted "
                             << Describe(c.after);
  }
}

TEST(ApplyDayEditTest, ImportThenRemoveRestoresTheCalendar) {
  const std::vector<CalendarException> original = {Off(6, 6, 0), Off(24, 26, 1)};
  std::vector<CalendarException> list = original;
  const DaySpan imported{Dec(-5), Dec(8)};  // 25 November to 8 December
  ASSERT_TRUE(ApplyDayEdit(list, imported, DayEdit::kNonWorking));
  ASSERT_FALSE(ApplyDayEdit(list, imported, DayEdit::kNonWorking));
  ASSERT_TRUE(ApplyDayEdit(list, DaySpan{Dec(7), Dec(8)}, DayEdit::kDefault));
  ASSERT_TRUE(ApplyDayEdit(list, DaySpan{Dec(-5), Dec(5)}, DayEdit::kDefault));
  // Day 6 was not part of either removal; the import's own pieces are gone again.
  EXPECT_EQ(list, original) << Describe(list);
}

}  // namespace
}  // namespace feriant::project
