#include "hosts/project/project_application.h"

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "hosts/project/dispatch_ids.h"
#include "platform/registry/registry.h"
#include "tests/hosts/project/test_files.h"

namespace feriant::project {
namespace {

using automation::Date;
using automation::NamedArg;
using automation::ObjectRef;
using automation::Variant;
using feriant::testing::ReadWholeFile;
using testing::DataFile;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::ScratchDir;
namespace hresult = automation::hresult;

Variant DateOf(int y, unsigned m, unsigned d) {
  return Variant(Date::FromDay({std::chrono::year(y), std::chrono::month(m), std::chrono::day(d)}));
}

ObjectRef ObjectOf(Result<Variant> value) {
  EXPECT_TRUE(value.ok()) << value.error().description;
  return value.ok() ? value->AsObject() : nullptr;
}

std::string TextOf(Result<Variant> value) {
  EXPECT_TRUE(value.ok()) << value.error().description;
  return value.ok() && value->AsString() != nullptr ? *value->AsString() : "<not text>";
}

std::int32_t CountOf(automation::Dispatch& collection) {
  auto count = collection.Get(dispid::kCount);
  EXPECT_TRUE(count.ok());
  return count.ok() ? count->ToI4().value_or(-1) : -1;
}

// Like an installed Project, the stand-in records its language under the key of its
// version when none is recorded, and leaves one that is.
TEST(ProjectApplicationTest, RecordsTheLocaleAsCurrentUIWhenMissing) {
  ScratchDir scratch;
  const auto file = scratch.path() / "registry.json";
  ::feriant::testing::ScopedEnv registry_file("FERIANT_REGISTRY", file.string());
  ::feriant::testing::ScopedEnv lc_all("LC_ALL", "");
  ::feriant::testing::ScopedEnv lc_messages("LC_MESSAGES", "");
  ::feriant::testing::ScopedEnv lang("LANG", "en_GB.UTF-8");
  const registry::Registry reg(file);
  const auto current_ui = [&](const char* version) {
    const std::string key = "Software\\Microsoft\\Office\\" + std::string(version) + "\\MS Project";
    return reg.ReadValue(key, "CurrentUI").value_or(std::nullopt);
  };
  auto app = ProjectApplication::Create();
  ASSERT_TRUE(app->RecordUserInterfaceLanguage());
  EXPECT_EQ(current_ui("14.0"), registry::RegistryValue(std::int32_t{2057}));

  ASSERT_TRUE(reg.WriteValue("Software\\Microsoft\\Office\\11.0\\MS Project", "CurrentUI",
                             std::string("1031")));
  ASSERT_TRUE(app->Open(scratch.Copy("project2003.xml")));
  ASSERT_TRUE(app->RecordUserInterfaceLanguage());
  EXPECT_EQ(current_ui("11.0"), registry::RegistryValue(std::string("1031")));
}

TEST(ProjectApplicationTest, WithoutAFileThereIsNoProject) {
  auto app = ProjectApplication::Create();
  EXPECT_FALSE(app->HasOpenProject());
  EXPECT_EQ(TextOf(app->Get(dispid::kVersion)), "14.0");
  ObjectRef projects = ObjectOf(app->Get(dispid::kProjects));
  ASSERT_NE(projects, nullptr);
  EXPECT_EQ(CountOf(*projects), 0);
  EXPECT_FALSE(app->Get(dispid::kActiveProject).ok());

  auto bars = app->Get(dispid::kCommandBars);
  ASSERT_FALSE(bars.ok());
  EXPECT_THAT(bars.error().description, HasSubstr("not available"));
  // The Organizer returns at once when no host shows one.
  EXPECT_TRUE(app->Call(dispid::kOrganizer, {Variant(std::int32_t{5})}).ok());

  auto edit = app->Call(dispid::kBaseCalendarEditDays, {Variant("Standard"), DateOf(2006, 5, 1),
                                                        DateOf(2006, 5, 1), Variant(false)});
  ASSERT_FALSE(edit.ok());
  EXPECT_THAT(edit.error().description, HasSubstr("no project is open"));
  EXPECT_TRUE(app->Save().ok());
}

TEST(ProjectApplicationTest, HooksForOrganizerAndCommandBars) {
  auto app = ProjectApplication::Create();
  std::vector<std::int32_t> shown;
  app->SetOrganizer([&](std::int32_t tab) {
    shown.push_back(tab);
    return tab == 5 ? Ok() : Status(Error{1, "no such tab", {}});
  });
  EXPECT_TRUE(app->Call(dispid::kOrganizer, {Variant(std::int32_t{5})}).ok());
  EXPECT_FALSE(app->Call(dispid::kOrganizer, {Variant(std::int16_t{2})}).ok());
  auto missing = app->Call(dispid::kOrganizer);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().code, hresult::kParamNotOptional);
  EXPECT_THAT(shown, ElementsAre(5, 2));

  auto bars = ProjectApplication::Create();
  app->SetCommandBars([&]() -> Result<ObjectRef> { return ObjectRef(bars); });
  EXPECT_EQ(ObjectOf(app->Get(dispid::kCommandBars)), bars);
}

TEST(ProjectApplicationTest, ListsBaseCalendarsLateBound) {
  auto app = ProjectApplication::Create();
  ObjectRef projects = ObjectOf(app->Get(dispid::kProjects));
  ASSERT_TRUE(app->Open(DataFile("project2010.xml")).ok());
  EXPECT_EQ(CountOf(*projects), 1);  // the collection reads the application live
  EXPECT_EQ(TextOf(app->Get("version")), "14.0");

  ObjectRef project = ObjectOf(app->Get(dispid::kActiveProject));
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(ObjectOf(projects->Get(dispid::kItem, {Variant(std::int32_t{1})})), project);
  EXPECT_EQ(TextOf(project->Get(dispid::kProjectTitle)),
            "Umspannwerk S\xC3\xBC"
            "d, Erweiterung");
  auto task_type = project->Get(dispid::kProjectDefaultTaskType);
  ASSERT_TRUE(task_type.ok());
  EXPECT_EQ(task_type->type(), automation::VarType::kI4);
  EXPECT_EQ(task_type->ToI4().value_or(-1), 0);
  EXPECT_EQ(TextOf(project->Get("Name")), "project2010.xml");

  ObjectRef calendars = ObjectOf(project->Get(dispid::kBaseCalendars));
  ASSERT_NE(calendars, nullptr);
  EXPECT_EQ(CountOf(*calendars), 3);
  auto elements = calendars->Enumerate();
  ASSERT_TRUE(elements.ok());
  std::vector<std::string> names;
  for (const Variant& element : *elements) {
    ObjectRef calendar = element.AsObject();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->TypeName(), "Calendar");
    names.push_back(TextOf(calendar->Get(automation::kDispIdValue)));
    EXPECT_EQ(TextOf(calendar->Get("Name")), names.back());
    auto enterprise = calendar->Get("Enterprise");
    ASSERT_TRUE(enterprise.ok());
    EXPECT_EQ(enterprise->type(), automation::VarType::kBool);
    EXPECT_FALSE(enterprise->ToBool().value_or(true));
  }
  EXPECT_THAT(names, ElementsAre("Standard", "24 Hours", "Night Shift"));

  EXPECT_EQ(
      TextOf(ObjectOf(calendars->Get(dispid::kItem, {Variant(std::int32_t{2})}))->Get("Name")),
      "24 Hours");
  EXPECT_EQ(TextOf(ObjectOf(calendars->Get(dispid::kItem, {Variant("night shift")}))->Get("Name")),
            "Night Shift");
  for (const Variant& index :
       {Variant(std::int32_t{0}), Variant(std::int32_t{4}), Variant("Jonas Weber")}) {
    auto item = calendars->Get(dispid::kItem, {index});
    ASSERT_FALSE(item.ok());
    EXPECT_EQ(item.error().code, hresult::kBadIndex);
  }
}

struct CallStyle {
  const char* what;
  std::vector<Variant> args;
  std::vector<NamedArg> named;
};

TEST(ProjectApplicationTest, BaseCalendarEditDaysTakesItsArgumentsByNameOrPosition) {
  const CallStyle styles[] = {
      {"by name",
       {},
       {{"Name", Variant("Standard")},
        {"StartDate", DateOf(2006, 5, 1)},
        {"EndDate", DateOf(2006, 5, 1)},
        {"Working", Variant(false)}}},
      {"names in any case and order",
       {},
       {{"working", Variant(false)},
        {"ENDDATE", DateOf(2006, 5, 1)},
        {"name", Variant("Standard")},
        {"startDate", DateOf(2006, 5, 1)}}},
      {"by position",
       {Variant("Standard"), DateOf(2006, 5, 1), DateOf(2006, 5, 1), Variant(false)},
       {}},
      {"mixed, date texts, Default false",
       {Variant("Standard")},
       {{"StartDate", Variant("2006-05-01")},
        {"EndDate", Variant("2006-05-01 17:00")},
        {"Working", Variant(std::int16_t{0})},
        {"Default", Variant(false)}}},
  };
  for (const CallStyle& style : styles) {
    SCOPED_TRACE(style.what);
    ScratchDir dir;
    const auto path = dir.Copy("project2003.xml");
    auto app = ProjectApplication::Create();
    ASSERT_TRUE(app->Open(path).ok());
    auto id = app->GetIdOfName("BaseCalendarEditDays");
    ASSERT_TRUE(id.ok());
    EXPECT_EQ(*id, dispid::kBaseCalendarEditDays);
    auto result = app->Call(*id, style.args, style.named);
    ASSERT_TRUE(result.ok()) << result.error().description;
    EXPECT_TRUE(app->HasUnsavedChanges());
    ASSERT_TRUE(app->Save().ok());
    EXPECT_FALSE(app->HasUnsavedChanges());
    EXPECT_EQ(ReadWholeFile(path),
              ReadWholeFile(DataFile("project2003-standard-may-day.expected.xml")));
  }

  // Default = true takes the program's own May Day away again.
  ScratchDir dir;
  const auto path = dir.Copy("project2003-standard-may-day.expected.xml");
  auto app = ProjectApplication::Create();
  ASSERT_TRUE(app->Open(path).ok());
  ASSERT_TRUE(app->Call("BaseCalendarEditDays", {},
                        {{"Name", Variant("Standard")},
                         {"StartDate", DateOf(2006, 5, 1)},
                         {"EndDate", DateOf(2006, 5, 1)},
                         {"Default", Variant(true)}})
                  .ok());
  ASSERT_TRUE(app->Save().ok());
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("project2003.xml")));
}

TEST(ProjectApplicationTest, BaseCalendarEditDaysRefusesBadCalls) {
  struct Case {
    const char* what;
    std::vector<Variant> args;
    std::vector<NamedArg> named;
    std::int32_t code;
    const char* text;
  };
  const Variant day = DateOf(2006, 5, 1);
  const Variant name("Standard");
  const Variant no(false);
  const Variant yes(true);
  auto other = ProjectApplication::Create();
  const Case cases[] = {
      {"no Name",
       {},
       {{"StartDate", day}, {"EndDate", day}, {"Working", no}},
       hresult::kParamNotOptional,
       "Name"},
      {"no StartDate",
       {},
       {{"Name", name}, {"EndDate", day}, {"Working", no}},
       hresult::kParamNotOptional,
       "StartDate"},
      {"no EndDate", {name, day}, {{"Working", no}}, hresult::kParamNotOptional, "EndDate"},
      {"neither Working nor Default", {name, day, day}, {}, hresult::kInvalidArg, "Working"},
      {"Default false alone", {name, day, day}, {{"Default", no}}, hresult::kInvalidArg, "Default"},
      {"Working true", {name, day, day, yes}, {}, hresult::kInvalidArg, "not supported"},
      {"both", {name, day, day, no, yes}, {}, hresult::kInvalidArg, "contradict"},
      {"unknown argument name",
       {name, day, day, no},
       {{"Shift1Start", Variant("08:00")}},
       hresult::kUnknownName,
       "Shift1Start"},
      {"too many arguments", {name, day, day, no, no, no}, {}, hresult::kBadParamCount, ""},
      {"Name not text", {Variant(ObjectRef(other)), day, day, no}, {}, hresult::kTypeMismatch, ""},
      {"StartDate not a date",
       {name, Variant("May Day"), day, no},
       {},
       hresult::kTypeMismatch,
       "May Day"},
      {"EndDate not finite",
       {name, day, Variant(std::numeric_limits<double>::quiet_NaN()), no},
       {},
       hresult::kException,
       "EndDate"},
      {"EndDate far out", {name, day, Variant(1e300), no}, {}, hresult::kException, "EndDate"},
      {"before 1984",
       {name, DateOf(1983, 12, 31), DateOf(1984, 1, 2), no},
       {},
       hresult::kException,
       "1983-12-31 is outside"},
      {"after 2049",
       {name, DateOf(2049, 12, 31), DateOf(2050, 1, 1), no},
       {},
       hresult::kException,
       "2050-01-01 is outside"},
      {"after 2049, removing",
       {name, DateOf(2050, 1, 1), DateOf(2050, 1, 1)},
       {{"Default", yes}},
       hresult::kException,
       "2050-01-01 is outside"},
      {"unknown calendar",
       {Variant("Feiertage"), day, day, no},
       {},
       hresult::kException,
       "no base calendar named \"Feiertage\""},
      {"resource calendar",
       {Variant("Anna Berger"), day, day, no},
       {},
       hresult::kException,
       "no base calendar named \"Anna Berger\""},
  };
  auto app = ProjectApplication::Create();
  ASSERT_TRUE(app->Open(DataFile("project2003.xml")).ok());
  for (const Case& c : cases) {
    auto result = app->Call(dispid::kBaseCalendarEditDays, c.args, c.named);
    ASSERT_FALSE(result.ok()) << c.what;
    EXPECT_EQ(result.error().code, c.code) << c.what << ": " << result.error().description;
    EXPECT_THAT(result.error().description, HasSubstr(c.text)) << c.what;
  }
  EXPECT_FALSE(app->HasUnsavedChanges());
}

TEST(ProjectApplicationTest, OpenCloseAndUnsavedEdits) {
  auto app = ProjectApplication::Create();
  auto refused = app->Open(DataFile("does-not-exist.xml"));
  ASSERT_FALSE(refused.ok());
  EXPECT_THAT(refused.error().description, HasSubstr("does-not-exist.xml"));
  EXPECT_FALSE(app->HasOpenProject());

  ASSERT_TRUE(app->Open(DataFile("project2003.xml")).ok());
  EXPECT_EQ(TextOf(app->Get(dispid::kVersion)), "11.0");
  ObjectRef old_project = ObjectOf(app->Get(dispid::kActiveProject));
  ASSERT_TRUE(app->Call(dispid::kBaseCalendarEditDays, {Variant("Night Shift"), DateOf(2006, 5, 1),
                                                        DateOf(2006, 5, 1), Variant(false)})
                  .ok());
  // Opening another file would drop the edit: refused until it is saved or discarded.
  auto second = app->Open(DataFile("project2010.xml"));
  ASSERT_FALSE(second.ok());
  EXPECT_THAT(second.error().description, HasSubstr("not saved"));
  EXPECT_EQ(TextOf(app->Get(dispid::kVersion)), "11.0");

  app->Close();
  EXPECT_FALSE(app->HasOpenProject());
  EXPECT_FALSE(app->HasUnsavedChanges());
  EXPECT_FALSE(app->Get(dispid::kActiveProject).ok());
  ASSERT_TRUE(app->Open(DataFile("project2010.xml")).ok());
  EXPECT_EQ(TextOf(app->Get(dispid::kVersion)), "14.0");
  // An object taken earlier still answers, about the file it came from.
  EXPECT_EQ(TextOf(old_project->Get(dispid::kProjectTitle)), "Kanalbau Nord");
}

}  // namespace
}  // namespace feriant::project
