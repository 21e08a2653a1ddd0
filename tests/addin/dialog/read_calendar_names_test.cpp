#include "addin/dialog/read_calendar_names.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hosts/project/dispatch_ids.h"
#include "hosts/project/project_application.h"
#include "tests/addin/engine/scripted_object.h"
#include "tests/addin/engine/target_test_support.h"
#include "tests/hosts/project/test_files.h"

namespace feriant::dialog {
namespace {

namespace dispid = project::dispid;
using automation::Variant;
using feriant::testing::Answer;
using feriant::testing::Fail;
using feriant::testing::ScriptedObject;

// A value to answer, or nothing for a read that fails.
using Reading = std::optional<Variant>;

ScriptedObject::Member Read(const Reading& reading) {
  return reading ? Answer(*reading) : Fail("cannot be read");
}

// Project with an active project whose base calendars are (name, flag) pairs; every
// call is logged as "<type>.<member>".
struct FakeProject {
  explicit FakeProject(std::string version, std::vector<std::pair<std::string, Reading>> calendars,
                       Reading number = Variant(std::int32_t{0}), Reading text = Variant(""))
      : application(std::make_shared<ScriptedObject>("Application", log)) {
    automation::VariantArray elements;
    for (const auto& [name, flag] : calendars) {
      auto calendar = std::make_shared<ScriptedObject>("Calendar", log);
      calendar->On("Name", name == "!" ? Fail("no name") : Answer(Variant(name)),
                   dispid::kCalendarName);
      calendar->On("Enterprise", Read(flag), dispid::kCalendarEnterprise);
      elements.emplace_back(calendar);
    }
    auto collection = std::make_shared<ScriptedObject>("Calendars", log);
    collection->On("_NewEnum", Answer(Variant(elements)), dispid::kNewEnum);
    project = std::make_shared<ScriptedObject>("Project", log);
    project->On("BaseCalendars", Answer(Variant(collection)), dispid::kBaseCalendars)
        .On("DefaultTaskType", Read(number), dispid::kProjectDefaultTaskType)
        .On("Title", Read(text), dispid::kProjectTitle);
    application->On("Version", Answer(Variant(version)), dispid::kVersion)
        .On("ActiveProject", Answer(Variant(project)), dispid::kActiveProject);
  }

  size_t Calls(const std::string& call) const {
    return static_cast<size_t>(std::count(log->begin(), log->end(), call));
  }

  std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();
  std::shared_ptr<ScriptedObject> application;
  std::shared_ptr<ScriptedObject> project;
};

std::vector<CalendarListEntry> Selected(std::vector<std::string> names) {
  std::vector<CalendarListEntry> entries;
  for (std::string& name : names)
    entries.push_back(CalendarListEntry{std::move(name), true});
  return entries;
}

TEST(ReadCalendarNamesTest, BeforeVersion10EveryCalendarIsListed) {
  FakeProject project("9.0", {{"Standard", Variant(true)}, {"Night", Variant(true)}},
                      Variant(std::int32_t{2}));
  CalendarList list;
  feriant::testing::RecordingDialog dialog;
  ReadCalendarNames(*project.application, list, dialog);
  EXPECT_EQ(list.entries(), Selected({"Standard", "Night"}));
  EXPECT_TRUE(dialog.boxes.empty());
  EXPECT_EQ(project.Calls("Application.Version"), 2u);  // once per calendar
  for (const char* filter : {"Calendar.Enterprise", "Project.DefaultTaskType", "Project.Title"})
    EXPECT_EQ(project.Calls(filter), 0u) << filter;
}

// From version 10.0 on, a calendar with its flag set is listed as the project's number
// says; a read that fails inside the filter decides nothing, so the calendar is listed.
TEST(ReadCalendarNamesTest, FromVersion10TheFilterDecides) {
  const Reading kFails;
  struct Case {
    const char* version;
    Reading flag;
    Reading number;
    Reading text;
    bool listed;
  } cases[] = {
      {"14.0", Variant(false), Variant(std::int32_t{2}), Variant(""), true},
      {"14.0", Variant(true), Variant(std::int32_t{0}), Variant(""), true},
      {"14.0", Variant(true), Variant(std::int32_t{0}), Variant("Plant"), false},
      {"14.0", Variant(true), Variant(std::int32_t{1}), Variant("Plant"), true},
      {"14.0", Variant(true), Variant(std::int32_t{2}), Variant(""), false},
      {"14.0", Variant(true), Variant(std::int32_t{3}), Variant(""), false},
      {"14.0", Variant(true), Variant(std::int32_t{4}), Variant(""), true},
      {"14.0", Variant(true), Variant(std::int32_t{5}), Variant(""), true},
      {"14.0", Variant(true), Variant(std::int32_t{6}), Variant(""), true},
      {"10.0", Variant(true), Variant(std::int32_t{7}), Variant(""), false},
      {"14.0", Variant(true), Variant(std::int32_t{8}), Variant(""), true},
      {"14.0", Variant(true), Variant(std::int32_t{-1}), Variant(""), true},
      {"14.0", kFails, Variant(std::int32_t{2}), Variant(""), true},
      {"14.0", Variant("not a flag"), Variant(std::int32_t{2}), Variant(""), true},
      {"14.0", Variant(true), kFails, Variant("Plant"), true},
      {"14.0", Variant(true), Variant(std::int32_t{0}), kFails, true},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE("case " + std::to_string(i));
    FakeProject project(c.version, {{"Standard", Variant(false)}, {"Enterprise", c.flag}}, c.number,
                        c.text);
    CalendarList list;
    feriant::testing::RecordingDialog dialog;
    ReadCalendarNames(*project.application, list, dialog);
    EXPECT_EQ(list.entries(),
              c.listed ? Selected({"Standard", "Enterprise"}) : Selected({"Standard"}));
    EXPECT_TRUE(dialog.boxes.empty());
  }
}

// Failures outside the filter end the filling with the error box; what was listed stays,
// what the list held before does not.
TEST(ReadCalendarNamesTest, FailuresOutsideTheFilterAreShown) {
  FakeProject unnamed(
      "14.0", {{"Standard", Variant(false)}, {"!", Variant(false)}, {"Night", Variant(false)}});
  FakeProject closed("14.0", {{"Standard", Variant(false)}});
  closed.application->On("ActiveProject", Fail("no project is open"), dispid::kActiveProject);
  struct Case {
    FakeProject* project;
    std::vector<CalendarListEntry> left;
  } cases[] = {{&unnamed, Selected({"Standard"})}, {&closed, {}}};
  for (const Case& c : cases) {
    CalendarList list;
    list.AddItem("from before");
    feriant::testing::RecordingDialog dialog;
    ReadCalendarNames(*c.project->application, list, dialog);
    EXPECT_EQ(list.entries(), c.left);
    ASSERT_EQ(dialog.boxes.size(), 1u);
    EXPECT_EQ(dialog.boxes[0].text, "frmAddIn.ReadCalendarNames Error.");
    EXPECT_EQ(dialog.boxes[0].title, "Feriant");
    EXPECT_EQ(dialog.boxes[0].icon, engine::MessageIcon::kCritical);
    EXPECT_EQ(dialog.boxes[0].buttons, engine::MessageButtons::kOk);
    EXPECT_FALSE(dialog.boxes[0].detail.empty());
  }
}

TEST(ReadCalendarNamesTest, ListsTheBaseCalendarsOfAProjectFile) {
  project::testing::ScratchDir scratch;
  auto application = project::ProjectApplication::Create();
  ASSERT_TRUE(application->Open(scratch.Copy("project2010.xml")).ok());
  CalendarList list;
  feriant::testing::RecordingDialog dialog;
  for (int i = 0; i < 2; ++i) {  // refilled, as after the Organizer
    ReadCalendarNames(*application, list, dialog);
    EXPECT_EQ(list.entries(), Selected({"Standard", "24 Hours", "Night Shift"}));
  }
  EXPECT_EQ(list.SelectedTexts(),
            (std::vector<std::string>{"Standard", "24 Hours", "Night Shift"}));
  EXPECT_TRUE(dialog.boxes.empty());
}

}  // namespace
}  // namespace feriant::dialog
