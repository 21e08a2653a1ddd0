#include "addin/dialog/language_list.h"

#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace feriant::dialog {
namespace {

TEST(LanguageListTest, OffersTheFourLanguagesInTableOrderWithTheirIndexes) {
  const std::vector<LanguageItem> expected = {
      {"Deutsch", 0}, {"English", 1}, {"Fran\u00e7ais", 2}, {"Italiano", 3}};
  EXPECT_EQ(LanguageList(), expected);
}

TEST(LanguageListTest, PreselectsTheItemWhoseLcidIsTheUserInterfaceLanguage) {
  const std::vector<LanguageItem> items = LanguageList();
  struct Case {
    std::int32_t language_id;
    std::optional<std::size_t> item;
  };
  const Case cases[] = {
      {1031, 0},
      {1033, 1},
      // Only exact identifiers: the host maps its locale before it gets here.
      {3079, std::nullopt},
      {2057, std::nullopt},
      {1036, 2},
      {1040, 3},
      {4108, std::nullopt},
      {0, std::nullopt},
      {-1, std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PreselectedLanguage(items, c.language_id), c.item) << c.language_id;

  // Item data that names no language selects nothing.
  const std::vector<LanguageItem> broken = {{"Nowhere", 7}, {"English", 1}};
  EXPECT_EQ(PreselectedLanguage(broken, 1033), std::optional<std::size_t>(1));
  EXPECT_EQ(PreselectedLanguage({}, 1033), std::nullopt);
}

}  // namespace
}  // namespace feriant::dialog
