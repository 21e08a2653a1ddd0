// Finding the country and region a person means: table names, codes and English names,
// paths with either separator, names alone, the outermost of one line, a letter or two
// off, and the candidates when a name is ambiguous.

#include "apps/feriant/region_finder.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/data/holiday_data.h"
#include "apps/feriant/folded_text.h"

namespace feriant::cli {
namespace {

std::vector<std::string> Paths(const std::vector<std::int32_t>& regions) {
  std::vector<std::string> paths;
  for (const std::int32_t region : regions)
    paths.emplace_back(data::RegionTable[static_cast<size_t>(region)]);
  return paths;
}

TEST(RegionFinderTest, FindsCountriesByNameCodeAndEnglishName) {
  struct Case {
    const char* typed;
    const char* country;  // nullptr: none
  };
  const Case cases[] = {
      {"Schweiz", "Schweiz"},
      {"ch", "Schweiz"},
      {"Switzerland", "Schweiz"},
      {"  GERMANY ", "Deutschland"},
      {"osterreich", "\u00d6sterreich"},
      {"AT", "\u00d6sterreich"},
      {"li", "Liechtenstein"},
      {"Deutschlnd", nullptr},
      {"", nullptr},
      {"United Kingdom", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    const auto found = FindCountry(c.typed);
    if (c.country == nullptr) {
      EXPECT_FALSE(found.has_value()) << *found;
    } else {
      EXPECT_EQ(found.value_or("(none)"), c.country);
    }
  }
}

TEST(RegionFinderTest, FindsTheRegionMeantOrListsTheCandidates) {
  data::InitHolidayData();
  struct Case {
    const char* country;
    const char* typed;
    std::vector<std::string> found;  // one path: found; several: the candidates; none: no match
  };
  const Case cases[] = {
      {"Schweiz", "Schweiz|Bern", {"Schweiz|Bern"}},
      {"Schweiz", "schweiz/zurich", {"Schweiz|Z\u00fcrich"}},
      {"Schweiz", "ZURICH", {"Schweiz|Z\u00fcrich"}},  // the canton, not the town in it
      {"Schweiz", "z\u00fcrich/z\u00fcrich", {"Schweiz|Z\u00fcrich|Z\u00fcrich"}},
      {"Schweiz", "Geneve", {"Schweiz|Genf"}},  // the French name
      {"Schweiz", "Winterthur", {"Schweiz|Z\u00fcrich|Winterthur"}},
      {"Schweiz", "See", {"Schweiz|Freiburg|See", "Schweiz|St. Gallen|See"}},
      {"Schweiz", "st gallen/see", {"Schweiz|St. Gallen|See"}},
      {"Deutschland", "Augsburg (Stadt)", {"Deutschland|Bayern|Schwaben|Augsburg (Stadt)"}},
      {"Deutschland", "Baden-W\u00fcrttemberg", {"Deutschland|Baden-W\u00fcrtemberg"}},
      {"Deutschland", "Nordrhein-Westphalen", {"Deutschland|Nordrhein-Westfalen"}},
      {"Deutschland", "de/bavaria", {"Deutschland|Bayern"}},
      // Short names get no letter off; far-off names and other countries' regions no match.
      {"Deutschland", "Bay", {}},
      {"Deutschland", "Sachsen-Anhalt-Thueringen", {}},
      {"\u00d6sterreich", "Schweiz|Bern", {}},
      {"Schweiz", "", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.country) + ": " + c.typed);
    const RegionMatch match = FindRegionOf(c.country, c.typed);
    if (c.found.size() == 1) {
      ASSERT_GE(match.region, 0);
      EXPECT_EQ(data::RegionTable[static_cast<size_t>(match.region)], c.found.front());
      EXPECT_TRUE(match.candidates.empty());
    } else {
      EXPECT_EQ(match.region, -1);
      EXPECT_EQ(Paths(match.candidates), c.found);
    }
  }
}

TEST(RegionFinderTest, SearchFindsPartsOfNamesAndTheInnerRegions) {
  data::InitHolidayData();
  EXPECT_EQ(Paths(SearchRegions("Schweiz", "winterthur")),
            (std::vector<std::string>{"Schweiz|Z\u00fcrich|Winterthur",
                                      "Schweiz|Z\u00fcrich|Winterthur|Winterthur"}));
  const std::vector<std::string> see = Paths(SearchRegions("Schweiz", "see"));
  EXPECT_NE(std::find(see.begin(), see.end(), "Schweiz|Luzern|Sursee"), see.end());
  EXPECT_TRUE(SearchRegions("Schweiz", "xyz").empty());
  EXPECT_EQ(OtherCountryOfPath("Deutschland", "schweiz/bern").value_or(""), "Schweiz");
  EXPECT_FALSE(OtherCountryOfPath("Schweiz", "schweiz/bern").has_value());
}

TEST(FoldedTextTest, FoldsCaseDiacriticsAndBlanksAndSurvivesBrokenText) {
  EXPECT_EQ(FoldForMatching("  Z\u00dcRICH\u00a0 Stra\u00dfe "), U"zurich strasse");
  EXPECT_EQ(FoldForMatching("Neuch\u00e2tel \u2013 \u0152uvre"), U"neuchatel - oeuvre");
  EXPECT_EQ(FoldForMatching("a\xff\xc3"), U"a\uFFFD\uFFFD");
  EXPECT_EQ(EditDistance(U"wurtemberg", U"wuerttemberg"), 2u);
  EXPECT_EQ(EditDistance(U"ab", U"ba"), 1u);
  EXPECT_EQ(EditDistance(U"", U"abc"), 3u);
}

}  // namespace
}  // namespace feriant::cli
