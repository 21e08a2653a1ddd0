#pragma once
// RunCaches: what holiday runs can share because it depends only on the fixed tables and
// the localised words: the parsed rule table, the holidays' name records, and the texts
// that say where and how each holiday is observed in a country (CountryLine, RegionsText,
// IsDayOff) for a few recently used countries, languages and states of the law (the
// tables', or the current law of some years).
//
// Whoever drives runs (the dialog, the command line, a benchmark) owns one RunCaches and
// hands it to each HolidayRun it makes; a run given none keeps a private one. Texts handed
// out stay valid until the next call of Country on the same object. One thread.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "addin/data/amendments.h"
#include "addin/data/holiday_data.h"
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

  struct HolidayTexts {
    bool ready = false;
    std::string CountryLine;
    std::string RegionsText;
    bool IsDayOff = false;
  };

  // The texts of every holiday in one country, composed from one set of words and one set
  // of assignments; filled holiday by holiday as the holidays come up.
  class CountryTexts {
   public:
    // The texts of `holiday` (0..kAllHolidayCount-1), composed on the first call. Asked
    // once per occurrence, so the answer for a known holiday stays inline.
    const HolidayTexts& Holiday(std::int32_t holiday) {
      const HolidayTexts& texts = holidays_[static_cast<size_t>(holiday)];
      return texts.ready ? texts : Compose(holiday);
    }

   private:
    friend class RunCaches;
    const HolidayTexts& Compose(std::int32_t holiday);

    const data::EffectiveAssignments* assignments_ = nullptr;
    std::uint64_t law_key_ = 0;
    std::string country_;
    Words words_;
    std::array<HolidayTexts, data::kAllHolidayCount> holidays_;
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
  // The texts of `country` in `words` under `assignments` (which outlive the caches, as
  // those of the data layer do), whose rows within the country data::CurrentLawKey
  // `law_key` identifies (0 for the tables' own); made the most recently used.
  CountryTexts& Country(std::string_view country, Words words,
                        const data::EffectiveAssignments& assignments, std::uint64_t law_key);

 private:
  ParsedRules shipped_rules_;
  std::array<std::array<const data::HolidayName*, data::kAllHolidayCount>, data::kLanguageCount + 1>
      names_{};
  // Most recently used last.
  std::vector<std::unique_ptr<CountryTexts>> countries_;
};

}  // namespace feriant::engine
