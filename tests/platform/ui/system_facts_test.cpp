#include "platform/ui/core/system_facts.h"

#include <cstdlib>

#include <gtest/gtest.h>

namespace feriant::ui::system {
namespace {

TEST(SystemFactsTest, TheListSeparatorFollowsTheLocalesLanguage) {
  const struct {
    const char* locale;
    const char* separator;
  } cases[] = {
      {"de_DE.UTF-8", ";"}, {"de_CH", ";"}, {"fr_FR.ISO-8859-1@euro", ";"}, {"it_IT", ";"},
      {"en_US.UTF-8", ","}, {"en_GB", ","}, {"ja_JP.UTF-8", ","},           {"C.UTF-8", ","},
      {"POSIX", ","},       {"", ","},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ListSeparatorOf(c.locale), c.separator) << c.locale;
  // LC_NUMERIC decides over LANG, LC_ALL over both.
  ::setenv("LANG", "en_US.UTF-8", 1);
  ::setenv("LC_NUMERIC", "de_AT.UTF-8", 1);
  ::unsetenv("LC_ALL");
  EXPECT_EQ(ListSeparator(), ";");
  ::setenv("LC_ALL", "en_GB.UTF-8", 1);
  EXPECT_EQ(ListSeparator(), ",");
}

TEST(SystemFactsTest, TheStandInsMatchNoClassicVersionAndNameTheMachine) {
  const OsVersion version = Version();
  EXPECT_EQ(version.platform_id, 2);
  EXPECT_EQ(version.major, 10);
  EXPECT_EQ(version.minor, 0);
  EXPECT_EQ(version.text.rfind("Linux ", 0), 0u) << version.text;
  EXPECT_FALSE(UserName().empty());
  EXPECT_EQ(DomainName().find('.'), std::string::npos);
  EXPECT_FALSE(DomainName().empty());
}

}  // namespace
}  // namespace feriant::ui::system
