#include "addin/engine/run_caches.h"

#include <algorithm>

#include "addin/engine/delimited_list.h"

namespace feriant::engine {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Word slots of RunCaches::Words.
constexpr size_t kPartiallyWord = 0;
constexpr size_t kWholeCountryWord = 1;
constexpr size_t kFirstStatusWord = 2;
constexpr std::int32_t kStatusCount = 5;  // statuses 1..5
static_assert(RunCaches::kWordCount == kFirstStatusWord + kStatusCount);

}  // namespace

ParsedRules ParseRules(std::span<const std::string_view, data::kRuleCount> rules) {
  auto parsed = std::make_shared<std::vector<ParsedRule>>();
  parsed->reserve(static_cast<size_t>(data::kAllHolidayCount));
  for (const std::string_view rule : rules)
    parsed->push_back(ParsedRule::Parse(rule));
  for (const std::string_view rule : data::AppendedRuleTable)
    parsed->push_back(ParsedRule::Parse(rule));
  return parsed;
}

RunCaches::RunCaches() : shipped_rules_(ParseRules(data::RuleTable)) {
  for (std::int32_t holiday = 0; holiday < data::kAllHolidayCount; ++holiday)
    holiday_amendments_[static_cast<size_t>(holiday)] = data::AmendmentsOfHoliday(holiday);
  for (std::int32_t language = 0; language <= data::kLanguageCount; ++language) {
    for (std::int32_t holiday = 0; holiday < data::kAllHolidayCount; ++holiday) {
      names_[static_cast<size_t>(language)][static_cast<size_t>(holiday)] =
          data::FindHolidayNameRecord(holiday, language);
    }
  }
}

RunCaches::Words RunCaches::WordsOf(const Localisation& texts) {
  Words words;
  words[kPartiallyWord] = texts.Message(MessageKey::OutlookMessages_Partially);
  words[kWholeCountryWord] = texts.Message(MessageKey::OutlookMessages_WholeCounty);
  for (std::int32_t status = 1; status <= kStatusCount; ++status)
    words[kFirstStatusWord + static_cast<size_t>(status - 1)] = StatusText(texts, status);
  return words;
}

RunCaches::CountryTexts& RunCaches::Country(std::string_view country, const Words& words) {
  for (auto it = countries_.begin(); it != countries_.end(); ++it) {
    if ((*it)->country_ == country && (*it)->words_ == words) {
      std::rotate(it, it + 1, countries_.end());
      return *countries_.back();
    }
  }
  if (countries_.size() >= kCachedCountries) countries_.erase(countries_.begin());
  auto texts = std::make_unique<CountryTexts>();
  texts->country_ = country;
  texts->words_ = words;
  countries_.push_back(std::move(texts));
  return *countries_.back();
}

const RunCaches::HolidayTexts& RunCaches::CountryTexts::Find(
    std::int32_t holiday, std::uint64_t law_key, const data::EffectiveAssignments& assignments) {
  auto& known = texts_[static_cast<size_t>(holiday)];
  const auto found = std::find_if(known.begin(), known.end(), [law_key](const KeyedTexts& texts) {
    return texts.first == law_key;
  });
  const HolidayTexts* texts = nullptr;
  if (found != known.end()) {
    texts = found->second.get();
  } else {
    std::unique_ptr<HolidayTexts> composed = Compose(holiday, assignments);
    composed->law_key = law_key;
    texts = composed.get();
    known.emplace_back(law_key, std::move(composed));
  }
  last_[static_cast<size_t>(holiday)] = texts;
  return *texts;
}

std::unique_ptr<RunCaches::HolidayTexts> RunCaches::CountryTexts::Compose(
    std::int32_t holiday, const data::EffectiveAssignments& assignments) const {
  auto texts = std::make_unique<HolidayTexts>();
  bool partially = false;
  ListBuilder regions(kLineBreak, CaseSensitivity::kInsensitive);
  std::string line;
  for (const data::Assignment& assignment : assignments.RowsOfHoliday(holiday)) {
    if (assignment.RegionIndex < 0 || assignment.RegionIndex >= data::kRegionCount) continue;
    const std::string_view path = data::RegionTable[static_cast<size_t>(assignment.RegionIndex)];
    // Regions of other countries are not listed. (A bare prefix test would also take
    // "Schweizerland|X" for a region of "Schweiz".)
    if (!data::BelongsToCountry(path, country_)) continue;

    const bool whole_country = path.find(data::kRegionSeparator) == std::string_view::npos;
    if (!whole_country) partially = true;
    line.assign(path);
    std::replace(line.begin(), line.end(), data::kRegionSeparator, '/');
    if (whole_country) line.append(" (").append(words_[kWholeCountryWord]).append(")");
    line.append(" (");
    if (assignment.Status >= 1 && assignment.Status <= 5) {
      line.append(words_[kFirstStatusWord + static_cast<size_t>(assignment.Status - 1)]);
    }
    line.append(")");
    if (data::IsDayOffStatus(assignment.Status)) texts->IsDayOff = true;
    regions.Add(line);
  }
  texts->RegionsText = regions.list();
  texts->CountryLine = country_;
  if (partially) texts->CountryLine.append(" (").append(words_[kPartiallyWord]).append(")");
  return texts;
}

}  // namespace feriant::engine
