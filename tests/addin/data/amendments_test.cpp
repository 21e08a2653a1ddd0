#include "addin/data/amendments.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "addin/engine/feast_table.h"
#include "addin/engine/rule.h"

namespace feriant::data {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr int32_t kFirstYear = 1984;
constexpr int32_t kLastYear = 2049;

// The status of `holiday` in region `path` among `assignments`; kNoRow when it has no row
// there (a row left with any status, even kNotAssigned, is a fault).
constexpr int32_t kNoRow = -1;
int32_t StatusOf(const EffectiveAssignments& assignments, std::string_view path, int32_t holiday) {
  for (const Assignment& row : assignments.RowsOfRegion(FindRegion(path))) {
    if (row.HolidayIndex == holiday) return row.Status;
  }
  return kNoRow;
}

TEST(AmendmentTable, RowsNameRealRegionsAndHolidaysAndReallyChangeSomething) {
  for (int32_t i = 0; i < kAmendmentCount; ++i) {
    SCOPED_TRACE("amendment " + std::to_string(i));
    const Amendment& row = AmendmentTable[i];
    const int32_t region = FindRegion(row.RegionPath);
    ASSERT_GE(region, 0);
    EXPECT_NE(RegionCountry(row.RegionPath), kWorldCupCountry);
    ASSERT_TRUE(row.HolidayIndex >= 0 && row.HolidayIndex < kAllHolidayCount);
    EXPECT_FALSE(row.HolidayIndex >= kFirstWorldCupMatch && row.HolidayIndex <= kLastWorldCupMatch);
    EXPECT_TRUE(row.Status == kNotAssigned || (row.Status >= 1 && row.Status <= 5));
    EXPECT_LE(row.FirstYear, row.LastYear);
    EXPECT_FALSE(row.Source.empty());

    // Some year the run processes, and in it the table says something else.
    const int32_t year = std::clamp(row.FirstYear, kFirstYear, kLastYear);
    ASSERT_TRUE(row.AppliesIn(year));
    const int32_t table_status = StatusOf(TableAssignments(), row.RegionPath, row.HolidayIndex);
    EXPECT_NE(table_status == kNoRow ? kNotAssigned : table_status, row.Status);

    for (int32_t j = 0; j < i; ++j) {
      const Amendment& other = AmendmentTable[j];
      const bool overlap = other.FirstYear <= row.LastYear && row.FirstYear <= other.LastYear;
      EXPECT_FALSE(other.RegionPath == row.RegionPath && other.HolidayIndex == row.HolidayIndex &&
                   overlap)
          << "overlaps amendment " << j;
    }
  }
}

TEST(AmendmentTable, AppendedHolidaysHaveARuleFourNamesAndAnAmendment) {
  engine::FeastTable feasts;
  for (int32_t holiday = kRuleCount; holiday < kAllHolidayCount; ++holiday) {
    SCOPED_TRACE("holiday " + std::to_string(holiday));
    for (int32_t year = kFirstYear; year <= kLastYear; ++year) {
      feasts.ComputeFeasts(year);
      const engine::RuleOutcome date = engine::EvaluateRule(HolidayRule(holiday), year, feasts);
      ASSERT_TRUE(date.ok() && date->has_value()) << year;
      EXPECT_FALSE((*date)->IsWorldCupMatch);
    }
    for (int32_t language = 0; language < kLanguageCount; ++language) {
      const HolidayName* name = FindHolidayNameRecord(holiday, language);
      ASSERT_NE(name, nullptr);
      EXPECT_EQ(name->HolidayIndex, holiday);
      EXPECT_EQ(name->LanguageIndex, language);
      EXPECT_FALSE(name->Name.empty());
    }
    EXPECT_EQ(std::count_if(AppendedHolidayNameTable.begin(), AppendedHolidayNameTable.end(),
                            [&](const HolidayName& n) {
                              return n.HolidayIndex == holiday && n.IsDefaultName != 0;
                            }),
              1);
    EXPECT_TRUE(std::any_of(AmendmentTable.begin(), AmendmentTable.end(),
                            [&](const Amendment& a) { return a.HolidayIndex == holiday; }));
  }
  // The tables' own holidays answer as before; nothing lies beyond the appended ones.
  EXPECT_EQ(HolidayRule(21), "Easter-2");
  EXPECT_EQ(FindHolidayNameRecord(1, kEnglish), &HolidayNameTable[FindHolidayName(1, kEnglish)]);
  EXPECT_TRUE(HolidayRule(kAllHolidayCount).empty());
  EXPECT_EQ(FindHolidayNameRecord(kAllHolidayCount, kGerman), nullptr);
}

TEST(CurrentLaw, TheTablesAssignmentsAreTheTable) {
  // With the law off, every lookup must give exactly the table's rows in the table's order.
  const auto same = [](std::span<const Assignment> rows, std::span<const int32_t> indexes) {
    return std::ranges::equal(rows, indexes, [](const Assignment& row, int32_t i) {
      const Assignment& table = AssignmentTable[i];
      return row.HolidayIndex == table.HolidayIndex && row.RegionIndex == table.RegionIndex &&
             row.Status == table.Status;
    });
  };
  for (int32_t region = -1; region <= kRegionCount; ++region) {
    EXPECT_TRUE(same(TableAssignments().RowsOfRegion(region), AssignmentRowsOfRegion(region)))
        << region;
  }
  for (int32_t holiday = -1; holiday <= kAllHolidayCount; ++holiday) {
    EXPECT_TRUE(same(TableAssignments().RowsOfHoliday(holiday), AssignmentRowsOfHoliday(holiday)))
        << holiday;
  }
}

TEST(CurrentLaw, StatusByRegionAndYear) {
  struct Case {
    std::string_view region;
    int32_t year;
    int32_t holiday;
    int32_t table_status;
    int32_t law_status;
  };
  const Case cases[] = {
      {"Deutschland|Berlin", 2027, kWomensDay, kNoRow, 1},
      {"Deutschland|Mecklenburg-Vorpommern", 2023, kWomensDay, kNoRow, 1},
      {"Deutschland|Thüringen", 2019, kWorldChildrensDay, kNoRow, 1},
      {"Deutschland|Bremen", 2017, 71, kNoRow, kNoRow},
      {"Deutschland|Bremen", 2018, 71, kNoRow, 1},
      {"Deutschland", 2017, 71, kNoRow, 1},
      {"Deutschland", 2018, 71, kNoRow, kNoRow},
      {"Deutschland|Sachsen", 1991, 75, 4, 4},
      {"Deutschland|Sachsen", 1992, 75, 4, 1},
      {"Deutschland", 1994, 75, kNoRow, 1},
      {"Deutschland|Berlin", 2020, kLiberationDay, kNoRow, 1},
      {"Deutschland|Berlin", 2021, kLiberationDay, kNoRow, kNoRow},
      {"Deutschland|Berlin", 2025, kLiberationDay, kNoRow, 1},
      {"Deutschland", 1989, 67, 1, kNoRow},
      {"Deutschland", 1990, 67, 1, 1},
      {"Deutschland", 1990, kSeventeenthOfJune, kNoRow, 1},
      {"Österreich", 2019, 21, 4, 5},
      {"France", 2004, 36, 5, 1},
      {"France", 2005, 36, 5, 5},
      {"France", 2008, 36, 5, 1},
      {"Deutschland|Berlin", 2028, kUprisingAnniversary, kNoRow, 1},
      {"Deutschland|Berlin", 2029, kUprisingAnniversary, kNoRow, kNoRow},
      {"Schweiz|Glarus", 2026, 24, 2, kNoRow},
      {"Schweiz|Glarus", 2026, kNaefelserFahrtAfterEaster, kNoRow, 2},
      {"Schweiz|Glarus", 2027, 24, 2, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.region) + " " + std::to_string(c.year) + " holiday " +
                 std::to_string(c.holiday));
    EXPECT_EQ(StatusOf(TableAssignments(), c.region, c.holiday), c.table_status);
    EXPECT_EQ(StatusOf(CurrentLawAssignments(c.year), c.region, c.holiday), c.law_status);
  }
  // Years under the same amendments share their assignments; others do not.
  EXPECT_EQ(&CurrentLawAssignments(2029), &CurrentLawAssignments(2033));
  EXPECT_EQ(&CurrentLawAssignments(2049), &CurrentLawAssignments(2100));
  EXPECT_NE(&CurrentLawAssignments(2024), &CurrentLawAssignments(2025));
}

// Glarus holds the Näfelser Fahrt on the first Thursday of April, a week later when that
// is Maundy Thursday; the tables know only the first Thursday.
TEST(CurrentLaw, NaefelserFahrtNeverFallsInHolyWeek) {
  using std::chrono::days;
  engine::FeastTable feasts;
  const auto day_of = [&](int32_t holiday, int32_t year) {
    const engine::RuleOutcome date = engine::EvaluateRule(HolidayRule(holiday), year, feasts);
    return date.ok() && date->has_value() ? (*date)->Day() : std::chrono::local_days{};
  };
  for (int32_t year = kFirstYear; year <= kLastYear; ++year) {
    SCOPED_TRACE(year);
    feasts.ComputeFeasts(year);
    const auto easter = *feasts.LookupFeast("Easter");
    const auto first_thursday = day_of(24, year);
    const auto expected =
        first_thursday == easter - days(3) ? first_thursday + days(7) : first_thursday;
    std::vector<std::chrono::local_days> law;
    for (const int32_t holiday : {24, kNaefelserFahrtAfterEaster}) {
      if (StatusOf(CurrentLawAssignments(year), "Schweiz|Glarus", holiday) != kNoRow)
        law.push_back(day_of(holiday, year));
    }
    EXPECT_THAT(law, ElementsAre(expected));
    EXPECT_EQ(StatusOf(TableAssignments(), "Schweiz|Glarus", 24), 2);
  }
  feasts.ComputeFeasts(2026);
  EXPECT_EQ(day_of(kNaefelserFahrtAfterEaster, 2026),
            std::chrono::local_days{std::chrono::year{2026} / 4 / 9});
}

TEST(CurrentLaw, AddedRowsFollowTheTablesRowsOfTheHoliday) {
  std::vector<int32_t> regions;
  for (const Assignment& row : CurrentLawAssignments(2018).RowsOfHoliday(71))
    regions.push_back(row.RegionIndex);
  // Brandenburg, Mecklenburg-Vorpommern, Sachsen-Anhalt, Thüringen, Sachsen (the table's
  // order), then Bremen, Hamburg, Niedersachsen, Schleswig-Holstein.
  EXPECT_THAT(regions, ElementsAre(17, 22, 29, 31, 27, 18, 19, 23, 30));
}

TEST(CurrentLaw, HolidaysAffectedByALaterChange) {
  struct Case {
    std::vector<std::string_view> ticked;
    std::string_view country;
    int32_t first;
    int32_t last;
    std::vector<int32_t> changed;
  };
  const Case cases[] = {
      {{"Deutschland", "Deutschland|Berlin"}, "Deutschland", 2027, 2027, {kWomensDay}},
      {{"Deutschland", "Deutschland|Bayern"}, "Deutschland", 2027, 2027, {}},
      // Brandenburg keeps its day, but the regions listed with it grow.
      {{"Deutschland", "Deutschland|Brandenburg"}, "Deutschland", 2024, 2024, {71}},
      {{"Deutschland"}, "Deutschland", 1984, 1984, {67, 75, kSeventeenthOfJune}},
      {{"Deutschland"}, "Deutschland", 2016, 2018, {71}},
      {{"Österreich"}, "Österreich", 2010, 2030, {21}},
      {{"Schweiz", "Schweiz|Glarus"}, "Schweiz", 2026, 2026, {24, kNaefelserFahrtAfterEaster}},
      {{"Schweiz", "Schweiz|Glarus"}, "Schweiz", 2027, 2027, {}},
      {{"Deutschland", "Deutschland|Berlin"}, "Deutschland", 2027, 2026, {}},
  };
  for (const Case& c : cases) {
    std::vector<int32_t> regions;
    for (const std::string_view path : c.ticked)
      regions.push_back(FindRegion(path));
    EXPECT_THAT(HolidaysChangedByCurrentLaw(regions, c.country, c.first, c.last),
                ElementsAreArray(c.changed))
        << c.ticked.back() << " " << c.first << ".." << c.last;
  }
}

// Whatever is shared by CurrentLawKey must be equal: years with equal keys give equal rows
// within the country, key 0 the table's.
TEST(CurrentLaw, EqualKeysMeanEqualRowsWithinTheCountry) {
  const auto rows_within = [](const EffectiveAssignments& assignments, std::string_view country) {
    std::vector<std::tuple<int32_t, int32_t, int32_t>> rows;
    for (int32_t h = 0; h < kAllHolidayCount; ++h) {
      for (const Assignment& row : assignments.RowsOfHoliday(h)) {
        if (RegionCountry(RegionTable[static_cast<size_t>(row.RegionIndex)]) == country)
          rows.emplace_back(h, row.RegionIndex, row.Status);
      }
    }
    return rows;
  };
  for (const int32_t country_region : CountryRegions()) {
    const std::string_view country = RegionTable[static_cast<size_t>(country_region)];
    std::map<uint64_t, std::vector<std::tuple<int32_t, int32_t, int32_t>>> rows_by_key = {
        {0, rows_within(TableAssignments(), country)}};
    for (int32_t year = kFirstYear; year <= kLastYear; ++year) {
      const auto rows = rows_within(CurrentLawAssignments(year), country);
      const auto [known, added] = rows_by_key.emplace(CurrentLawKey(country, year), rows);
      EXPECT_EQ(known->second, rows) << country << " " << year;
    }
  }
  EXPECT_EQ(CurrentLawKey("Schweiz", 2027), 0u);
  EXPECT_NE(CurrentLawKey("Deutschland", 2017), CurrentLawKey("Deutschland", 2016));
}

// The key of one holiday (the country's key masked by the holiday's rows) decides that
// holiday's rows within the country, whatever the other holidays' amendments do.
TEST(CurrentLaw, EqualHolidayKeysMeanEqualRowsOfTheHoliday) {
  for (const int32_t country_region : CountryRegions()) {
    const std::string_view country = RegionTable[static_cast<size_t>(country_region)];
    for (int32_t h = 0; h < kAllHolidayCount; ++h) {
      const auto rows_within = [country, h](const EffectiveAssignments& assignments) {
        std::vector<std::pair<int32_t, int32_t>> rows;
        for (const Assignment& row : assignments.RowsOfHoliday(h)) {
          if (BelongsToCountry(RegionTable[static_cast<size_t>(row.RegionIndex)], country))
            rows.emplace_back(row.RegionIndex, row.Status);
        }
        return rows;
      };
      std::map<uint64_t, std::vector<std::pair<int32_t, int32_t>>> rows_by_key = {
          {0, rows_within(TableAssignments())}};
      for (int32_t year = kFirstYear; year <= kLastYear; ++year) {
        const auto rows = rows_within(CurrentLawAssignments(year));
        const uint64_t key = CurrentLawKey(country, year) & AmendmentsOfHoliday(h);
        EXPECT_EQ(rows_by_key.emplace(key, rows).first->second, rows)
            << country << " " << h << " " << year;
      }
    }
  }
  EXPECT_EQ(AmendmentsOfHoliday(-1), 0u);
  EXPECT_EQ(AmendmentsOfHoliday(kAllHolidayCount), 0u);
}

// The parts of the key: the rows of the country or of regions in it, by whole names only,
// and the rows in force, which the tables' own assignments have none of.
TEST(CurrentLaw, KeysAreTheCountrysRowsInForce) {
  for (const std::string_view country :
       {"Schweiz", "Schweiz|Glarus", "Deutschland|Berlin", "Schweizerland", "Schwei", "", "|"}) {
    for (const int32_t year : {1990, 2016, 2017, 2028, 2049}) {
      uint64_t in_force = 0;
      uint64_t of_country = 0;
      for (size_t i = 0; i < AmendmentTable.size(); ++i) {
        if (AmendmentTable[i].AppliesIn(year)) in_force |= uint64_t{1} << i;
        if (BelongsToCountry(AmendmentTable[i].RegionPath, country)) of_country |= uint64_t{1} << i;
      }
      EXPECT_EQ(CurrentLawAssignments(year).Amendments(), in_force) << year;
      EXPECT_EQ(AmendmentsOfCountry(country), of_country) << country;
      EXPECT_EQ(CurrentLawKey(country, year), in_force & of_country) << country << " " << year;
    }
  }
  EXPECT_EQ(TableAssignments().Amendments(), 0u);
}

TEST(CurrentLaw, AmendmentsForARegionIncludeItsAncestors) {
  const auto regions_of = [](const std::vector<int32_t>& rows) {
    std::vector<std::string_view> paths;
    for (const int32_t row : rows)
      paths.push_back(AmendmentTable[row].RegionPath);
    return paths;
  };
  EXPECT_THAT(
      regions_of(AmendmentsFor("", "Deutschland|Berlin")),
      ElementsAre("Deutschland", "Deutschland", "Deutschland", "Deutschland", "Deutschland|Berlin",
                  "Deutschland|Berlin", "Deutschland|Berlin", "Deutschland|Berlin"));
  EXPECT_THAT(regions_of(AmendmentsFor("Österreich", "")), ElementsAre("Österreich"));
  EXPECT_THAT(AmendmentsFor("France", "Deutschland|Berlin"), IsEmpty());
  EXPECT_THAT(AmendmentsFor("Deutsch", ""), IsEmpty());
  EXPECT_EQ(AmendmentsFor("", "").size(), static_cast<size_t>(kAmendmentCount));
}

}  // namespace
}  // namespace feriant::data
