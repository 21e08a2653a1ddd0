#include "apps/feriant/commands.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <limits>
#include <memory>
#include <string_view>
#include <system_error>

#include <nlohmann/json.hpp>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/country_list.h"
#include "addin/dialog/language_list.h"
#include "addin/dialog/region_tree.h"
#include "addin/engine/feast_table.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/host_kind.h"
#include "apps/feriant/command_support.h"
#include "apps/feriant/console_dialog.h"
#include "apps/feriant/current_law.h"
#include "apps/feriant/listing.h"
#include "apps/feriant/place_names.h"
#include "apps/feriant/region_finder.h"
#include "apps/feriant/text_format.h"
#include "platform/base/clock.h"
#include "platform/base/environment.h"
#include "platform/base/result.h"

namespace feriant::cli {
namespace {

// The host of a listing: no calendar target, nothing is written anywhere.
constexpr std::int32_t kNoHost = 0;
// The years a feast table is printed for: those whose Easter is exact.
constexpr std::int32_t kFirstFeastYear = engine::FeastTable::kFirstExactYear;
constexpr std::int32_t kLastFeastYear = engine::FeastTable::kLastExactYear;

// Every path of depth 0 is a country here, the World Cup included: without a calendar
// target nothing restricts the choice.
std::vector<std::string_view> AllCountries() {
  std::vector<std::string_view> countries;
  for (const std::int32_t region : data::CountryRegions())
    countries.push_back(data::RegionTable[static_cast<size_t>(region)]);
  return countries;
}

// One JSON object on a line of its own, UTF-8 as it is.
void PrintJsonLine(std::ostream& out, const nlohmann::ordered_json& line) {
  out << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

// The table name of the country `country` names (see FindCountry).
Result<std::string_view> CheckCountry(std::string_view country) {
  if (const auto found = FindCountry(country)) return *found;
  const std::vector<std::string_view> countries = AllCountries();
  std::string message = "there is no country \"" + std::string(country) + "\". The countries are:";
  for (const std::string_view name : countries)
    message += "\n  " + std::string(name);
  return Usage(std::move(message));
}

}  // namespace

int RunCountries(const CountriesOptions& options, std::ostream& out, std::ostream& err) {
  data::InitHolidayData();
  if (Status set = SetToday(options.today); !set)
    return UsageError(err, "countries", set.error().description);
  for (const std::string_view country :
       dialog::CountryList(options.host_kind, base::CurrentClock().Now())) {
    if (!options.json) {
      out << country << '\n';
      continue;
    }
    nlohmann::ordered_json line;
    line["name"] = std::string(country);
    for (const CountryName& names : CountryNames()) {
      if (names.table_name != country) continue;
      line["code"] = names.code.empty() ? nlohmann::ordered_json(nullptr)
                                        : nlohmann::ordered_json(std::string(names.code));
      line["english"] = std::string(names.english.empty() ? country : names.english);
    }
    PrintJsonLine(out, line);
  }
  return kExitOk;
}

int RunRegions(const RegionsOptions& options, std::ostream& out, std::ostream& err) {
  data::InitHolidayData();
  dialog::clsLangSetter& texts = dialog::LangSetter();
  texts.LanguageID = HostLanguageID(base::UserLcid());
  const Result<std::string_view> country = CheckCountry(options.country);
  if (!country) return UsageError(err, "regions", country.error().description);

  const dialog::RegionTree tree = dialog::RegionTree::Build(*country, options.host_kind, texts);
  std::vector<std::int32_t> found;
  if (options.find) {
    found = SearchRegions(*country, *options.find);
    if (found.empty()) {
      err << "feriant regions: no region of " << *country << " is called \"" << *options.find
          << "\"\n";
      return kExitFailed;
    }
  }
  for (const dialog::RegionNode& node : tree.Nodes()) {
    if (options.find && std::find(found.begin(), found.end(), node.RegionIndex) == found.end())
      continue;
    if (options.json) {
      nlohmann::ordered_json line;
      line["path"] = node.Key;
      line["name"] = std::string(data::RegionDisplayName(node.Key));
      line["depth"] = node.Depth;
      line["holidays"] = {
          {"outlook", dialog::RegionHolidayCount(node.RegionIndex, engine::kHostOutlook)},
          {"project", dialog::RegionHolidayCount(node.RegionIndex, engine::kHostProject)}};
      PrintJsonLine(out, line);
      continue;
    }
    if (options.find) {
      out << node.Key << node.Text.substr(data::RegionDisplayName(node.Key).size()) << '\n';
      continue;
    }
    out << std::string(2 * static_cast<size_t>(node.Depth), ' ');
    if (options.paths) {
      // The label is what follows the display name in the node's text.
      out << node.Key << node.Text.substr(data::RegionDisplayName(node.Key).size()) << '\n';
    } else {
      out << node.Text << '\n';
    }
  }
  return kExitOk;
}

int RunFeasts(const FeastsOptions& options, std::ostream& out, std::ostream& err) {
  const auto year = ParseWholeNumber(options.year);
  if (!year || *year < kFirstFeastYear || *year > kLastFeastYear) {
    return UsageError(err, "feasts",
                      "--year \"" + options.year + "\" is not a year from " +
                          std::to_string(kFirstFeastYear) + " to " +
                          std::to_string(kLastFeastYear) +
                          ", the years whose Easter is computed exactly");
  }
  engine::FeastTable feasts;
  feasts.ComputeFeasts(static_cast<std::int32_t>(*year));
  TextTable table;
  for (const engine::Feast& feast : feasts.Feasts()) {
    table.AddRow({feast.FeastKey, DateText(feast.FeastDate),
                  std::string(WeekdayName(std::chrono::weekday{feast.FeastDate},
                                          engine::TextLanguage::kEnglish))});
  }
  table.Print(out);
  return kExitOk;
}

int RunList(const ListOptions& options, std::ostream& out, std::ostream& err) {
  constexpr std::string_view kCommand = "list";
  data::InitHolidayData();
  dialog::clsLangSetter& texts = dialog::LangSetter();
  texts.LanguageID = HostLanguageID(base::UserLcid());

  if (options.verbose && options.format == ListFormat::kJsonLines) {
    return UsageError(err, kCommand,
                      "--verbose adds region lines to the text table; the JSON lines carry them "
                      "in regions_text already");
  }
  const std::vector<std::string_view> countries = AllCountries();
  Result<RunSelection> selection = MakeSelection(options.selection, countries, {}, kNoHost, texts);
  if (!selection) return UsageError(err, kCommand, selection.error().description);
  selection->banner_title = BannerTitle(texts);
  // Listing has no host, so no result texts: the run's final message is empty.

  if (options.format == ListFormat::kICalendar) {
    if (options.verbose) {
      return UsageError(err, kCommand,
                        "--verbose adds region lines to the text table; a calendar carries them "
                        "in each appointment's notes");
    }
    return RunCalendarExport(options, out, err);
  }
  const std::string year_note = YearRangeNote(*selection);
  const bool json = options.format == ListFormat::kJsonLines;
  const std::unique_ptr<Listing> listing = !json ? MakeTextListing(out, texts, options.verbose)
                                                 : MakeJsonListing(out, selection->country);
  ConsoleDialog dialog(out, err, json, [&listing] { listing->Flush(); });
  engine::HolidayRun run(dialog, texts);
  run.SetObserver(listing.get());
  run.SetCurrentLaw(UseCurrentLaw(options.selection.current_law, kCommand, err));
  run.ProcessHolidays(*selection);
  listing->Flush();
  if (dialog.Outcome() != RunOutcome::kFinished) return kExitFailed;
  // On standard error, so JSON lines stay clean; a refused run said why already.
  if (!year_note.empty()) err << "feriant list: " << year_note << '\n';
  if (!run.CurrentLaw()) NoteCurrentLaw(*selection, kCommand, err);
  return kExitOk;
}

}  // namespace feriant::cli
