#pragma once
// RunCaches: what holiday runs can share because it depends only on the fixed tables and
// the localised words: the parsed rule table, the holidays' name records, and the texts
// that say where and how each holiday is observed in a country (CountryLine, RegionsText,
// IsDayOff) for a few recently used countries and languages, under each state of the law
// a holiday has been asked in (the tables', or the current law of some years).
//
// Whoever drives runs (the dialog, the command line, a benchmark) owns one RunCaches and
// hands it to each HolidayRun it makes; a run given none keeps a private one. The texts of
// the kCachedCountries most recent calls of Country stay valid, and so does every text
// they hand out. One thread.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "addin/data/amendments.h"
#include "addin/data/holiday_data.h"
#include "addin/engine/feast_table.h"
#include "addin/engine/localisation.h"
#include "addin/engine/rule.h"

namespace feriant::engine {

// Rules by holiday index, 0..kAllHolidayCount-1.
using ParsedRules = std::shared_ptr<const std::vector<ParsedRule>>;

// Parses `rules`, one per holiday of the tables, and the rules of the appended holidays.
ParsedRules ParseRules(std::span<const std::string_view, data::kRuleCount> rules);

class RunCaches {
 public:
  // The localised words the region texts are made of: "partially", "Whole country" and
  // the five status texts, in this order.
  static constexpr size_t kWordCount = 7;
  using Words = std::array<std::string, kWordCount>;

  // How many countries' texts stay cached. A dialog offers six countries, a removal from
  // Outlook asks for every language of one.
  static constexpr size_t kCachedCountries = 32;

  struct HolidayTexts {
    // The holiday's amendments in force that the texts follow (see CountryTexts::Holiday).
    std::uint64_t law_key = 0;
    std::string CountryLine;
    std::string RegionsText;
    bool IsDayOff = false;
  };

  // The texts of every holiday in one country, composed from one set of words; filled
  // holiday by holiday, and law by law, as they come up.
  class CountryTexts {
   public:
    // The texts of `holiday` (0..kAllHolidayCount-1) under `assignments`, whose rows of the
    // holiday within the country `law_key` identifies: data::CurrentLawKey of the country
    // and year masked by data::AmendmentsOfHoliday(holiday), 0 for the tables' own rows.
    // Composed on the first call with that key. Asked once per occurrence, so the answer
    // for the key asked last stays inline.
    const HolidayTexts& Holiday(std::int32_t holiday, std::uint64_t law_key,
                                const data::EffectiveAssignments& assignments) {
      const HolidayTexts* last = last_[static_cast<size_t>(holiday)];
      return last != nullptr && last->law_key == law_key ? *last
                                                         : Find(holiday, law_key, assignments);
    }

   private:
    friend class RunCaches;
    const HolidayTexts& Find(std::int32_t holiday, std::uint64_t law_key,
                             const data::EffectiveAssignments& assignments);
    std::unique_ptr<HolidayTexts> Compose(std::int32_t holiday,
                                          const data::EffectiveAssignments& assignments) const;

    std::string country_;
    Words words_;
    // The texts of each holiday, one per key asked, with the key; they never move.
    using KeyedTexts = std::pair<std::uint64_t, std::unique_ptr<const HolidayTexts>>;
    std::array<std::vector<KeyedTexts>, data::kAllHolidayCount> texts_;
    std::array<const HolidayTexts*, data::kAllHolidayCount> last_{};  // the one asked last
  };

  RunCaches();
  RunCaches(const RunCaches&) = delete;
  RunCaches& operator=(const RunCaches&) = delete;

  // The words `texts` gives in its current language.
  static Words WordsOf(const Localisation& texts);

  // The shipped rule table, parsed once.
  const ParsedRules& ShippedRules() const { return shipped_rules_; }
  // The name record of `holiday` (0..kAllHolidayCount-1) in `language`
  // (0..kLanguageCount, the last for any language that is none: the default names), as
  // data::FindHolidayNameRecord gives it; null when there is none. Looked up once for
  // all, since a run asks once per occurrence.
  const data::HolidayName* HolidayName(std::int32_t holiday, std::int32_t language) const {
    return names_[static_cast<size_t>(language)][static_cast<size_t>(holiday)];
  }
  // data::AmendmentsOfHoliday(holiday), `holiday` 0..kAllHolidayCount-1; looked up once
  // for all, since a run under the current law asks once per occurrence.
  std::uint64_t HolidayAmendments(std::int32_t holiday) const {
    return holiday_amendments_[static_cast<size_t>(holiday)];
  }
  // The texts of `country` in `words`; made the most recently used.
  CountryTexts& Country(std::string_view country, const Words& words);

  // The years whose feasts are kept (those a run can process).
  static constexpr std::int32_t kFirstFeastYear = 1984;
  static constexpr std::int32_t kLastFeastYear = 2049;
  // The feasts of `year`, computed on the first call for a year kFirstFeastYear to
  // kLastFeastYear and kept; another year's are computed again on each call, and stay
  // valid until the next such call.
  const FeastTable& Feasts(std::int32_t year) {
    if (year >= kFirstFeastYear && year <= kLastFeastYear) {
      KeptFeasts& kept = feasts_[static_cast<size_t>(year - kFirstFeastYear)];
      if (!kept.ready) {
        kept.table.ComputeFeasts(year);
        kept.ready = true;
      }
      return kept.table;
    }
    other_year_feasts_.ComputeFeasts(year);
    return other_year_feasts_;
  }

 private:
  ParsedRules shipped_rules_;
  std::array<std::array<const data::HolidayName*, data::kAllHolidayCount>, data::kLanguageCount + 1>
      names_{};
  std::array<std::uint64_t, data::kAllHolidayCount> holiday_amendments_{};
  struct KeptFeasts {
    bool ready = false;
    FeastTable table;
  };
  std::array<KeptFeasts, kLastFeastYear - kFirstFeastYear + 1> feasts_;
  FeastTable other_year_feasts_;
  // Most recently used last.
  std::vector<std::unique_ptr<CountryTexts>> countries_;
};

}  // namespace feriant::engine
