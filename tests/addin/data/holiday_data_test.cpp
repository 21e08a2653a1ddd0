#include "addin/data/holiday_data.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace feriant::data {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr int32_t kWorldCupRegion = 373;

// The first-match scans that every lookup must agree with.
int32_t ScanHolidayName(int32_t holiday, int32_t language) {
  for (int32_t i = 0; i < kHolidayNameCount; ++i) {
    const HolidayName& name = HolidayNameTable[i];
    if (name.HolidayIndex == holiday && name.LanguageIndex == language) return i;
  }
  for (int32_t i = 0; i < kHolidayNameCount; ++i) {
    const HolidayName& name = HolidayNameTable[i];
    if (name.HolidayIndex == holiday && name.IsDefaultName != 0) return i;
  }
  return -1;
}

int32_t ScanRegion(std::string_view path) {
  for (int32_t i = 0; i < kRegionCount; ++i) {
    if (RegionTable[i] == path) return i;
  }
  return -1;
}

template <class Pred>
std::vector<int32_t> ScanRows(Pred pred) {
  std::vector<int32_t> rows;
  for (int32_t i = 0; i < kAssignmentCount; ++i) {
    if (pred(AssignmentTable[i])) rows.push_back(i);
  }
  return rows;
}

std::string_view CountryOfRow(const Assignment& row) {
  return RegionCountry(RegionTable[row.RegionIndex]);
}

std::string_view NameOf(int32_t holiday, int32_t language) {
  const int32_t row = FindHolidayName(holiday, language);
  return row < 0 ? std::string_view("<none>") : HolidayNameTable[row].Name;
}

// Whether holiday `holiday` is a day off somewhere in `country`.
bool IsDayOffIn(int32_t holiday, std::string_view country) {
  for (const int32_t i : AssignmentRowsOfHoliday(holiday)) {
    const Assignment& row = AssignmentTable[i];
    if (BelongsToCountry(RegionTable[row.RegionIndex], country) && IsDayOffStatus(row.Status)) {
      return true;
    }
  }
  return false;
}

bool ParseInt(std::string_view text, int32_t& value) {
  if (text.empty() || text[0] == '0' || text[0] == '+') return false;  // no leading zeros
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

TEST(HolidayTables, EveryRowIsFilled) {
  // A short initializer list would zero-fill the tail of a table.
  for (int32_t i = 0; i < kRuleCount; ++i) {
    EXPECT_FALSE(RuleTable[i].empty()) << i;
  }
  for (int32_t i = 0; i < kHolidayNameCount; ++i) {
    EXPECT_FALSE(HolidayNameTable[i].Name.empty()) << i;
  }
  for (int32_t i = 0; i < kRegionCount; ++i) {
    EXPECT_FALSE(RegionTable[i].empty()) << i;
  }
  for (int32_t i = 0; i < kAssignmentCount; ++i) {
    EXPECT_NE(AssignmentTable[i].Status, 0) << i;
  }
  for (const LcidLanguagePair& pair : LcidLanguageMap) {
    EXPECT_NE(pair.Lcid, 0);
  }
  for (const Language& language : LanguageTable) {
    EXPECT_FALSE(language.Name.empty());
  }
}

TEST(HolidayTables, RulesHaveOneOfTheThreeForms) {
  const std::set<std::string_view> feasts = {
      "Easter",     "Advent1",       "Muttertag",    "MuttertagFranceSweden",
      "Maienzug",   "Rutenzug",      "GenferBettag", "EidgDankBussUndBettag",
      "StNikolaus", "NäfelserFahrt", "Sechseläuten", "Solennität",
      "Zibelemärit"};
  std::map<std::string_view, std::set<int32_t>> offsets;
  for (int32_t h = 0; h < kRuleCount; ++h) {
    const std::string_view rule = RuleTable[h];
    SCOPED_TRACE(std::string(rule));
    const bool match = h >= kFirstWorldCupMatch && h <= kLastWorldCupMatch;
    EXPECT_EQ(rule.starts_with("WM "), match) << h;
    if (match) continue;  // checked with the fixtures
    if (rule.starts_with("Fix ")) {
      const std::string_view date = rule.substr(4);
      const size_t dot = date.find('.');
      int32_t day = 0;
      int32_t month = 0;
      ASSERT_NE(dot, std::string_view::npos);
      EXPECT_TRUE(ParseInt(date.substr(0, dot), day) && day >= 1 && day <= 31);
      EXPECT_TRUE(ParseInt(date.substr(dot + 1), month) && month >= 1 && month <= 12);
      continue;
    }
    const size_t sign = rule.find_first_of("+-");
    const std::string_view feast = rule.substr(0, sign);
    EXPECT_TRUE(feasts.contains(feast));
    if (sign == std::string_view::npos) continue;
    int32_t days = 0;
    ASSERT_TRUE(ParseInt(rule.substr(sign + 1), days));
    offsets[feast].insert(rule[sign] == '-' ? -days : days);
  }
  using Set = std::set<int32_t>;
  EXPECT_EQ(offsets["Easter"],
            (Set{-52, -48, -47, -46, -41, -40, -39, -7, -2, 1, 39, 49, 50, 51, 60}));
  EXPECT_EQ(offsets["Advent1"], (Set{-11, -7, 7, 14, 21}));
  EXPECT_EQ(offsets["Maienzug"], (Set{7}));
  EXPECT_EQ(offsets["EidgDankBussUndBettag"], (Set{-6, 1}));
  EXPECT_EQ(offsets.size(), 4u);
}

TEST(HolidayTables, SharedRulesOutsideTheFixtures) {
  std::map<std::string_view, int32_t> uses;
  for (int32_t h = 0; h < kRuleCount; ++h) {
    if (h < kFirstWorldCupMatch || h > kLastWorldCupMatch) ++uses[RuleTable[h]];
  }
  std::map<std::string_view, int32_t> shared;
  for (const auto& [rule, count] : uses) {
    if (count > 1) shared[rule] = count;
  }
  const std::map<std::string_view, int32_t> expected = {
      {"Fix 1.5", 5},  {"Fix 13.1", 2}, {"Easter+1", 2},  {"Easter+50", 2},
      {"Maienzug", 2}, {"Fix 15.8", 2}, {"Fix 11.11", 2}, {"Fix 31.12", 2}};
  EXPECT_EQ(shared, expected);
  for (int32_t h = 26; h <= 30; ++h) {
    EXPECT_EQ(RuleTable[h], "Fix 1.5");
  }
}

TEST(HolidayNames, CountsPerLanguageAndDefault) {
  std::array<int32_t, kLanguageCount> records{};
  std::array<int32_t, kLanguageCount> defaults{};
  std::vector<int32_t> french_defaults;
  for (const HolidayName& name : HolidayNameTable) {
    ASSERT_GE(name.LanguageIndex, 0);
    ASSERT_LT(name.LanguageIndex, kLanguageCount);
    ASSERT_GE(name.HolidayIndex, 0);
    ASSERT_LT(name.HolidayIndex, kRuleCount);
    ASSERT_TRUE(name.IsDefaultName == 0 || name.IsDefaultName == -1);
    ++records[name.LanguageIndex];
    if (name.IsDefaultName == 0) continue;
    ++defaults[name.LanguageIndex];
    if (name.LanguageIndex == kFrench) french_defaults.push_back(name.HolidayIndex);
  }
  EXPECT_THAT(records, ElementsAre(159, 144, 84, 82));
  EXPECT_THAT(defaults, ElementsAre(77, 81, 1, 0));
  EXPECT_THAT(french_defaults, ElementsAre(48));
}

TEST(HolidayNames, EveryHolidayHasOneGermanRecordAndOneDefault) {
  std::array<std::array<int32_t, kLanguageCount>, kRuleCount> per_language{};
  std::array<int32_t, kRuleCount> defaults{};
  for (const HolidayName& name : HolidayNameTable) {
    ++per_language[name.HolidayIndex][name.LanguageIndex];
    if (name.IsDefaultName != 0) ++defaults[name.HolidayIndex];
  }
  for (int32_t h = 0; h < kRuleCount; ++h) {
    EXPECT_EQ(per_language[h][kGerman], 1) << h;
    for (int32_t l = 0; l < kLanguageCount; ++l) {
      EXPECT_LE(per_language[h][l], 1) << h << "/" << l;
    }
    EXPECT_EQ(defaults[h], 1) << h;
  }
}

TEST(HolidayNames, FindAgreesWithTheScanEverywhere) {
  for (int32_t h = -2; h <= kRuleCount + 1; ++h) {
    for (int32_t l = -1; l <= kLanguageCount + 1; ++l) {
      EXPECT_EQ(FindHolidayName(h, l), ScanHolidayName(h, l)) << h << "/" << l;
    }
  }
  for (const int32_t h : {INT_MIN, INT_MAX}) {
    EXPECT_EQ(FindHolidayName(h, kGerman), -1);
  }
  EXPECT_EQ(NameOf(0, INT_MAX), "New Year's Day");  // an unknown language gets the default
}

TEST(HolidayNames, NamesInEachLanguage) {
  const struct {
    int32_t holiday;
    int32_t language;
    std::string_view name;
  } cases[] = {
      {1, kEnglish, "Berchtoldstag"},  // no English record: the German default
      {0, kGerman, "Neujahr"},         // own language beats the English default
      {0, kItalian, "Capodanno"},
      {6, kEnglish, "St. Meinradstag"},
      {6, kItalian, "San Meinrado"},
      {32, kGerman, "Muttertag"},
      {158, kGerman, "Muttertag"},
      {158, kFrench, "F\u00eate des m\u00e8res"},
      {158, kItalian, "Mothering day"},  // no Italian record: the default name
      {48, kEnglish, "French National Holiday"},
      {48, kGerman, "Nationalfeiertag Frankreich"},
      {30, kFrench, "Fête de l\u00b4\u00c9tat Autriche"},
      {88, kEnglish, "Wiederherstellung der Republik"},
      {88, kFrench, "Restauration de la République"},
      {113, kEnglish, "Sweden  - Paraguay"},
      {113, kItalian, "Sweden  - Paraguay"},  // matches have no Italian record
      {157, kGerman, "W61 - W62 (Finale)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameOf(c.holiday, c.language), c.name) << c.holiday << "/" << c.language;
  }
  std::set<std::string_view> first_of_may;
  for (int32_t h = 26; h <= 30; ++h) {
    first_of_may.insert(NameOf(h, kGerman));
  }
  EXPECT_EQ(first_of_may.size(), 5u);
}

// Where French or Italian is spoken, every holiday observed there has a name of its own
// in that language, not the fallback.
TEST(HolidayNames, FrenchAndItalianRegionsNameEveryHolidayInTheirLanguage) {
  const struct {
    int32_t language;
    std::vector<std::string_view> regions;  // a region stands for itself and all below it
  } cases[] = {
      {kFrench,
       {"France", "Schweiz", "Schweiz|Genf", "Schweiz|Jura", "Schweiz|Neuenburg", "Schweiz|Waadt",
        "Schweiz|Wallis", "Schweiz|Freiburg"}},
      {kItalian, {"Schweiz", "Schweiz|Tessin", "Schweiz|Graub\u00fcnden"}},
  };
  for (const auto& c : cases) {
    int32_t checked = 0;
    for (const Assignment& row : AssignmentTable) {
      const std::string_view path = RegionTable[static_cast<size_t>(row.RegionIndex)];
      const bool spoken = std::any_of(c.regions.begin(), c.regions.end(), [&](auto region) {
        return path == region ||
               (region != "Schweiz" && path.starts_with(std::string(region) + "|"));
      });
      if (!spoken) continue;
      ++checked;
      const int32_t name = FindHolidayName(row.HolidayIndex, c.language);
      ASSERT_GE(name, 0) << row.HolidayIndex;
      EXPECT_EQ(HolidayNameTable[static_cast<size_t>(name)].LanguageIndex, c.language)
          << path << ": holiday " << row.HolidayIndex;
    }
    EXPECT_GT(checked, 20) << c.language;
  }
}

TEST(Languages, AllFourAreOfferedAndEnglishIsTheFallback) {
  std::vector<int32_t> offered;
  std::vector<int32_t> fallback;
  for (int32_t i = 0; i < kLanguageCount; ++i) {
    if (LanguageTable[i].Offer != 0) offered.push_back(i);
    if (LanguageTable[i].Offer == 2) fallback.push_back(i);
  }
  EXPECT_THAT(offered, ElementsAre(kGerman, kEnglish, kFrench, kItalian));
  EXPECT_THAT(fallback, ElementsAre(kEnglish));
  EXPECT_EQ(LanguageTable[kGerman].Lcid, 1031);
  EXPECT_EQ(LanguageTable[kEnglish].Lcid, 1033);
  EXPECT_EQ(LanguageTable[kFrench].Lcid, 1036);
  EXPECT_EQ(LanguageTable[kItalian].Lcid, 1040);
  EXPECT_EQ(LanguageTable[kFrench].Name, "Fran\u00e7ais");
  EXPECT_EQ(LanguageTable[kItalian].Name, "Italiano");
}

TEST(Languages, HostLocalesMapToTheirLanguage) {
  std::set<int32_t> lcids;
  std::array<int32_t, kLanguageCount> per_language{};
  for (const LcidLanguagePair& pair : LcidLanguageMap) {
    EXPECT_TRUE(lcids.insert(pair.Lcid).second) << pair.Lcid;
    ASSERT_GE(pair.LanguageIndex, 0);
    ASSERT_LT(pair.LanguageIndex, kLanguageCount);
    ++per_language[pair.LanguageIndex];
    EXPECT_EQ(MapHostLanguage(pair.Lcid), LanguageTable[pair.LanguageIndex].Lcid) << pair.Lcid;
  }
  EXPECT_THAT(per_language, ElementsAre(5, 12, 5, 2));
  const struct {
    int32_t host;
    int32_t expected;
  } cases[] = {{3079, 1031}, {2055, 1031}, {5127, 1031},   {9, 1033},    {1036, 1036},
               {4108, 1036}, {2060, 1036}, {2064, 1040},   {1040, 1040}, {1049, 1033},
               {0, 1033},    {-1, 1033},   {INT_MIN, 1033}};
  for (const auto& c : cases) {
    EXPECT_EQ(MapHostLanguage(c.host), c.expected) << c.host;
  }
}

TEST(Regions, PathsPerCountryAndDepth) {
  const struct {
    std::string_view country;
    int32_t paths;
    std::array<int32_t, 4> per_depth;
  } cases[] = {
      {"Deutschland", 33, {1, 16, 10, 6}}, {"France", 24, {1, 22, 1, 0}},
      {"Liechtenstein", 1, {1, 0, 0, 0}},  {"Österreich", 1, {1, 0, 0, 0}},
      {"Schweiz", 314, {1, 26, 94, 193}},  {kWorldCupCountry, 1, {1, 0, 0, 0}},
  };
  int32_t total = 0;
  for (const auto& c : cases) {
    std::array<int32_t, 4> per_depth{};
    int32_t paths = 0;
    for (const std::string_view path : RegionTable) {
      if (!BelongsToCountry(path, c.country)) continue;
      ++paths;
      const int32_t depth = RegionDepth(path);
      ASSERT_LE(depth, 3) << path;
      ++per_depth[depth];
    }
    EXPECT_EQ(paths, c.paths) << c.country;
    EXPECT_EQ(per_depth, c.per_depth) << c.country;
    total += paths;
  }
  EXPECT_EQ(total, kRegionCount);  // no region outside these countries
  std::vector<std::string_view> countries;
  for (const int32_t i : CountryRegions()) {
    countries.push_back(RegionTable[i]);
  }
  EXPECT_THAT(CountryRegions(), ElementsAre(0, 32, 56, 57, 58, kWorldCupRegion));
  EXPECT_THAT(countries, ElementsAre("Deutschland", "France", "Liechtenstein", "Österreich",
                                     "Schweiz", kWorldCupCountry));
}

TEST(Regions, PathsAreWellFormedUniqueAndParentsComeFirst) {
  std::set<std::string_view> seen;
  for (int32_t i = 0; i < kRegionCount; ++i) {
    const std::string_view path = RegionTable[i];
    EXPECT_TRUE(seen.insert(path).second) << path;
    EXPECT_EQ(path.find("||"), std::string_view::npos) << path;
    EXPECT_FALSE(path.front() == kRegionSeparator || path.back() == kRegionSeparator) << path;
    if (RegionDepth(path) == 0) continue;
    const int32_t parent = FindRegion(RegionParent(path));
    EXPECT_GE(parent, 0) << path;
    EXPECT_LT(parent, i) << path;
  }
}

TEST(Regions, DepthFirstOrderExceptTheThuringianVariant) {
  constexpr int32_t kLateVariant = 372;
  EXPECT_EQ(RegionTable[kLateVariant], "Deutschland|Thüringen|Thüringen (mit Fronleichnam)");
  EXPECT_EQ(FindRegion(RegionParent(RegionTable[kLateVariant])), 31);
  // Leaving the late variant out, every region is directly followed by all of its
  // descendants and none comes later.
  for (int32_t i = 0; i < kRegionCount; ++i) {
    if (i == kLateVariant) continue;
    const std::string prefix = std::string(RegionTable[i]) + kRegionSeparator;
    bool inside = true;
    for (int32_t j = i + 1; j < kRegionCount; ++j) {
      if (j == kLateVariant) continue;
      const bool descendant = RegionTable[j].starts_with(prefix);
      if (!descendant) inside = false;
      EXPECT_FALSE(descendant && !inside) << RegionTable[i] << " / " << RegionTable[j];
    }
  }
  // The variant is the only child of its parent, so the tree still places it right.
  for (int32_t j = 0; j < kRegionCount; ++j) {
    if (j != kLateVariant) {
      EXPECT_NE(RegionParent(RegionTable[j]), RegionTable[31]) << j;
    }
  }
}

TEST(Regions, FindRegion) {
  for (int32_t i = 0; i < kRegionCount; ++i) {
    EXPECT_EQ(FindRegion(RegionTable[i]), i);
  }
  using namespace std::string_view_literals;
  const struct {
    std::string_view path;
    int32_t expected;
  } cases[] = {
      {"Schweiz|Aargau|Aarau", 60},
      {"Schweiz|Aargau|Aarau|Aarau", 61},
      {"Schweiz|Bern|Büren", 134},
      {"Schweiz|Solothurn|Dorneck|Büren", 313},
      {"Schweiz|Freiburg|See", 162},
      {"Schweiz|St. Gallen|See", 348},
      {"France|Provence Alpes Côte d'Azur", 54},
      {kWorldCupCountry, kWorldCupRegion},
      {"schweiz", -1},
      {"Schweiz|", -1},
      {"Schweiz |Aargau", -1},
      {" Schweiz", -1},
      {"Schweiz\0"sv, -1},
      {"Aarau", -1},
      {"", -1},
      {"2006 FIFA World Cup Germany", -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FindRegion(c.path), c.expected) << c.path;
    EXPECT_EQ(FindRegion(c.path), ScanRegion(c.path)) << c.path;
  }
}

TEST(Regions, PathParts) {
  const struct {
    std::string_view path;
    int32_t depth;
    std::string_view country;
    std::string_view parent;
    std::string_view display;
  } cases[] = {
      {"Schweiz", 0, "Schweiz", "", "Schweiz"},
      {"Schweiz|Aargau|Aarau|Aarau", 3, "Schweiz", "Schweiz|Aargau|Aarau", "Aarau"},
      {"Deutschland|Bayern|Schwaben|Augsburg (Stadt)", 3, "Deutschland",
       "Deutschland|Bayern|Schwaben", "Augsburg (Stadt)"},
      {"France|Lorraine", 1, "France", "France", "Lorraine"},
      {"", 0, "", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RegionDepth(c.path), c.depth) << c.path;
    EXPECT_EQ(RegionCountry(c.path), c.country) << c.path;
    EXPECT_EQ(RegionParent(c.path), c.parent) << c.path;
    EXPECT_EQ(RegionDisplayName(c.path), c.display) << c.path;
  }
  const struct {
    std::string_view path;
    std::string_view country;
    bool belongs;
  } membership[] = {
      {"Schweiz", "Schweiz", true},          {"Schweiz|Aargau", "Schweiz", true},
      {"Schweizerland|X", "Schweiz", false}, {"Deutschland", "Deutsch", false},
      {"Schweiz", "Schweiz|Aargau", false},  {"", "Schweiz", false},
  };
  for (const auto& c : membership) {
    EXPECT_EQ(BelongsToCountry(c.path, c.country), c.belongs) << c.path << " in " << c.country;
  }
  // With this data a bare prefix test gives the same answer, as no country name begins
  // another one.
  for (const int32_t c : CountryRegions()) {
    for (const std::string_view path : RegionTable) {
      EXPECT_EQ(path.starts_with(RegionTable[c]), BelongsToCountry(path, RegionTable[c]));
    }
  }
}

TEST(Assignments, RowsAreValidAndPairsUnique) {
  std::set<std::pair<int32_t, int32_t>> pairs;
  std::array<int32_t, kRuleCount> per_holiday{};
  for (const Assignment& row : AssignmentTable) {
    ASSERT_GE(row.HolidayIndex, 0);
    ASSERT_LT(row.HolidayIndex, kRuleCount);
    ASSERT_GE(row.RegionIndex, 0);
    ASSERT_LT(row.RegionIndex, kRegionCount);
    EXPECT_GE(row.Status, 1);
    EXPECT_LE(row.Status, 5);
    EXPECT_TRUE(pairs.emplace(row.HolidayIndex, row.RegionIndex).second)
        << row.HolidayIndex << "/" << row.RegionIndex;
    ++per_holiday[row.HolidayIndex];
  }
  for (int32_t h = 0; h < kRuleCount; ++h) {
    EXPECT_GT(per_holiday[h], 0) << h;
  }
}

TEST(Assignments, CountsPerCountryAndStatus) {
  const struct {
    std::string_view country;
    int32_t rows;
    std::array<int32_t, 5> per_status;
  } cases[] = {
      {"Deutschland", 56, {42, 0, 0, 2, 12}},   {"France", 22, {16, 0, 0, 0, 6}},
      {"Liechtenstein", 30, {16, 1, 0, 2, 11}}, {"Österreich", 29, {14, 1, 0, 2, 12}},
      {"Schweiz", 707, {145, 400, 2, 88, 72}},  {kWorldCupCountry, 64, {0, 0, 0, 0, 64}},
  };
  std::array<int32_t, 5> all{};
  for (const Assignment& row : AssignmentTable) {
    ++all[row.Status - 1];
  }
  EXPECT_THAT(all, ElementsAre(233, 402, 2, 94, 177));
  for (const auto& c : cases) {
    std::array<int32_t, 5> per_status{};
    int32_t rows = 0;
    for (const Assignment& row : AssignmentTable) {
      if (CountryOfRow(row) != c.country) continue;
      ++rows;
      ++per_status[row.Status - 1];
    }
    EXPECT_EQ(rows, c.rows) << c.country;
    EXPECT_EQ(per_status, c.per_status) << c.country;
  }
}

TEST(Assignments, RegionsWithoutRows) {
  std::vector<int32_t> empty;
  std::vector<int32_t> french_with_rows;
  for (int32_t r = 0; r < kRegionCount; ++r) {
    const bool has_rows = !AssignmentRowsOfRegion(r).empty();
    if (!has_rows) empty.push_back(r);
    if (has_rows && RegionCountry(RegionTable[r]) == "France") french_with_rows.push_back(r);
  }
  EXPECT_EQ(empty.size(), 52u);
  EXPECT_THAT(french_with_rows, ElementsAre(32, 40, 48));  // the country, Alsace, Moselle
  for (const std::string_view path :
       {"Deutschland|Bayern|Schwaben", "Deutschland|Berlin", "Schweiz|Graubünden|Surselva"}) {
    EXPECT_THAT(empty, ::testing::Contains(FindRegion(path))) << path;
  }
  EXPECT_EQ(RegionTable[40], "France|Alsace");
  EXPECT_EQ(RegionTable[48], "France|Lorraine|Moselle");
}

TEST(Assignments, SwissRegionsRepeatTheirAncestorsHolidays) {
  // A repetition is a row whose holiday also has a row for an ancestor of its region;
  // its status is compared with that of the nearest such ancestor.
  int32_t repetitions = 0;
  int32_t differing = 0;
  for (const Assignment& row : AssignmentTable) {
    for (std::string_view path = RegionParent(RegionTable[row.RegionIndex]); !path.empty();
         path = RegionParent(path)) {
      const int32_t ancestor = FindRegion(path);
      const auto rows = AssignmentRowsOfRegion(ancestor);
      const auto same = std::find_if(rows.begin(), rows.end(), [&](int32_t i) {
        return AssignmentTable[i].HolidayIndex == row.HolidayIndex;
      });
      if (same == rows.end()) continue;
      EXPECT_EQ(CountryOfRow(row), "Schweiz");
      ++repetitions;
      if (AssignmentTable[*same].Status != row.Status) ++differing;
      break;
    }
  }
  EXPECT_EQ(repetitions, 124);
  EXPECT_EQ(differing, 77);
}

TEST(Assignments, TellingRows) {
  using Rows = std::vector<std::pair<int32_t, int32_t>>;  // holiday, status
  const auto rows_of = [](int32_t region) {
    Rows rows;
    for (const int32_t i : AssignmentRowsOfRegion(region)) {
      rows.emplace_back(AssignmentTable[i].HolidayIndex, AssignmentTable[i].Status);
    }
    return rows;
  };
  EXPECT_EQ(rows_of(0),
            (Rows{{0, 1},  {12, 5}, {19, 5}, {21, 1}, {22, 1}, {23, 1}, {27, 1}, {31, 1},
                  {32, 5}, {35, 1}, {36, 1}, {67, 1}, {76, 5}, {77, 5}, {79, 5}, {80, 5},
                  {82, 5}, {84, 5}, {85, 5}, {86, 1}, {87, 1}, {89, 5}, {93, 5}}));
  EXPECT_EQ(rows_of(2), (Rows{{2, 1}, {39, 1}, {72, 1}}));
  EXPECT_EQ(rows_of(12), (Rows{{51, 1}, {53, 1}}));
  EXPECT_EQ(rows_of(27), (Rows{{71, 1}, {75, 4}}));
  EXPECT_EQ(rows_of(21), (Rows{{38, 4}}));
  EXPECT_EQ(rows_of(16), Rows{});  // Berlin: only the country's rows apply

  std::vector<std::tuple<int32_t, std::string_view, int32_t>> half_days;
  for (const Assignment& row : AssignmentTable) {
    if (row.Status == 3) half_days.emplace_back(row.HolidayIndex, RegionTable[row.RegionIndex], 3);
  }
  EXPECT_THAT(half_days, ElementsAre(std::make_tuple(27, "Schweiz|Freiburg", 3),
                                     std::make_tuple(27, "Schweiz|Solothurn", 3)));
  EXPECT_THAT(rows_of(FindRegion("Schweiz|Solothurn|Thal|Aedermannsdorf")),
              ::testing::Contains(std::make_pair(27, 2)));
  // Each country's Mother's Day has its own rule.
  EXPECT_THAT(rows_of(32), ::testing::Contains(std::make_pair(158, 5)));
  EXPECT_THAT(rows_of(32), ::testing::Not(::testing::Contains(::testing::Key(32))));
  EXPECT_THAT(rows_of(0), ::testing::Not(::testing::Contains(::testing::Key(158))));
}

TEST(Assignments, RowOrderIsKeptAsData) {
  EXPECT_EQ(std::tie(AssignmentTable[0].HolidayIndex, AssignmentTable[0].RegionIndex,
                     AssignmentTable[0].Status),
            std::make_tuple(0, 0, 1));
  const Assignment& last = AssignmentTable[kAssignmentCount - 1];
  EXPECT_EQ(std::tie(last.HolidayIndex, last.RegionIndex, last.Status),
            std::make_tuple(158, 32, 5));
  // Holiday 2's regions, with Münster (361) listed before 195.
  std::vector<int32_t> regions;
  for (int32_t i = 51; i <= 65; ++i) {
    EXPECT_EQ(AssignmentTable[i].HolidayIndex, 2);
    regions.push_back(AssignmentTable[i].RegionIndex);
  }
  EXPECT_THAT(regions,
              ElementsAre(1, 2, 29, 56, 57, 189, 192, 361, 195, 197, 198, 199, 293, 352, 356));
  // Runs appended after holiday 93, out of holiday order.
  std::vector<std::pair<int32_t, int32_t>> runs;  // holiday, run length
  for (int32_t i = 759; i <= 842; ++i) {
    const int32_t h = AssignmentTable[i].HolidayIndex;
    if (runs.empty() || runs.back().first != h) runs.emplace_back(h, 0);
    ++runs.back().second;
  }
  EXPECT_THAT(runs,
              ElementsAre(std::make_pair(5, 1), std::make_pair(18, 3), std::make_pair(34, 1),
                          std::make_pair(39, 1), std::make_pair(81, 1), std::make_pair(72, 74),
                          std::make_pair(71, 1), std::make_pair(75, 1), std::make_pair(39, 1)));
  EXPECT_EQ(AssignmentTable[842].RegionIndex, 372);
  // So the German regions of Corpus Christi end with the late Thuringian variant.
  std::vector<int32_t> german;
  for (const int32_t i : AssignmentRowsOfHoliday(39)) {
    if (CountryOfRow(AssignmentTable[i]) == "Deutschland") {
      german.push_back(AssignmentTable[i].RegionIndex);
    }
  }
  EXPECT_THAT(german, ElementsAre(1, 2, 20, 24, 25, 26, 28, 372));
}

TEST(Assignments, RowIndexesAgreeWithTheScan) {
  size_t total = 0;
  for (int32_t r = -2; r <= kRegionCount + 1; ++r) {
    const auto rows = AssignmentRowsOfRegion(r);
    EXPECT_THAT(rows,
                ElementsAreArray(ScanRows([r](const Assignment& a) { return a.RegionIndex == r; })))
        << r;
    total += rows.size();
  }
  EXPECT_EQ(total, static_cast<size_t>(kAssignmentCount));
  total = 0;
  for (int32_t h = -2; h <= kRuleCount + 1; ++h) {
    const auto rows = AssignmentRowsOfHoliday(h);
    EXPECT_THAT(
        rows, ElementsAreArray(ScanRows([h](const Assignment& a) { return a.HolidayIndex == h; })))
        << h;
    total += rows.size();
  }
  EXPECT_EQ(total, static_cast<size_t>(kAssignmentCount));
  for (const int32_t bad : {INT_MIN, INT_MAX}) {
    EXPECT_TRUE(AssignmentRowsOfRegion(bad).empty());
    EXPECT_TRUE(AssignmentRowsOfHoliday(bad).empty());
  }
}

TEST(Assignments, DaysOff) {
  const struct {
    int32_t holiday;
    std::string_view country;
    bool day_off;
  } cases[] = {
      {0, "Schweiz", true},  {12, "Deutschland", false}, {39, "Deutschland", true},
      {39, "France", false}, {32, "Deutschland", false}, {21, "Liechtenstein", false},
      {27, "Schweiz", true}, {158, "France", false},     {94, kWorldCupCountry, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsDayOffIn(c.holiday, c.country), c.day_off) << c.holiday << " " << c.country;
  }
  for (int32_t status = -1; status <= 6; ++status) {
    EXPECT_EQ(IsDayOffStatus(status), status == 1 || status == 2) << status;
  }
}

TEST(WorldCup, SixtyFourMatchesInKickOffOrder) {
  EXPECT_EQ(kLastWorldCupMatch - kFirstWorldCupMatch + 1, 64);
  EXPECT_EQ(RegionTable[kWorldCupRegion], kWorldCupCountry);
  EXPECT_EQ(kWorldCupCountry.substr(kWorldCupCountry.size() - 3), "\xE2\x84\xA2");  // U+2122
  std::vector<std::pair<int32_t, int32_t>> same_kick_off;
  std::tuple<int32_t, int32_t, int32_t> previous{0, 0, 0};  // month, day, minute of the day
  for (int32_t h = kFirstWorldCupMatch; h <= kLastWorldCupMatch; ++h) {
    const std::string_view rule = RuleTable[h];
    SCOPED_TRACE(std::string(rule));
    ASSERT_TRUE(rule.starts_with("WM "));
    const std::string_view text = rule.substr(3);
    const size_t dot1 = text.find('.');
    const size_t dot2 = text.find('.', dot1 + 1);
    const size_t blank = text.find(' ');
    const size_t colon = text.find(':');
    ASSERT_TRUE(dot1 < dot2 && dot2 < blank && blank < colon && colon != std::string_view::npos);
    int32_t day = 0, month = 0, year = 0, hour = 0;
    ASSERT_TRUE(ParseInt(text.substr(0, dot1), day));
    ASSERT_TRUE(ParseInt(text.substr(dot1 + 1, dot2 - dot1 - 1), month));
    ASSERT_TRUE(ParseInt(text.substr(dot2 + 1, blank - dot2 - 1), year));
    ASSERT_TRUE(ParseInt(text.substr(blank + 1, colon - blank - 1), hour));
    const std::string_view minutes = text.substr(colon + 1);
    ASSERT_EQ(minutes, "00");
    EXPECT_EQ(year, 2006);
    EXPECT_TRUE((month == 6 && day >= 9 && day <= 30) || (month == 7 && day <= 9));
    const std::tuple<int32_t, int32_t, int32_t> kick_off{month, day, hour * 60};
    EXPECT_LE(previous, kick_off);
    if (previous == kick_off) same_kick_off.emplace_back(h - 1, h);
    previous = kick_off;
  }
  EXPECT_EQ(RuleTable[126], "WM 20.6.2006 16:00");
  EXPECT_THAT(same_kick_off, ElementsAre(std::make_pair(126, 127), std::make_pair(128, 129),
                                         std::make_pair(130, 131), std::make_pair(132, 133),
                                         std::make_pair(134, 135), std::make_pair(136, 137),
                                         std::make_pair(138, 139), std::make_pair(140, 141)));
}

TEST(WorldCup, GermanAndEnglishNamesWithEnglishAsDefault) {
  for (int32_t h = kFirstWorldCupMatch; h <= kLastWorldCupMatch; ++h) {
    std::vector<std::pair<int32_t, int16_t>> records;  // language, default flag
    for (const HolidayName& name : HolidayNameTable) {
      if (name.HolidayIndex != h) continue;
      records.emplace_back(name.LanguageIndex, name.IsDefaultName);
      EXPECT_NE(name.Name.find(" - "), std::string_view::npos) << name.Name;
    }
    EXPECT_THAT(records, ElementsAre(std::make_pair(kGerman, int16_t{0}),
                                     std::make_pair(kEnglish, int16_t{-1})))
        << h;
  }
}

TEST(WorldCup, MatchesBelongToThePseudoCountryAlone) {
  std::vector<int32_t> holidays;
  for (const int32_t i : AssignmentRowsOfRegion(kWorldCupRegion)) {
    EXPECT_EQ(AssignmentTable[i].Status, 5);
    holidays.push_back(AssignmentTable[i].HolidayIndex);
  }
  std::vector<int32_t> matches;
  for (int32_t h = kFirstWorldCupMatch; h <= kLastWorldCupMatch; ++h) {
    matches.push_back(h);
    EXPECT_EQ(AssignmentRowsOfHoliday(h).size(), 1u) << h;
  }
  EXPECT_EQ(holidays, matches);
}

// Compares every lookup answer, the span addresses included: a rebuild that moved the
// row indexes would leave callers holding dangling spans.
TEST(Init, CallingAgainChangesNothing) {
  InitHolidayData();
  std::vector<int32_t> names;
  for (int32_t h = 0; h < kRuleCount; ++h) {
    for (int32_t l = 0; l < kLanguageCount; ++l) {
      names.push_back(FindHolidayName(h, l));
    }
  }
  const auto region_rows = AssignmentRowsOfRegion(58);
  const auto holiday_rows = AssignmentRowsOfHoliday(72);
  InitHolidayData();
  for (int32_t h = 0, k = 0; h < kRuleCount; ++h) {
    for (int32_t l = 0; l < kLanguageCount; ++l, ++k) {
      EXPECT_EQ(FindHolidayName(h, l), names[k]);
    }
  }
  EXPECT_EQ(AssignmentRowsOfRegion(58).data(), region_rows.data());
  EXPECT_EQ(AssignmentRowsOfRegion(58).size(), region_rows.size());
  EXPECT_EQ(AssignmentRowsOfHoliday(72).data(), holiday_rows.data());
  EXPECT_EQ(FindRegion("Schweiz|Aargau|Aarau|Aarau"), 61);
  EXPECT_EQ(MapHostLanguage(3079), 1031);
}

// Runs in a fresh process, so the lookups meet tables nobody has initialised yet.
TEST(InitDeathTest, LookupsAnswerBeforeInit) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        const bool ok = FindRegion("Schweiz|Aargau|Aarau") == 60 &&
                        HolidayNameTable[FindHolidayName(1, kEnglish)].Name == "Berchtoldstag" &&
                        AssignmentRowsOfHoliday(39).size() == 101 &&
                        AssignmentRowsOfRegion(0).size() == 23 && CountryRegions().size() == 6;
        std::exit(ok ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace feriant::data
