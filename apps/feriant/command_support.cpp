#include "apps/feriant/command_support.h"

#include <algorithm>
#include <limits>
#include <memory>
#include <system_error>

#include "addin/data/holiday_data.h"
#include "addin/dialog/language_list.h"
#include "addin/dialog/region_tree.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/localisation.h"
#include "apps/feriant/commands.h"
#include "apps/feriant/region_finder.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"

namespace feriant::cli {
namespace {

// Countries with at most this many regions are listed whole in a usage error; longer
// ones by their first level, with a pointer to `feriant regions`.
constexpr size_t kShortRegionList = 20;

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

// The last of `count` years (as typed to --years) from `first_year`.
Result<std::string> LastOfYears(std::string_view count, const std::string& first_year,
                                bool to_given) {
  if (to_given) return Usage("--years and --to both say where the years end: give one");
  const auto years = ParseWholeNumber(count);
  // More years than the run processes is no error: the run cuts them off.
  constexpr std::int64_t kMostYears = 100000;
  if (!years || *years < 1 || *years > kMostYears) {
    return Usage("--years \"" + std::string(count) + "\" is not a number of years: give a whole " +
                 "number from 1, such as 3 for this year and the two after it");
  }
  const std::int64_t last = *ParseWholeNumber(first_year) + *years - 1;
  if (last > std::numeric_limits<std::int32_t>::max()) {
    return Usage("--years " + std::string(count) + " from " + first_year + " goes beyond " +
                 std::to_string(std::numeric_limits<std::int32_t>::max()));
  }
  return std::to_string(last);
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
  } else if (const auto other = OtherCountryOfPath(country, path)) {
    message += " It belongs to " + std::string(*other) + ".";
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

Result<dialog::NodeIndex> FindNode(const dialog::RegionTree& tree, std::string_view country,
                                   std::string_view text) {
  if (const dialog::NodeIndex node = tree.Find(text); node != dialog::kNoNode) return node;
  const RegionMatch match = FindRegionOf(country, text);
  if (match.region >= 0) {
    const dialog::NodeIndex node = tree.Find(data::RegionTable[static_cast<size_t>(match.region)]);
    if (node != dialog::kNoNode) return node;
  }
  if (match.candidates.empty()) return Usage(RegionProblem(tree, country, text));
  std::string message =
      "\"" + std::string(text) + "\" could mean several regions of " + std::string(country) + ":";
  for (const std::int32_t region : match.candidates)
    message += "\n  " + std::string(data::RegionTable[static_cast<size_t>(region)]);
  message += "\nName one by its path, for example --region " +
             ShellWord(data::RegionTable[static_cast<size_t>(match.candidates.front())]) + ".";
  return Usage(std::move(message));
}

// Further names of the languages, by language index: the ISO 639-1 code and the English
// name, so that --language fr works as --language Français does.
struct LanguageAlias {
  std::int32_t language;
  std::string_view code, english;
};
constexpr LanguageAlias kLanguageAliases[] = {{data::kGerman, "de", "German"},
                                              {data::kEnglish, "en", "English"},
                                              {data::kFrench, "fr", "French"},
                                              {data::kItalian, "it", "Italian"}};

Result<std::int32_t> LanguageItemData(std::span<const dialog::LanguageItem> items,
                                      std::string_view name) {
  for (const dialog::LanguageItem& item : items) {
    if (base::EqualsIgnoringAsciiCase(item.Name, name)) return item.ItemData;
    for (const LanguageAlias& alias : kLanguageAliases) {
      if (alias.language == item.ItemData && (base::EqualsIgnoringAsciiCase(alias.code, name) ||
                                              base::EqualsIgnoringAsciiCase(alias.english, name)))
        return item.ItemData;
    }
  }
  std::string message = "there is no language \"" + std::string(name) + "\". The languages are:";
  for (size_t i = 0; i < items.size(); ++i)
    message += (i == 0 ? " " : ", ") + std::string(items[i].Name);
  return Usage(std::move(message));
}

}  // namespace

std::string YearRangeNote(const RunSelection& selection) {
  const auto first = ParseWholeNumber(selection.first_year);
  const auto last = ParseWholeNumber(selection.last_year);
  if (!first || !last) return std::string();
  const std::int64_t run_first =
      std::clamp<std::int64_t>(*first, engine::kFirstRunYear, engine::kLastRunYear);
  const std::int64_t run_last =
      std::clamp<std::int64_t>(*last, engine::kFirstRunYear, engine::kLastRunYear);
  if (run_first == *first && run_last == *last) return std::string();
  return "years run from " + std::to_string(engine::kFirstRunYear) + " to " +
         std::to_string(engine::kLastRunYear) + ": " + selection.first_year + " to " +
         selection.last_year + " became " + std::to_string(run_first) + " to " +
         std::to_string(run_last);
}

int UsageError(std::ostream& err, std::string_view command, std::string_view message) {
  err << "feriant " << command << ": " << message << '\n';
  return kExitUsage;
}

Error Usage(std::string message) {
  return ErrorOf(ErrorKind::kInvalid, std::move(message));
}

Status SetToday(const std::optional<std::string>& today) {
  if (!today) return Ok();
  const auto day = base::ParseIsoDay(*today);
  if (!day) {
    return Usage("--today \"" + *today +
                 "\" is not a date: give it as YYYY-MM-DD, for example 2006-07-09");
  }
  base::SetCurrentClock(std::make_shared<base::FixedClock>(
      std::chrono::local_seconds{std::chrono::local_days{*day}}));
  return Ok();
}

std::int16_t HostLanguageID(std::int32_t lcid) {
  // MapHostLanguage gives a LanguageTable Lcid or -1; all of them fit.
  return static_cast<std::int16_t>(data::MapHostLanguage(lcid));
}

// The title of the dialog's banner in the current language.
std::string BannerTitle(const dialog::clsLangSetter& texts) {
  for (const dialog::CaptionText& caption : dialog::CaptionTexts()) {
    if (caption.element == "wto") {
      return std::string(caption.In(texts.Language()));
    }
  }
  return std::string();
}

std::optional<std::int32_t> PreselectedLanguageItemData(const dialog::clsLangSetter& texts) {
  const std::vector<dialog::LanguageItem> languages = dialog::LanguageList();
  const auto preselected = dialog::PreselectedLanguage(languages, texts.LanguageID);
  if (!preselected) return std::nullopt;
  return languages[*preselected].ItemData;
}

Result<RunSelection> MakeSelection(const SelectionOptions& options,
                                   std::span<const std::string_view> countries,
                                   std::string_view country_note, std::int32_t host_kind,
                                   const dialog::clsLangSetter& texts) {
  const std::string country = std::string(FindCountry(options.country).value_or(options.country));
  if (std::find(countries.begin(), countries.end(), country) == countries.end()) {
    std::string message = "there is no country \"" + options.country + "\"";
    if (!country_note.empty()) message += ": " + std::string(country_note);
    message += ". The countries are:";
    for (const std::string_view listed : countries)
      message += "\n  " + std::string(listed);
    return Usage(std::move(message));
  }

  // Choosing the country ticks its node; each region then ticks itself and its ancestors.
  dialog::RegionTree tree = dialog::RegionTree::Build(country, host_kind, texts);
  std::vector<dialog::NodeIndex> ticks;
  for (const std::string& region : options.regions) {
    auto node = FindNode(tree, country, region);
    if (!node) return node.error();
    ticks.push_back(*node);
  }
  if (options.all_regions) tree.SelectAll();
  for (const dialog::NodeIndex node : ticks)
    tree.NodeCheck(node, true);

  const std::string this_year = std::to_string(CurrentYear());
  auto first_year = YearText("--from", options.from.value_or(this_year));
  if (!first_year) return first_year.error();
  auto last_year = YearText("--to", options.to.value_or(this_year));
  if (!last_year) return last_year.error();
  if (options.years) {
    auto last = LastOfYears(*options.years, *first_year, options.to.has_value());
    if (!last) return last.error();
    last_year = std::move(*last);
  }

  std::optional<std::int32_t> language;
  if (options.language) {
    auto chosen = LanguageItemData(dialog::LanguageList(), *options.language);
    if (!chosen) return chosen.error();
    language = *chosen;
  } else {
    language = PreselectedLanguageItemData(texts);
  }

  RunSelection selection;
  selection.host = host_kind;
  selection.country = country;
  selection.ticked_keys = tree.TickedKeys();
  selection.first_year = std::move(*first_year);
  selection.last_year = std::move(*last_year);
  selection.language = language;
  return selection;
}

}  // namespace feriant::cli
