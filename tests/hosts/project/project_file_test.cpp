#include "hosts/project/project_file.h"

#include <cerrno>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "tests/hosts/project/test_files.h"

namespace feriant::project {
namespace {

using feriant::testing::ReadWholeFile;
using testing::DataFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::Put;
using testing::ScratchDir;
namespace fs = std::filesystem;

std::chrono::year_month_day Ymd(int y, unsigned m, unsigned d) {
  return {std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)};
}

ino_t InodeOf(const fs::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// The exceptions of one calendar as a second reader sees them: "from..to" per element,
// with " working" and the first FromTime for working ones; `form` is "Exceptions" or
// "WeekDays".
std::vector<std::string> StoredExceptions(const std::string& xml, const std::string& calendar,
                                          const std::string& form) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_buffer(xml.data(), xml.size()));
  std::vector<std::string> result;
  for (pugi::xml_node node : document.child("Project").child("Calendars").children("Calendar")) {
    if (calendar != node.child_value("Name")) continue;
    for (pugi::xml_node e : node.child(form.c_str()).children()) {
      if (form == "WeekDays" && std::string(e.child_value("DayType")) != "0") continue;
      const pugi::xml_node period = e.child("TimePeriod");
      result.push_back(
          std::string(period.child_value("FromDate")).substr(0, 10) + ".." +
          std::string(period.child_value("ToDate")).substr(0, 10) +
          (std::string(e.child_value("DayWorking")) == "1"
               ? std::string(" working ") +
                     e.child("WorkingTimes").child("WorkingTime").child_value("FromTime")
               : ""));
    }
  }
  return result;
}

// Byte range of the Calendar element named `name` in a sample file.
std::pair<size_t, size_t> CalendarRange(const std::string& xml, const std::string& name) {
  const size_t at = xml.find("<Name>" + name + "</Name>");
  const size_t begin = xml.rfind("<Calendar>", at);
  const size_t end = xml.find("</Calendar>", at) + std::string("</Calendar>").size();
  return {begin, end};
}

ProjectFile MustOpen(const fs::path& path) {
  auto file = ProjectFile::Open(path);
  EXPECT_TRUE(file.ok()) << file.error().description;
  return std::move(file).value();
}

TEST(ProjectFileTest, ReadsTheSampleFiles) {
  struct Case {
    const char* file;
    const char* version;
    const char* title;
    int default_task_type;
  };
  const Case cases[] = {
      {"project2003.xml", "11.0", "Kanalbau Nord", 1},
      {"project2010.xml", "14.0",
       "Umspannwerk S\xC3\xBC"
       "d, Erweiterung",
       0},
  };
  for (const Case& c : cases) {
    auto file = ProjectFile::Open(DataFile(c.file));
    ASSERT_TRUE(file.ok()) << file.error().description;
    EXPECT_EQ(file->VersionText(), c.version) << c.file;
    EXPECT_EQ(file->Title(), c.title) << c.file;
    EXPECT_EQ(file->DefaultTaskType(), c.default_task_type) << c.file;
    // Resource calendars (IsBaseCalendar 0) are not listed.
    EXPECT_THAT(file->BaseCalendarNames(), ElementsAre("Standard", "24 Hours", "Night Shift"))
        << c.file;
    EXPECT_FALSE(file->HasUnsavedChanges());
    EXPECT_EQ(file->Render(), ReadWholeFile(DataFile(c.file)));
  }
}

TEST(ProjectFileTest, VersionTextFromSaveVersion) {
  const std::pair<const char*, const char*> cases[] = {
      {"<SaveVersion>12</SaveVersion>", "12.0"},     {"<SaveVersion>14</SaveVersion>", "14.0"},
      {"<SaveVersion> 16 </SaveVersion>", "16.0"},   {"", "11.0"},
      {"<SaveVersion>twelve</SaveVersion>", "11.0"}, {"<SaveVersion>0</SaveVersion>", "11.0"},
  };
  for (const auto& [element, version] : cases) {
    auto file = ProjectFile::FromBytes(
        "v.xml", std::string("<Project xmlns=\"http://schemas.microsoft.com/project\">") + element +
                     "</Project>");
    ASSERT_TRUE(file.ok()) << element;
    EXPECT_EQ(file->VersionText(), version) << element;
  }
}

TEST(ProjectFileTest, RefusesWhatIsNotAProjectXmlFileAndLeavesItAlone) {
  const std::string sample = ReadWholeFile(DataFile("project2010.xml"));
  const std::string ns = "xmlns=\"http://schemas.microsoft.com/project\"";
  struct Case {
    const char* what;
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"truncated", sample.substr(0, sample.size() / 2), "not well-formed XML"},
      {"cut before the last end tag", sample.substr(0, sample.rfind("</Project>")),
       "not well-formed XML"},
      {"empty", "", "not well-formed XML"},
      {"text", "Name;Start;Finish\r\nA;1;2\r\n", "not well-formed XML"},
      {"two root elements", "<Project " + ns + "/><Project " + ns + "/>",
       "content after the root element"},
      {"other document",
       "<?xml version=\"1.0\"?><Workbook xmlns=\"urn:schemas-microsoft-com:"
       "office:spreadsheet\"/>",
       "its root element is <Workbook>"},
      {"Project without namespace", "<Project><Name>x</Name></Project>", "not in the namespace"},
      {"Project in another namespace", "<Project xmlns=\"urn:example:plans\"/>",
       "not in the namespace"},
      {"Latin-1", "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><Project " + ns + "/>",
       "ISO-8859-1"},
      {"UTF-16", std::string("\xFF\xFE<\0P\0/\0>\0", 10), "UTF-16"},
  };
  ScratchDir dir;
  for (const Case& c : cases) {
    const fs::path path = dir.path() / "plan.xml";
    Put(path, c.bytes);
    auto file = ProjectFile::Open(path);
    ASSERT_FALSE(file.ok()) << c.what;
    // Another encoding is sound XML this store does not edit; the rest is not Project XML.
    const bool encoding =
        c.reason == std::string("ISO-8859-1") || c.reason == std::string("UTF-16");
    EXPECT_EQ(file.error().kind, encoding ? ErrorKind::kUnsupported : ErrorKind::kDamaged)
        << c.what;
    EXPECT_THAT(file.error().description, HasSubstr(path.string())) << c.what;
    EXPECT_THAT(file.error().description, HasSubstr(c.reason)) << c.what;
    EXPECT_EQ(ReadWholeFile(path), c.bytes) << c.what;
  }
  auto missing = ProjectFile::Open(dir.path() / "none.xml");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().kind, ErrorKind::kNotFound);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

struct GoldenCase {
  const char* input;
  const char* calendar;
  std::chrono::year_month_day first;
  std::chrono::year_month_day last;
  DayEdit edit;
  const char* expected;
};

TEST(ProjectFileTest, EditsMatchTheGoldenFilesAndNothingElseChanges) {
  const GoldenCase cases[] = {
      {"project2003.xml", "Standard", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking,
       "project2003-standard-may-day.expected.xml"},
      {"project2010.xml", "Night Shift", Ymd(2010, 5, 13), Ymd(2010, 5, 13), DayEdit::kNonWorking,
       "project2010-night-shift-ascension.expected.xml"},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.expected);
    ScratchDir dir;
    const fs::path path = dir.Copy(c.input);
    const std::string original = ReadWholeFile(path);
    const std::string expected = ReadWholeFile(DataFile(c.expected));

    ProjectFile file = MustOpen(path);
    ASSERT_TRUE(file.EditDays(c.calendar, c.first, c.last, c.edit).ok());
    EXPECT_TRUE(file.HasUnsavedChanges());
    EXPECT_EQ(ReadWholeFile(path), original);  // nothing is written before Save
    ASSERT_TRUE(file.Save().ok());
    EXPECT_FALSE(file.HasUnsavedChanges());
    const std::string saved = ReadWholeFile(path);
    EXPECT_EQ(saved, expected);

    // Every byte outside the edited calendar is the original's.
    std::string name = c.calendar;
    name[0] = static_cast<char>(std::toupper(name[0]));
    const auto [begin, end] = CalendarRange(original, name);
    ASSERT_LT(end, saved.size());
    EXPECT_EQ(saved.substr(0, begin), original.substr(0, begin));
    EXPECT_EQ(saved.substr(saved.size() - (original.size() - end)), original.substr(end));

    // The result reads back, here and in a second parser; the same edit again is a no-op.
    pugi::xml_document document;
    EXPECT_TRUE(document.load_buffer(saved.data(), saved.size()));
    ProjectFile again = MustOpen(path);
    ASSERT_TRUE(again.EditDays(c.calendar, c.first, c.last, c.edit).ok());
    EXPECT_EQ(again.Render(), saved);
  }
}

TEST(ProjectFileTest, ImportingADayTwiceChangesNothingAndWritesNothing) {
  ScratchDir dir;
  const fs::path path = dir.Copy("project2003.xml");
  const ino_t inode = InodeOf(path);
  ProjectFile file = MustOpen(path);
  // 6 January and 25 December are non-working already.
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2006, 1, 6), Ymd(2006, 1, 6), DayEdit::kNonWorking).ok());
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2006, 12, 25), Ymd(2006, 12, 26), DayEdit::kNonWorking).ok());
  EXPECT_FALSE(file.HasUnsavedChanges());
  ASSERT_TRUE(file.Save().ok());
  EXPECT_EQ(InodeOf(path), inode);

  ASSERT_TRUE(
      file.EditDays("Night Shift", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  const std::string once = file.Render();
  ASSERT_TRUE(
      file.EditDays("Night Shift", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  EXPECT_EQ(file.Render(), once);
}

TEST(ProjectFileTest, ImportThenRemoveGivesBackTheSameBytesWithoutWriting) {
  ScratchDir dir;
  const fs::path path = dir.Copy("project2010.xml");
  const ino_t inode = InodeOf(path);
  ProjectFile file = MustOpen(path);
  // Night Shift has no exceptions: the import creates the Exceptions element, the removal
  // takes it away again.
  ASSERT_TRUE(
      file.EditDays("Night Shift", Ymd(2010, 5, 13), Ymd(2010, 5, 13), DayEdit::kNonWorking).ok());
  ASSERT_TRUE(
      file.EditDays("Night Shift", Ymd(2010, 5, 13), Ymd(2010, 5, 13), DayEdit::kDefault).ok());
  EXPECT_EQ(file.Render(), ReadWholeFile(path));
  ASSERT_TRUE(file.Save().ok());
  EXPECT_EQ(InodeOf(path), inode);
  EXPECT_FALSE(file.HasUnsavedChanges());
}

TEST(ProjectFileTest, BothFormsReceiveTheSameEdits) {
  ScratchDir dir;
  const fs::path path = dir.Copy("project2010.xml");
  // New Year (31 December to 1 January, in both forms) becomes one of the program's own.
  std::string sample = ReadWholeFile(path);
  sample.replace(sample.find("<Name>New Year</Name>"), 21, "<Name>Feriant holiday</Name>");
  { std::ofstream(path, std::ios::binary | std::ios::trunc) << sample; }
  ProjectFile file = MustOpen(path);
  struct Step {
    std::chrono::year_month_day first;
    std::chrono::year_month_day last;
    DayEdit edit;
  };
  const Step steps[] = {
      {Ymd(2010, 5, 24), Ymd(2010, 5, 24), DayEdit::kNonWorking},
      {Ymd(2010, 5, 13), Ymd(2010, 5, 13), DayEdit::kNonWorking},
      {Ymd(2010, 11, 27), Ymd(2010, 11, 27), DayEdit::kNonWorking},  // the working Saturday
      {Ymd(2010, 12, 25), Ymd(2010, 12, 25), DayEdit::kDefault},     // the person's Christmas
      {Ymd(2010, 12, 31), Ymd(2010, 12, 31), DayEdit::kDefault},
      {Ymd(2010, 5, 24), Ymd(2010, 5, 24), DayEdit::kDefault},
  };
  for (const Step& step : steps) {
    ASSERT_TRUE(file.EditDays("Standard", step.first, step.last, step.edit).ok());
  }
  ASSERT_TRUE(file.Save().ok());
  const std::string saved = ReadWholeFile(path);
  const auto exceptions = StoredExceptions(saved, "Standard", "Exceptions");
  EXPECT_THAT(exceptions, ElementsAre("2010-05-13..2010-05-13", "2010-11-27..2010-11-27",
                                      "2010-12-24..2010-12-26", "2011-01-01..2011-01-01"));
  EXPECT_EQ(StoredExceptions(saved, "Standard", "WeekDays"), exceptions);
  // Trimmed pieces keep their names and count their days again.
  EXPECT_THAT(saved,
              HasSubstr("<Occurrences>1</Occurrences>\r\n\t\t\t\t\t<Name>Feriant holiday</Name>"));
  EXPECT_EQ(saved.find("Inventory Saturday"), std::string::npos);
  // The resource calendar based on Standard keeps its own exceptions.
  EXPECT_THAT(StoredExceptions(saved, "Jonas Weber", "Exceptions"),
              ElementsAre("2010-07-19..2010-07-30"));
}

TEST(ProjectFileTest, WorkingExceptionsGiveWayToTheEdit) {
  // The working Saturday of the sample, widened to three days.
  const std::string sample = ReadWholeFile(DataFile("project2003.xml"));
  const std::string widened =
      std::string(sample).replace(sample.find("<ToDate>2006-03-04"), 18, "<ToDate>2006-03-06");

  auto file = ProjectFile::FromBytes("plan.xml", widened);
  ASSERT_TRUE(file.ok());
  ASSERT_TRUE(
      file->EditDays("Standard", Ymd(2006, 3, 5), Ymd(2006, 3, 5), DayEdit::kNonWorking).ok());
  EXPECT_THAT(StoredExceptions(file->Render(), "Standard", "WeekDays"),
              ElementsAre("2006-01-06..2006-01-06", "2006-03-04..2006-03-04 working 08:00:00",
                          "2006-03-05..2006-03-05", "2006-03-06..2006-03-06 working 08:00:00",
                          "2006-12-24..2006-12-26"));

  // Returning days to the default is for the program's own exceptions only.
  file = ProjectFile::FromBytes("plan.xml", widened);
  ASSERT_TRUE(file->EditDays("Standard", Ymd(2006, 3, 4), Ymd(2006, 3, 5), DayEdit::kDefault).ok());
  EXPECT_FALSE(file->HasUnsavedChanges());
}

TEST(ProjectFileTest, RefusedEditsChangeNothing) {
  struct Case {
    const char* calendar;
    std::chrono::year_month_day first;
    std::chrono::year_month_day last;
    const char* reason;
    bool reset_refused;  // a reset leaves the person's recurring exception alone instead
  };
  const Case cases[] = {
      {"Holidays", Ymd(2010, 5, 13), Ymd(2010, 5, 13), "no base calendar named \"Holidays\"", true},
      {"Jonas Weber", Ymd(2010, 5, 13), Ymd(2010, 5, 13), "no base calendar named", true},
      {"Standard", Ymd(1983, 12, 31), Ymd(1983, 12, 31), "1983-12-31 is outside", true},
      {"Standard", Ymd(2049, 12, 31), Ymd(2050, 1, 1), "2050-01-01 is outside", true},
      {"Standard", Ymd(2010, 5, 14), Ymd(2010, 5, 13), "after the end date", true},
      {"24 Hours", Ymd(2010, 3, 15), Ymd(2010, 3, 15), "recurring exception \"Plant maintenance\"",
       false},
      {"24 Hours", Ymd(2009, 12, 20), Ymd(2010, 1, 1), "recurring exception", false},
  };
  ProjectFile file = MustOpen(DataFile("project2010.xml"));
  const std::string original = file.Render();
  for (const Case& c : cases) {
    for (DayEdit edit : {DayEdit::kNonWorking, DayEdit::kDefault}) {
      Status status = file.EditDays(c.calendar, c.first, c.last, edit);
      if (edit == DayEdit::kDefault && !c.reset_refused) {
        EXPECT_TRUE(status.ok()) << c.reason;
        continue;
      }
      ASSERT_FALSE(status.ok()) << c.reason;
      EXPECT_THAT(status.error().description, HasSubstr(c.reason));
    }
  }
  EXPECT_FALSE(file.HasUnsavedChanges());
  EXPECT_EQ(file.Render(), original);
  // The limits themselves and days beside a recurring exception are fine.
  EXPECT_TRUE(
      file.EditDays("24 Hours", Ymd(2010, 7, 1), Ymd(2010, 7, 1), DayEdit::kNonWorking).ok());
  EXPECT_TRUE(
      file.EditDays("Standard", Ymd(1984, 1, 1), Ymd(1984, 1, 1), DayEdit::kNonWorking).ok());
  EXPECT_TRUE(
      file.EditDays("Standard", Ymd(2049, 12, 31), Ymd(2049, 12, 31), DayEdit::kNonWorking).ok());
}

TEST(ProjectFileTest, SeveralCalendarsInOneSave) {
  ScratchDir dir;
  const fs::path path = dir.Copy("project2003.xml");
  const std::string original = ReadWholeFile(path);
  ProjectFile file = MustOpen(path);
  for (const char* calendar : {"Night Shift", "Standard"}) {
    ASSERT_TRUE(
        file.EditDays(calendar, Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  }
  ASSERT_TRUE(file.Save().ok());
  const std::string saved = ReadWholeFile(path);
  EXPECT_THAT(StoredExceptions(saved, "Night Shift", "WeekDays"),
              ElementsAre("2006-05-01..2006-05-01"));
  EXPECT_THAT(StoredExceptions(saved, "Standard", "WeekDays"),
              ElementsAre("2006-01-06..2006-01-06", "2006-03-04..2006-03-04 working 08:00:00",
                          "2006-05-01..2006-05-01", "2006-12-24..2006-12-26"));
  const size_t first = CalendarRange(original, "Standard").first;
  const size_t last = CalendarRange(original, "Night Shift").second;
  EXPECT_EQ(saved.substr(0, first), original.substr(0, first));
  EXPECT_EQ(saved.substr(saved.size() - (original.size() - last)), original.substr(last));
  const auto hours = CalendarRange(original, "24 Hours");
  EXPECT_NE(saved.find(original.substr(hours.first, hours.second - hours.first)),
            std::string::npos);
}

TEST(ProjectFileTest, NewTextFollowsTheFilesLayout) {
  struct Case {
    const char* what;
    std::string before;
    std::string after;
  };
  const Case cases[] = {
      {"one line, current form only",
       "<?xml version=\"1.0\"?><Project xmlns=\"http://schemas.microsoft.com/project\">"
       "<SaveVersion>14</SaveVersion><Calendars><Calendar><UID>1</UID><Name>Standard</Name>"
       "<IsBaseCalendar>1</IsBaseCalendar><WeekDays><WeekDay><DayType>1</DayType><DayWorking>0"
       "</DayWorking></WeekDay></WeekDays></Calendar></Calendars></Project>",
       "<?xml version=\"1.0\"?><Project xmlns=\"http://schemas.microsoft.com/project\">"
       "<SaveVersion>14</SaveVersion><Calendars><Calendar><UID>1</UID><Name>Standard</Name>"
       "<IsBaseCalendar>1</IsBaseCalendar><WeekDays><WeekDay><DayType>1</DayType><DayWorking>0"
       "</DayWorking></WeekDay></WeekDays><Exceptions><Exception><EnteredByOccurrences>0"
       "</EnteredByOccurrences><TimePeriod><FromDate>2012-05-01T00:00:00</FromDate><ToDate>"
       "2012-05-01T23:59:00</ToDate></TimePeriod><Occurrences>1</Occurrences><Name>Feriant "
       "holiday</Name><Type>1</Type><DayWorking>0</DayWorking></Exception></Exceptions>"
       "</Calendar></Calendars></Project>"},
      {"prefixed names, two-space indentation, older form, no WeekDays yet",
       "<p:Project xmlns:p=\"http://schemas.microsoft.com/project\">\n  <p:Calendars>\n"
       "    <p:Calendar>\n      <p:UID>1</p:UID>\n      <p:Name>Standard</p:Name>\n"
       "      <p:IsBaseCalendar>1</p:IsBaseCalendar>\n    </p:Calendar>\n  </p:Calendars>\n"
       "</p:Project>\n",
       "<p:Project xmlns:p=\"http://schemas.microsoft.com/project\">\n  <p:Calendars>\n"
       "    <p:Calendar>\n      <p:UID>1</p:UID>\n      <p:Name>Standard</p:Name>\n"
       "      <p:IsBaseCalendar>1</p:IsBaseCalendar>\n      <p:WeekDays>\n        <p:WeekDay>\n"
       "          <!-- Feriant holiday -->\n          <p:DayType>0</p:DayType>\n          "
       "<p:DayWorking>0</p:DayWorking>\n"
       "          <p:TimePeriod>\n            <p:FromDate>2012-05-01T00:00:00</p:FromDate>\n"
       "            <p:ToDate>2012-05-01T23:59:00</p:ToDate>\n          </p:TimePeriod>\n"
       "        </p:WeekDay>\n      </p:WeekDays>\n    </p:Calendar>\n  </p:Calendars>\n"
       "</p:Project>\n"},
      {"self-closing Exceptions",
       "<Project xmlns=\"http://schemas.microsoft.com/project\"><Calendars><Calendar><UID>1"
       "</UID><Name>S</Name><IsBaseCalendar>true</IsBaseCalendar><Exceptions/></Calendar>"
       "</Calendars></Project>",
       "<Project xmlns=\"http://schemas.microsoft.com/project\"><Calendars><Calendar><UID>1"
       "</UID><Name>S</Name><IsBaseCalendar>true</IsBaseCalendar><Exceptions><Exception>"
       "<EnteredByOccurrences>0</EnteredByOccurrences><TimePeriod><FromDate>2012-05-01T00:00:00"
       "</FromDate><ToDate>2012-05-01T23:59:00</ToDate></TimePeriod><Occurrences>1</Occurrences>"
       "<Name>Feriant holiday</Name><Type>1</Type><DayWorking>0</DayWorking></Exception>"
       "</Exceptions></Calendar></Calendars></Project>"},
  };
  for (const Case& c : cases) {
    auto file = ProjectFile::FromBytes("layout.xml", c.before);
    ASSERT_TRUE(file.ok()) << c.what << ": " << file.error().description;
    const std::string name = file->BaseCalendarNames().at(0);
    ASSERT_TRUE(file->EditDays(name, Ymd(2012, 5, 1), Ymd(2012, 5, 1), DayEdit::kNonWorking).ok());
    EXPECT_EQ(file->Render(), c.after) << c.what;
    ASSERT_TRUE(file->EditDays(name, Ymd(2012, 5, 1), Ymd(2012, 5, 1), DayEdit::kDefault).ok());
    auto back = ProjectFile::FromBytes("layout.xml", file->Render());
    ASSERT_TRUE(back.ok()) << c.what;
  }
}

TEST(ProjectFileTest, LineEndingsOfTheFileAreKept) {
  ProjectFile file = MustOpen(DataFile("project2010.xml"));
  ASSERT_TRUE(
      file.EditDays("Night Shift", Ymd(2010, 1, 1), Ymd(2010, 1, 3), DayEdit::kNonWorking).ok());
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2010, 12, 24), Ymd(2010, 12, 24), DayEdit::kDefault).ok());
  const std::string text = file.Render();
  ASSERT_NE(text, ReadWholeFile(DataFile("project2010.xml")));
  for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
    ASSERT_EQ(text[at - 1], '\r') << "bare line feed at byte " << at;
  }
}

TEST(ProjectFileTest, KeepsWhatAnotherProgramWroteMeanwhile) {
  ScratchDir dir;
  const fs::path path = dir.Copy("project2003.xml");
  ProjectFile file = MustOpen(path);
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  const std::string theirs = ReadWholeFile(DataFile("project2010.xml"));
  Put(path, theirs);
  Status saved = file.Save();
  ASSERT_FALSE(saved.ok());
  EXPECT_THAT(saved.error().description, HasSubstr("changed by another program"));
  EXPECT_THAT(saved.error().description, HasSubstr(path.string()));
  EXPECT_EQ(ReadWholeFile(path), theirs);
  EXPECT_TRUE(file.HasUnsavedChanges());

  fs::remove(path);
  EXPECT_FALSE(file.Save().ok());
  EXPECT_FALSE(fs::exists(path));
}

TEST(ProjectFileTest, ReadOnlyFileIsNotReplaced) {
  ScratchDir dir;
  const fs::path path = dir.Copy("project2003.xml");
  const std::string original = ReadWholeFile(path);
  ProjectFile file = MustOpen(path);
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  Status saved = file.Save();
  ASSERT_FALSE(saved.ok());
  EXPECT_THAT(saved.error().description, HasSubstr("read-only"));
  EXPECT_EQ(ReadWholeFile(path), original);
}

TEST(ProjectFileTest, ReadOnlyDirectoryGivesAClearError) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  ScratchDir dir;
  const fs::path path = dir.Copy("project2003.xml");
  const std::string original = ReadWholeFile(path);
  ProjectFile file = MustOpen(path);
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  Status saved = file.Save();
  fs::permissions(dir.path(), fs::perms::owner_all);
  ASSERT_FALSE(saved.ok());
  EXPECT_THAT(saved.error().description, HasSubstr(path.string()));
  EXPECT_THAT(saved.error().description, HasSubstr("Permission denied"));
  EXPECT_EQ(ReadWholeFile(path), original);
}

TEST(ProjectFileTest, SavingThroughASymbolicLinkKeepsTheLink) {
  ScratchDir dir;
  const fs::path target = dir.Copy("project2003.xml");
  const fs::path link = dir.path() / "current.xml";
  fs::create_symlink(target.filename(), link);
  ProjectFile file = MustOpen(link);
  ASSERT_TRUE(
      file.EditDays("Standard", Ymd(2006, 5, 1), Ymd(2006, 5, 1), DayEdit::kNonWorking).ok());
  ASSERT_TRUE(file.Save().ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(ReadWholeFile(target),
            ReadWholeFile(DataFile("project2003-standard-may-day.expected.xml")));
}

}  // namespace
}  // namespace feriant::project
