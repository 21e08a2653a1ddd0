#pragma once
// The names people know the countries and larger regions by, beside the names the region
// table uses: a country's ISO 3166 code and English name, the names of the Swiss cantons
// in the other official languages, and the English names of German states and French
// regions. The command line accepts them where it takes a country or a region.
//
// Constant tables; the texts point into them. Any thread.

#include <span>
#include <string_view>

namespace feriant::cli {

struct CountryName {
  std::string_view table_name;  // the path of depth 0 in the region table
  std::string_view code;        // ISO 3166 alpha-2; empty for the World Cup
  std::string_view english;     // empty when it is the table name
};

// Every country of the region table, in table order.
std::span<const CountryName> CountryNames();

// The other names of the region at `path` (a table path); empty for most regions.
std::span<const std::string_view> OtherRegionNames(std::string_view path);

}  // namespace feriant::cli
