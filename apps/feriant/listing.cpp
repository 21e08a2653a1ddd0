#include "apps/feriant/listing.h"

#include <chrono>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "apps/feriant/text_format.h"

namespace feriant::cli {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// The table's own words, in the run's language.
struct TableWords {
  std::string_view date, weekday, holiday, where, day_off, yes, no;
};
constexpr TableWords kEnglishWords = {"Date",    "Weekday", "Holiday", "Where",
                                      "Day off", "yes",     "no"};
constexpr TableWords kGermanWords = {"Datum", "Wochentag", "Feiertag", "Wo", "Frei", "ja", "nein"};

class TextListing final : public Listing {
 public:
  TextListing(std::ostream& out, const engine::Localisation& texts, bool verbose)
      : out_(out), texts_(texts), verbose_(verbose) {}
  ~TextListing() override { Flush(); }

  void OnOccurrence(const engine::Occurrence& occurrence) override {
    const bool german = texts_.GetLanguageID() == engine::kGermanLanguageID;
    const TableWords& words = german ? kGermanWords : kEnglishWords;
    if (table_.empty()) {
      table_.AddRow({std::string(words.date), std::string(words.weekday),
                     std::string(words.holiday), std::string(words.where),
                     std::string(words.day_off)});
    }
    const std::chrono::local_days day = occurrence.date.Day();
    std::string when = DateText(day);
    if (occurrence.IsWorldCupMatch) when += " " + TimeText(occurrence.date.Start);
    table_.AddRow({std::move(when), std::string(WeekdayName(std::chrono::weekday{day}, german)),
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

class JsonListing final : public Listing {
 public:
  explicit JsonListing(std::ostream& out) : out_(out) {}

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
    // UTF-8 as it is, not escaped; the data holds only valid UTF-8.
    out_ << line.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
  }

  void Flush() override { out_.flush(); }

 private:
  std::ostream& out_;
};

}  // namespace

std::unique_ptr<Listing> MakeTextListing(std::ostream& out, const engine::Localisation& texts,
                                         bool verbose) {
  return std::make_unique<TextListing>(out, texts, verbose);
}

std::unique_ptr<Listing> MakeJsonListing(std::ostream& out) {
  return std::make_unique<JsonListing>(out);
}

}  // namespace feriant::cli
