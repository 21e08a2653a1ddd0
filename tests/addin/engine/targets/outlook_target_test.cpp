#include "addin/engine/targets/outlook_target.h"

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/engine/holiday_run.h"
#include "hosts/outlook/calendar_store.h"
#include "hosts/outlook/outlook.h"
#include "tests/addin/engine/scripted_object.h"
#include "tests/addin/engine/target_test_support.h"
#include "tests/hosts/outlook/calendar_test_support.h"

namespace feriant::engine {
namespace {

using namespace std::chrono;
using automation::Date;
using feriant::testing::ReadWholeFile;
using outlook::Appointment;
using outlook::testing::WriteBytes;
using testing::FakeOutlook;
using testing::OnlyHolidays;
using testing::RecordingDialog;
using testing::RunContext;

constexpr std::int32_t kNeujahr = 0;
constexpr std::int32_t kChristmas = 86;
const std::string kWorldCup(data::kWorldCupCountry);
constexpr const char* kGermany = "Deutschland (Whole country) (Statutory)";
constexpr const char* kAustria = "Österreich (Whole country) (Statutory)";
constexpr const char* kFrance = "France (Whole country) (Statutory)";

std::string EnglishName(std::int32_t holiday) {
  return std::string(
      data::HolidayNameTable[static_cast<size_t>(data::FindHolidayName(holiday, data::kEnglish))]
          .Name);
}

local_seconds At(int y, unsigned m, unsigned d, seconds time = seconds(0)) {
  return local_seconds(local_days(year(y) / month(m) / day(d))) + time;
}

Date DateAt(int y, unsigned m, unsigned d, double extra_seconds = 0) {
  return Date(Date::FromLocal(At(y, m, d)).value() + extra_seconds / 86400.0);
}

struct Selection {
  std::string country = "Deutschland";
  std::int32_t language = data::kEnglish;
  bool removal = false;
  std::optional<std::set<std::int32_t>> holidays = std::set<std::int32_t>{kNeujahr};
  std::string first = "2006";
  std::string last = "2006";
};

Selection Remove(Selection s) {
  s.removal = true;
  return s;
}

struct Outcome {
  RunCounters counts;
  std::vector<std::string> boxes;
  std::vector<MessageBoxRequest> requests;
  bool cache_valid = false;
  std::vector<CachedAppointment> cache;
};

class CountingObserver final : public OccurrenceObserver {
 public:
  std::function<void()> on_first;
  int seen = 0;
  void OnOccurrence(const Occurrence&) override {
    if (seen++ == 0 && on_first) on_first();
  }
};

// Runs through HolidayRun against `application`, the way the dialog's buttons do.
Outcome RunWith(const std::shared_ptr<automation::Dispatch>& application, const Selection& s,
                OccurrenceObserver* observer = nullptr) {
  RunSelection selection = testing::TargetSelection(kHostOutlook);
  selection.country = s.country;
  selection.ticked_keys = {s.country};
  selection.language = s.language;
  selection.is_removal = s.removal;
  selection.first_year = s.first;
  selection.last_year = s.last;
  RecordingDialog dialog;
  dialog::clsLangSetter texts;
  texts.LanguageID = 1033;
  OutlookTarget target(application);
  HolidayRun run(dialog, texts, &target);
  if (s.holidays) run.SetRules(OnlyHolidays(*s.holidays));
  run.SetObserver(observer);
  run.ProcessHolidays(selection);
  return Outcome{{run.AddedCount(), run.RemovedCount(), run.ModifiedCount()},
                 dialog.BoxTexts(),
                 dialog.boxes,
                 target.CacheValid(),
                 target.AppointmentCache()};
}

class OutlookRunTest : public outlook::testing::CalendarTest {
 protected:
  void SetUp() override {
    CalendarTest::SetUp();
    data::InitHolidayData();
    calendar_ = Copy("thunderbird.ics", "personal.ics");
    original_ = ReadWholeFile(calendar_);
    for (const Appointment& a : All())
      personal_.insert(a.subject);
  }

  Outcome Run(const Selection& s, OccurrenceObserver* observer = nullptr) {
    return RunWith(outlook::CreateOutlookApplication(calendar_, {CountingUids(), {}, {}, {}, {}}),
                   s, observer);
  }

  std::vector<Appointment> All() const {
    std::vector<Appointment> all;
    auto store = outlook::CalendarStore::Open(calendar_);
    EXPECT_TRUE(store.ok());
    for (size_t i = 0; store && i < (*store)->size(); ++i)
      all.push_back((*store)->at(i)->appointment());
    return all;
  }
  // The appointments the runs made, in folder order.
  std::vector<Appointment> Holidays() const {
    std::vector<Appointment> made;
    for (const Appointment& a : All()) {
      if (personal_.count(a.subject) == 0) made.push_back(a);
    }
    return made;
  }
  // Changes the categories of the first appointment called `subject`, as the person would.
  void Recategorize(const std::string& subject, const std::string& categories) {
    auto store = outlook::CalendarStore::Open(calendar_);
    ASSERT_TRUE(store.ok());
    for (size_t i = 0; i < (*store)->size(); ++i) {
      if ((*store)->at(i)->appointment().subject != subject) continue;
      Appointment changed = (*store)->at(i)->appointment();
      changed.categories = categories;
      ASSERT_TRUE((*store)->Change(*(*store)->at(i), changed, outlook::kCategories).ok());
      ASSERT_TRUE((*store)->SaveChanges().ok());
      return;
    }
    FAIL() << subject;
  }

  std::filesystem::path calendar_;
  std::string original_;
  std::set<std::string> personal_;
};

// One appointment stands for one holiday on one date, whatever the countries: each
// import adds its country and region block, each removal takes them out again, and the
// last removal deletes it and leaves the person's calendar exactly as it was.
TEST_F(OutlookRunTest, CountriesComeAndGoOnOneAppointment) {
  const std::string both = std::string(kGermany) + "\r\n\r\n" + kAustria;
  struct Step {
    const char* country;
    bool removal;
    RunCounters counts;  // added, removed, modified
    const char* location;
    std::string body;
    const char* message;
  } steps[] = {
      {"Deutschland", false, {1, 0, 0}, "Deutschland", kGermany, "added 1, modified 0"},
      {"Österreich", false, {0, 0, 1}, "Deutschland, Österreich", both, "added 0, modified 1"},
      {"Österreich", false, {0, 0, 0}, "Deutschland, Österreich", both, "added 0, modified 0"},
      {"Österreich", true, {0, 0, 1}, "Deutschland", kGermany, "removed 0, modified 1"},
      {"Österreich", true, {0, 0, 0}, "Deutschland", kGermany, "removed 0, modified 0"},
      {"Deutschland", true, {0, 1, 0}, nullptr, "", "removed 1, modified 0"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.country) + (step.removal ? " removed" : " imported"));
    Selection s;
    s.country = step.country;
    s.removal = step.removal;
    const Outcome outcome = Run(s);
    EXPECT_EQ(outcome.counts.AddedCount, step.counts.AddedCount);
    EXPECT_EQ(outcome.counts.RemovedCount, step.counts.RemovedCount);
    EXPECT_EQ(outcome.counts.ModifiedCount, step.counts.ModifiedCount);
    EXPECT_EQ(outcome.boxes, std::vector<std::string>{step.message});

    const std::vector<Appointment> made = Holidays();
    if (step.location == nullptr) {
      EXPECT_TRUE(made.empty());
      continue;
    }
    ASSERT_EQ(made.size(), 1u);
    EXPECT_EQ(made[0].subject, "New Year's Day");
    EXPECT_EQ(made[0].start, At(2006, 1, 1));
    EXPECT_TRUE(made[0].all_day);
    EXPECT_EQ(made[0].location, step.location);
    EXPECT_EQ(made[0].body, step.body);
    EXPECT_EQ(made[0].categories, "Holiday");
    EXPECT_FALSE(made[0].reminder_set);
  }
  EXPECT_EQ(ReadWholeFile(calendar_), original_);
}

// Runs in different languages write different names, categories and texts; each run
// finds and takes out what any other entered, and the calendar ends as it began.
TEST_F(OutlookRunTest, ARunInOneLanguageRemovesWhatRunsInOthersEntered) {
  struct Step {
    const char* country;
    std::int32_t language;
    bool removal;
    RunCounters counts;             // added, removed, modified
    std::vector<std::string> left;  // "subject/category" of the holiday appointments after
  } steps[] = {
      {"Schweiz", data::kFrench, false, {1, 0, 0}, {"Nouvel an/Jour f\u00e9ri\u00e9"}},
      {"\u00d6sterreich",
       data::kGerman,
       false,
       {1, 0, 0},
       {"Nouvel an/Jour f\u00e9ri\u00e9", "Neujahr/Feiertag"}},
      {"Deutschland",
       data::kItalian,
       false,
       {1, 0, 0},
       {"Nouvel an/Jour f\u00e9ri\u00e9", "Neujahr/Feiertag", "Capodanno/Festivit\u00e0"}},
      {"Schweiz", data::kGerman, true, {0, 1, 0}, {"Neujahr/Feiertag", "Capodanno/Festivit\u00e0"}},
      {"Deutschland", data::kEnglish, true, {0, 1, 0}, {"Neujahr/Feiertag"}},
      {"\u00d6sterreich", data::kFrench, true, {0, 1, 0}, {}},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(std::string(step.country) + (step.removal ? " removed" : " imported"));
    Selection s;
    s.country = step.country;
    s.language = step.language;
    s.removal = step.removal;
    const Outcome outcome = Run(s);
    EXPECT_EQ(outcome.counts.AddedCount, step.counts.AddedCount);
    EXPECT_EQ(outcome.counts.RemovedCount, step.counts.RemovedCount);
    EXPECT_EQ(outcome.counts.ModifiedCount, step.counts.ModifiedCount);
    std::vector<std::string> left;
    for (const Appointment& a : Holidays())
      left.push_back(a.subject + "/" + a.categories);
    EXPECT_EQ(left, step.left);
  }
  EXPECT_EQ(ReadWholeFile(calendar_), original_);
}

TEST_F(OutlookRunTest, ImportingTwiceChangesNothingTheSecondTime) {
  Selection s;
  s.holidays.reset();  // every holiday of Deutschland
  CountingObserver occurrences;
  const Outcome first = Run(s, &occurrences);
  EXPECT_GT(occurrences.seen, 5);
  EXPECT_EQ(first.counts.AddedCount, occurrences.seen);
  EXPECT_EQ(first.counts.ModifiedCount, 0);
  EXPECT_EQ(Holidays().size(), static_cast<size_t>(occurrences.seen));
  const std::string after_first = ReadWholeFile(calendar_);

  const Outcome second = Run(s);
  EXPECT_EQ(second.counts.AddedCount, 0);
  EXPECT_EQ(second.counts.ModifiedCount, 0);
  EXPECT_EQ(second.cache.size(), static_cast<size_t>(occurrences.seen));
  EXPECT_EQ(ReadWholeFile(calendar_), after_first);
}

TEST_F(OutlookRunTest, RemovingTheMiddleCountryJoinsItsNeighbours) {
  for (const char* country : {"Deutschland", "Schweiz", "France"}) {
    Selection s;
    s.country = country;
    (void)Run(s);
  }
  ASSERT_EQ(Holidays().size(), 1u);
  EXPECT_EQ(Holidays()[0].location, "Deutschland, Schweiz (partially), France");

  Selection s;
  s.country = "Schweiz";
  const Outcome removed = Run(Remove(s));
  EXPECT_EQ(removed.counts.ModifiedCount, 1);
  ASSERT_EQ(Holidays().size(), 1u);
  EXPECT_EQ(Holidays()[0].location, "Deutschland, France");
  EXPECT_EQ(Holidays()[0].body, std::string(kGermany) + "\r\n\r\n" + kFrance);
}

// The category marks what the add-in may change: an appointment the person gave another
// category, or one made in the other language, is not the run's.
TEST_F(OutlookRunTest, OnlyAppointmentsInAHolidayCategoryAreFound) {
  (void)Run(Selection{});
  Recategorize("New Year's Day", "Holiday,Private");
  const Outcome removed = Run(Remove(Selection{}));
  EXPECT_EQ(removed.counts.RemovedCount + removed.counts.ModifiedCount, 0);
  EXPECT_FALSE(removed.cache_valid);
  const Outcome again = Run(Selection{});
  EXPECT_EQ(again.counts.AddedCount, 1);
  ASSERT_EQ(Holidays().size(), 2u);
  EXPECT_EQ(Holidays()[0].categories, "Holiday, Private");
  EXPECT_EQ(Holidays()[0].location, "Deutschland");

  Selection german;
  german.language = data::kGerman;
  EXPECT_EQ(Run(german).counts.AddedCount, 1);
  ASSERT_EQ(Holidays().size(), 3u);
  EXPECT_EQ(Holidays()[2].subject, "Neujahr");
  EXPECT_EQ(Holidays()[2].categories, "Feiertag");
  EXPECT_EQ(Holidays()[2].body, "Deutschland (Bundesweit) (Gesetzlich anerkannt)");
  // The German removal takes out the English appointment as well.
  EXPECT_EQ(Run(Remove(german)).counts.RemovedCount, 2);
  EXPECT_EQ(Run(Remove(Selection{})).counts.RemovedCount, 0);
  ASSERT_EQ(Holidays().size(), 1u);
  EXPECT_EQ(Holidays()[0].categories, "Holiday, Private");
}

TEST_F(OutlookRunTest, WorldCupMatchesAreTimedAppointments) {
  Selection s;
  s.country = kWorldCup;
  s.holidays.reset();
  s.first = "2010";  // the World Cup is 2006, whatever the years say
  s.last = "2012";
  EXPECT_EQ(Run(s).counts.AddedCount, 64);
  const std::vector<Appointment> matches = Holidays();
  ASSERT_EQ(matches.size(), 64u);
  for (const Appointment& match : matches) {
    SCOPED_TRACE(match.subject);
    EXPECT_FALSE(match.all_day);
    EXPECT_EQ(match.duration, 180);
    EXPECT_EQ(match.categories, kWorldCup);
    EXPECT_EQ(match.location, "");
    EXPECT_EQ(match.body, "Non-statutory holiday");
    EXPECT_FALSE(match.reminder_set);
    EXPECT_GE(match.start, At(2006, 6, 9));
    EXPECT_LT(match.start, At(2006, 7, 10));
    EXPECT_NE(match.start, local_seconds(floor<days>(match.start)));  // a kick-off time
  }
  const Outcome again = Run(s);
  EXPECT_EQ(again.counts.AddedCount + again.counts.ModifiedCount, 0);
  EXPECT_EQ(Run(Remove(s)).counts.RemovedCount, 64);
  EXPECT_TRUE(Holidays().empty());
  EXPECT_EQ(ReadWholeFile(calendar_), original_);
}

TEST_F(OutlookRunTest, AnEmptyCalendarHasNothingToRemove) {
  calendar_ = dir_.path() / "new.ics";
  personal_.clear();
  Selection s;
  s.holidays.reset();
  const Outcome removed = Run(Remove(s));
  EXPECT_FALSE(removed.cache_valid);
  EXPECT_EQ(removed.counts.RemovedCount + removed.counts.ModifiedCount, 0);
  EXPECT_FALSE(std::filesystem::exists(calendar_));

  const Outcome imported = Run(s);
  EXPECT_FALSE(imported.cache_valid);
  EXPECT_GT(imported.counts.AddedCount, 5);
  EXPECT_EQ(Holidays().size(), static_cast<size_t>(imported.counts.AddedCount));
}

TEST_F(OutlookRunTest, AppointmentsOutsideTheRunsYearsAreLeftAlone) {
  Selection years;
  years.first = "2005";
  years.last = "2007";
  EXPECT_EQ(Run(years).counts.AddedCount, 3);

  const Outcome removed = Run(Remove(Selection{}));  // 2006 only
  ASSERT_EQ(removed.cache.size(), 1u);
  EXPECT_EQ(removed.cache[0].Start, DateAt(2006, 1, 1));
  EXPECT_EQ(removed.counts.RemovedCount, 1);
  std::vector<local_seconds> left;
  for (const Appointment& a : Holidays())
    left.push_back(a.start);
  EXPECT_EQ(left, (std::vector<local_seconds>{At(2005, 1, 1), At(2007, 1, 1)}));
}

// Deleting an appointment moves the ones after it up; the cache follows, so a later
// holiday of the same run still reaches its own appointment.
TEST_F(OutlookRunTest, DeletionsShiftTheCachedPositions) {
  (void)Run(Selection{});
  {
    auto store = outlook::CalendarStore::Open(calendar_);
    ASSERT_TRUE(store.ok());
    Appointment lunch;
    lunch.subject = "Lunch";
    lunch.start = At(2006, 3, 1, hours(12));
    ASSERT_TRUE((*store)->Add(lunch).ok());
    ASSERT_TRUE((*store)->SaveChanges().ok());
  }
  Selection christmas;
  christmas.holidays = std::set<std::int32_t>{kChristmas};
  (void)Run(christmas);

  Selection both;
  both.holidays = std::set<std::int32_t>{kNeujahr, kChristmas};
  const Outcome removed = Run(Remove(both));
  EXPECT_EQ(removed.boxes, std::vector<std::string>{"removed 2, modified 0"});
  ASSERT_EQ(removed.cache.size(), 2u);
  EXPECT_EQ(removed.cache[0].ItemIndex, 4);  // the deleted record keeps its place
  EXPECT_EQ(removed.cache[1].ItemIndex, 5);  // was 6
  ASSERT_EQ(Holidays().size(), 1u);
  EXPECT_EQ(Holidays()[0].subject, "Lunch");
}

TEST_F(OutlookRunTest, ACalendarChangedDuringTheRunIsNotOverwritten) {
  const std::string other = original_ + "\r\n";
  CountingObserver observer;
  observer.on_first = [&] { WriteBytes(calendar_, other); };
  const Outcome outcome = Run(Selection{}, &observer);
  ASSERT_EQ(outcome.boxes, std::vector<std::string>{"ProcessHolidays Error."});
  EXPECT_EQ(outcome.requests[0].icon, MessageIcon::kCritical);
  EXPECT_EQ(outcome.requests[0].title, "Zent Feriant");
  EXPECT_NE(outcome.requests[0].detail.find("changed by another program"), std::string::npos)
      << outcome.requests[0].detail;
  EXPECT_EQ(ReadWholeFile(calendar_), other);
}

TEST_F(OutlookRunTest, TheProbeLeavesNothingBehind) {
  auto application = outlook::CreateOutlookApplication(calendar_, {CountingUids(), {}, {}, {}, {}});
  OutlookTarget target(application);
  RunContext run;
  const Result<bool> first = target.ProbeNewItemPosition(run);
  ASSERT_TRUE(first.ok()) << first.error().description;
  EXPECT_FALSE(*first);  // this store appends
  ASSERT_TRUE(outlook::SaveCalendar(*application).ok());
  EXPECT_EQ(ReadWholeFile(calendar_), original_);
}

// The same probe against calendars that put new items first, last, or are empty.
TEST(OutlookProbeTest, FindsWhereNewItemsAppear) {
  base::SetCurrentClock(std::make_shared<base::FixedClock>(At(2006, 6, 1, hours(12))));
  struct Case {
    bool new_items_first;
    int items_before;
    bool expected;
  } cases[] = {{false, 3, false}, {true, 3, true}, {true, 0, false}, {false, 0, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.new_items_first) + " " + std::to_string(c.items_before));
    FakeOutlook outlook;
    outlook.new_items_first = c.new_items_first;
    for (int i = 0; i < c.items_before; ++i)
      outlook.Add("Meeting", DateAt(2006, 5, 2 + i), false, "");
    OutlookTarget target(outlook.application);
    RunContext run;
    const Result<bool> first = target.ProbeNewItemPosition(run);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(*first, c.expected);
    EXPECT_EQ(outlook.items.size(), static_cast<size_t>(c.items_before));
    EXPECT_EQ(outlook.log->back(), "Item.Delete");
  }
  base::SetCurrentClock(nullptr);
}

// A host that lists new items first moves the cached appointments down with every
// creation: Christmas, found after New Year's Day was created, is still Christmas.
TEST(OutlookTargetTest, CreationsShiftTheCacheWhenNewItemsComeFirst) {
  FakeOutlook outlook;
  outlook.new_items_first = true;
  outlook.Add("Dentist", DateAt(2006, 3, 1, 9 * 3600), false, "");
  outlook.Add(EnglishName(kChristmas), DateAt(2006, 12, 25), true, "Holiday", "Österreich");
  Selection s;
  s.holidays = std::set<std::int32_t>{kNeujahr, kChristmas};
  const Outcome outcome = RunWith(outlook.application, s);
  EXPECT_EQ(outcome.boxes, std::vector<std::string>{"added 1, modified 1"});
  ASSERT_EQ(outlook.items.size(), 3u);
  EXPECT_EQ(outlook.Text(1, "Subject"), "New Year's Day");
  EXPECT_EQ(outlook.Text(2, "Subject"), "Dentist");
  EXPECT_EQ(outlook.Text(2, "Location"), "");
  EXPECT_EQ(outlook.Text(3, "Location"), "Österreich, Deutschland");
  EXPECT_EQ(outcome.cache[0].ItemIndex, 3);
}

// What the cache takes: holiday appointments of the run's category and years, and World
// Cup matches, compared exactly; the positions count every item of the folder.
TEST(OutlookTargetTest, CachesHolidayAppointmentsOfTheRunsYears) {
  struct Item {
    const char* categories;
    bool all_day;
    Date start;
    std::int32_t item_class;
    bool cached;
  } items[] = {
      {"Holiday", true, DateAt(2006, 1, 1), 26, true},
      {"Holiday", false, DateAt(2006, 1, 1), 26, false},          // not all-day
      {"holiday", true, DateAt(2006, 1, 1), 26, false},           // case counts
      {"Holiday, Private", true, DateAt(2006, 1, 1), 26, false},  // the person's now
      {"Feiertag", true, DateAt(2006, 1, 1), 26, false},          // the other language
      {"Holiday", true, DateAt(2006, 1, 1), 43, false},           // not an appointment
      {kWorldCup.c_str(), false, DateAt(2006, 6, 9, 64800), 26, true},
      {kWorldCup.c_str(), true, DateAt(2006, 6, 9), 26, true},
      {"Holiday", true, DateAt(2005, 12, 31), 26, false},  // before the first year
      {"Holiday", true, DateAt(2007, 12, 31), 26, true},
      {"Holiday", true, DateAt(2008, 1, 1), 26, false},  // after the last year
  };
  FakeOutlook outlook;
  std::vector<std::int32_t> expected;
  for (const Item& item : items) {
    auto added = outlook.Add("Day", item.start, item.all_day, item.categories);
    added->Value("Class") = automation::Variant(item.item_class);
    if (item.cached) expected.push_back(static_cast<std::int32_t>(outlook.items.size()));
  }
  OutlookTarget target(outlook.application);
  RunContext run;
  ASSERT_TRUE(target.CacheAppointments(run, 2006, 2007).ok());
  std::vector<std::int32_t> positions;
  for (const CachedAppointment& record : target.AppointmentCache())
    positions.push_back(record.ItemIndex);
  EXPECT_EQ(positions, expected);
  EXPECT_TRUE(target.CacheValid());

  std::vector<std::string> progress = {"label Caching Appointments...", "min 0", "max 12",
                                       "value 0"};
  for (int i = 1; i <= 11; ++i)
    progress.push_back("value " + std::to_string(i));
  EXPECT_EQ(run.dialog_.log, progress);
}

Occurrence NewYear(const char* country_line = "Deutschland") {
  Occurrence o;
  o.year = 2006;
  o.holiday_index = kNeujahr;
  o.date = RuleDate{At(2006, 1, 1), false};
  o.name = &data::HolidayNameTable[static_cast<size_t>(data::FindHolidayName(0, data::kEnglish))];
  o.CountryLine = country_line;
  o.RegionsText = kGermany;
  o.IsDayOff = true;
  return o;
}

// The search takes the first appointment with the same subject, exactly, whose start lies
// less than one second away.
TEST(OutlookTargetTest, FindsAppointmentsBySubjectAndStart) {
  struct Case {
    const char* subject;
    double seconds_off;
    bool found;
  } cases[] = {
      {"New Year's Day", 0, true},    {"New Year's Day", 0.5, true}, {"New Year's Day", -0.9, true},
      {"New Year's Day", 1.0, false}, {"new year's day", 0, false},  {"New Year's Day ", 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.subject) + " " + std::to_string(c.seconds_off));
    FakeOutlook outlook;
    outlook.Add(c.subject, DateAt(2006, 1, 1, c.seconds_off), true, "Holiday", "Schweiz");
    outlook.Add("New Year's Day", DateAt(2006, 1, 1), true, "Holiday", "France");  // second
    OutlookTarget target(outlook.application);
    RunContext run;
    ASSERT_TRUE(target.CacheAppointments(run, 2005, 2006).ok());
    ASSERT_TRUE(target.HandleDate(run, NewYear()).ok());
    EXPECT_EQ(run.counters_.AddedCount, 0);
    EXPECT_EQ(run.counters_.ModifiedCount, 1);
    EXPECT_EQ(outlook.Text(1, "Location"), c.found ? "Schweiz, Deutschland" : "Schweiz");
    EXPECT_EQ(outlook.Text(2, "Location"), c.found ? "France" : "France, Deutschland");
  }
}

// Once the run deleted an appointment, its record matches nothing: its position now
// names the appointment that moved up, which must not be touched.
TEST(OutlookTargetTest, ADeletedAppointmentIsNotFoundAgain) {
  FakeOutlook outlook;
  outlook.Add("New Year's Day", DateAt(2006, 1, 1), true, "Holiday", "Deutschland");
  outlook.Add("Notes", DateAt(2006, 1, 1, 3600), false, "");
  OutlookTarget target(outlook.application);
  RunContext run(/*removal=*/true);
  ASSERT_TRUE(target.CacheAppointments(run, 2006, 2006).ok());
  for (int i = 0; i < 2; ++i)
    ASSERT_TRUE(target.HandleDate(run, NewYear()).ok());
  EXPECT_EQ(run.counters_.RemovedCount, 1);
  ASSERT_EQ(outlook.items.size(), 1u);
  EXPECT_EQ(outlook.Text(1, "Subject"), "Notes");
  EXPECT_TRUE(target.AppointmentCache()[0].deleted);
  EXPECT_EQ(target.AppointmentCache()[0].ItemIndex, 1);
}

// An occurrence that fails ends alone: its count stays, the run goes on with the next.
TEST(OutlookTargetTest, AFailedOccurrenceIsReportedAndTheRunGoesOn) {
  FakeOutlook outlook;
  outlook.fail = [](std::string_view member, testing::ScriptedObject& item) {
    return member == "Save" && item.Value("Subject").ToString().value_or("") == "New Year's Day";
  };
  Selection s;
  s.holidays = std::set<std::int32_t>{kNeujahr, kChristmas};
  const Outcome outcome = RunWith(outlook.application, s);
  EXPECT_EQ(outcome.boxes, (std::vector<std::string>{"HandleDate Error.", "added 2, modified 0"}));
  EXPECT_EQ(outcome.requests[0].title, "Zent Feriant");
  EXPECT_EQ(outcome.requests[0].icon, MessageIcon::kCritical);
  ASSERT_EQ(outlook.items.size(), 1u);
  EXPECT_EQ(outlook.Text(1, "Subject"), EnglishName(kChristmas));
  EXPECT_EQ(outlook.log->back(), "Folder.SaveChanges");
}

}  // namespace
}  // namespace feriant::engine
