#pragma once
// The holiday run: what the dialog's Import and Remove buttons start. It reads the
// selection through the RunDialog seam, works out year by year which holidays the ticked
// regions have, evaluates their rules, composes the texts that say where and how each
// is observed, and hands every occurrence to the calendar target of the host
// (HostKind) and to an observer; at the end it reports the counts.
//
// A HolidayRun is owned by its driver (the dialog, the command line) and holds the run
// state: the counters, the one FeastTable, and what it precomputes once because it does
// not change within a run (parsed rules, the holiday selection of a set of ticked
// regions, the region texts of a holiday in a country and language). The dialog, the
// localisation, the targets and the observer belong to the driver and outlive the run.
// Failures are shown in message boxes, as the user would see them; nothing throws. One
// thread: the dialog's.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "addin/data/holiday_data.h"
#include "addin/engine/calendar_target.h"
#include "addin/engine/feast_table.h"
#include "addin/engine/localisation.h"
#include "addin/engine/rule.h"
#include "addin/engine/run_dialog.h"

namespace feriant::engine {

// The years a run processes; typed years beyond them are clamped.
inline constexpr std::int32_t kFirstRunYear = 1984;
inline constexpr std::int32_t kLastRunYear = 2049;
// The only year of the World Cup pseudo-country.
inline constexpr std::int32_t kWorldCupYear = 2006;

// Texts and titles of the run's error boxes.
inline constexpr std::string_view kProcessHolidaysError = "ProcessHolidays Error.";
inline constexpr std::string_view kProcessHolidaysOfYearError =
    "frmAddIn.ProcessHolidaysOfYear Error.";
inline constexpr std::string_view kHandleDateError = "HandleDate Error.";
inline constexpr std::string_view kRunErrorTitle = "Zent Feriant";
inline constexpr std::string_view kShowErrorTitle = "Feriant";

// The localised text of an assignment status 1..5; empty for any other value.
std::string StatusText(const Localisation& texts, std::int32_t status);

// The shared error report: `text` in a box with the critical icon, an OK button and the
// title "Feriant"; `detail` says what went wrong, for drivers that print it.
void ShowError(RunDialog& dialog, std::string_view text, std::string_view detail = {});

// The calendar targets of the two hosts; either may be absent when its host is not
// the one in HostKind.
struct RunTargets {
  CalendarTarget* outlook = nullptr;  // HostKind 1
  CalendarTarget* project = nullptr;  // HostKind 2
};

class HolidayRun final : public TargetContext {
 public:
  HolidayRun(RunDialog& dialog, Localisation& texts, RunTargets targets = {});

  // The observer that sees every occurrence; nullptr for none.
  void SetObserver(OccurrenceObserver* observer) { observer_ = observer; }

  // Evaluates `rules` in place of the shipped rule table (one rule per holiday index).
  void SetRules(std::span<const std::string_view, data::kRuleCount> rules);

  // The whole run, from the checks of the selection to the result message.
  void ProcessHolidays();
  // One year: the holidays of the ticked regions, in holiday index order, names in
  // language `language_index`. An error ends the year and is shown.
  void ProcessHolidaysOfYear(std::int32_t year, std::int32_t language_index);
  // One occurrence: to the observer, then to the target of HostKind. An error ends the
  // occurrence and is shown.
  void HandleDate(const Occurrence& occurrence);

  std::int32_t AddedCount() const { return counters_.AddedCount; }
  std::int32_t RemovedCount() const { return counters_.RemovedCount; }
  std::int32_t ModifiedCount() const { return counters_.ModifiedCount; }
  const FeastTable& Feasts() const { return feasts_; }

  // TargetContext.
  bool IsRemoval() const override { return is_removal_; }
  bool NewItemsFirst() const override { return new_items_first_; }
  RunCounters& Counters() override { return counters_; }
  RunDialog& Dialog() override { return dialog_; }
  const Localisation& Texts() const override { return texts_; }

 private:
  // The localised words the region texts are made of, as fetched for one year:
  // "partially", "Whole country" and the five status texts.
  static constexpr size_t kWordCount = 7;
  using Words = std::array<std::string, kWordCount>;

  struct HolidayTexts {
    bool ready = false;
    std::string CountryLine;
    std::string RegionsText;
    bool IsDayOff = false;
  };
  // The texts of every holiday in one country, composed from one set of words; filled
  // holiday by holiday as the holidays come up.
  struct CountryTexts {
    std::string country;
    Words words;
    std::array<HolidayTexts, data::kRuleCount> holidays;
  };

  static std::shared_ptr<const std::vector<ParsedRule>> ParseRules(
      std::span<const std::string_view, data::kRuleCount> rules);
  [[nodiscard]] Status RunSteps(std::int16_t saved_language, bool& busy);
  [[nodiscard]] Status ProcessYear(std::int32_t year, std::int32_t language_index);
  void ShowRunMessage(MessageKey key, MessageIcon icon);
  // The texts of a few recently used countries, most recent last. They depend on the
  // fixed tables and the words alone, so every run of the process shares them.
  static std::vector<std::unique_ptr<CountryTexts>>& CountryTextsCache();
  CountryTexts& TextsOf(const std::string& country);
  const HolidayTexts& TextsOf(CountryTexts& country, std::int32_t holiday);
  const std::vector<std::int32_t>& SelectionOf(std::vector<std::string> ticked_keys);

  RunDialog& dialog_;
  Localisation& texts_;
  RunTargets targets_;
  OccurrenceObserver* observer_ = nullptr;

  RunCounters counters_;
  bool is_removal_ = false;
  bool new_items_first_ = false;
  FeastTable feasts_;

  // By holiday index; the shipped table's parse is shared by every run of the process.
  std::shared_ptr<const std::vector<ParsedRule>> rules_;
  // The selection of the last set of ticked keys: holiday indexes, ascending.
  bool selection_known_ = false;
  std::vector<std::string> selection_keys_;
  std::vector<std::int32_t> selection_;
};

}  // namespace feriant::engine
