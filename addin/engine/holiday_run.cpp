#include "addin/engine/holiday_run.h"

#include <algorithm>
#include <array>
#include <limits>

#include "addin/engine/host_kind.h"
#include "platform/automation/errors.h"
#include "platform/automation/variant.h"

namespace feriant::engine {
namespace {

Error RunError(std::string description) {
  return Error{automation::hresult::kFail, std::move(description), "ProcessHolidays"};
}

// A typed year as the automation runtime converts text to a 32-bit integer.
Result<std::int32_t> ToYear(const std::string& text) {
  auto year = automation::Variant(text).ToI4();
  if (!year) return RunError("the year \"" + text + "\" is not a number");
  return *year;
}

// What a run changes in the dialog and the localisation for its duration (the busy state
// with the wait pointer, the run's language), put back on every way out of the run: at
// its end before the result, and when it ends early through a refusal or an error, so
// that the dialog is never left disabled behind a message box.
class RunScope {
 public:
  RunScope(RunDialog& dialog, Localisation& texts)
      : dialog_(dialog), texts_(texts), saved_language_(texts.GetLanguageID()) {}
  RunScope(const RunScope&) = delete;
  RunScope& operator=(const RunScope&) = delete;
  ~RunScope() { Restore(); }

  void EnterBusy() {
    dialog_.SetBusy(true);
    busy_ = true;
    dialog_.SetMousePointer(MousePointer::kWait);
  }

  // The default pointer and the idle dialog, then the language the run found; once.
  void Restore() {
    if (restored_) return;
    restored_ = true;
    if (busy_) {
      dialog_.SetMousePointer(MousePointer::kDefault);
      dialog_.SetBusy(false);
    }
    texts_.PutLanguageID(saved_language_);
  }

 private:
  RunDialog& dialog_;
  Localisation& texts_;
  const std::int16_t saved_language_;
  bool busy_ = false;
  bool restored_ = false;
};

// The texts' words in language `language` (a LanguageTable index), the localisation's
// own language put back afterwards.
RunCaches::Words WordsIn(Localisation& texts, std::int32_t language) {
  const std::int16_t own = texts.GetLanguageID();
  texts.PutLanguageID(
      static_cast<std::int16_t>(data::LanguageTable[static_cast<size_t>(language)].Lcid));
  RunCaches::Words words = RunCaches::WordsOf(texts);
  texts.PutLanguageID(own);
  return words;
}

}  // namespace

MessageBoxRequest ErrorBox(std::string_view text, std::string_view title, std::string_view detail) {
  return MessageBoxRequest{std::string(text), MessageIcon::kCritical, MessageButtons::kOk,
                           std::string(title), std::string(detail)};
}

void ShowError(RunDialog& dialog, std::string_view text, std::string_view detail) {
  dialog.ShowMessage(ErrorBox(text, kShowErrorTitle, detail));
}

HolidayRun::HolidayRun(RunDialog& dialog, Localisation& texts, CalendarTarget* target,
                       RunCaches* caches)
    : dialog_(dialog),
      texts_(texts),
      target_(target),
      own_caches_(caches == nullptr ? std::make_unique<RunCaches>() : nullptr),
      caches_(caches == nullptr ? *own_caches_ : *caches),
      rules_(caches_.ShippedRules()) {}

void HolidayRun::SetRules(std::span<const std::string_view, data::kRuleCount> rules) {
  rules_ = ParseRules(rules);
}

void HolidayRun::ProcessHolidays(const RunSelection& selection) {
  run_selection_ = selection;
  const Status status = RunSteps();
  if (!status) {
    dialog_.ShowMessage(
        ErrorBox(kProcessHolidaysError, kRunErrorTitle, status.error().description));
  }
}

void HolidayRun::ShowRunMessage(MessageKey key, MessageIcon icon) {
  dialog_.ShowMessage(MessageBoxRequest{
      texts_.Message(key), icon, MessageButtons::kOk, run_selection_.banner_title, {}});
}

Status HolidayRun::RunSteps() {
  RunScope scope(dialog_, texts_);
  if (run_selection_.host == kHostProject && run_selection_.calendars.empty()) {
    ShowRunMessage(MessageKey::ProjectMessages_NoBaseCalendarSelected, MessageIcon::kInformation);
    return Ok();
  }
  if (run_selection_.ticked_keys.empty()) {
    ShowRunMessage(MessageKey::BothMessages_NoRegionsSelected, MessageIcon::kInformation);
    return Ok();
  }

  auto first_year = ToYear(run_selection_.first_year);
  if (!first_year) return first_year.error();
  auto last_year = ToYear(run_selection_.last_year);
  if (!last_year) return last_year.error();
  std::int32_t first = *first_year;
  std::int32_t last = *last_year;
  if (run_selection_.country == data::kWorldCupCountry) {
    first = kWorldCupYear;
    last = kWorldCupYear;
  }
  // Only these two bounds: a first year beyond the range or a last year before it stays
  // as typed and is refused below.
  if (last > kLastRunYear) last = kLastRunYear;
  if (first < kFirstRunYear) first = kFirstRunYear;
  if (last < first) {
    ShowRunMessage(MessageKey::BothMessages_StartBehindEnd, MessageIcon::kNone);
    return Ok();
  }
  // From here first and last lie in kFirstRunYear..kLastRunYear.

  dialog_.SetProgressMin(0);
  dialog_.SetProgressMax(100);
  dialog_.SetProgressValue(0);

  const std::optional<std::int32_t> language = run_selection_.language;
  if (!language) return RunError("no language is selected");
  if (*language < 0 || *language >= data::kLanguageCount) {
    return RunError("the language index " + std::to_string(*language) + " is out of range");
  }
  const std::int32_t lcid = data::LanguageTable[static_cast<size_t>(*language)].Lcid;
  if (lcid < std::numeric_limits<std::int16_t>::min() ||
      lcid > std::numeric_limits<std::int16_t>::max()) {
    return RunError("the locale identifier " + std::to_string(lcid) + " does not fit");
  }
  texts_.PutLanguageID(static_cast<std::int16_t>(lcid));

  // Only Outlook's calendar needs preparing and letting go of; Project's needs nothing.
  CalendarTarget* outlook = nullptr;
  holiday_categories_.clear();
  if (run_selection_.host == kHostOutlook) {
    // The Lcids of the table fit 16 bits, as checked for the chosen one above.
    for (const data::Language& each : data::LanguageTable) {
      texts_.PutLanguageID(static_cast<std::int16_t>(each.Lcid));
      holiday_categories_.push_back(texts_.Message(MessageKey::OutlookMessages_HolidayCategory));
    }
    texts_.PutLanguageID(static_cast<std::int16_t>(lcid));
    if (target_ == nullptr) return RunError("there is no calendar target for the host");
    outlook = target_;
    auto new_items_first = outlook->ProbeNewItemPosition(*this);
    if (!new_items_first) return new_items_first.error();
    new_items_first_ = *new_items_first;
  }

  scope.EnterBusy();

  if (outlook != nullptr) {
    const Status cached = outlook->CacheAppointments(*this, first, last);
    if (!cached) return cached.error();
  }

  // The maximum first, so that the bar never has its minimum above its maximum; a bar
  // needs a maximum above its minimum even for a single year.
  dialog_.SetProgressMax(first == last ? last + 1 : last);
  dialog_.SetProgressMin(first - 1);

  counters_ = RunCounters{};
  // The texts stay in the run's language until the run ends.
  plan_.ready = false;
  PlaceholderFill label(texts_.Message(MessageKey::BothMessages_ProcessingHolidays), "%1");
  for (std::int32_t year = first; year <= last; ++year) {
    dialog_.SetProgressLabel(label.Fill(year));
    dialog_.SetProgressValue(year);
    ProcessHolidaysOfYear(year, *language);
  }
  plan_.ready = false;

  if (outlook != nullptr) {
    // The calendar's file is written here; a failure means nothing was saved, and the
    // run must not report success.
    const Status released = outlook->ReleaseCalendarFolder(*this);
    if (!released) return released.error();
  }

  scope.Restore();
  std::string result = run_selection_.is_removal
                           ? FillPlaceholder(run_selection_.success_remove_message, "%1",
                                             std::int64_t{counters_.RemovedCount})
                           : FillPlaceholder(run_selection_.success_add_message, "%1",
                                             std::int64_t{counters_.AddedCount});
  result = FillPlaceholder(std::move(result), "%2", std::int64_t{counters_.ModifiedCount});
  dialog_.ShowMessage(MessageBoxRequest{std::move(result),
                                        MessageIcon::kInformation,
                                        MessageButtons::kOk,
                                        run_selection_.banner_title,
                                        {}});
  return Ok();
}

void HolidayRun::ProcessHolidaysOfYear(std::int32_t year, std::int32_t language_index) {
  const Status status = ProcessYear(year, language_index);
  if (!status) ShowError(dialog_, kProcessHolidaysOfYearError, status.error().description);
}

void HolidayRun::PrepareYears(std::int32_t language_index) {
  YearPlan& plan = plan_;
  const std::string& country = run_selection_.country;
  plan.language = language_index;
  // Any index that is no language gets the default names, as the name lookup gives them.
  plan.names_language = language_index >= 0 && language_index < data::kLanguageCount
                            ? language_index
                            : data::kLanguageCount;
  plan.country = &caches_.Country(country, RunCaches::WordsOf(texts_));
  plan.other_languages.clear();
  plan.other_countries.clear();
  if (run_selection_.is_removal && run_selection_.host == kHostOutlook) {
    for (std::int32_t other = 0; other < data::kLanguageCount; ++other) {
      if (other == plan.names_language) continue;
      plan.other_languages.push_back(other);
      plan.other_countries.push_back(&caches_.Country(country, WordsIn(texts_, other)));
    }
  }
  plan.other_texts.assign(plan.other_languages.size(), OccurrenceTexts{});
  plan.ticked_regions.clear();
  for (const std::string& key : run_selection_.ticked_keys)
    plan.ticked_regions.push_back(data::FindRegion(key));
  plan.country_amendments = data::AmendmentsOfCountry(country);
  plan.ticked_amendments = 0;
  for (const std::string& key : run_selection_.ticked_keys) {
    // Those of the region and the regions in it; the region's own have its path.
    const std::uint64_t in_region = data::AmendmentsOfCountry(key);
    for (size_t i = 0; i < data::AmendmentTable.size(); ++i) {
      const std::uint64_t bit = std::uint64_t{1} << i;
      if ((in_region & bit) != 0 && data::AmendmentTable[i].RegionPath == key)
        plan.ticked_amendments |= bit;
    }
  }
  plan.ready = true;
}

static_assert(RunCaches::kFirstFeastYear == kFirstRunYear &&
              RunCaches::kLastFeastYear == kLastRunYear);

Status HolidayRun::ProcessYear(std::int32_t year, std::int32_t language_index) {
  if (!plan_.ready || plan_.language != language_index) PrepareYears(language_index);
  const YearPlan& plan = plan_;
  const FeastTable& feasts = caches_.Feasts(year);
  const data::EffectiveAssignments& assignments =
      current_law_ ? data::CurrentLawAssignments(year) : data::TableAssignments();
  const std::uint64_t in_force = assignments.Amendments();
  const std::uint64_t law_key = in_force & plan.country_amendments;  // CurrentLawKey
  const std::vector<std::int32_t>& selection =
      SelectionOf(plan.ticked_regions, in_force & plan.ticked_amendments, assignments);
  const std::vector<ParsedRule>& rules = *rules_;
  std::span<OccurrenceTexts> other_texts(plan_.other_texts);

  Occurrence occurrence;  // refilled for each holiday
  occurrence.year = year;
  occurrence.OtherLanguages = other_texts;
  for (const std::int32_t holiday : selection) {
    const RuleOutcome date = rules[static_cast<size_t>(holiday)].Evaluate(year, feasts);
    if (!date) return date.error();
    if (!date->has_value()) continue;  // the feast does not exist this year

    const std::uint64_t holiday_key = law_key & caches_.HolidayAmendments(holiday);
    const RunCaches::HolidayTexts& texts = plan.country->Holiday(holiday, holiday_key, assignments);
    const data::HolidayName* name = caches_.HolidayName(holiday, plan.names_language);
    if (name == nullptr) {
      return Error{automation::hresult::kBadIndex,
                   "holiday " + std::to_string(holiday) + " has no name", "ProcessHolidaysOfYear"};
    }
    occurrence.holiday_index = holiday;
    occurrence.date = **date;
    occurrence.name = name;
    occurrence.CountryLine = texts.CountryLine;
    occurrence.RegionsText = texts.RegionsText;
    occurrence.IsDayOff = texts.IsDayOff;
    occurrence.IsWorldCupMatch = (*date)->IsWorldCupMatch;
    for (size_t i = 0; i < other_texts.size(); ++i) {
      const RunCaches::HolidayTexts& other =
          plan.other_countries[i]->Holiday(holiday, holiday_key, assignments);
      other_texts[i] = OccurrenceTexts{caches_.HolidayName(holiday, plan.other_languages[i]),
                                       other.CountryLine, other.RegionsText};
      if (other_texts[i].name == nullptr) other_texts[i].name = name;
    }
    HandleDate(occurrence);
  }
  return Ok();
}

void HolidayRun::HandleDate(const Occurrence& occurrence) {
  if (observer_ != nullptr) observer_->OnOccurrence(occurrence);
  if (run_selection_.host == kHostOutlook || run_selection_.host == kHostProject)
    EnterIntoHost(occurrence);
}

void HolidayRun::EnterIntoHost(const Occurrence& occurrence) {
  const Status status = target_ != nullptr
                            ? target_->HandleDate(*this, occurrence)
                            : Status(RunError("there is no calendar target for the host"));
  if (!status) {
    dialog_.ShowMessage(ErrorBox(kHandleDateError, kRunErrorTitle, status.error().description));
  }
}

const std::vector<std::int32_t>& HolidayRun::SelectionOf(
    const std::vector<std::int32_t>& ticked_regions, std::uint64_t law_key,
    const data::EffectiveAssignments& assignments) {
  // The rows of a region change only with its own amendments.
  if (selection_ready_ && selection_key_ == law_key && ticked_regions == selection_regions_)
    return selection_;

  std::array<bool, data::kAllHolidayCount> selected{};
  for (const std::int32_t region : ticked_regions) {
    // Only the exact region of a ticked node counts; parents and children are not
    // inherited (the dialog ticks the ancestors itself).
    for (const data::Assignment& row : assignments.RowsOfRegion(region)) {
      if (row.HolidayIndex >= 0 && row.HolidayIndex < data::kAllHolidayCount)
        selected[static_cast<size_t>(row.HolidayIndex)] = true;
    }
  }
  selection_.clear();
  for (std::int32_t holiday = 0; holiday < data::kAllHolidayCount; ++holiday) {
    if (selected[static_cast<size_t>(holiday)]) selection_.push_back(holiday);
  }
  selection_regions_ = ticked_regions;
  selection_key_ = law_key;
  selection_ready_ = true;
  return selection_;
}

}  // namespace feriant::engine
