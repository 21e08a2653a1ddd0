#include "apps/feriant/commands.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <limits>
#include <memory>
#include <string_view>
#include <system_error>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/country_list.h"
#include "addin/dialog/language_list.h"
#include "addin/dialog/region_tree.h"
#include "addin/engine/feast_table.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/host_kind.h"
#include "apps/feriant/console_dialog.h"
#include "apps/feriant/listing.h"
#include "apps/feriant/text_format.h"
#include "platform/base/clock.h"
#include "platform/base/environment.h"
#include "platform/base/result.h"

namespace feriant::cli {
namespace {

// HostKind while listing: no calendar target, nothing is written anywhere.
constexpr std::int32_t kNoHost = 0;
// Countries with at most this many regions are listed whole in a usage error; longer
// ones by their first level, with a pointer to `feriant regions`.
constexpr size_t kShortRegionList = 20;
// The years a feast table is printed for: four-digit years.
constexpr std::int32_t kFirstFeastYear = 1;
constexpr std::int32_t kLastFeastYear = 9999;

int UsageError(std::ostream& err, std::string_view command, std::string_view message) {
  err << "feriant " << command << ": " << message << '\n';
  return kExitUsage;
}

Error Usage(std::string message) {
  return Error{0, std::move(message), {}};
}

// A whole decimal number, optionally signed, nothing around it.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty() || text.front() == '+') return std::nullopt;
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

// A year option as the run reads it: a whole number that fits 32 bits.
Result<std::string> YearText(std::string_view option, std::string_view text) {
  const auto year = ParseWholeNumber(text);
  if (!year || *year < std::numeric_limits<std::int32_t>::min() ||
      *year > std::numeric_limits<std::int32_t>::max()) {
    return Usage(std::string(option) + " \"" + std::string(text) +
                 "\" is not a year: give a whole number such as 2006");
  }
  return std::to_string(*year);
}

std::int32_t CurrentYear() {
  const auto today = std::chrono::floor<std::chrono::days>(base::CurrentClock().Now());
  return static_cast<int>(std::chrono::year_month_day{today}.year());
}

std::optional<std::chrono::local_days> ParseDay(std::string_view text) {
  // YYYY-MM-DD, exactly.
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (const size_t i : {0, 1, 2, 3, 5, 6, 8, 9}) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  const auto number = [&](size_t at, size_t length) {
    int value = 0;
    for (size_t i = at; i < at + length; ++i)
      value = value * 10 + (text[i] - '0');
    return value;
  };
  const std::chrono::year_month_day date{std::chrono::year{number(0, 4)},
                                         std::chrono::month{static_cast<unsigned>(number(5, 2))},
                                         std::chrono::day{static_cast<unsigned>(number(8, 2))}};
  if (!date.ok()) return std::nullopt;
  return std::chrono::local_days{date};
}

// The user-interface language a host would have for the user's locale, as the host
// connection sets it.
std::int16_t HostLanguageID() {
  // MapHostLanguage gives a LanguageTable Lcid or -1; all of them fit.
  return static_cast<std::int16_t>(data::MapHostLanguage(base::UserLcid()));
}

// The title of the dialog's banner in the current language.
std::string BannerTitle(const dialog::clsLangSetter& texts) {
  for (const dialog::CaptionText& caption : dialog::CaptionTexts()) {
    if (caption.element == "wto") {
      return std::string(texts.LanguageID == engine::kGermanLanguageID ? caption.german
                                                                       : caption.english);
    }
  }
  return std::string();
}

// `text` as one word for a POSIX shell.
std::string ShellWord(std::string_view text) {
  const bool plain = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '/' || (static_cast<unsigned char>(c) & 0x80);
  });
  if (plain) return std::string(text);
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'') {
      quoted += "'\\''";
    } else {
      quoted += c;
    }
  }
  return quoted + "'";
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) {
      return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return lower(x) == lower(y);
  });
}

// Every path of depth 0 is a country here, the World Cup included: without a calendar
// target nothing restricts the choice.
Status CheckCountry(std::string_view country) {
  for (const std::int32_t region : data::CountryRegions()) {
    if (data::RegionTable[static_cast<size_t>(region)] == country) return Ok();
  }
  std::string message = "there is no country \"" + std::string(country) + "\". The countries are:";
  for (const std::int32_t region : data::CountryRegions())
    message += "\n  " + std::string(data::RegionTable[static_cast<size_t>(region)]);
  return Usage(std::move(message));
}

// Why `path` is not a node of the tree of `country`, and which paths there are.
std::string RegionProblem(const dialog::RegionTree& tree, std::string_view country,
                          std::string_view path) {
  std::string message =
      "\"" + std::string(path) + "\" is not a region of " + std::string(country) + ".";
  const std::string below = std::string(country) + data::kRegionSeparator + std::string(path);
  if (tree.Find(below) != dialog::kNoNode) {
    message += " Regions are named by their full path: did you mean \"" + below + "\"?";
  } else if (const std::int32_t region = data::FindRegion(path); region >= 0) {
    message += " It belongs to " + std::string(data::RegionCountry(path)) + ".";
  }

  const auto& nodes = tree.Nodes();
  if (nodes.size() <= kShortRegionList) {
    message += "\nThe regions of " + std::string(country) + " are:";
    for (const dialog::RegionNode& node : nodes)
      message += "\n  " + node.Key;
    return message;
  }
  message += "\nThe first level below " + std::string(country) + ":";
  for (const dialog::RegionNode& node : nodes) {
    if (node.Depth == 1) message += "\n  " + node.Key;
  }
  message += "\nRun `feriant regions --country " + ShellWord(country) + " --paths` to see all " +
             std::to_string(nodes.size()) + ".";
  return message;
}

Result<std::int32_t> LanguageItemData(std::span<const dialog::LanguageItem> items,
                                      std::string_view name) {
  for (const dialog::LanguageItem& item : items) {
    if (EqualsIgnoringAsciiCase(item.Name, name)) return item.ItemData;
  }
  std::string message = "there is no language \"" + std::string(name) + "\". The languages are:";
  for (size_t i = 0; i < items.size(); ++i)
    message += (i == 0 ? " " : ", ") + std::string(items[i].Name);
  return Usage(std::move(message));
}

}  // namespace

int RunCountries(const CountriesOptions& options, std::ostream& out, std::ostream& err) {
  data::InitHolidayData();
  if (options.today) {
    const auto day = ParseDay(*options.today);
    if (!day) {
      return UsageError(err, "countries",
                        "--today \"" + *options.today +
                            "\" is not a date: give it as YYYY-MM-DD, for example 2006-07-09");
    }
    base::SetCurrentClock(std::make_shared<base::FixedClock>(std::chrono::local_seconds{*day}));
  }
  for (const std::string_view country :
       dialog::CountryList(options.host_kind, base::CurrentClock().Now()))
    out << country << '\n';
  return kExitOk;
}

int RunRegions(const RegionsOptions& options, std::ostream& out, std::ostream& err) {
  data::InitHolidayData();
  dialog::clsLangSetter& texts = dialog::LangSetter();
  texts.LanguageID = HostLanguageID();
  if (Status known = CheckCountry(options.country); !known)
    return UsageError(err, "regions", known.error().description);

  const dialog::RegionTree tree =
      dialog::RegionTree::Build(options.country, options.host_kind, texts);
  for (const dialog::RegionNode& node : tree.Nodes()) {
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
                          std::to_string(kLastFeastYear));
  }
  engine::FeastTable feasts;
  feasts.ComputeFeasts(static_cast<std::int32_t>(*year));
  TextTable table;
  for (const engine::Feast& feast : feasts.Feasts()) {
    table.AddRow({feast.FeastKey, DateText(feast.FeastDate),
                  std::string(WeekdayName(std::chrono::weekday{feast.FeastDate}, false))});
  }
  table.Print(out);
  return kExitOk;
}

int RunList(const ListOptions& options, std::ostream& out, std::ostream& err) {
  constexpr std::string_view kCommand = "list";
  data::InitHolidayData();
  engine::HostKind = kNoHost;
  dialog::clsLangSetter& texts = dialog::LangSetter();
  texts.LanguageID = HostLanguageID();

  if (options.verbose && options.format == ListFormat::kJsonLines) {
    return UsageError(err, kCommand,
                      "--verbose adds region lines to the text table; the JSON lines carry them "
                      "in regions_text already");
  }
  if (Status known = CheckCountry(options.country); !known)
    return UsageError(err, kCommand, known.error().description);

  // Choosing the country ticks its node; each region then ticks itself and its ancestors.
  dialog::RegionTree tree = dialog::RegionTree::Build(options.country, kNoHost, texts);
  std::vector<dialog::NodeIndex> ticks;
  for (const std::string& region : options.regions) {
    const dialog::NodeIndex node = tree.Find(region);
    if (node == dialog::kNoNode)
      return UsageError(err, kCommand, RegionProblem(tree, options.country, region));
    ticks.push_back(node);
  }
  if (options.all_regions) tree.SelectAll();
  for (const dialog::NodeIndex node : ticks)
    tree.NodeCheck(node, true);

  const std::string this_year = std::to_string(CurrentYear());
  auto first_year = YearText("--from", options.from.value_or(this_year));
  if (!first_year) return UsageError(err, kCommand, first_year.error().description);
  auto last_year = YearText("--to", options.to.value_or(this_year));
  if (!last_year) return UsageError(err, kCommand, last_year.error().description);

  const std::vector<dialog::LanguageItem> languages = dialog::LanguageList();
  std::optional<std::int32_t> language;
  if (options.language) {
    auto chosen = LanguageItemData(languages, *options.language);
    if (!chosen) return UsageError(err, kCommand, chosen.error().description);
    language = *chosen;
  } else if (const auto preselected = dialog::PreselectedLanguage(languages, texts.LanguageID)) {
    language = languages[*preselected].ItemData;
  }

  RunSelection selection;
  selection.country = options.country;
  selection.ticked_keys = tree.TickedKeys();
  selection.first_year = std::move(*first_year);
  selection.last_year = std::move(*last_year);
  selection.language = language;
  selection.banner_title = BannerTitle(texts);
  // Listing has no host, so no result texts: the run's final message is empty.

  const bool json = options.format == ListFormat::kJsonLines;
  const std::unique_ptr<Listing> listing =
      json ? MakeJsonListing(out) : MakeTextListing(out, texts, options.verbose);
  ConsoleDialog dialog(std::move(selection), out, err, json, [&listing] { listing->Flush(); });
  engine::HolidayRun run(dialog, texts);
  run.SetObserver(listing.get());
  run.ProcessHolidays();
  listing->Flush();
  return dialog.Outcome() == RunOutcome::kFinished ? kExitOk : kExitFailed;
}

}  // namespace feriant::cli
