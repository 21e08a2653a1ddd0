#pragma once
// The holiday run: what the dialog's Import and Remove buttons start. It takes the
// selection as a value, works out year by year which holidays the ticked regions have,
// evaluates their rules, composes the texts that say where and how each is observed, and
// hands every occurrence to the calendar target of the selection's host and to an
// observer; it writes its progress and messages through the RunDialog seam and at the
// end reports the counts. On request it applies the law as it stands in each year
// (data/amendments.h) in place of the tables' assignments; otherwise no amendment is consulted.
//
// A HolidayRun is owned by its driver (the dialog, the command line) and holds the run
// state: the counters and the holiday selection of the last set of ticked regions. What
// does not depend on the run (parsed rules, the feasts of each year, the region texts of
// a holiday in a country and language) it takes from a RunCaches that the driver keeps.
// The dialog, the localisation, the target, the caches and the observer belong to the
// driver and outlive the run. Whatever way a run ends, the dialog is idle again and the
// language is the one it found. Failures are shown in message boxes, as the user would
// see them; nothing throws. One thread: the dialog's.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "addin/data/amendments.h"
#include "addin/data/holiday_data.h"
#include "addin/engine/calendar_target.h"
#include "addin/engine/feast_table.h"
#include "addin/engine/localisation.h"
#include "addin/engine/rule.h"
#include "addin/engine/run_caches.h"
#include "addin/engine/run_dialog.h"
#include "addin/engine/run_selection.h"

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

// An error box: `text` with the critical icon, an OK button and `title`; `detail` says
// what went wrong, for drivers that print it.
MessageBoxRequest ErrorBox(std::string_view text, std::string_view title,
                           std::string_view detail = {});

// The shared error report: ErrorBox with the title "Feriant", shown.
void ShowError(RunDialog& dialog, std::string_view text, std::string_view detail = {});

class HolidayRun final : public TargetContext {
 public:
  // `target` is the calendar target of the host the add-in lives in; nullptr when there is
  // none (listing). `caches` is null for a run that keeps its own.
  HolidayRun(RunDialog& dialog, Localisation& texts, CalendarTarget* target = nullptr,
             RunCaches* caches = nullptr);

  // The observer that sees every occurrence; nullptr for none.
  void SetObserver(OccurrenceObserver* observer) { observer_ = observer; }

  // Evaluates `rules` in place of the shipped rule table (one rule per holiday index).
  void SetRules(std::span<const std::string_view, data::kRuleCount> rules);

  // Whether the runs select holidays and compose their texts from the assignments of the
  // current law of each year (true) or from the tables' own (false, the default).
  void SetCurrentLaw(bool current_law) { current_law_ = current_law; }
  bool CurrentLaw() const { return current_law_; }

  // The whole run on `selection`, from its checks to the result message.
  void ProcessHolidays(const RunSelection& selection);
  // One year of a run: the holidays of the ticked regions, in holiday index order, names
  // in language `language_index`. An error ends the year and is shown.
  void ProcessHolidaysOfYear(std::int32_t year, std::int32_t language_index);
  // One occurrence of a run: to the observer, then to the target when the run's host is
  // Outlook or Project. An error ends the occurrence and is shown.
  void HandleDate(const Occurrence& occurrence);

  std::int32_t AddedCount() const { return counters_.AddedCount; }
  std::int32_t RemovedCount() const { return counters_.RemovedCount; }
  std::int32_t ModifiedCount() const { return counters_.ModifiedCount; }

  // TargetContext.
  bool IsRemoval() const override { return run_selection_.is_removal; }
  const RunSelection& Selection() const override { return run_selection_; }
  bool NewItemsFirst() const override { return new_items_first_; }
  RunCounters& Counters() override { return counters_; }
  RunDialog& Dialog() override { return dialog_; }
  const Localisation& Texts() const override { return texts_; }
  std::span<const std::string> HolidayCategories() const override { return holiday_categories_; }

 private:
  // What the years of a run share, prepared for the first of them: the run's words and
  // the ticked keys do not change while it runs.
  struct YearPlan {
    bool ready = false;
    std::int32_t language = 0;        // the language index it was prepared for
    std::int32_t names_language = 0;  // that of the name records
    RunCaches::CountryTexts* country = nullptr;
    // A removal from Outlook's calendar also takes out what runs in the other languages
    // entered: their names, country lines and region texts.
    std::vector<std::int32_t> other_languages;
    std::vector<RunCaches::CountryTexts*> other_countries;
    std::vector<OccurrenceTexts> other_texts;  // one per other language, refilled
    std::vector<std::int32_t> ticked_regions;  // FindRegion of each ticked key
    // The amendments (bit i for AmendmentTable row i) that can change the texts of the
    // country, and those that can change the selection: the ticked regions' own.
    std::uint64_t country_amendments = 0;
    std::uint64_t ticked_amendments = 0;
  };

  [[nodiscard]] Status RunSteps();
  [[nodiscard]] Status ProcessYear(std::int32_t year, std::int32_t language_index);
  void PrepareYears(std::int32_t language_index);
  // HandleDate's part for the hosts: the target, and its error shown.
  void EnterIntoHost(const Occurrence& occurrence);
  void ShowRunMessage(MessageKey key, MessageIcon icon);
  // The holidays of `ticked_regions` under `assignments`, in which the ticked regions'
  // amendments in force are `law_key` (0 under the tables' own).
  const std::vector<std::int32_t>& SelectionOf(const std::vector<std::int32_t>& ticked_regions,
                                               std::uint64_t law_key,
                                               const data::EffectiveAssignments& assignments);

  RunDialog& dialog_;
  Localisation& texts_;
  CalendarTarget* target_;
  std::unique_ptr<RunCaches> own_caches_;  // when the driver gives none
  RunCaches& caches_;
  OccurrenceObserver* observer_ = nullptr;
  RunSelection run_selection_;  // that of the current run

  RunCounters counters_;
  // The holiday category in each language, by language index (Outlook runs only).
  std::vector<std::string> holiday_categories_;
  bool new_items_first_ = false;

  ParsedRules rules_;  // the caches' shipped rules, or those of SetRules
  bool current_law_ = false;
  YearPlan plan_;  // of the current run
  // The selection of the last set of ticked regions under the last key: holiday indexes,
  // ascending.
  bool selection_ready_ = false;
  std::uint64_t selection_key_ = 0;
  std::vector<std::int32_t> selection_regions_;
  std::vector<std::int32_t> selection_;
};

}  // namespace feriant::engine
