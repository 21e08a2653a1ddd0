#include "addin/dialog/country_list.h"

#include "addin/data/holiday_data.h"
#include "addin/engine/host_kind.h"

namespace feriant::dialog {

std::vector<std::string_view> CountryList(std::int32_t host_kind, std::chrono::local_seconds now) {
  // Project has no use for timed matches, and after the final they are history.
  const bool offer_world_cup = host_kind == engine::kHostOutlook && now < kWorldCupOfferEnd;
  std::vector<std::string_view> countries;
  for (const std::int32_t region : data::CountryRegions()) {
    const std::string_view path = data::RegionTable[static_cast<size_t>(region)];
    if (path == data::kWorldCupCountry && !offer_world_cup) continue;
    countries.push_back(path);
  }
  return countries;
}

}  // namespace feriant::dialog
