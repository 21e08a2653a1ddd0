#include "apps/feriant/current_law.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "addin/data/amendments.h"
#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/current_law_setting.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/localisation.h"
#include "apps/feriant/command_support.h"
#include "apps/feriant/commands.h"
#include "apps/feriant/region_finder.h"
#include "apps/feriant/text_format.h"
#include "platform/automation/variant.h"
#include "platform/base/environment.h"
#include "platform/registry/registry.h"

namespace feriant::cli {
namespace {

// The words of the `changes` table, in the user's language.
struct ChangesWords {
  std::string_view region, holiday, years, standing, removed, until, since, always;
};
// By text language.
constexpr std::array<ChangesWords, engine::kTextLanguageCount> kWords = {{
    {"Region", "Feiertag", "Jahre", "Stellung", "aufgehoben", "bis", "ab", "immer"},
    {"Region", "Holiday", "Years", "Standing", "removed", "until", "since", "always"},
    {"Région", "Jour férié", "Années", "Statut", "supprimé", "jusqu'en", "depuis", "toujours"},
    {"Regione", "Festività", "Anni", "Stato", "soppresso", "fino al", "dal", "sempre"},
}};

// "No later change of the law is recorded for <place>.", around the place, by text
// language.
struct NoChangeWords {
  std::string_view before, after;
};
constexpr std::array<NoChangeWords, engine::kTextLanguageCount> kNoChange = {{
    {"Für ", " ist keine spätere Änderung des Rechts verzeichnet.\n"},
    {"No later change of the law is recorded for ", ".\n"},
    {"Aucune modification ultérieure du droit n'est enregistrée pour ", ".\n"},
    {"Non è registrata alcuna modifica successiva del diritto per ", ".\n"},
}};

std::string YearsText(const data::Amendment& row, const ChangesWords& words) {
  const bool open_start = row.FirstYear == data::kOpenStart;
  const bool open_end = row.LastYear == data::kOpenEnd;
  if (open_start && open_end) return std::string(words.always);
  if (open_start) return std::string(words.until) + " " + std::to_string(row.LastYear);
  if (open_end) return std::string(words.since) + " " + std::to_string(row.FirstYear);
  if (row.FirstYear == row.LastYear) return std::to_string(row.FirstYear);
  return std::to_string(row.FirstYear) + "-" + std::to_string(row.LastYear);
}

std::string_view HolidayNameOf(std::int32_t holiday, std::int32_t language) {
  const data::HolidayName* name = data::FindHolidayNameRecord(holiday, language);
  return name == nullptr ? std::string_view() : name->Name;
}

// The region's table path that `text` names, in `country` or, when no country is given, in
// the one country where it names a region; the usual messages for none and several.
Result<std::string> FindChangesRegion(std::string_view country, std::string_view text) {
  std::vector<std::string_view> countries;
  if (!country.empty()) {
    countries.push_back(country);
  } else {
    for (const std::int32_t index : data::CountryRegions())
      countries.push_back(data::RegionTable[static_cast<size_t>(index)]);
  }
  std::vector<std::int32_t> found;
  for (const std::string_view candidate : countries) {
    const RegionMatch match = FindRegionOf(candidate, text);
    if (match.region >= 0) found.push_back(match.region);
    found.insert(found.end(), match.candidates.begin(), match.candidates.end());
  }
  if (found.size() == 1) return std::string(data::RegionTable[static_cast<size_t>(found[0])]);
  if (found.empty()) {
    if (!country.empty() && data::FindRegion(text) >= 0)
      return Usage("the region \"" + std::string(text) + "\" is not one of " +
                   std::string(country));
    return Usage("there is no region \"" + std::string(text) + "\"");
  }
  std::string message = "\"" + std::string(text) + "\" could mean several regions:";
  for (const std::int32_t index : found)
    message += "\n  " + std::string(data::RegionTable[static_cast<size_t>(index)]);
  return Usage(std::move(message));
}

}  // namespace

bool UseCurrentLaw(std::optional<bool> flag) {
  return flag ? *flag : dialog::ReadCurrentLawSetting();
}

bool UseCurrentLaw(std::optional<bool> flag, std::string_view command, std::ostream& err) {
  if (!flag) ReportUnreadableRegistry(command, "\"Current Law\" is taken to be off", err);
  return UseCurrentLaw(flag);
}

void ReportUnreadableRegistry(std::string_view command, std::string_view defaults,
                              std::ostream& err) {
  const Result<registry::Hive> hive = registry::Registry::CurrentUser().Read();
  if (!hive) {
    err << "feriant " << command
        << ": the per-user registry could not be read: " << hive.error().description << "; "
        << defaults << '\n';
  }
}

void NoteCurrentLaw(const engine::RunSelection& selection, std::string_view command,
                    std::ostream& err) {
  // The years as the run reads and bounds them.
  const Result<std::int32_t> first = automation::Variant(selection.first_year).ToI4();
  const Result<std::int32_t> last = automation::Variant(selection.last_year).ToI4();
  if (!first || !last) return;
  std::vector<std::int32_t> ticked;
  for (const std::string& key : selection.ticked_keys)
    ticked.push_back(data::FindRegion(key));
  const std::vector<std::int32_t> changed = data::HolidaysChangedByCurrentLaw(
      ticked, selection.country, std::max(*first, engine::kFirstRunYear),
      std::min(*last, engine::kLastRunYear));
  if (changed.empty()) return;

  const std::int32_t language = selection.language.value_or(data::kGerman);
  // Two holidays may share a name (a feast and its moved form); the note names each once.
  std::vector<std::string_view> names;
  for (const std::int32_t holiday : changed) {
    const std::string_view name = HolidayNameOf(holiday, language);
    if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
  }
  err << "feriant " << command << ": later changes in the law affect ";
  for (size_t i = 0; i < names.size(); ++i)
    err << (i == 0 ? "" : ", ") << names[i];
  err << " in these years; --current-law applies them (`feriant changes` lists them)\n";
}

int RunChanges(const ChangesOptions& options, std::ostream& out, std::ostream& err) {
  constexpr std::string_view kCommand = "changes";
  data::InitHolidayData();
  dialog::clsLangSetter& texts = dialog::LangSetter();
  texts.LanguageID = HostLanguageID(base::UserLcid());

  std::string country;
  if (options.country) {
    const auto found = FindCountry(*options.country);
    if (!found)
      return UsageError(err, kCommand, "there is no country \"" + *options.country + "\"");
    country = std::string(*found);
  }
  std::string region;
  if (options.region) {
    auto found = FindChangesRegion(country, *options.region);
    if (!found) return UsageError(err, kCommand, found.error().description);
    region = std::move(*found);
    country = std::string(data::RegionCountry(region));
  }

  const auto text_language = static_cast<size_t>(texts.Language());
  const ChangesWords& words = kWords[text_language];
  const std::int32_t language = PreselectedLanguageItemData(texts).value_or(data::kGerman);
  const std::vector<std::int32_t> rows = data::AmendmentsFor(country, region);
  if (rows.empty() && !options.json_lines) {
    out << kNoChange[text_language].before
        << (!region.empty()   ? region
            : country.empty() ? std::string("*")
                              : country)
        << kNoChange[text_language].after;
    return kExitOk;
  }
  TextTable table;
  table.AddRow({std::string(words.region), std::string(words.holiday), std::string(words.years),
                std::string(words.standing)});
  for (const std::int32_t index : rows) {
    const data::Amendment& row = data::AmendmentTable[static_cast<size_t>(index)];
    const bool removed = row.Status == data::kNotAssigned;
    const std::string standing =
        removed ? std::string(words.removed) : engine::StatusText(texts, row.Status);
    if (options.json_lines) {
      nlohmann::ordered_json line;
      line["region"] = std::string(row.RegionPath);
      line["holiday"] = row.HolidayIndex;
      line["name"] = std::string(HolidayNameOf(row.HolidayIndex, language));
      line["first_year"] = row.FirstYear == data::kOpenStart
                               ? nlohmann::ordered_json(nullptr)
                               : nlohmann::ordered_json(row.FirstYear);
      line["last_year"] = row.LastYear == data::kOpenEnd ? nlohmann::ordered_json(nullptr)
                                                         : nlohmann::ordered_json(row.LastYear);
      line["status"] = row.Status;
      line["standing"] = standing;
      line["source"] = std::string(row.Source);
      out << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
      continue;
    }
    table.AddRow({std::string(row.RegionPath),
                  std::string(HolidayNameOf(row.HolidayIndex, language)), YearsText(row, words),
                  standing});
    table.AddNote(std::string(row.Source));
  }
  if (!options.json_lines) table.Print(out);
  return kExitOk;
}

}  // namespace feriant::cli
