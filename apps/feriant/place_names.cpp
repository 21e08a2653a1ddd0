#include "apps/feriant/place_names.h"

#include <array>

#include "addin/data/holiday_data.h"

namespace feriant::cli {
namespace {

constexpr auto kCountries = std::to_array<CountryName>({
    {"Deutschland", "DE", "Germany"},
    {"France", "FR", ""},
    {"Liechtenstein", "LI", ""},
    {"\u00d6sterreich", "AT", "Austria"},
    {"Schweiz", "CH", "Switzerland"},
    {data::kWorldCupCountry, "", ""},
});

struct RegionNames {
  std::string_view path;
  std::array<std::string_view, 4> names;  // unused entries empty
};

// Swiss cantons: French, Italian, Romansh and English names where they differ from the
// German of the table. German states and French regions: English names.
constexpr auto kRegions = std::to_array<RegionNames>({
    {"Schweiz|Aargau", {"Argovie", "Argovia"}},
    {"Schweiz|Appenzell Ausserrhoden", {"Appenzell Rhodes-Ext\u00e9rieures", "Appenzello Esterno"}},
    {"Schweiz|Appenzell Innerrhoden", {"Appenzell Rhodes-Int\u00e9rieures", "Appenzello Interno"}},
    {"Schweiz|Basel-Landschaft", {"B\u00e2le-Campagne", "Basilea Campagna", "Basel-Country"}},
    {"Schweiz|Basel-Stadt", {"B\u00e2le-Ville", "Basilea Citt\u00e0", "Basel-City"}},
    {"Schweiz|Bern", {"Berne", "Berna"}},
    {"Schweiz|Freiburg", {"Fribourg", "Friburgo"}},
    {"Schweiz|Genf", {"Gen\u00e8ve", "Ginevra", "Geneva"}},
    {"Schweiz|Glarus", {"Glaris", "Glarona"}},
    {"Schweiz|Graub\u00fcnden", {"Grisons", "Grigioni", "Grischun"}},
    {"Schweiz|Luzern", {"Lucerne", "Lucerna"}},
    {"Schweiz|Neuenburg", {"Neuch\u00e2tel"}},
    {"Schweiz|Nidwalden", {"Nidwald", "Nidvaldo"}},
    {"Schweiz|Obwalden", {"Obwald", "Obvaldo"}},
    {"Schweiz|Schaffhausen", {"Schaffhouse", "Sciaffusa"}},
    {"Schweiz|Schwyz", {"Schwytz", "Svitto"}},
    {"Schweiz|Solothurn", {"Soleure", "Soletta"}},
    {"Schweiz|St. Gallen", {"Saint-Gall", "San Gallo", "Sogn Gagl", "St. Gall"}},
    {"Schweiz|Tessin", {"Ticino"}},
    {"Schweiz|Thurgau", {"Thurgovie", "Turgovia"}},
    {"Schweiz|Waadt", {"Vaud"}},
    {"Schweiz|Wallis", {"Valais", "Vallese"}},
    {"Schweiz|Zug", {"Zoug", "Zugo"}},
    {"Schweiz|Z\u00fcrich", {"Zurigo"}},
    {"Deutschland|Bayern", {"Bavaria"}},
    {"Deutschland|Hessen", {"Hesse"}},
    {"Deutschland|Mecklenburg-Vorpommern", {"Mecklenburg-Western Pomerania"}},
    {"Deutschland|Niedersachsen", {"Lower Saxony"}},
    {"Deutschland|Nordrhein-Westfalen", {"North Rhine-Westphalia"}},
    {"Deutschland|Rheinland-Pfalz", {"Rhineland-Palatinate"}},
    {"Deutschland|Sachsen", {"Saxony"}},
    {"Deutschland|Sachsen-Anhalt", {"Saxony-Anhalt"}},
    {"Deutschland|Th\u00fcringen", {"Thuringia"}},
    {"France|Basse-Normandie", {"Lower Normandy"}},
    {"France|Bourgogne", {"Burgundy"}},
    {"France|Bretagne", {"Brittany"}},
    {"France|Corse", {"Corsica"}},
    {"France|Haute-Normandie", {"Upper Normandy"}},
    {"France|Picardie", {"Picardy"}},
});

}  // namespace

std::span<const CountryName> CountryNames() {
  return kCountries;
}

std::span<const std::string_view> OtherRegionNames(std::string_view path) {
  for (const RegionNames& region : kRegions) {
    if (region.path != path) continue;
    size_t used = 0;
    while (used < region.names.size() && !region.names[used].empty())
      ++used;
    return std::span<const std::string_view>(region.names.data(), used);
  }
  return {};
}

}  // namespace feriant::cli
