#include "addin/engine/holiday_run.h"

#include <algorithm>
#include <limits>

#include "addin/engine/delimited_list.h"
#include "addin/engine/host_kind.h"
#include "platform/automation/errors.h"
#include "platform/automation/variant.h"

namespace feriant::engine {
namespace {

constexpr std::string_view kLineBreak = "\r\n";
// How many countries' texts stay cached; a dialog offers six.
constexpr size_t kCachedCountries = 8;

// Word slots of HolidayRun::Words.
constexpr size_t kPartiallyWord = 0;
constexpr size_t kWholeCountryWord = 1;
constexpr size_t kFirstStatusWord = 2;

constexpr MessageKey kStatusKeys[5] = {
    MessageKey::OutlookMessages_Status1, MessageKey::OutlookMessages_Status2,
    MessageKey::OutlookMessages_Status3, MessageKey::OutlookMessages_Status4,
    MessageKey::OutlookMessages_Status5};

Error RunError(std::string description) {
  return Error{automation::hresult::kFail, std::move(description), "ProcessHolidays"};
}

// A typed year as the automation runtime converts text to a 32-bit integer.
Result<std::int32_t> ToYear(const std::string& text) {
  auto year = automation::Variant(text).ToI4();
  if (!year) return RunError("the year \"" + text + "\" is not a number");
  return *year;
}

}  // namespace

std::string StatusText(const Localisation& texts, std::int32_t status) {
  if (status < 1 || status > 5) return std::string();
  return texts.Message(kStatusKeys[status - 1]);
}

void ShowError(RunDialog& dialog, std::string_view text, std::string_view detail) {
  dialog.ShowMessage(MessageBoxRequest{std::string(text), MessageIcon::kCritical,
                                       MessageButtons::kOk, std::string(kShowErrorTitle),
                                       std::string(detail)});
}

HolidayRun::HolidayRun(RunDialog& dialog, Localisation& texts, RunTargets targets)
    : dialog_(dialog), texts_(texts), targets_(targets) {
  // The shipped table never changes: it is parsed once per process and shared.
  static const std::shared_ptr<const std::vector<ParsedRule>> shipped = ParseRules(data::RuleTable);
  rules_ = shipped;
}

std::shared_ptr<const std::vector<ParsedRule>> HolidayRun::ParseRules(
    std::span<const std::string_view, data::kRuleCount> rules) {
  auto parsed = std::make_shared<std::vector<ParsedRule>>();
  parsed->reserve(rules.size());
  for (const std::string_view rule : rules)
    parsed->push_back(ParsedRule::Parse(rule));
  return parsed;
}

void HolidayRun::SetRules(std::span<const std::string_view, data::kRuleCount> rules) {
  rules_ = ParseRules(rules);
}

void HolidayRun::ProcessHolidays() {
  const std::int16_t saved_language = texts_.GetLanguageID();
  bool busy = false;
  const Status status = RunSteps(saved_language, busy);
  if (status.ok()) return;
  // The dialog is given back to the user even when the run fails, so that it is not
  // left disabled behind the error box.
  if (busy) {
    dialog_.SetMousePointer(MousePointer::kDefault);
    dialog_.SetBusy(false);
  }
  dialog_.ShowMessage(MessageBoxRequest{std::string(kProcessHolidaysError), MessageIcon::kCritical,
                                        MessageButtons::kOk, std::string(kRunErrorTitle),
                                        status.error().description});
  texts_.PutLanguageID(saved_language);
}

void HolidayRun::ShowRunMessage(MessageKey key, MessageIcon icon) {
  dialog_.ShowMessage(
      MessageBoxRequest{texts_.Message(key), icon, MessageButtons::kOk, dialog_.BannerTitle(), {}});
}

Status HolidayRun::RunSteps(std::int16_t saved_language, bool& busy) {
  if (HostKind == kHostProject && dialog_.SelectedCalendars().empty()) {
    ShowRunMessage(MessageKey::ProjectMessages_NoBaseCalendarSelected, MessageIcon::kInformation);
    return Ok();
  }
  if (dialog_.TickedNodeKeys().empty()) {
    ShowRunMessage(MessageKey::BothMessages_NoRegionsSelected, MessageIcon::kInformation);
    return Ok();
  }

  auto first_year = ToYear(dialog_.FirstYearText());
  if (!first_year) return first_year.error();
  auto last_year = ToYear(dialog_.LastYearText());
  if (!last_year) return last_year.error();
  std::int32_t first = *first_year;
  std::int32_t last = *last_year;
  if (dialog_.CountryText() == data::kWorldCupCountry) {
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

  is_removal_ = dialog_.IsRemoval();
  const std::optional<std::int32_t> language = dialog_.SelectedLanguageItemData();
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

  CalendarTarget* outlook = nullptr;
  if (HostKind == kHostOutlook) {
    outlook = targets_.outlook;
    if (outlook == nullptr) return RunError("there is no calendar target for the host");
    auto new_items_first = outlook->ProbeNewItemPosition(*this);
    if (!new_items_first) return new_items_first.error();
    new_items_first_ = *new_items_first;
  }

  dialog_.SetBusy(true);
  busy = true;
  dialog_.SetMousePointer(MousePointer::kWait);

  if (outlook != nullptr) {
    const Status cached = outlook->CacheAppointments(*this, first, last);
    if (!cached) return cached.error();
  }

  // The maximum first, so that the bar never has its minimum above its maximum; a bar
  // needs a maximum above its minimum even for a single year.
  dialog_.SetProgressMax(first == last ? last + 1 : last);
  dialog_.SetProgressMin(first - 1);

  counters_ = RunCounters{};
  for (std::int32_t year = first; year <= last; ++year) {
    dialog_.SetProgressLabel(
        FillPlaceholder(texts_.Message(MessageKey::BothMessages_ProcessingHolidays), "%1", year));
    dialog_.SetProgressValue(year);
    ProcessHolidaysOfYear(year, *language);
  }

  if (outlook != nullptr) {
    // The calendar's file is written here; a failure means nothing was saved, and the
    // run must not report success.
    const Status released = outlook->ReleaseCalendarFolder(*this);
    if (!released) return released.error();
  }

  dialog_.SetMousePointer(MousePointer::kDefault);
  dialog_.SetBusy(false);
  busy = false;
  texts_.PutLanguageID(saved_language);

  std::string result = is_removal_ ? FillPlaceholder(dialog_.SuccessRemoveMessage(), "%1",
                                                     std::int64_t{counters_.RemovedCount})
                                   : FillPlaceholder(dialog_.SuccessAddMessage(), "%1",
                                                     std::int64_t{counters_.AddedCount});
  result = FillPlaceholder(std::move(result), "%2", std::int64_t{counters_.ModifiedCount});
  dialog_.ShowMessage(MessageBoxRequest{std::move(result),
                                        MessageIcon::kInformation,
                                        MessageButtons::kOk,
                                        dialog_.BannerTitle(),
                                        {}});
  return Ok();
}

void HolidayRun::ProcessHolidaysOfYear(std::int32_t year, std::int32_t language_index) {
  const Status status = ProcessYear(year, language_index);
  if (!status) ShowError(dialog_, kProcessHolidaysOfYearError, status.error().description);
}

Status HolidayRun::ProcessYear(std::int32_t year, std::int32_t language_index) {
  feasts_.ComputeFeasts(year);
  CountryTexts& country = TextsOf(dialog_.CountryText());
  const std::vector<std::int32_t>& selection = SelectionOf(dialog_.TickedNodeKeys());

  for (const std::int32_t holiday : selection) {
    const RuleOutcome date = (*rules_)[static_cast<size_t>(holiday)].Evaluate(year, feasts_);
    if (!date) return date.error();
    if (!date->has_value()) continue;  // the feast does not exist this year

    const HolidayTexts& texts = TextsOf(country, holiday);
    const std::int32_t name = data::FindHolidayName(holiday, language_index);
    if (name < 0) {
      return Error{automation::hresult::kBadIndex,
                   "holiday " + std::to_string(holiday) + " has no name", "ProcessHolidaysOfYear"};
    }
    Occurrence occurrence;
    occurrence.year = year;
    occurrence.holiday_index = holiday;
    occurrence.date = **date;
    occurrence.name = &data::HolidayNameTable[static_cast<size_t>(name)];
    occurrence.CountryLine = texts.CountryLine;
    occurrence.RegionsText = texts.RegionsText;
    occurrence.IsDayOff = texts.IsDayOff;
    occurrence.IsWorldCupMatch = (*date)->IsWorldCupMatch;
    HandleDate(occurrence);
  }
  return Ok();
}

void HolidayRun::HandleDate(const Occurrence& occurrence) {
  if (observer_ != nullptr) observer_->OnOccurrence(occurrence);

  CalendarTarget* target = nullptr;
  if (HostKind == kHostOutlook) {
    target = targets_.outlook;
  } else if (HostKind == kHostProject) {
    target = targets_.project;
  } else {
    return;
  }
  const Status status = target != nullptr
                            ? target->HandleDate(*this, occurrence)
                            : Status(RunError("there is no calendar target for the host"));
  if (!status) {
    dialog_.ShowMessage(MessageBoxRequest{std::string(kHandleDateError), MessageIcon::kCritical,
                                          MessageButtons::kOk, std::string(kRunErrorTitle),
                                          status.error().description});
  }
}

std::vector<std::unique_ptr<HolidayRun::CountryTexts>>& HolidayRun::CountryTextsCache() {
  static std::vector<std::unique_ptr<CountryTexts>> cache;
  return cache;
}

HolidayRun::CountryTexts& HolidayRun::TextsOf(const std::string& country) {
  // The words are fetched anew for every year, so the cached texts are always those the
  // localisation gives now.
  Words words;
  words[kPartiallyWord] = texts_.Message(MessageKey::OutlookMessages_Partially);
  words[kWholeCountryWord] = texts_.Message(MessageKey::OutlookMessages_WholeCounty);
  for (size_t i = 0; i < std::size(kStatusKeys); ++i)
    words[kFirstStatusWord + i] = texts_.Message(kStatusKeys[i]);

  auto& country_texts = CountryTextsCache();
  for (auto it = country_texts.begin(); it != country_texts.end(); ++it) {
    if ((*it)->country == country && (*it)->words == words) {
      std::rotate(it, it + 1, country_texts.end());  // most recent last
      return *country_texts.back();
    }
  }
  if (country_texts.size() >= kCachedCountries) country_texts.erase(country_texts.begin());
  auto texts = std::make_unique<CountryTexts>();
  texts->country = country;
  texts->words = std::move(words);
  country_texts.push_back(std::move(texts));
  return *country_texts.back();
}

const HolidayRun::HolidayTexts& HolidayRun::TextsOf(CountryTexts& country, std::int32_t holiday) {
  HolidayTexts& texts = country.holidays[static_cast<size_t>(holiday)];
  if (texts.ready) return texts;

  bool partially = false;
  ListBuilder regions(kLineBreak, CaseSensitivity::kInsensitive);
  std::string line;
  for (const std::int32_t row : data::AssignmentRowsOfHoliday(holiday)) {
    const data::Assignment& assignment = data::AssignmentTable[static_cast<size_t>(row)];
    if (assignment.RegionIndex < 0 || assignment.RegionIndex >= data::kRegionCount) continue;
    const std::string_view path = data::RegionTable[static_cast<size_t>(assignment.RegionIndex)];
    // Regions of other countries are not listed. (A bare prefix test would also take
    // "Schweizerland|X" for a region of "Schweiz".)
    if (!data::BelongsToCountry(path, country.country)) continue;

    const bool whole_country = path.find(data::kRegionSeparator) == std::string_view::npos;
    if (!whole_country) partially = true;
    line.assign(path);
    std::replace(line.begin(), line.end(), data::kRegionSeparator, '/');
    if (whole_country) line.append(" (").append(country.words[kWholeCountryWord]).append(")");
    line.append(" (");
    if (assignment.Status >= 1 && assignment.Status <= 5) {
      line.append(country.words[kFirstStatusWord + static_cast<size_t>(assignment.Status - 1)]);
    }
    line.append(")");
    if (data::IsDayOffStatus(assignment.Status)) texts.IsDayOff = true;
    regions.Add(line);
  }
  texts.RegionsText = regions.list();
  texts.CountryLine = country.country;
  if (partially) texts.CountryLine.append(" (").append(country.words[kPartiallyWord]).append(")");
  texts.ready = true;
  return texts;
}

const std::vector<std::int32_t>& HolidayRun::SelectionOf(std::vector<std::string> ticked_keys) {
  if (selection_known_ && ticked_keys == selection_keys_) return selection_;

  std::array<bool, data::kRuleCount> selected{};
  for (const std::string& key : ticked_keys) {
    // Only the exact region of a ticked node counts; parents and children are not
    // inherited (the dialog ticks the ancestors itself).
    const std::int32_t region = data::FindRegion(key);
    for (const std::int32_t row : data::AssignmentRowsOfRegion(region)) {
      const std::int32_t holiday = data::AssignmentTable[static_cast<size_t>(row)].HolidayIndex;
      if (holiday >= 0 && holiday < data::kRuleCount) selected[static_cast<size_t>(holiday)] = true;
    }
  }
  selection_.clear();
  for (std::int32_t holiday = 0; holiday < data::kRuleCount; ++holiday) {
    if (selected[static_cast<size_t>(holiday)]) selection_.push_back(holiday);
  }
  selection_keys_ = std::move(ticked_keys);
  selection_known_ = true;
  return selection_;
}

}  // namespace feriant::engine
