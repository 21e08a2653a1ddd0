#pragma once
// The fixed holiday data of the add-in (modHolidayData): six zero-based tables with fixed
// bounds, compiled in as constant rows, and their lookups.
//
// The tables never change. InitHolidayData builds the lookup indexes; calling it again
// is harmless and yields the same content. Every lookup gives the answer of a linear
// scan in table order, first match wins. One thread (the host's user-interface thread).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace feriant::data {

inline constexpr int32_t kRuleCount = 159;
inline constexpr int32_t kHolidayNameCount = 469;
inline constexpr int32_t kLanguageCount = 4;
inline constexpr int32_t kLcidLanguagePairCount = 24;
inline constexpr int32_t kRegionCount = 374;
inline constexpr int32_t kAssignmentCount = 908;

// Language indexes.
inline constexpr int32_t kGerman = 0;
inline constexpr int32_t kEnglish = 1;
inline constexpr int32_t kFrench = 2;
inline constexpr int32_t kItalian = 3;

// The World Cup pseudo-country and its matches.
inline constexpr std::string_view kWorldCupCountry = "2006 FIFA World Cup Germany\u2122";
inline constexpr int32_t kFirstWorldCupMatch = 94;
inline constexpr int32_t kLastWorldCupMatch = 157;

struct HolidayName {
  std::string_view Name;
  int32_t HolidayIndex;
  int32_t LanguageIndex;
  int16_t IsDefaultName;  // 16-bit boolean: true = -1, false = 0
};

struct Language {
  int32_t Offer;  // 0 not offered, 1 offered, 2 offered and the fallback user-interface language
  std::string_view Name;
  int32_t Lcid;
};

struct LcidLanguagePair {
  int32_t Lcid;
  int32_t LanguageIndex;
};

struct Assignment {
  int32_t HolidayIndex;
  int32_t RegionIndex;
  int32_t Status;  // 1..5; 1 and 2 are days off
};

extern const std::array<std::string_view, kRuleCount> RuleTable;
extern const std::array<HolidayName, kHolidayNameCount> HolidayNameTable;
extern const std::array<Language, kLanguageCount> LanguageTable;
extern const std::array<LcidLanguagePair, kLcidLanguagePairCount> LcidLanguageMap;
extern const std::array<std::string_view, kRegionCount> RegionTable;
extern const std::array<Assignment, kAssignmentCount> AssignmentTable;

// Builds the lookup indexes over the tables. Idempotent.
void InitHolidayData();

// The HolidayNameTable index of holiday `holiday` in language `language`, else of its
// default name; -1 when neither exists.
int32_t FindHolidayName(int32_t holiday, int32_t language);

// The Lcid of the user-interface language for a host locale; the fallback language's
// Lcid for an unknown locale; -1 when there is none.
int32_t MapHostLanguage(int32_t host_lcid);

// The index of the region whose path equals `path` exactly, or -1.
int32_t FindRegion(std::string_view path);

// Indexes that give the same answers as scans of AssignmentTable: the row indexes of
// one region's, or one holiday's, assignments, in table order.
std::span<const int32_t> AssignmentRowsOfRegion(int32_t region);
std::span<const int32_t> AssignmentRowsOfHoliday(int32_t holiday);

// The region indexes of the countries (paths without "|"), in table order; the World
// Cup pseudo-country is the last of them.
std::span<const int32_t> CountryRegions();

// Region paths: the level names from the country down, joined by kRegionSeparator; a
// country is a path without it. These work on any path, whether in the table or not.
inline constexpr char kRegionSeparator = '|';

// The number of separators: 0 for a country, at most 3 in the table.
int32_t RegionDepth(std::string_view path);

// The first level, i.e. the country of the region (the whole path for a country).
std::string_view RegionCountry(std::string_view path);

// The path without its last level; empty for a country.
std::string_view RegionParent(std::string_view path);

// The last level, the name a tree node shows (the whole path for a country).
std::string_view RegionDisplayName(std::string_view path);

// True when `path` is `country` itself or lies below it. A bare prefix test is not
// enough: it would count "Schweizerland|X" as part of "Schweiz".
bool BelongsToCountry(std::string_view path, std::string_view country);

// True for the statuses that make the day a day off: 1 and 2.
bool IsDayOffStatus(int32_t status);

}  // namespace feriant::data
