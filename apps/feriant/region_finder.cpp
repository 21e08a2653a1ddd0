#include "apps/feriant/region_finder.h"

#include <algorithm>
#include <string>

#include "addin/data/holiday_data.h"
#include "apps/feriant/folded_text.h"
#include "apps/feriant/place_names.h"

namespace feriant::cli {
namespace {

// Letters a typed name may be off by: none below 4 letters, one from 4, two from 8.
std::size_t Tolerance(std::size_t letters) {
  return letters >= 8 ? 2 : letters >= 4 ? 1 : 0;
}

bool NamesMatch(const std::u32string& typed, std::string_view name, bool tolerant) {
  const std::u32string folded = FoldForMatching(name);
  if (folded == typed) return true;
  if (!tolerant) return false;
  return EditDistance(typed, folded) <= Tolerance(std::min(typed.size(), folded.size()));
}

// Whether `typed` names the level of the region at `path` (its last level): by the
// table's name, or by another name it is known by.
bool LevelMatches(const std::u32string& typed, std::string_view path, bool tolerant) {
  if (NamesMatch(typed, data::RegionDisplayName(path), tolerant)) return true;
  for (const std::string_view other : OtherRegionNames(path)) {
    if (NamesMatch(typed, other, tolerant)) return true;
  }
  if (data::RegionDepth(path) == 0) {
    for (const CountryName& country : CountryNames()) {
      if (country.table_name != path) continue;
      for (const std::string_view name : {country.code, country.english}) {
        // Codes are two letters: never taken with a letter off.
        if (!name.empty() && NamesMatch(typed, name, tolerant && name != country.code)) return true;
      }
    }
  }
  return false;
}

// The parts of a typed path, folded; "/" and "|" both separate, empty parts go.
std::vector<std::u32string> TypedParts(std::string_view text) {
  std::vector<std::u32string> parts;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find_first_of("/|", start);
    if (end == std::string_view::npos) end = text.size();
    std::u32string part = FoldForMatching(text.substr(start, end - start));
    if (!part.empty()) parts.push_back(std::move(part));
    start = end + 1;
  }
  return parts;
}

// The paths of `path` from the country down: "A", "A|B", "A|B|C".
std::vector<std::string_view> LevelPaths(std::string_view path) {
  std::vector<std::string_view> levels;
  for (size_t end = path.find(data::kRegionSeparator); end != std::string_view::npos;
       end = path.find(data::kRegionSeparator, end + 1)) {
    levels.push_back(path.substr(0, end));
  }
  levels.push_back(path);
  return levels;
}

// Whether `parts` name the region at `path`: the last part its own level, the others
// levels above it, in order, with levels left out where they may be.
bool PathMatches(const std::vector<std::u32string>& parts, std::string_view path, bool tolerant) {
  const std::vector<std::string_view> levels = LevelPaths(path);
  if (parts.empty() || !LevelMatches(parts.back(), levels.back(), tolerant)) return false;
  size_t level = 0;
  for (size_t p = 0; p + 1 < parts.size(); ++p) {
    while (level + 1 < levels.size() && !LevelMatches(parts[p], levels[level], tolerant))
      ++level;
    if (level + 1 >= levels.size()) return false;
    ++level;
  }
  return true;
}

std::vector<std::int32_t> RegionsOfCountry(std::string_view country) {
  std::vector<std::int32_t> regions;
  for (size_t i = 0; i < data::RegionTable.size(); ++i) {
    if (data::BelongsToCountry(data::RegionTable[i], country))
      regions.push_back(static_cast<std::int32_t>(i));
  }
  return regions;
}

std::vector<std::int32_t> Matching(std::string_view country,
                                   const std::vector<std::u32string>& parts, bool tolerant) {
  std::vector<std::int32_t> matches;
  for (const std::int32_t region : RegionsOfCountry(country)) {
    if (PathMatches(parts, data::RegionTable[static_cast<size_t>(region)], tolerant))
      matches.push_back(region);
  }
  return matches;
}

// Whether the region at `inner` lies below the one at `outer`.
bool LiesBelow(std::string_view inner, std::string_view outer) {
  return inner.size() > outer.size() && inner.starts_with(outer) &&
         inner[outer.size()] == data::kRegionSeparator;
}

}  // namespace

std::optional<std::string_view> FindCountry(std::string_view text) {
  const std::u32string typed = FoldForMatching(text);
  for (const CountryName& country : CountryNames()) {
    for (const std::string_view name : {country.table_name, country.code, country.english}) {
      if (!name.empty() && FoldForMatching(name) == typed) return country.table_name;
    }
  }
  return std::nullopt;
}

RegionMatch FindRegionOf(std::string_view country, std::string_view text) {
  RegionMatch match;
  if (const std::int32_t exact = data::FindRegion(text);
      exact >= 0 && data::BelongsToCountry(text, country)) {
    match.region = exact;
    return match;
  }
  const std::vector<std::u32string> parts = TypedParts(text);
  std::vector<std::int32_t> matches = Matching(country, parts, false);
  if (matches.empty()) matches = Matching(country, parts, true);

  // Of regions on one line, the outermost is meant.
  for (const std::int32_t region : matches) {
    const std::string_view path = data::RegionTable[static_cast<size_t>(region)];
    const bool inner = std::any_of(matches.begin(), matches.end(), [&](std::int32_t other) {
      return LiesBelow(path, data::RegionTable[static_cast<size_t>(other)]);
    });
    if (!inner) match.candidates.push_back(region);
  }
  if (match.candidates.size() == 1) {
    match.region = match.candidates.front();
    match.candidates.clear();
  }
  return match;
}

std::vector<std::int32_t> SearchRegions(std::string_view country, std::string_view text) {
  const std::vector<std::u32string> parts = TypedParts(text);
  std::vector<std::int32_t> found = Matching(country, parts, false);
  if (found.empty()) found = Matching(country, parts, true);
  if (parts.size() == 1) {
    for (const std::int32_t region : RegionsOfCountry(country)) {
      const std::string_view name = data::RegionDisplayName(data::RegionTable[region]);
      if (FoldForMatching(name).find(parts.front()) != std::u32string::npos)
        found.push_back(region);
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
  }
  return found;
}

std::optional<std::string_view> OtherCountryOfPath(std::string_view country,
                                                   std::string_view text) {
  const size_t end = text.find_first_of("/|");
  if (end == std::string_view::npos) return std::nullopt;
  const auto other = FindCountry(text.substr(0, end));
  if (!other || *other == country) return std::nullopt;
  if (FindRegionOf(*other, text).region < 0) return std::nullopt;
  return other;
}

}  // namespace feriant::cli
