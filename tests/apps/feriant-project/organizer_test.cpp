// The Organizer's operations on the base calendars of a Project XML file: what each
// writes, and that a refused one leaves the file byte for byte.

#include <algorithm>
#include <functional>

#include <gtest/gtest.h>

#include "apps/feriant-project/project_window.h"
#include "hosts/project/project_file.h"
#include "tests/hosts/project/test_files.h"

namespace feriant::project {
namespace {

using feriant::testing::ReadWholeFile;
using testing::ScratchDir;
using Names = std::vector<std::string>;

// project2010.xml: base calendars Standard (UID 1, the project's calendar and the base of
// the resource calendar "Jonas Weber"), 24 Hours (UID 2, unused) and Night Shift (UID 3,
// a task's calendar).
struct Case {
  const char* what;
  std::function<Status(ProjectFile&)> operation;
  Names names_after;  // empty: refused
};

TEST(OrganizerTest, CopiesRenamesDeletesAndRefusesWhatWouldBreakThePlan) {
  const Names before = {"Standard", "24 Hours", "Night Shift"};
  const Case cases[] = {
      {"copy",
       [](ProjectFile& f) { return f.CopyBaseCalendar("24 Hours", "Round & round"); },
       {"Standard", "24 Hours", "Night Shift", "Round & round"}},
      {"rename",
       [](ProjectFile& f) { return f.RenameBaseCalendar("Night Shift", "Nights"); },
       {"Standard", "24 Hours", "Nights"}},
      {"rename, case only",
       [](ProjectFile& f) { return f.RenameBaseCalendar("Standard", "STANDARD"); },
       {"STANDARD", "24 Hours", "Night Shift"}},
      {"delete unused",
       [](ProjectFile& f) { return f.DeleteBaseCalendar("24 Hours"); },
       {"Standard", "Night Shift"}},
      {"delete the project's", [](ProjectFile& f) { return f.DeleteBaseCalendar("Standard"); }, {}},
      {"delete a task's", [](ProjectFile& f) { return f.DeleteBaseCalendar("Night Shift"); }, {}},
      {"copy onto a name",
       [](ProjectFile& f) { return f.CopyBaseCalendar("Standard", "night shift"); },
       {}},
      {"rename onto a resource calendar",
       [](ProjectFile& f) { return f.RenameBaseCalendar("Standard", "Jonas Weber"); },
       {}},
      {"rename to blanks",
       [](ProjectFile& f) { return f.RenameBaseCalendar("Standard", "  "); },
       {}},
      {"unknown calendar", [](ProjectFile& f) { return f.DeleteBaseCalendar("Nobody"); }, {}},
      {"not a base calendar",
       [](ProjectFile& f) { return f.DeleteBaseCalendar("Jonas Weber"); },
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ScratchDir dir;
    const auto path = dir.Copy("project2010.xml");
    const std::string original = ReadWholeFile(path);
    auto file = ProjectFile::Open(path);
    ASSERT_TRUE(file);
    const Status done = c.operation(*file);
    auto reread = ProjectFile::Open(path);
    ASSERT_TRUE(reread) << reread.error().description;
    if (c.names_after.empty()) {
      EXPECT_FALSE(done);
      EXPECT_EQ(ReadWholeFile(path), original);
      EXPECT_EQ(file->BaseCalendarNames(), before);
      continue;
    }
    ASSERT_TRUE(done) << done.error().description;
    EXPECT_EQ(reread->BaseCalendarNames(), c.names_after);
    EXPECT_EQ(file->BaseCalendarNames(), c.names_after);
    EXPECT_FALSE(file->HasUnsavedChanges());
  }
}

TEST(OrganizerTest, CopyKeepsTheDaysGetsAFreshUidAndLeavesTheRestAlone) {
  ScratchDir dir;
  const auto path = dir.Copy("project2010.xml");
  const std::string original = ReadWholeFile(path);
  auto file = ProjectFile::Open(path);
  ASSERT_TRUE(file);
  ASSERT_TRUE(file->EditDays(
      "Night Shift",
      std::chrono::year_month_day{std::chrono::year(2006), std::chrono::May, std::chrono::day(1)},
      std::chrono::year_month_day{std::chrono::year(2006), std::chrono::May, std::chrono::day(1)},
      DayEdit::kNonWorking));
  ASSERT_TRUE(file->CopyBaseCalendar("Night Shift", "Night Shift 2"));
  const std::string written = ReadWholeFile(path);
  // The unsaved edit went with the copy, into both calendars.
  EXPECT_EQ(file->NonWorkingDays("Night Shift 2"), file->NonWorkingDays("Night Shift"));
  EXPECT_FALSE(file->NonWorkingDays("Night Shift").empty());
  EXPECT_NE(written.find("<UID>5</UID>"), std::string::npos);  // one above the highest, 4
  // Nothing before the Night Shift calendar changed; the copy has no GUID of its own.
  const size_t night = original.find("<Name>Night Shift</Name>");
  EXPECT_EQ(written.substr(0, night), original.substr(0, night));
  const size_t copy = written.find("<Name>Night Shift 2</Name>");
  ASSERT_NE(copy, std::string::npos);
  const size_t copy_start = written.rfind("<Calendar>", copy);
  EXPECT_EQ(written.substr(copy_start, copy - copy_start).find("GUID"), std::string::npos);
}

TEST(ProjectViewTest, ListsEachBaseCalendarWithItsNonWorkingDays) {
  auto file =
      ProjectFile::Open(testing::DataFile("project2010-night-shift-ascension.expected.xml"));
  ASSERT_TRUE(file);
  const auto rows = project_shell::CalendarRows(*file);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].name, "Night Shift");
  EXPECT_NE(std::find(rows[2].days.begin(), rows[2].days.end(), "2010-05-13"), rows[2].days.end());
  for (const auto& row : rows) {
    for (const std::string& day : row.days)
      EXPECT_TRUE(day.size() == 10 || day.size() == 24) << day;
  }
}

}  // namespace
}  // namespace feriant::project
