#include "addin/dialog/country_list.h"

#include <chrono>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "addin/engine/host_kind.h"

namespace feriant::dialog {
namespace {

using std::chrono::local_days;
using std::chrono::local_seconds;

constexpr std::string_view kWorldCup = "2006 FIFA World Cup Germany\u2122";

local_seconds At(int year, unsigned month, unsigned day, int hour = 0, int minute = 0,
                 int second = 0) {
  return local_seconds{local_days{std::chrono::year{year} / month / day}} +
         std::chrono::hours{hour} + std::chrono::minutes{minute} + std::chrono::seconds{second};
}

TEST(CountryListTest, OffersTheWorldCupInOutlookUntilTheDayAfterTheFinal) {
  const std::vector<std::string_view> real = {"Deutschland", "France", "Liechtenstein",
                                              "\u00d6sterreich", "Schweiz"};
  std::vector<std::string_view> with_world_cup = real;
  with_world_cup.push_back(kWorldCup);

  struct Case {
    std::int32_t host_kind;
    local_seconds now;
    bool world_cup;
  };
  const Case cases[] = {
      {engine::kHostOutlook, At(2006, 7, 9), true},
      {engine::kHostOutlook, At(2006, 7, 9, 23, 59, 59), true},
      {engine::kHostOutlook, At(1999, 1, 1), true},
      {engine::kHostOutlook, At(2006, 7, 10), false},
      {engine::kHostOutlook, At(2006, 7, 10, 0, 0, 1), false},
      {engine::kHostOutlook, At(2030, 1, 1), false},
      {engine::kHostProject, At(2006, 6, 1), false},
      {0, At(2006, 6, 1), false},
      {3, At(2006, 6, 1), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CountryList(c.host_kind, c.now), c.world_cup ? with_world_cup : real)
        << "host " << c.host_kind << " at "
        << std::chrono::duration_cast<std::chrono::seconds>(c.now - At(2006, 7, 10)).count()
        << " s from the end of the offer";
  }
}

}  // namespace
}  // namespace feriant::dialog
