#include "addin/engine/holiday_run.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/data/amendments.h"
#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/host_kind.h"
#include "tests/support/recording_dialog.h"

namespace feriant::engine {
namespace {

using namespace std::chrono;
using dialog::clsLangSetter;
using testing::RecordingDialog;

constexpr std::int32_t kGermanIndex = data::kGerman;
constexpr std::int32_t kEnglishIndex = data::kEnglish;
constexpr std::int16_t kEnglishLcid = 1033;
constexpr std::int16_t kGermanLcid = 1031;
constexpr std::int32_t kFronleichnam = 39;
constexpr std::int32_t kUnityDay = 67;
constexpr std::int32_t kNeujahr = 0;
constexpr const char* kBanner = "Feiertage einstellen";

local_seconds At(int y, unsigned m, unsigned d, int hour = 0) {
  return local_seconds(local_days(year(y) / month(m) / day(d))) + hours(hour);
}

// An occurrence with its texts copied out of the run.
struct Seen {
  std::int32_t year;
  std::int32_t holiday;
  RuleDate date;
  std::string name;
  std::string country_line;
  std::string regions;
  bool day_off;
  bool match;
};

Seen Copy(const Occurrence& o) {
  return Seen{o.year,
              o.holiday_index,
              o.date,
              std::string(o.name->Name),
              std::string(o.CountryLine),
              std::string(o.RegionsText),
              o.IsDayOff,
              o.IsWorldCupMatch};
}

class RecordingObserver final : public OccurrenceObserver {
 public:
  std::vector<Seen> seen;
  void OnOccurrence(const Occurrence& occurrence) override { seen.push_back(Copy(occurrence)); }

  const Seen* Find(std::int32_t holiday) const {
    for (const Seen& s : seen) {
      if (s.holiday == holiday) return &s;
    }
    return nullptr;
  }
};

// A target that records its calls, counts like a simple host would and fails on demand.
class RecordingTarget final : public CalendarTarget {
 public:
  explicit RecordingTarget(RecordingDialog& dialog) : dialog_(dialog) {}

  bool new_items_first = true;
  std::optional<Error> fail_probe, fail_cache, fail_release;
  std::function<bool(const Occurrence&)> fail_handle = [](const Occurrence&) { return false; };
  std::vector<Seen> handled;
  std::vector<bool> seen_new_items_first;
  std::vector<std::string> calendars_seen;

  Result<bool> ProbeNewItemPosition(TargetContext&) override {
    dialog_.Log("probe");
    if (fail_probe) return *fail_probe;
    return new_items_first;
  }
  Status CacheAppointments(TargetContext& run, std::int32_t first, std::int32_t last) override {
    dialog_.Log("cache " + std::to_string(first) + " " + std::to_string(last));
    run.Dialog().SetProgressLabel(
        run.Texts().Message(MessageKey::OutlookMessages_CachingAppointments));
    if (fail_cache) return *fail_cache;
    return Ok();
  }
  Status HandleDate(TargetContext& run, const Occurrence& occurrence) override {
    handled.push_back(Copy(occurrence));
    seen_new_items_first.push_back(run.NewItemsFirst());
    for (const std::string& calendar : run.Selection().calendars)
      calendars_seen.push_back(calendar);
    RunCounters& counters = run.Counters();
    if (run.IsRemoval()) {
      ++counters.RemovedCount;
    } else {
      ++counters.AddedCount;
    }
    if (occurrence.holiday_index % 2 == 0) ++counters.ModifiedCount;
    if (fail_handle(occurrence)) return Error{-1, "the host refused the day", "test"};
    return Ok();
  }
  Status ReleaseCalendarFolder(TargetContext&) override {
    dialog_.Log("release");
    if (fail_release) return *fail_release;
    return Ok();
  }

 private:
  RecordingDialog& dialog_;
};

class HolidayRunTest : public ::testing::Test {
 protected:
  HolidayRunTest() : dialog_(&texts_), target_(dialog_) {
    texts_.LanguageID = kEnglishLcid;
    selection_.country = "Deutschland";
    selection_.ticked_keys = {"Deutschland", "Deutschland|Bayern"};
    selection_.first_year = selection_.last_year = "2006";
    selection_.language = kEnglishIndex;
    selection_.calendars = {"Standard"};
    selection_.banner_title = kBanner;
    selection_.success_add_message = "%1 added, %2 modified.";
    selection_.success_remove_message = "%1 removed, %2 modified.";
  }

  // A run with the recording target for both hosts and the recording observer.
  HolidayRun& Run() {
    if (!run_) {
      run_.emplace(dialog_, texts_, &target_);
      run_->SetObserver(&observer_);
    }
    return *run_;
  }

  clsLangSetter texts_;
  RunSelection selection_;  // no host: the observer alone sees the occurrences
  RecordingDialog dialog_;
  RecordingTarget target_;
  RecordingObserver observer_;
  std::optional<HolidayRun> run_;
};

std::string Join(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines) {
    if (!joined.empty()) joined += "\r\n";
    joined += line;
  }
  return joined;
}

TEST_F(HolidayRunTest, FronleichnamThroughBayernListsEveryGermanRegion) {
  Run().ProcessHolidays(selection_);
  const Seen* fronleichnam = observer_.Find(kFronleichnam);
  ASSERT_NE(fronleichnam, nullptr);
  EXPECT_EQ(fronleichnam->regions,
            Join({
                "Deutschland/Baden-Würtemberg (Statutory)",
                "Deutschland/Bayern (Statutory)",
                "Deutschland/Hessen (Statutory)",
                "Deutschland/Nordrhein-Westfalen (Statutory)",
                "Deutschland/Rheinland-Pfalz (Statutory)",
                "Deutschland/Saarland (Statutory)",
                "Deutschland/Sachsen/Sachsen (mit Fronleichnam) (Statutory)",
                "Deutschland/Thüringen/Thüringen (mit Fronleichnam) (Statutory)",
            }));
  EXPECT_EQ(fronleichnam->country_line, "Deutschland (partially)");
  EXPECT_TRUE(fronleichnam->day_off);
  EXPECT_FALSE(fronleichnam->match);
  EXPECT_EQ(fronleichnam->name, "Corpus Christi");
  EXPECT_EQ(fronleichnam->date.Start, At(2006, 6, 15));
  EXPECT_EQ(fronleichnam->year, 2006);

  // Holidays come in index order, not date order, each once.
  for (size_t i = 1; i < observer_.seen.size(); ++i)
    EXPECT_LT(observer_.seen[i - 1].holiday, observer_.seen[i].holiday);
}

TEST_F(HolidayRunTest, OnlyTheTickedRegionsThemselvesSelect) {
  const struct {
    std::vector<std::string> ticked;
    bool has_fronleichnam;
    bool has_unity_day;
  } kCases[] = {
      {{"Deutschland|Berlin"}, false, false},  // no rows of its own
      {{"Deutschland", "Deutschland|Berlin"}, false, true},
      {{"Deutschland|Bayern"}, true, false},
      {{"Deutschland", "deutschland|bayern"}, false, true},  // keys compare exactly
      {{"Nowhere", "Deutschland|Bayern|"}, false, false},
  };
  for (const auto& c : kCases) {
    selection_.ticked_keys = c.ticked;
    observer_.seen.clear();
    Run().ProcessHolidays(selection_);
    SCOPED_TRACE(Join(c.ticked));
    EXPECT_EQ(observer_.Find(kFronleichnam) != nullptr, c.has_fronleichnam);
    EXPECT_EQ(observer_.Find(kUnityDay) != nullptr, c.has_unity_day);
    EXPECT_EQ(dialog_.boxes.back().text, "0 added, 0 modified.");
  }
}

TEST_F(HolidayRunTest, WholeCountryLinesInTheRunsLanguage) {
  const struct {
    std::int32_t language;
    const char* name;
    const char* line;
  } kCases[] = {
      {kEnglishIndex, "Unity Day", "Deutschland (Whole country) (Statutory)"},
      {kGermanIndex, "Tag der deutschen Einheit",
       "Deutschland (Bundesweit) (Gesetzlich anerkannt)"},
      {kEnglishIndex, "Unity Day", "Deutschland (Whole country) (Statutory)"},
  };
  for (const auto& c : kCases) {  // one run object: texts cached for one language stay there
    selection_.language = c.language;
    observer_.seen.clear();
    Run().ProcessHolidays(selection_);
    const Seen* unity = observer_.Find(kUnityDay);
    ASSERT_NE(unity, nullptr);
    EXPECT_EQ(unity->name, c.name);
    EXPECT_EQ(unity->regions, c.line);
    EXPECT_EQ(unity->country_line, "Deutschland");
    EXPECT_TRUE(unity->day_off);
  }
}

TEST_F(HolidayRunTest, NeujahrInSchweizIsPartialBecauseOfTheCantons) {
  selection_.country = "Schweiz";
  selection_.ticked_keys = {"Schweiz"};
  Run().ProcessHolidays(selection_);
  const Seen* neujahr = observer_.Find(kNeujahr);
  ASSERT_NE(neujahr, nullptr);
  EXPECT_EQ(neujahr->country_line, "Schweiz (partially)");
  EXPECT_TRUE(neujahr->regions.starts_with(
      "Schweiz (Whole country) (Statutory, coequals to sundays)\r\nSchweiz/"))
      << neujahr->regions;
  EXPECT_EQ(neujahr->regions.find("Deutschland"), std::string::npos);
  EXPECT_TRUE(neujahr->day_off);
}

// The country text names a whole first level of the region paths; a text that is only
// the beginning of a country's name finds none of its regions.
TEST_F(HolidayRunTest, RegionsBelongToTheCountryByItsWholeName) {
  const struct {
    const char* country;
    const char* country_line;
    const char* regions;
    bool day_off;
  } kCases[] = {
      {"Deutschland", "Deutschland", "Deutschland (Whole country) (Statutory)", true},
      {"Deutsch", "Deutsch", "", false},
      {"", "", "", false},
      {"Deutschland|", "Deutschland|", "", false},
  };
  selection_.ticked_keys = {"Deutschland"};
  for (const auto& c : kCases) {
    selection_.country = c.country;
    observer_.seen.clear();
    Run().ProcessHolidays(selection_);
    const Seen* unity = observer_.Find(kUnityDay);
    ASSERT_NE(unity, nullptr) << c.country;
    EXPECT_EQ(unity->country_line, c.country_line);
    EXPECT_EQ(unity->regions, c.regions);
    EXPECT_EQ(unity->day_off, c.day_off);
  }
}

// A holiday whose only rows in the country have statuses 3 to 5 is no day off.
TEST_F(HolidayRunTest, DayOffNeedsStatusOneOrTwoSomewhereInTheCountry) {
  int aschermittwoch_checks = 0;
  for (std::int32_t holiday = 0; holiday < data::kRuleCount; ++holiday) {
    bool in_germany = false;
    bool off = false;
    std::string region;
    for (const data::Assignment& row : data::AssignmentTable) {
      if (row.HolidayIndex != holiday) continue;
      const std::string_view path = data::RegionTable[static_cast<size_t>(row.RegionIndex)];
      if (!path.starts_with("Deutschland")) continue;
      in_germany = true;
      off = off || row.Status == 1 || row.Status == 2;
      region = path;
    }
    if (!in_germany) continue;
    // Tick the last region that has it, with its ancestors.
    selection_.ticked_keys.clear();
    for (std::string_view path = region; !path.empty(); path = data::RegionParent(path))
      selection_.ticked_keys.insert(selection_.ticked_keys.begin(), std::string(path));
    observer_.seen.clear();
    Run().ProcessHolidays(selection_);
    const Seen* seen = observer_.Find(holiday);
    ASSERT_NE(seen, nullptr) << holiday;
    EXPECT_EQ(seen->day_off, off) << holiday;
    // Aschermittwoch has a single German row, with status 5.
    if (holiday == 12) {
      EXPECT_FALSE(seen->day_off);
      ++aschermittwoch_checks;
    }
  }
  EXPECT_EQ(aschermittwoch_checks, 1);
}

// The law as it stands: each change of the law since the tables, seen through a run of
// one year with and without the current law.
TEST_F(HolidayRunTest, TheCurrentLawChangesWhatTheTablesSay) {
  enum Off { kAbsent, kNo, kYes };
  constexpr std::int32_t kReformation = 71, kRepentance = 75, kGoodFriday = 21, kWhitMonday = 36;
  const struct Case {
    const char* country;
    const char* region;  // ticked below the country; "" for the country alone
    std::int32_t year;
    std::int32_t holiday;
    unsigned month, day;
    Off table, law;
    const char* law_standing;  // the standing the regions text gives under the law, or ""
  } cases[] = {
      {"Deutschland", "Berlin", 2027, data::kWomensDay, 3, 8, kAbsent, kYes, "Statutory"},
      {"Deutschland", "Berlin", 2018, data::kWomensDay, 3, 8, kAbsent, kAbsent, ""},
      {"Deutschland", "Mecklenburg-Vorpommern", 2023, data::kWomensDay, 3, 8, kAbsent, kYes, ""},
      {"Deutschland", "Mecklenburg-Vorpommern", 2022, data::kWomensDay, 3, 8, kAbsent, kAbsent, ""},
      {"Deutschland", "Thüringen", 2019, data::kWorldChildrensDay, 9, 20, kAbsent, kYes, ""},
      {"Deutschland", "Bremen", 2024, kReformation, 10, 31, kAbsent, kYes, ""},
      {"Deutschland", "Hamburg", 2024, kReformation, 10, 31, kAbsent, kYes, ""},
      {"Deutschland", "Niedersachsen", 2024, kReformation, 10, 31, kAbsent, kYes, ""},
      {"Deutschland", "Schleswig-Holstein", 2018, kReformation, 10, 31, kAbsent, kYes, ""},
      {"Deutschland", "Bayern", 2017, kReformation, 10, 31, kAbsent, kYes, ""},
      {"Deutschland", "Bayern", 2018, kReformation, 10, 31, kAbsent, kAbsent, ""},
      {"Deutschland", "Sachsen", 1995, kRepentance, 11, 22, kNo, kYes, "Statutory"},
      {"Deutschland", "Bayern", 1994, kRepentance, 11, 16, kAbsent, kYes, ""},
      {"Deutschland", "Bayern", 1995, kRepentance, 11, 22, kAbsent, kAbsent, ""},
      {"Deutschland", "Berlin", 2020, data::kLiberationDay, 5, 8, kAbsent, kYes, ""},
      {"Deutschland", "Berlin", 2021, data::kLiberationDay, 5, 8, kAbsent, kAbsent, ""},
      {"Deutschland", "Berlin", 2025, data::kLiberationDay, 5, 8, kAbsent, kYes, ""},
      {"Deutschland", "", 1989, kUnityDay, 10, 3, kYes, kAbsent, ""},
      {"Deutschland", "", 1990, kUnityDay, 10, 3, kYes, kYes, ""},
      {"Deutschland", "", 1990, data::kSeventeenthOfJune, 6, 17, kAbsent, kYes, ""},
      {"Deutschland", "", 1991, data::kSeventeenthOfJune, 6, 17, kAbsent, kAbsent, ""},
      {"Österreich", "", 2019, kGoodFriday, 4, 19, kNo, kNo, "Non-statutory holiday"},
      {"France", "", 2004, kWhitMonday, 5, 31, kNo, kYes, "Statutory"},
      {"France", "", 2005, kWhitMonday, 5, 16, kNo, kNo, ""},
      {"France", "", 2008, kWhitMonday, 5, 12, kNo, kYes, ""},
  };
  for (const Case& c : cases) {
    selection_.country = c.country;
    selection_.ticked_keys = {c.country};
    if (*c.region != '\0')
      selection_.ticked_keys.push_back(std::string(c.country) + "|" + c.region);
    selection_.first_year = selection_.last_year = std::to_string(c.year);
    for (const bool current_law : {false, true}) {
      SCOPED_TRACE(std::string(c.region) + " " + std::to_string(c.year) + " holiday " +
                   std::to_string(c.holiday) + (current_law ? " under the current law" : ""));
      HolidayRun run(dialog_, texts_, &target_);
      run.SetObserver(&observer_);
      run.SetCurrentLaw(current_law);
      observer_.seen.clear();
      run.ProcessHolidays(selection_);
      const Seen* seen = observer_.Find(c.holiday);
      const Off expected = current_law ? c.law : c.table;
      ASSERT_EQ(seen != nullptr, expected != kAbsent);
      if (seen == nullptr) continue;
      EXPECT_EQ(seen->date.Start, At(c.year, c.month, c.day));
      EXPECT_EQ(seen->day_off, expected == kYes);
      if (current_law && *c.law_standing != '\0') {
        EXPECT_NE(seen->regions.find(std::string("(") + c.law_standing + ")"), std::string::npos)
            << seen->regions;
      }
    }
  }
}

// A run over several years takes each year's law, not the first year's.
TEST_F(HolidayRunTest, TheCurrentLawIsTakenYearByYear) {
  selection_.ticked_keys = {"Deutschland", "Deutschland|Berlin"};
  selection_.first_year = "2018";
  selection_.last_year = "2026";
  Run().SetCurrentLaw(true);
  Run().ProcessHolidays(selection_);
  std::vector<std::int32_t> liberation, womens_day;
  for (const Seen& seen : observer_.seen) {
    if (seen.holiday == data::kLiberationDay) liberation.push_back(seen.year);
    if (seen.holiday == data::kWomensDay) womens_day.push_back(seen.year);
  }
  EXPECT_EQ(liberation, (std::vector<std::int32_t>{2020, 2025}));
  EXPECT_EQ(womens_day,
            (std::vector<std::int32_t>{2019, 2020, 2021, 2022, 2023, 2024, 2025, 2026}));
}

TEST_F(HolidayRunTest, WorldCupProcessesOnly2006) {
  selection_.country = std::string(data::kWorldCupCountry);
  selection_.ticked_keys = {std::string(data::kWorldCupCountry)};
  selection_.first_year = "2010";
  selection_.last_year = "2012";
  Run().ProcessHolidays(selection_);
  ASSERT_EQ(observer_.seen.size(), 64u);
  int at_20_june_16 = 0;
  for (const Seen& match : observer_.seen) {
    EXPECT_EQ(match.year, 2006);
    EXPECT_TRUE(match.match);
    EXPECT_FALSE(match.day_off);
    EXPECT_EQ(match.country_line, data::kWorldCupCountry);
    EXPECT_EQ(match.regions,
              std::string(data::kWorldCupCountry) + " (Whole country) (Non-statutory holiday)");
    if (match.date.Start == At(2006, 6, 20, 16)) ++at_20_june_16;
  }
  EXPECT_EQ(at_20_june_16, 2);
  EXPECT_EQ(observer_.seen.front().name, "Germany - Costa Rica");
  EXPECT_EQ(observer_.seen.front().date.Start, At(2006, 6, 9, 18));
  EXPECT_EQ(dialog_.Entries("label "),
            std::vector<std::string>{"label Processing holidays of 2006..."});
}

TEST_F(HolidayRunTest, YearsAreClampedOnlyAtTheirOwnEnd) {
  const struct {
    const char* first;
    const char* last;
    int processed_first;  // 0: refused with the start-behind-end box
    int processed_last;
  } kCases[] = {
      {"1970", "2100", 1984, 2049},     {"2060", "2070", 0, 0},
      {"1970", "1980", 0, 0},           {"2050", "2050", 0, 0},
      {"2006", "2005", 0, 0},           {"2049", "2049", 2049, 2049},
      {"1983", "1984", 1984, 1984},     {"-2147483648", "2147483647", 1984, 2049},
      {" 2006 ", "2006.4", 2006, 2006},
  };
  texts_.LanguageID = kGermanLcid;  // the refusal comes in the host's language
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.first) + ".." + c.last);
    selection_.first_year = c.first;
    selection_.last_year = c.last;
    dialog_.log.clear();
    dialog_.boxes.clear();
    observer_.seen.clear();
    Run().ProcessHolidays(selection_);
    ASSERT_EQ(dialog_.boxes.size(), 1u);
    if (c.processed_first == 0) {
      EXPECT_EQ(dialog_.boxes[0],
                (MessageBoxRequest{"Das eingegebene Start-Jahr liegt hinter dem End-Jahr.",
                                   MessageIcon::kNone, MessageButtons::kOk, kBanner, ""}));
      EXPECT_TRUE(observer_.seen.empty());
      EXPECT_TRUE(dialog_.Entries("busy").empty());
      continue;
    }
    const auto labels = dialog_.Entries("label ");
    ASSERT_EQ(labels.size(), static_cast<size_t>(c.processed_last - c.processed_first + 1));
    EXPECT_EQ(labels.front(),
              "label Processing holidays of " + std::to_string(c.processed_first) + "...");
    EXPECT_EQ(labels.back(),
              "label Processing holidays of " + std::to_string(c.processed_last) + "...");
    EXPECT_EQ(observer_.seen.front().year, c.processed_first);
    EXPECT_EQ(observer_.seen.back().year, c.processed_last);
    EXPECT_EQ(dialog_.boxes[0].icon, MessageIcon::kInformation);
  }
}

TEST_F(HolidayRunTest, ProgressBarMaximumBeforeMinimum) {
  const struct {
    const char* first;
    const char* last;
    std::vector<std::string> bar;  // every bar write, in order
  } kCases[] = {
      {"2005", "2005", {"min 0", "max 100", "value 0", "max 2006", "min 2004", "value 2005"}},
      {"2005",
       "2007",
       {"min 0", "max 100", "value 0", "max 2007", "min 2004", "value 2005", "value 2006",
        "value 2007"}},
  };
  for (const auto& c : kCases) {
    selection_.first_year = c.first;
    selection_.last_year = c.last;
    dialog_.log.clear();
    Run().ProcessHolidays(selection_);
    std::vector<std::string> bar;
    for (const std::string& entry : dialog_.log) {
      if (entry.starts_with("min ") || entry.starts_with("max ") || entry.starts_with("value "))
        bar.push_back(entry);
    }
    EXPECT_EQ(bar, c.bar) << c.first << ".." << c.last;
    // Each year's label comes before its bar value.
    EXPECT_LT(dialog_.IndexOf("label Processing holidays of 2005..."),
              dialog_.IndexOf("value 2005"));
  }
}

TEST_F(HolidayRunTest, RefusalsBeforeTheRunStarts) {
  const struct {
    std::int32_t host;
    std::vector<std::string> calendars;
    std::vector<std::string> ticked;
    const char* text;
  } kCases[] = {
      {kHostProject, {}, {}, "No base calendar selected"},  // checked before the regions
      {kHostProject, {}, {"Deutschland"}, "No base calendar selected"},
      {kHostProject, {"Standard"}, {}, "No regions selected."},
      {kHostOutlook, {}, {}, "No regions selected."},
      {0, {}, {}, "No regions selected."},
  };
  for (const auto& c : kCases) {
    selection_.host = c.host;
    selection_.calendars = c.calendars;
    selection_.ticked_keys = c.ticked;
    dialog_.log.clear();
    dialog_.boxes.clear();
    Run().ProcessHolidays(selection_);
    ASSERT_EQ(dialog_.log.size(), 1u) << c.text;  // the box and nothing else
    EXPECT_EQ(dialog_.boxes[0], (MessageBoxRequest{c.text, MessageIcon::kInformation,
                                                   MessageButtons::kOk, kBanner, ""}));
  }
  EXPECT_TRUE(target_.handled.empty());
  EXPECT_EQ(texts_.LanguageID, kEnglishLcid);
}

TEST_F(HolidayRunTest, ErrorsInTheRunItselfEndItAndRestoreTheLanguage) {
  texts_.LanguageID = kGermanLcid;
  selection_.language = kEnglishIndex;
  const struct {
    std::int32_t host;
    const char* first;
    std::optional<std::int32_t> language;
    bool fail_probe, fail_cache, fail_release;
    bool was_busy;
    const char* detail;
  } kCases[] = {
      {kHostProject, "20O6", kEnglishIndex, false, false, false, false, "20O6"},
      {kHostOutlook, "", kEnglishIndex, false, false, false, false, "is not a number"},
      {kHostOutlook, "2006", std::nullopt, false, false, false, false, "no language"},
      {kHostOutlook, "2006", 7, false, false, false, false, "language index 7"},
      {kHostOutlook, "2006", kEnglishIndex, true, false, false, false, "probe failed"},
      {kHostOutlook, "2006", kEnglishIndex, false, true, false, true, "cache failed"},
      {kHostOutlook, "2006", kEnglishIndex, false, false, true, true, "release failed"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.detail);
    selection_.host = c.host;
    selection_.first_year = c.first;
    selection_.language = c.language;
    target_.fail_probe.reset();
    target_.fail_cache.reset();
    target_.fail_release.reset();
    if (c.fail_probe) target_.fail_probe = Error{-1, "probe failed", ""};
    if (c.fail_cache) target_.fail_cache = Error{-1, "cache failed", ""};
    if (c.fail_release) target_.fail_release = Error{-1, "release failed", ""};
    dialog_.log.clear();
    dialog_.boxes.clear();
    Run().ProcessHolidays(selection_);

    ASSERT_EQ(dialog_.boxes.size(), 1u);  // no result message
    const MessageBoxRequest& box = dialog_.boxes[0];
    EXPECT_EQ(box.text, "ProcessHolidays Error.");
    EXPECT_EQ(box.icon, MessageIcon::kCritical);
    EXPECT_EQ(box.buttons, MessageButtons::kOk);
    EXPECT_EQ(box.title, "Zent Feriant");
    EXPECT_NE(box.detail.find(c.detail), std::string::npos) << box.detail;
    EXPECT_EQ(texts_.LanguageID, kGermanLcid);
    // A dialog made busy is given back before the box appears.
    EXPECT_EQ(dialog_.Entries("busy").size(), c.was_busy ? 1u : 0u);
    if (c.was_busy) {
      EXPECT_LT(dialog_.IndexOf("idle"), dialog_.IndexOf("box ProcessHolidays Error."));
      EXPECT_LT(dialog_.IndexOf("pointer"), dialog_.IndexOf("idle"));
    }
  }
}

TEST_F(HolidayRunTest, ABadRuleEndsItsYearAndTheNextYearGoesOn) {
  std::array<std::string_view, data::kRuleCount> rules;
  std::copy(data::RuleTable.begin(), data::RuleTable.end(), rules.begin());
  rules[kFronleichnam] = "Easter+";
  Run().SetRules(rules);
  selection_.first_year = "2006";
  selection_.last_year = "2007";
  Run().ProcessHolidays(selection_);

  std::vector<MessageBoxRequest> errors;
  for (const auto& box : dialog_.boxes) {
    if (box.icon == MessageIcon::kCritical) errors.push_back(box);
  }
  ASSERT_EQ(errors.size(), 2u);  // one per year
  EXPECT_EQ(errors[0].text, "frmAddIn.ProcessHolidaysOfYear Error.");
  EXPECT_EQ(errors[0].title, "Feriant");
  EXPECT_EQ(errors[0].buttons, MessageButtons::kOk);
  EXPECT_NE(errors[0].detail.find("Easter+"), std::string::npos) << errors[0].detail;

  for (const int y : {2006, 2007}) {
    int before = 0;
    int after = 0;
    for (const Seen& s : observer_.seen) {
      if (s.year != y) continue;
      (s.holiday < kFronleichnam ? before : after)++;
    }
    EXPECT_GT(before, 0) << y;
    EXPECT_EQ(after, 0) << y;
  }
  EXPECT_EQ(dialog_.boxes.back().icon, MessageIcon::kInformation);  // the run still ends well
}

TEST_F(HolidayRunTest, ATargetErrorEndsOnlyItsOccurrence) {
  selection_.host = kHostProject;
  target_.fail_handle = [](const Occurrence& o) { return o.holiday_index == kFronleichnam; };
  Run().ProcessHolidays(selection_);
  ASSERT_FALSE(target_.handled.empty());
  EXPECT_GT(target_.handled.back().holiday, kFronleichnam);  // later holidays still come
  ASSERT_EQ(dialog_.boxes.size(), 2u);
  EXPECT_EQ(dialog_.boxes[0],
            (MessageBoxRequest{"HandleDate Error.", MessageIcon::kCritical, MessageButtons::kOk,
                               "Zent Feriant", "the host refused the day"}));
  // The failed occurrence stays counted.
  EXPECT_EQ(dialog_.boxes[1].text,
            std::to_string(target_.handled.size()) + " added, " +
                std::to_string(std::count_if(target_.handled.begin(), target_.handled.end(),
                                             [](const Seen& s) { return s.holiday % 2 == 0; })) +
                " modified.");
  EXPECT_EQ(target_.calendars_seen.size(), target_.handled.size());
}

TEST_F(HolidayRunTest, ResultMessageFillsTheCounts) {
  const struct {
    bool removal;
    const char* add;
    const char* remove;
    const char* expected;  // %A: the added or removed count, %M: the modified count
  } kCases[] = {
      {false, "%1 holidays were added to the Outlook calendar and %2 holidays were modified", "",
       "%A holidays were added to the Outlook calendar and %M holidays were modified"},
      {true, "",
       "%1 holidays were removed from the Outlook calendar and %2 holidays were modified.",
       "%A holidays were removed from the Outlook calendar and %M holidays were modified."},
      {false, "%1 holidays were configured as non-working time.", "",
       "%A holidays were configured as non-working time."},
      {false, "%1/%1 %2%2 %3", "", "%A/%A %M%M %3"},
  };
  selection_.host = kHostOutlook;
  for (const auto& c : kCases) {  // counters start from 0 in every run
    selection_.is_removal = c.removal;
    selection_.success_add_message = c.add;
    selection_.success_remove_message = c.remove;
    target_.handled.clear();
    Run().ProcessHolidays(selection_);
    const auto handled = static_cast<std::int32_t>(target_.handled.size());
    const auto modified =
        static_cast<std::int32_t>(std::count_if(target_.handled.begin(), target_.handled.end(),
                                                [](const Seen& s) { return s.holiday % 2 == 0; }));
    ASSERT_GT(handled, 20);
    ASSERT_GT(modified, 0);
    ASSERT_LT(modified, handled);
    std::string expected = c.expected;
    expected = FillPlaceholder(std::move(expected), "%A", std::int64_t{handled});
    expected = FillPlaceholder(std::move(expected), "%M", std::int64_t{modified});
    EXPECT_EQ(dialog_.boxes.back(), (MessageBoxRequest{expected, MessageIcon::kInformation,
                                                       MessageButtons::kOk, kBanner, ""}));
    EXPECT_EQ(Run().AddedCount(), c.removal ? 0 : handled);
    EXPECT_EQ(Run().RemovedCount(), c.removal ? handled : 0);
    EXPECT_EQ(Run().ModifiedCount(), modified);
  }
}

// A kept fill gives what FillPlaceholder gives, however many markers and wherever they
// stand, filled again and again.
TEST(PlaceholderFillTest, FillsAsFillPlaceholderDoes) {
  const struct {
    const char* text;
    const char* marker;
  } kCases[] = {{"Processing holidays of %1...", "%1"},
                {"%1", "%1"},
                {"%1 to %1%1", "%1"},
                {"", "%1"},
                {"no marker", "%1"},
                {"%%11%", "%1"},
                {"any %1", ""}};
  for (const auto& c : kCases) {
    PlaceholderFill fill(c.text, c.marker);
    for (const std::int64_t value : {std::int64_t{2006}, std::int64_t{-7}, std::int64_t{0}}) {
      EXPECT_EQ(fill.Fill(value), FillPlaceholder(c.text, c.marker, value))
          << c.text << " " << value;
    }
  }
}

TEST_F(HolidayRunTest, LanguageSwitchesForTheRunAndBack) {
  const struct {
    std::int16_t host_language;
    std::int32_t run_language;
    std::int16_t run_lcid;
    const char* label;
    const char* caching;
  } kCases[] = {
      {kGermanLcid, kEnglishIndex, kEnglishLcid, "label Processing holidays of 2006...",
       "label Caching Appointments..."},
      {kEnglishLcid, kGermanIndex, kGermanLcid, "label Verarbeiten der Feiertage von 2006...",
       "label Zwischenspeichern der Termine..."},
  };
  selection_.host = kHostOutlook;
  for (const auto& c : kCases) {
    texts_.LanguageID = c.host_language;
    selection_.language = c.run_language;
    dialog_.log.clear();
    dialog_.log_language.clear();
    Run().ProcessHolidays(selection_);
    const size_t busy = dialog_.IndexOf("busy");
    const size_t label = dialog_.IndexOf(c.label);
    const size_t box = dialog_.log.size() - 1;
    ASSERT_LT(label, dialog_.log.size());
    EXPECT_NE(dialog_.IndexOf(c.caching), dialog_.log.size());
    EXPECT_EQ(dialog_.log_language[busy], c.run_lcid);
    EXPECT_EQ(dialog_.log_language[label], c.run_lcid);
    EXPECT_EQ(dialog_.log_language[box], c.host_language);
    EXPECT_EQ(texts_.LanguageID, c.host_language);
  }
}

TEST_F(HolidayRunTest, OutlookPreparationAndReleaseInTheirPlaces) {
  selection_.host = kHostOutlook;
  selection_.first_year = "1900";
  selection_.last_year = "2007";
  Run().ProcessHolidays(selection_);
  const std::vector<std::string> kOrder = {"probe",           "busy",     "wait",
                                           "cache 1984 2007", "max 2007", "min 1983",
                                           "release",         "pointer",  "idle"};
  size_t previous = 0;
  for (const std::string& step : kOrder) {
    const size_t at = dialog_.IndexOf(step);
    ASSERT_LT(at, dialog_.log.size()) << step;
    EXPECT_GE(at, previous) << step;
    previous = at;
  }
  EXPECT_LT(dialog_.IndexOf("label Processing holidays of 2007..."), dialog_.IndexOf("release"));
  EXPECT_FALSE(target_.seen_new_items_first.empty());
  EXPECT_TRUE(std::all_of(target_.seen_new_items_first.begin(), target_.seen_new_items_first.end(),
                          [](bool b) { return b; }));
}

TEST_F(HolidayRunTest, OtherHostsReachOnlyTheObserver) {
  for (const std::int32_t host : {0, 3, -1}) {
    selection_.host = host;
    observer_.seen.clear();
    dialog_.log.clear();
    Run().ProcessHolidays(selection_);
    EXPECT_FALSE(observer_.seen.empty());
    EXPECT_TRUE(target_.handled.empty());
    EXPECT_EQ(dialog_.IndexOf("probe"), dialog_.log.size());
  }
  // Project's target is reached without any preparation.
  selection_.host = kHostProject;
  dialog_.log.clear();
  observer_.seen.clear();
  Run().ProcessHolidays(selection_);
  EXPECT_EQ(target_.handled.size(), observer_.seen.size());
  EXPECT_EQ(dialog_.IndexOf("probe"), dialog_.log.size());
  EXPECT_EQ(dialog_.IndexOf("release"), dialog_.log.size());
}

// The run's texts, however cached, equal those of plain scans of the tables in table order,
// for every holiday of every country with all its regions ticked.
TEST_F(HolidayRunTest, TextsEqualThoseOfPlainTableScans) {
  const std::int16_t kLcids[] = {kEnglishLcid, kGermanLcid};
  for (const std::int32_t language : {kEnglishIndex, kGermanIndex}) {
    texts_.LanguageID = kLcids[language == kGermanIndex ? 1 : 0];
    const clsLangSetter words = texts_;  // the texts of the run's language
    for (const std::int32_t country_region : data::CountryRegions()) {
      const std::string country(data::RegionTable[static_cast<size_t>(country_region)]);
      selection_.country = country;
      selection_.ticked_keys.clear();
      for (const std::string_view path : data::RegionTable) {
        if (path == country || path.starts_with(country + "|"))
          selection_.ticked_keys.emplace_back(path);
      }
      selection_.language = language;
      observer_.seen.clear();
      Run().ProcessHolidays(selection_);

      std::vector<bool> selected(data::kRuleCount, false);
      for (const data::Assignment& row : data::AssignmentTable) {
        const std::string_view path = data::RegionTable[static_cast<size_t>(row.RegionIndex)];
        if (std::find(selection_.ticked_keys.begin(), selection_.ticked_keys.end(), path) !=
            selection_.ticked_keys.end())
          selected[static_cast<size_t>(row.HolidayIndex)] = true;
      }
      size_t next = 0;
      for (std::int32_t holiday = 0; holiday < data::kRuleCount; ++holiday) {
        if (!selected[static_cast<size_t>(holiday)]) continue;
        SCOPED_TRACE(country + " " + std::to_string(holiday));
        ASSERT_LT(next, observer_.seen.size());
        const Seen& seen = observer_.seen[next++];
        ASSERT_EQ(seen.holiday, holiday);

        std::vector<std::string> lines;
        bool partially = false;
        bool off = false;
        for (const data::Assignment& row : data::AssignmentTable) {
          if (row.HolidayIndex != holiday) continue;
          const std::string path(data::RegionTable[static_cast<size_t>(row.RegionIndex)]);
          if (!path.starts_with(country)) continue;
          std::string line = path;
          std::replace(line.begin(), line.end(), '|', '/');
          if (path.find('|') == std::string::npos) {
            line += " (" + words.OutlookMessages_WholeCounty() + ")";
          } else {
            partially = true;
          }
          line += " (" + StatusText(words, row.Status) + ")";
          off = off || row.Status <= 2;
          if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(line);
        }
        EXPECT_EQ(seen.regions, Join(lines));
        EXPECT_EQ(seen.country_line,
                  partially ? country + " (" + words.OutlookMessages_Partially() + ")" : country);
        EXPECT_EQ(seen.day_off, off);

        const data::HolidayName* name = nullptr;
        for (const data::HolidayName& record : data::HolidayNameTable) {
          if (record.HolidayIndex == holiday && record.LanguageIndex == language) {
            name = &record;
            break;
          }
        }
        for (const data::HolidayName& record : data::HolidayNameTable) {
          if (name == nullptr && record.HolidayIndex == holiday && record.IsDefaultName != 0)
            name = &record;
        }
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(seen.name, name->Name);
      }
      EXPECT_EQ(next, observer_.seen.size()) << country;
    }
  }
}

TEST(StatusTextTest, KnownStatusesOnly) {
  clsLangSetter texts;
  texts.LanguageID = kGermanLcid;
  const struct {
    std::int32_t status;
    const char* text;
  } kCases[] = {
      {1, "Gesetzlich anerkannt"},
      {2, "Den Sonntagen gleichgestellt"},
      {3, "Meist nur halber Tag frei"},
      {4, "Gesetzlich nicht anerkannt / öfftl. Einrichtungen meist geschlossen"},
      {5, "Gesetzlich nicht anerkannt"},
      {0, ""},
      {6, ""},
      {-1, ""},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(StatusText(texts, c.status), c.text) << c.status;
}

}  // namespace
}  // namespace feriant::engine
