#include "apps/feriant/listing.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "addin/data/holiday_data.h"
#include "apps/feriant/text_format.h"

namespace feriant::cli {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The table's own words, in the run's language.
struct TableWords {
  std::string_view date, weekday, holiday, where, day_off, yes, no;
};
// By text language.
constexpr std::array<TableWords, engine::kTextLanguageCount> kWords = {{
    {"Datum", "Wochentag", "Feiertag", "Wo", "Frei", "ja", "nein"},
    {"Date", "Weekday", "Holiday", "Where", "Day off", "yes", "no"},
    {"Date", "Jour", "Jour férié", "Où", "Chômé", "oui", "non"},
    {"Data", "Giorno", "Festività", "Dove", "Libero", "sì", "no"},
}};

class TextListing final : public Listing {
 public:
  TextListing(std::ostream& out, const engine::Localisation& texts, bool verbose)
      : out_(out), texts_(texts), verbose_(verbose) {}
  ~TextListing() override { Flush(); }

  void OnOccurrence(const engine::Occurrence& occurrence) override {
    const engine::TextLanguage language = texts_.Language();
    const TableWords& words = kWords[static_cast<size_t>(language)];
    if (table_.empty()) {
      table_.AddRow({std::string(words.date), std::string(words.weekday),
                     std::string(words.holiday), std::string(words.where),
                     std::string(words.day_off)});
    }
    const std::chrono::local_days day = occurrence.date.Day();
    std::string when = DateText(day);
    if (occurrence.IsWorldCupMatch) when += " " + TimeText(occurrence.date.Start);
    table_.AddRow({std::move(when), std::string(WeekdayName(std::chrono::weekday{day}, language)),
                   std::string(occurrence.name->Name), std::string(occurrence.CountryLine),
                   std::string(occurrence.IsDayOff ? words.yes : words.no)});
    if (!verbose_) return;
    std::string_view rest = occurrence.RegionsText;
    while (!rest.empty()) {
      const size_t end = rest.find(kLineBreak);
      table_.AddNote(std::string(rest.substr(0, end)));
      rest =
          end == std::string_view::npos ? std::string_view() : rest.substr(end + kLineBreak.size());
    }
  }

  void Flush() override {
    if (table_.empty()) return;
    table_.Print(out_);
    out_.flush();
    table_.Clear();
  }

 private:
  std::ostream& out_;
  const engine::Localisation& texts_;
  bool verbose_;
  TextTable table_;
};

// The region and the standing of one line of a regions text, "Land/Region (Standing)";
// the path as the table has it ("Land|Region"), the longest region of `country` the line
// begins with.
nlohmann::ordered_json RegionObject(std::string_view line, std::string_view country) {
  std::string path;
  for (const std::string_view region : data::RegionTable) {
    if (!data::BelongsToCountry(region, country) || region.size() <= path.size()) continue;
    std::string shown(region);
    std::replace(shown.begin(), shown.end(), data::kRegionSeparator, '/');
    if (line.starts_with(shown) && line.substr(shown.size()).starts_with(" (")) {
      path = std::string(region);
    }
  }
  std::string standing;
  if (line.ends_with(')')) {
    const size_t open = line.rfind('(');
    if (open != std::string_view::npos) standing = line.substr(open + 1, line.size() - open - 2);
  }
  nlohmann::ordered_json object;
  object["path"] = path.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(path);
  object["standing"] = standing;
  return object;
}

class JsonListing final : public Listing {
 public:
  JsonListing(std::ostream& out, std::string country) : out_(out), country_(std::move(country)) {}

  void OnOccurrence(const engine::Occurrence& occurrence) override {
    // ordered_json keeps the fields in the order they are set.
    nlohmann::ordered_json line;
    line["year"] = occurrence.year;
    line["holiday"] = occurrence.holiday_index;
    line["date"] = DateText(occurrence.date.Day());
    line["time"] = occurrence.IsWorldCupMatch
                       ? nlohmann::ordered_json(TimeText(occurrence.date.Start))
                       : nlohmann::ordered_json(nullptr);
    line["name"] = std::string(occurrence.name->Name);
    line["country_line"] = std::string(occurrence.CountryLine);
    line["regions_text"] = std::string(occurrence.RegionsText);
    line["day_off"] = occurrence.IsDayOff;
    line["world_cup"] = occurrence.IsWorldCupMatch;
    nlohmann::ordered_json regions = nlohmann::ordered_json::array();
    std::string_view rest = occurrence.RegionsText;
    while (!rest.empty()) {
      const size_t end = rest.find(kLineBreak);
      regions.push_back(RegionObject(rest.substr(0, end), country_));
      rest =
          end == std::string_view::npos ? std::string_view() : rest.substr(end + kLineBreak.size());
    }
    line["regions"] = std::move(regions);
    // UTF-8 as it is, not escaped; the data holds only valid UTF-8.
    out_ << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  }

  void Flush() override { out_.flush(); }

 private:
  std::ostream& out_;
  std::string country_;
};

}  // namespace

std::unique_ptr<Listing> MakeTextListing(std::ostream& out, const engine::Localisation& texts,
                                         bool verbose) {
  return std::make_unique<TextListing>(out, texts, verbose);
}

std::unique_ptr<Listing> MakeJsonListing(std::ostream& out, std::string country) {
  return std::make_unique<JsonListing>(out, std::move(country));
}

}  // namespace feriant::cli
