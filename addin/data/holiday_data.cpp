#include "addin/data/holiday_data.h"

#include <array>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace feriant::data {
namespace {

// Rows grouped by a key in 0..kKeyCount-1, each group in table order: the rows of key k
// are rows[begin[k] .. begin[k + 1]). Rows whose key is out of range belong to no
// group, just as a scan for a valid key would never meet them.
template <int32_t kKeyCount>
struct RowGroups {
  std::array<int32_t, kKeyCount + 1> begin{};
  std::array<int32_t, kAssignmentCount> rows{};

  template <class KeyOf>
  void Build(KeyOf key_of) {
    std::array<int32_t, kKeyCount + 1> next{};
    for (const Assignment& row : AssignmentTable) {
      const int32_t key = key_of(row);
      if (key >= 0 && key < kKeyCount) ++next[key + 1];
    }
    for (int32_t k = 0; k < kKeyCount; ++k)
      next[k + 1] += next[k];
    begin = next;
    for (int32_t i = 0; i < kAssignmentCount; ++i) {
      const int32_t key = key_of(AssignmentTable[i]);
      if (key >= 0 && key < kKeyCount) rows[next[key]++] = i;
    }
  }

  std::span<const int32_t> Of(int32_t key) const {
    if (key < 0 || key >= kKeyCount) return {};
    return std::span<const int32_t>(rows).subspan(begin[key], begin[key + 1] - begin[key]);
  }
};

// Everything here is derived from the constant tables alone, so it is built once and
// never rebuilt: a rebuild would give the same content and would only invalidate spans
// that callers still hold.
struct Indexes {
  // The first name row of [holiday][language], or -1.
  std::array<std::array<int32_t, kLanguageCount>, kRuleCount> name_row;
  // The first name row of a holiday marked as its default name, or -1.
  std::array<int32_t, kRuleCount> default_name_row;
  // Path -> the first row holding it.
  std::unordered_map<std::string_view, int32_t> region_by_path;
  std::vector<int32_t> countries;
  RowGroups<kRegionCount> rows_of_region;
  RowGroups<kRuleCount> rows_of_holiday;
};

bool IsHoliday(int32_t holiday) {
  return holiday >= 0 && holiday < kRuleCount;
}

bool IsLanguage(int32_t language) {
  return language >= 0 && language < kLanguageCount;
}

Indexes BuildIndexes() {
  Indexes indexes;
  for (auto& languages : indexes.name_row)
    languages.fill(-1);
  indexes.default_name_row.fill(-1);
  // Walking backwards leaves the first matching row in each slot.
  for (int32_t i = kHolidayNameCount - 1; i >= 0; --i) {
    const HolidayName& name = HolidayNameTable[i];
    if (!IsHoliday(name.HolidayIndex)) continue;
    if (IsLanguage(name.LanguageIndex)) indexes.name_row[name.HolidayIndex][name.LanguageIndex] = i;
    if (name.IsDefaultName != 0) indexes.default_name_row[name.HolidayIndex] = i;
  }

  indexes.region_by_path.reserve(kRegionCount);
  for (int32_t i = 0; i < kRegionCount; ++i) {
    indexes.region_by_path.emplace(RegionTable[i], i);  // keeps the first of equal paths
    if (RegionDepth(RegionTable[i]) == 0) indexes.countries.push_back(i);
  }

  indexes.rows_of_region.Build([](const Assignment& row) { return row.RegionIndex; });
  indexes.rows_of_holiday.Build([](const Assignment& row) { return row.HolidayIndex; });
  return indexes;
}

// Built on first use, so that a lookup made before InitHolidayData still answers.
const Indexes& TheIndexes() {
  static const Indexes indexes = BuildIndexes();
  return indexes;
}

}  // namespace

void InitHolidayData() {
  static_cast<void>(TheIndexes());
}

int32_t FindHolidayName(int32_t holiday, int32_t language) {
  if (!IsHoliday(holiday)) return -1;
  const Indexes& indexes = TheIndexes();
  // Every LanguageIndex in the table is valid, so no row matches any other language
  // and the default name answers.
  if (IsLanguage(language)) {
    const int32_t row = indexes.name_row[holiday][language];
    if (row >= 0) return row;
  }
  return indexes.default_name_row[holiday];
}

int32_t MapHostLanguage(int32_t host_lcid) {
  for (const LcidLanguagePair& pair : LcidLanguageMap) {
    if (!IsLanguage(pair.LanguageIndex)) continue;
    const Language& language = LanguageTable[pair.LanguageIndex];
    if (language.Offer == 0 || pair.Lcid != host_lcid) continue;
    if (language.Lcid == -1) break;  // an offered language without texts: use the fallback
    return language.Lcid;
  }
  for (const Language& language : LanguageTable) {
    if (language.Offer == 2) return language.Lcid;
  }
  return -1;
}

int32_t FindRegion(std::string_view path) {
  const Indexes& indexes = TheIndexes();
  const auto found = indexes.region_by_path.find(path);
  return found == indexes.region_by_path.end() ? -1 : found->second;
}

std::span<const int32_t> AssignmentRowsOfRegion(int32_t region) {
  return TheIndexes().rows_of_region.Of(region);
}

std::span<const int32_t> AssignmentRowsOfHoliday(int32_t holiday) {
  return TheIndexes().rows_of_holiday.Of(holiday);
}

std::span<const int32_t> CountryRegions() {
  return TheIndexes().countries;
}

int32_t RegionDepth(std::string_view path) {
  int32_t depth = 0;
  for (const char c : path) {
    if (c == kRegionSeparator) ++depth;
  }
  return depth;
}

std::string_view RegionCountry(std::string_view path) {
  return path.substr(0, path.find(kRegionSeparator));
}

std::string_view RegionParent(std::string_view path) {
  const size_t last = path.rfind(kRegionSeparator);
  return last == std::string_view::npos ? std::string_view() : path.substr(0, last);
}

std::string_view RegionDisplayName(std::string_view path) {
  const size_t last = path.rfind(kRegionSeparator);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}

bool BelongsToCountry(std::string_view path, std::string_view country) {
  if (!path.starts_with(country)) return false;
  return path.size() == country.size() || path[country.size()] == kRegionSeparator;
}

bool IsDayOffStatus(int32_t status) {
  return status == 1 || status == 2;
}

}  // namespace feriant::data
