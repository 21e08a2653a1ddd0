#include "hosts/outlook/object_model.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hosts/outlook/outlook.h"
#include "tests/hosts/outlook/calendar_test_support.h"

namespace feriant::outlook {
namespace {

using automation::Date;
using automation::Dispatch;
using automation::NamedArg;
using automation::ObjectRef;
using automation::Variant;
using feriant::testing::ReadWholeFile;
using std::chrono::local_days;
using std::chrono::local_seconds;
using testing::CalendarTest;
using testing::DataFile;
using testing::WriteBytes;
namespace hresult = automation::hresult;

constexpr const char* kWorldCup = "2006 FIFA World Cup Germany\xE2\x84\xA2";

local_seconds At(int y, unsigned m, unsigned d, int hour = 0, int minute = 0) {
  return local_days(std::chrono::year(y) / m / d) + std::chrono::hours(hour) +
         std::chrono::minutes(minute);
}

Variant DateAt(int y, unsigned m, unsigned d, int hour = 0, int minute = 0) {
  return Variant(Date::FromLocal(At(y, m, d, hour, minute)));
}

std::int32_t ObjectErrorCode(std::int32_t code) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(hresult::kObjectErrorBase) +
                                   static_cast<std::uint32_t>(code));
}

std::string DescriptionOf(const Result<Variant>& result) {
  return result.ok() ? "" : result.error().description;
}

class OutlookModelTest : public CalendarTest {
 protected:
  void TearDown() override {
    // A second reader must accept every calendar file the model wrote.
    std::vector<std::filesystem::path> files;
    for (const auto& file : written_) {
      if (std::filesystem::exists(file)) files.push_back(file);
    }
    if (!files.empty() && testing::PythonIcalendarAvailable()) {
      EXPECT_EQ(testing::PythonIcalendarProblems(files), "");
    }
    CalendarTest::TearDown();
  }

  std::shared_ptr<Dispatch> App(const std::filesystem::path& path) {
    written_.push_back(path);
    OutlookOptions options;
    options.new_uid = CountingUids();
    options.stamp_time = FixedStamps();
    return CreateOutlookApplication(path, std::move(options));
  }

  static ObjectRef Object(const Result<Variant>& result) {
    EXPECT_TRUE(result.ok()) << DescriptionOf(result);
    if (!result.ok()) return nullptr;
    EXPECT_TRUE(result->IsObject());
    return result->AsObject();
  }
  static ObjectRef Folder(Dispatch& app) {
    ObjectRef mapi = Object(app.Call("GetNamespace", {"MAPI"}));
    return mapi ? Object(mapi->Call("GetDefaultFolder", {9})) : nullptr;
  }
  static ObjectRef Items(Dispatch& app) {
    ObjectRef folder = Folder(app);
    return folder ? Object(folder->Get("Items")) : nullptr;
  }
  static std::int32_t Count(Dispatch& items) { return items.Get("Count")->ToI4().value_or(-1); }
  static ObjectRef ItemAt(Dispatch& items, std::int32_t position) {
    return Object(items.Get("Item", {position}));
  }
  static std::string Text(Dispatch& item, std::string_view member) {
    Result<Variant> value = item.Get(member);
    EXPECT_TRUE(value.ok()) << member << ": " << DescriptionOf(value);
    return value.ok() ? value->ToString().value_or("?") : "?";
  }
  static local_seconds Time(Dispatch& item, std::string_view member) {
    Result<Variant> value = item.Get(member);
    EXPECT_TRUE(value.ok()) << member << ": " << DescriptionOf(value);
    return value.ok() ? value->ToDate().value_or(Date()).ToLocal() : local_seconds{};
  }
  static void Put(Dispatch& item, std::string_view member, Variant value) {
    Status put = item.Put(member, std::move(value));
    EXPECT_TRUE(put.ok()) << member << ": " << (put.ok() ? "" : put.error().description);
  }
  static void Save(Dispatch& item) {
    Result<Variant> saved = item.Call("Save");
    EXPECT_TRUE(saved.ok()) << DescriptionOf(saved);
  }
  static void SaveChanges(Dispatch& app) {
    ObjectRef folder = Folder(app);
    ASSERT_NE(folder, nullptr);
    Result<Variant> saved = folder->Call("SaveChanges");
    EXPECT_TRUE(saved.ok()) << DescriptionOf(saved);
  }

  // An appointment the way the add-in enters a holiday.
  static ObjectRef AddHoliday(Dispatch& app, const std::string& name, local_days day,
                              const std::string& country, const std::string& regions) {
    ObjectRef item = Object(app.Call("CreateItem", {1}));
    if (!item) return nullptr;
    Put(*item, "Subject", name);
    Put(*item, "Start", Variant(Date::FromLocal(day)));
    Put(*item, "AllDayEvent", true);
    Put(*item, "Location", country);
    Put(*item, "Body", regions);
    Put(*item, "Categories", "Holiday");
    Put(*item, "ReminderSet", false);
    Save(*item);
    return item;
  }
  // An appointment the way the add-in enters a football match.
  static ObjectRef AddMatch(Dispatch& app, const std::string& name, local_seconds kick_off) {
    ObjectRef item = Object(app.Call("CreateItem", {1}));
    if (!item) return nullptr;
    Put(*item, "Subject", name);
    Put(*item, "Start", Variant(Date::FromLocal(kick_off)));
    Put(*item, "AllDayEvent", false);
    Put(*item, "Duration", 180);
    Put(*item, "Body", "");
    Put(*item, "Location", "");
    Put(*item, "Body", "Non-statutory");
    Put(*item, "Categories", kWorldCup);
    Put(*item, "ReminderSet", false);
    Save(*item);
    return item;
  }

  std::vector<std::filesystem::path> written_;
};

TEST_F(OutlookModelTest, AddingAHolidayAndAMatchGivesTheExpectedFile) {
  const auto path = Copy("thunderbird.ics", "calendar.ics");
  auto app = App(path);
  ASSERT_NE(AddHoliday(*app, "Corpus Christi", local_days(std::chrono::year(2006) / 6 / 15),
                       "Deutschland (partially)",
                       "Deutschland/Baden-W\xC3\xBCrtemberg (Statutory)\r\n"
                       "Deutschland/Bayern (Statutory)"),
            nullptr);
  ASSERT_NE(AddMatch(*app, "Deutschland - Costa Rica", At(2006, 6, 9, 18)), nullptr);
  SaveChanges(*app);
  EXPECT_FALSE(HasUnsavedChanges(*app));
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("thunderbird-added.ics")));
}

TEST_F(OutlookModelTest, PositionsFollowTheFileAndNewItemsComeLast) {
  auto app = App(Copy("thunderbird.ics", "calendar.ics"));
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  const std::vector<std::string> in_file = {"Zahnarzt Dr. M\xC3\xBCller", "Chorprobe",
                                            "Sommerfest im B\xC3\xBCro"};
  const auto subjects = [&] {
    std::vector<std::string> by_position;
    for (std::int32_t i = 1; i <= Count(*items); ++i)
      by_position.push_back(Text(*ItemAt(*items, i), "Subject"));
    std::vector<std::string> enumerated;
    const Result<automation::VariantArray> all = items->Enumerate();
    EXPECT_TRUE(all.ok());
    for (const Variant& item : all.value_or(automation::VariantArray{})) {
      enumerated.push_back(Text(*item.AsObject(), "Subject"));
    }
    EXPECT_EQ(enumerated, by_position) << "enumeration and positions disagree";
    return by_position;
  };
  EXPECT_EQ(subjects(), in_file);

  ObjectRef added = AddHoliday(*app, "Neujahr", local_days(std::chrono::year(2007) / 1 / 1),
                               "Deutschland", "Deutschland (Bundesweit)");
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(subjects(), (std::vector<std::string>{in_file[0], in_file[1], in_file[2], "Neujahr"}));

  // The saved new item is the calendar's: a further change lands on the same event.
  Put(*added, "Location", "Deutschland, \xC3\x96sterreich");
  Save(*added);
  EXPECT_EQ(Text(*ItemAt(*items, 4), "Location"), "Deutschland, \xC3\x96sterreich");

  ASSERT_TRUE(ItemAt(*items, 2)->Call("Delete").ok());
  EXPECT_EQ(subjects(), (std::vector<std::string>{in_file[0], in_file[2], "Neujahr"}));
  ASSERT_TRUE(ItemAt(*items, 3)->Call("Delete").ok());
  EXPECT_EQ(subjects(), (std::vector<std::string>{in_file[0], in_file[2]}));
}

TEST_F(OutlookModelTest, BadPositionsAreClearErrors) {
  auto app = App(Copy("thunderbird.ics", "calendar.ics"));
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  struct Case {
    const char* name;
    std::vector<Variant> args;
    std::int32_t code;
    const char* detail;
  };
  const Case cases[] = {
      {"zero",
       {0},
       hresult::kBadIndex,
       "there is no item at position 0; the calendar holds 3 items"},
      {"negative", {-1}, hresult::kBadIndex, "there is no item at position -1"},
      {"past the end", {4}, hresult::kBadIndex, "there is no item at position 4"},
      {"not a number", {"first"}, hresult::kTypeMismatch, ""},
      {"no position", {}, hresult::kParamNotOptional, ""},
  };
  for (const Case& c : cases) {
    Result<Variant> item = items->Get("Item", c.args);
    ASSERT_FALSE(item.ok()) << c.name;
    EXPECT_EQ(item.error().code, c.code) << c.name;
    EXPECT_NE(item.error().description.find(c.detail), std::string::npos)
        << c.name << ": " << item.error().description;
  }
  // Items(i) is the collection's default member, as in Outlook.
  Result<Variant> by_default = items->Get(automation::kDispIdValue, {3});
  ASSERT_TRUE(by_default.ok());
  EXPECT_EQ(Text(*by_default->AsObject(), "Subject"), "Sommerfest im B\xC3\xBCro");
}

TEST_F(OutlookModelTest, TextsRoundTripThroughTheFile) {
  struct Case {
    const char* member;
    std::string put;
    std::string read;
    std::string line;  // what the file holds
  };
  const Case cases[] = {
      {"Body", "Zeile 1\r\nZeile 2\r\n\r\nZeile 4", "Zeile 1\r\nZeile 2\r\n\r\nZeile 4",
       "DESCRIPTION:Zeile 1\\nZeile 2\\n\\nZeile 4\r\n"},
      {"Body", "a\nb\rc", "a\r\nb\r\nc", "DESCRIPTION:a\\nb\\nc\r\n"},
      {"Body", "Komma, Semikolon; Backslash \\", "Komma, Semikolon; Backslash \\",
       "DESCRIPTION:Komma\\, Semikolon\\; Backslash \\\\\r\n"},
      {"Categories", "Holiday, Private", "Holiday, Private", "CATEGORIES:Holiday,Private\r\n"},
      {"Categories", "Holiday,Private", "Holiday, Private", "CATEGORIES:Holiday,Private\r\n"},
      {"Categories", " Feiertag , ,Privat ", "Feiertag, Privat", "CATEGORIES:Feiertag,Privat\r\n"},
      {"Categories", kWorldCup, kWorldCup, std::string("CATEGORIES:") + kWorldCup + "\r\n"},
      {"Subject", "Tag\r\nder Arbeit", "Tag der Arbeit", "SUMMARY:Tag der Arbeit\r\n"},
      {"Subject", "Caf\xE9", "Caf\xEF\xBF\xBD", "SUMMARY:Caf\xEF\xBF\xBD\r\n"},
      {"Location", "Deutschland, \xC3\x96sterreich", "Deutschland, \xC3\x96sterreich",
       "LOCATION:Deutschland\\, \xC3\x96sterreich\r\n"},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const auto path = dir_.path() / ("texts-" + std::to_string(i) + ".ics");
    {
      auto app = App(path);
      ObjectRef item = Object(app->Call("CreateItem", {1}));
      ASSERT_NE(item, nullptr);
      Put(*item, c.member, c.put);
      EXPECT_EQ(Text(*item, c.member), c.read) << c.member << " before saving";
      Save(*item);
      EXPECT_EQ(Text(*item, c.member), c.read) << c.member << " after saving";
      SaveChanges(*app);
    }
    EXPECT_NE(ReadWholeFile(path).find(c.line), std::string::npos) << c.member << ": " << c.put;
    auto reread = App(path);
    ObjectRef items = Items(*reread);
    ASSERT_NE(items, nullptr);
    ASSERT_EQ(Count(*items), 1);
    EXPECT_EQ(Text(*ItemAt(*items, 1), c.member), c.read) << c.member << " read back";
  }
}

TEST_F(OutlookModelTest, ATimedItemShowsTheSameWallClockToEveryReader) {
  const auto path = dir_.path() / "match.ics";
  {
    auto app = App(path);
    ObjectRef match = AddMatch(*app, "Deutschland - Costa Rica", At(2006, 6, 9, 18));
    ASSERT_NE(match, nullptr);
    EXPECT_EQ(Time(*match, "End"), At(2006, 6, 9, 21));
    SaveChanges(*app);
  }
  const std::string text = ReadWholeFile(path);
  EXPECT_NE(text.find("DTSTART:20060609T160000Z\r\nDTEND:20060609T190000Z\r\n"), std::string::npos);
  auto app = App(path);
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  ObjectRef match = ItemAt(*items, 1);
  EXPECT_EQ(Time(*match, "Start"), At(2006, 6, 9, 18));
  EXPECT_EQ(Time(*match, "End"), At(2006, 6, 9, 21));
  EXPECT_EQ(match->Get("Duration")->ToI4().value(), 180);
  EXPECT_FALSE(match->Get("AllDayEvent")->ToBool().value());
}

TEST_F(OutlookModelTest, AllDayItemsStartAtMidnightAndLastWholeDays) {
  struct Step {
    const char* member;
    Variant value;
  };
  struct Case {
    const char* name;
    std::vector<Step> steps;
    local_seconds start;
    std::int32_t duration;
    bool all_day;
  };
  const Case cases[] = {
      {"half an hour becomes its day",
       {{"Start", DateAt(2006, 6, 9, 10)}, {"Duration", 30}, {"AllDayEvent", true}},
       At(2006, 6, 9),
       1440,
       true},
      {"past midnight becomes two days",
       {{"Start", DateAt(2006, 6, 9, 22)}, {"Duration", 180}, {"AllDayEvent", true}},
       At(2006, 6, 9),
       2880,
       true},
      {"a duration rounds up to days",
       {{"Start", DateAt(2006, 6, 9)}, {"AllDayEvent", true}, {"Duration", 1441}},
       At(2006, 6, 9),
       2880,
       true},
      {"a short duration is one day",
       {{"Start", DateAt(2006, 6, 9)}, {"AllDayEvent", true}, {"Duration", 180}},
       At(2006, 6, 9),
       1440,
       true},
      {"a start with a time keeps to its day",
       {{"AllDayEvent", true}, {"Start", DateAt(2006, 6, 12, 15, 30)}},
       At(2006, 6, 12),
       1440,
       true},
      {"back to timed keeps start and length",
       {{"Start", DateAt(2006, 6, 9)}, {"AllDayEvent", true}, {"AllDayEvent", false}},
       At(2006, 6, 9),
       1440,
       false},
      {"a match",
       {{"Start", DateAt(2006, 6, 9, 18)}, {"AllDayEvent", false}, {"Duration", 180}},
       At(2006, 6, 9, 18),
       180,
       false},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const auto path = dir_.path() / ("all-day-" + std::to_string(i) + ".ics");
    {
      auto app = App(path);
      ObjectRef item = Object(app->Call("CreateItem", {1}));
      ASSERT_NE(item, nullptr);
      for (const Step& step : c.steps)
        Put(*item, step.member, step.value);
      EXPECT_EQ(Time(*item, "Start"), c.start) << c.name;
      EXPECT_EQ(item->Get("Duration")->ToI4().value(), c.duration) << c.name;
      Save(*item);
      SaveChanges(*app);
    }
    auto app = App(path);
    ObjectRef items = Items(*app);
    ASSERT_NE(items, nullptr);
    ObjectRef item = ItemAt(*items, 1);
    EXPECT_EQ(Time(*item, "Start"), c.start) << c.name << " read back";
    EXPECT_EQ(item->Get("Duration")->ToI4().value(), c.duration) << c.name << " read back";
    EXPECT_EQ(item->Get("AllDayEvent")->ToBool().value(), c.all_day) << c.name;
    EXPECT_EQ(Time(*item, "End"), c.start + std::chrono::minutes(c.duration)) << c.name;
  }
}

TEST_F(OutlookModelTest, RefusesValuesOutlookRefuses) {
  auto app = App(dir_.path() / "refusals.ics");
  ObjectRef item = Object(app->Call("CreateItem", {1}));
  ASSERT_NE(item, nullptr);
  struct Case {
    const char* member;
    Variant value;
    std::int32_t code;
  };
  const Case cases[] = {
      {"Duration", -1, hresult::kInvalidArg},
      {"Duration", "long", hresult::kTypeMismatch},
      {"Start", DateAt(1600, 12, 31), hresult::kInvalidArg},
      {"Start", DateAt(4501, 1, 1), hresult::kInvalidArg},
      {"Start", Variant(1e300), hresult::kOverflow},
      {"AllDayEvent", "vielleicht", hresult::kTypeMismatch},
  };
  const local_seconds start = Time(*item, "Start");
  for (const Case& c : cases) {
    Status put = item->Put(c.member, c.value);
    ASSERT_FALSE(put.ok()) << c.member;
    EXPECT_EQ(put.error().code, c.code) << c.member << ": " << put.error().description;
  }
  EXPECT_EQ(Time(*item, "Start"), start);
  EXPECT_EQ(item->Get("Duration")->ToI4().value(), 30);
}

TEST_F(OutlookModelTest, ReminderSetAddsAndRemovesTheAlarm) {
  const auto path = Copy("thunderbird.ics", "calendar.ics");
  {
    auto app = App(path);
    ObjectRef items = Items(*app);
    ASSERT_NE(items, nullptr);
    ObjectRef dentist = ItemAt(*items, 1);
    ObjectRef choir = ItemAt(*items, 2);
    EXPECT_TRUE(dentist->Get("ReminderSet")->ToBool().value());
    EXPECT_FALSE(choir->Get("ReminderSet")->ToBool().value());
    Put(*dentist, "ReminderSet", false);
    Put(*choir, "ReminderSet", true);
    Save(*dentist);
    Save(*choir);
    ObjectRef fresh = Object(app->Call("CreateItem", {1}));
    EXPECT_TRUE(fresh->Get("ReminderSet")->ToBool().value()) << "Outlook's default";
    SaveChanges(*app);
  }
  const std::string text = ReadWholeFile(path);
  EXPECT_EQ(text.find("Default Mozilla Description"), std::string::npos);
  EXPECT_NE(text.find("X-MOZ-GENERATION:5\r\nSEQUENCE:1\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                      "TRIGGER:-PT15M\r\nDESCRIPTION:Reminder\r\nEND:VALARM\r\nEND:VEVENT\r\n"),
            std::string::npos);
  auto app = App(path);
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  EXPECT_FALSE(ItemAt(*items, 1)->Get("ReminderSet")->ToBool().value());
  EXPECT_TRUE(ItemAt(*items, 2)->Get("ReminderSet")->ToBool().value());
}

TEST_F(OutlookModelTest, ImportingWhatIsThereAlreadyWritesNothing) {
  const auto path = Copy("thunderbird-added.ics", "calendar.ics");
  struct stat before {};
  ::stat(path.c_str(), &before);
  auto app = App(path);
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  ObjectRef holiday = ItemAt(*items, 4);
  ASSERT_EQ(Text(*holiday, "Subject"), "Corpus Christi");
  // The add-in sets these on every holiday it finds again.
  Put(*holiday, "AllDayEvent", true);
  Put(*holiday, "Location", Text(*holiday, "Location"));
  Put(*holiday, "Body", Text(*holiday, "Body"));
  Put(*holiday, "Categories", "Holiday");
  Put(*holiday, "ReminderSet", false);
  Save(*holiday);
  // A member set and set back is no change either.
  ObjectRef match = ItemAt(*items, 5);
  Put(*match, "Subject", "Something else");
  Put(*match, "Subject", "Deutschland - Costa Rica");
  Save(*match);
  EXPECT_FALSE(HasUnsavedChanges(*app));
  SaveChanges(*app);
  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the file was written";
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("thunderbird-added.ics")));
}

TEST_F(OutlookModelTest, ChangesReachTheCalendarOnlyThroughSave) {
  const auto path = Copy("thunderbird.ics", "calendar.ics");
  auto app = App(path);
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  ObjectRef first = ItemAt(*items, 1);
  ObjectRef second = ItemAt(*items, 1);
  Put(*first, "Subject",
      "Kieferorthop\xC3\xA4"
      "de");
  EXPECT_EQ(Text(*second, "Subject"), "Zahnarzt Dr. M\xC3\xBCller") << "unsaved";
  Put(*second, "Location", "Praxis am Park");
  Save(*second);
  EXPECT_EQ(Text(*first, "Location"), "Praxis am Park") << "saved by the other object";
  Save(*first);
  EXPECT_EQ(Text(*ItemAt(*items, 1), "Subject"),
            "Kieferorthop\xC3\xA4"
            "de");
  EXPECT_EQ(Text(*ItemAt(*items, 1), "Location"), "Praxis am Park");

  // An unsaved change of a released item is gone.
  Put(*ItemAt(*items, 2), "Subject", "never saved");
  EXPECT_EQ(Text(*ItemAt(*items, 2), "Subject"), "Chorprobe");
}

TEST_F(OutlookModelTest, DeletedItemsRefuseFurtherCalls) {
  auto app = App(Copy("thunderbird.ics", "calendar.ics"));
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  ObjectRef item = ItemAt(*items, 1);
  ObjectRef same = ItemAt(*items, 1);
  ASSERT_TRUE(item->Call("Delete").ok());
  EXPECT_EQ(Count(*items), 2);
  const std::int32_t deleted = ObjectErrorCode(kEventDeleted);
  for (ObjectRef object : {item, same}) {
    EXPECT_EQ(object->Get("Subject").error().code, deleted);
    EXPECT_EQ(object->Put("Subject", "x").error().code, deleted);
    EXPECT_EQ(object->Call("Save").error().code, deleted);
    EXPECT_EQ(object->Call("Delete").error().code, deleted);
  }
  EXPECT_EQ(item->Get("Subject").error().description, "The appointment has been deleted.");
  EXPECT_EQ(Count(*items), 2);

  // A new item deleted before it was saved never reaches the calendar.
  ObjectRef fresh = Object(app->Call("CreateItem", {1}));
  ASSERT_TRUE(fresh->Call("Delete").ok());
  EXPECT_EQ(fresh->Call("Save").error().code, deleted);
  EXPECT_EQ(Count(*items), 2);
}

// Where new items appear, measured as the add-in does: save a temporary item, look at
// both ends of the collection, delete it again.
TEST_F(OutlookModelTest, TheProbeFindsNewItemsLastAndLeavesTheFileAsItWas) {
  for (const bool exists : {true, false}) {
    const auto path = dir_.path() / "probe.ics";
    if (exists) std::filesystem::copy_file(DataFile("thunderbird.ics"), path);
    struct stat before {};
    ::stat(path.c_str(), &before);
    auto app = App(path);
    const std::string subject = "zent_temp_this will be removed shortly";
    ObjectRef temp = Object(app->Call("CreateItem", {1}));
    ASSERT_NE(temp, nullptr);
    Put(*temp, "Subject", subject);
    Put(*temp, "Categories", "temp");
    Put(*temp, "Start", DateAt(2006, 6, 2, 12));
    Save(*temp);
    ObjectRef items = Items(*app);
    ASSERT_NE(items, nullptr);
    const std::int32_t n = Count(*items);
    EXPECT_EQ(n, exists ? 4 : 1);
    EXPECT_EQ(ItemAt(*items, n)->TypeName(), "AppointmentItem");
    EXPECT_EQ(Text(*ItemAt(*items, n), "Subject"), subject);
    if (exists) {
      EXPECT_NE(Text(*ItemAt(*items, 1), "Subject"), subject);
    }
    ASSERT_TRUE(temp->Call("Delete").ok());
    SaveChanges(*app);
    app.reset();
    items.reset();
    temp.reset();
    EXPECT_EQ(std::filesystem::exists(path), exists);
    if (exists) {
      struct stat after {};
      ::stat(path.c_str(), &after);
      EXPECT_EQ(after.st_ino, before.st_ino);
      EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("thunderbird.ics")));
      std::filesystem::remove(path);
    }
  }
}

TEST_F(OutlookModelTest, ObjectsAnswerTheirKind) {
  auto explorer = CreateOutlookApplication(dir_.path() / "other.ics");  // any object will do
  OutlookOptions options;
  options.active_explorer = explorer;
  auto app = CreateOutlookApplication(Copy("thunderbird.ics", "calendar.ics"), options);
  ObjectRef mapi = Object(app->Call("GetNamespace", {"MAPI"}));
  ObjectRef folder = Folder(*app);
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  struct Case {
    ObjectRef object;
    const char* type;
    std::int32_t kind;
  };
  const Case cases[] = {
      {app, "Application", 0},
      {mapi, "NameSpace", 1},
      {folder, "MAPIFolder", 2},
      {items, "Items", 16},
      {ItemAt(*items, 1), "AppointmentItem", 26},
      {Object(app->Call("CreateItem", {1})), "AppointmentItem", 26},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.object, nullptr) << c.type;
    EXPECT_EQ(c.object->TypeName(), c.type);
    EXPECT_EQ(c.object->Get("Class")->ToI4().value(), c.kind) << c.type;
  }
  EXPECT_EQ(app->Get("Version")->ToString().value(), "11.0");
  EXPECT_EQ(app->Get("ActiveExplorer")->AsObject(), explorer);
  auto headless = App(dir_.path() / "headless.ics");
  Result<Variant> none = headless->Get("ActiveExplorer");
  ASSERT_TRUE(none.ok());
  EXPECT_TRUE(none->IsObject());
  EXPECT_EQ(none->AsObject(), nullptr) << "Nothing: no explorer window";
}

TEST_F(OutlookModelTest, RefusesWhatOutlookWouldRefuse) {
  auto app = App(Copy("thunderbird.ics", "calendar.ics"));
  ObjectRef mapi = Object(app->Call("GetNamespace", {"MAPI"}));
  ASSERT_NE(mapi, nullptr);
  struct Case {
    const char* name;
    ObjectRef object;
    const char* member;
    std::vector<Variant> args;
    std::int32_t code;
  };
  const Case cases[] = {
      {"another namespace", app, "GetNamespace", {"EWS"}, hresult::kInvalidArg},
      {"no namespace", app, "GetNamespace", {}, hresult::kParamNotOptional},
      {"a mail item", app, "CreateItem", {0}, hresult::kInvalidArg},
      {"a contact", app, "CreateItem", {2}, hresult::kInvalidArg},
      {"no item type", app, "CreateItem", {}, hresult::kParamNotOptional},
      {"the inbox", mapi, "GetDefaultFolder", {6}, hresult::kInvalidArg},
      {"the contacts", mapi, "GetDefaultFolder", {10}, hresult::kInvalidArg},
      {"no folder", mapi, "GetDefaultFolder", {}, hresult::kParamNotOptional},
      {"an unknown member", app, "Quit", {}, hresult::kUnknownName},
  };
  for (const Case& c : cases) {
    Result<Variant> result = c.object->Call(c.member, c.args);
    ASSERT_FALSE(result.ok()) << c.name;
    EXPECT_EQ(result.error().code, c.code) << c.name << ": " << result.error().description;
  }
  // Named arguments and any case of "MAPI" are fine.
  EXPECT_TRUE(mapi->Call("GetDefaultFolder", {}, {NamedArg{"FolderType", 9}}).ok());
  EXPECT_TRUE(app->Call("GetNamespace", {"mapi"}).ok());
}

TEST_F(OutlookModelTest, AnUnreadableCalendarIsRefusedWhenTheFolderIsTaken) {
  const auto path = dir_.path() / "calendar.ics";
  const std::string sample = ReadWholeFile(DataFile("thunderbird.ics"));
  const std::string truncated = sample.substr(0, sample.find("END:VTODO"));
  WriteBytes(path, truncated);
  auto app = CreateOutlookApplication(path);
  ObjectRef mapi = Object(app->Call("GetNamespace", {"MAPI"}));
  ASSERT_NE(mapi, nullptr);
  Result<Variant> folder = mapi->Call("GetDefaultFolder", {9});
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.error().code, ObjectErrorCode(kUnreadableCalendar));
  EXPECT_EQ(folder.error().description,
            "The calendar file " + path.string() +
                " cannot be read: it ends inside the VTODO begun at line 58: the file is "
                "truncated.");
  Status opened = OpenCalendar(*app);
  ASSERT_FALSE(opened.ok());
  EXPECT_EQ(opened.error().description, folder.error().description);
  // Saving a new item needs the calendar too.
  ObjectRef item = Object(app->Call("CreateItem", {1}));
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->Call("Save").error().code, ObjectErrorCode(kUnreadableCalendar));
  EXPECT_FALSE(HasUnsavedChanges(*app));
  EXPECT_TRUE(SaveCalendar(*app).ok()) << "nothing was read, nothing to save";
  EXPECT_EQ(ReadWholeFile(path), truncated);

  // Once the file is whole again, the next attempt reads it.
  WriteBytes(path, sample);
  EXPECT_TRUE(OpenCalendar(*app).ok());
  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(Count(*items), 3);
}

TEST_F(OutlookModelTest, TheCalendarIsWrittenWhenAskedOrWhenTheModelGoesAway) {
  const auto path = Copy("thunderbird.ics", "calendar.ics");
  auto app = App(path);
  EXPECT_FALSE(HasUnsavedChanges(*app)) << "not read yet";
  ASSERT_NE(AddHoliday(*app, "Neujahr", local_days(std::chrono::year(2007) / 1 / 1), "Deutschland",
                       "Deutschland (Bundesweit)"),
            nullptr);
  EXPECT_TRUE(HasUnsavedChanges(*app));
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("thunderbird.ics")))
      << "Save alone writes no file";
  ASSERT_TRUE(SaveCalendar(*app).ok());
  EXPECT_FALSE(HasUnsavedChanges(*app));
  EXPECT_NE(ReadWholeFile(path).find("SUMMARY:Neujahr"), std::string::npos);

  ObjectRef items = Items(*app);
  ASSERT_NE(items, nullptr);
  ASSERT_TRUE(ItemAt(*items, 1)->Call("Delete").ok());
  app.reset();  // the items still hold the calendar
  EXPECT_NE(ReadWholeFile(path).find("Zahnarzt"), std::string::npos);
  items.reset();  // the last object of the model
  EXPECT_EQ(ReadWholeFile(path).find("Zahnarzt"), std::string::npos);
  EXPECT_NE(ReadWholeFile(path).find("SUMMARY:Neujahr"), std::string::npos);
}

TEST_F(OutlookModelTest, AbandonedChangesAreNeverWritten) {
  const auto path = Copy("thunderbird.ics", "calendar.ics");
  auto app = App(path);
  AbandonUnsavedChanges(*app);  // nothing read yet: nothing to give up
  ASSERT_NE(AddHoliday(*app, "Neujahr", local_days(std::chrono::year(2007) / 1 / 1), "Deutschland",
                       "Deutschland (Bundesweit)"),
            nullptr);
  ASSERT_TRUE(HasUnsavedChanges(*app));
  AbandonUnsavedChanges(*app);
  EXPECT_FALSE(HasUnsavedChanges(*app));
  EXPECT_TRUE(SaveCalendar(*app).ok());
  app.reset();  // the last object of the model: it writes nothing either
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("thunderbird.ics")));
}

TEST_F(OutlookModelTest, LanguageSettingsAnswerTheUsersLocale) {
  struct Case {
    const char* lc_all;
    const char* lc_messages;
    const char* lang;
    std::int32_t lcid;
  };
  const Case cases[] = {
      {nullptr, nullptr, "de_AT.UTF-8", 3079},
      {nullptr, nullptr, "de_DE.UTF-8", 1031},
      {nullptr, nullptr, "de_CH.UTF-8", 2055},
      {nullptr, nullptr, "en_GB.UTF-8", 2057},
      {nullptr, "fr_CH.UTF-8", "de_DE.UTF-8", 4108},
      {"it_IT.UTF-8", "fr_FR", "de_DE", 1040},
      {nullptr, nullptr, "C", 1033},
      {nullptr, nullptr, nullptr, 1033},
  };
  auto app = App(dir_.path() / "language.ics");
  ObjectRef settings = Object(app->Get("LanguageSettings"));
  ASSERT_NE(settings, nullptr);
  for (const Case& c : cases) {
    testing::ScopedEnv all("LC_ALL", c.lc_all);
    testing::ScopedEnv messages("LC_MESSAGES", c.lc_messages);
    testing::ScopedEnv lang("LANG", c.lang);
    Result<Variant> id = settings->Get("LanguageID", {2});
    ASSERT_TRUE(id.ok()) << DescriptionOf(id);
    EXPECT_EQ(id->ToI4().value(), c.lcid) << (c.lang ? c.lang : "(no LANG)");
  }
  EXPECT_EQ(settings->Get("LanguageID", {0}).error().code, hresult::kInvalidArg);
  EXPECT_EQ(settings->Get("LanguageID").error().code, hresult::kParamNotOptional);
}

TEST(OtherReadersTest, PythonIcalendarReadsTheSampleAndTheExpectedFile) {
  if (!testing::PythonIcalendarAvailable()) GTEST_SKIP() << "Python's icalendar is not installed";
  EXPECT_EQ(testing::PythonIcalendarProblems(
                {DataFile("thunderbird.ics"), DataFile("thunderbird-added.ics")}),
            "");
}

}  // namespace
}  // namespace feriant::outlook
