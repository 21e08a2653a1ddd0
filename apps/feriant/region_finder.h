#pragma once
// Finding the country and the region a person means from what they type, so that nobody
// has to know the table's exact paths ("Schweiz|Zürich") or spelling.
//
// Names compare folded (folded_text.h: any case, with or without diacritics) and by the
// other names of place_names.h. A region is named by its path, with "/" or "|" between
// the parts, or by the last part of its path alone; the parts given need not start at
// the country and may leave levels out, but the last one names the region itself. Among
// regions that match, those one inside another on one line mean the outermost: "Zürich"
// is the canton, "Zürich/Zürich" the town in it. When nothing matches exactly, a part may
// be a letter off (from 4 letters on) or two (from 8 on), if that leaves one region.
//
// Plain functions over the constant tables; InitHolidayData must have run. Any thread.

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace feriant::cli {

// The country of the region table that `text` names: by the table's name, its ISO 3166
// code or its English name; nothing when it names none.
std::optional<std::string_view> FindCountry(std::string_view text);

struct RegionMatch {
  // The region index when the text means one region; -1 otherwise.
  std::int32_t region = -1;
  // When it could mean several: the outermost regions it matches, in table order.
  std::vector<std::int32_t> candidates;
};

// The region of `country` (a table name) that `text` means. A full table path is taken
// as it is.
RegionMatch FindRegionOf(std::string_view country, std::string_view text);

// Every region of `country` that `text` could mean, for a search: the regions it
// matches as FindRegionOf compares (all of them, the inner ones too) and, for a single
// name, the regions whose name contains it. Region indexes in table order.
std::vector<std::int32_t> SearchRegions(std::string_view country, std::string_view text);

// When `text` is a path that begins with a country other than `country` and names a
// region there: that country.
std::optional<std::string_view> OtherCountryOfPath(std::string_view country, std::string_view text);

}  // namespace feriant::cli
