#include "platform/base/environment.h"

#include <cstdlib>
#include <filesystem>

#include <pwd.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace feriant::base {
namespace {

TEST(EnvironmentTest, LocaleNamesMapToWindowsIdentifiers) {
  struct Case {
    const char* locale;
    int lcid;
  } cases[] = {
      {"de_DE.UTF-8", 1031}, {"de_AT.UTF-8", 3079},
      {"de_CH", 2055},       {"de_LI.utf8", 5127},
      {"de_BE.UTF-8", 1031},  // territory unknown to the table: the language's main locale
      {"de", 1031},          {"en_GB.UTF-8", 2057},
      {"en_US", 1033},       {"fr_CH.UTF-8", 4108},
      {"it_IT@euro", 1040},  {"ru_RU.UTF-8", 1049},
      {"C", 1033},           {"POSIX", 1033},
      {"C.UTF-8", 1033},     {"", 1033},
      {"xx_YY", 1033},
  };
  for (const Case& c : cases)
    EXPECT_EQ(LcidOfLocale(c.locale), c.lcid) << c.locale;
}

TEST(EnvironmentTest, MessagesLocaleFollowsPrecedence) {
  ::setenv("LC_ALL", "", 1);
  ::setenv("LC_MESSAGES", "de_AT.UTF-8", 1);
  ::setenv("LANG", "en_US.UTF-8", 1);
  EXPECT_EQ(MessagesLocale(), "de_AT.UTF-8");
  EXPECT_EQ(UserLcid(), 3079);
  ::setenv("LC_ALL", "fr_FR.UTF-8", 1);
  EXPECT_EQ(MessagesLocale(), "fr_FR.UTF-8");
  ::unsetenv("LC_ALL");
  ::unsetenv("LC_MESSAGES");
  EXPECT_EQ(MessagesLocale(), "en_US.UTF-8");
}

TEST(EnvironmentTest, ConfigDirectoryPrefersXdg) {
  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-config", 1);
  EXPECT_EQ(*UserConfigDir(), "/tmp/xdg-config");
  ::unsetenv("XDG_CONFIG_HOME");
  ::setenv("HOME", "/home/someone", 1);
  EXPECT_EQ(*UserConfigDir(), "/home/someone/.config");
  // With neither, the user's home folder in the password database, never the folder
  // the program happens to run in.
  ::setenv("HOME", "", 1);
  const passwd* user = ::getpwuid(::getuid());
  ASSERT_NE(user, nullptr);
  EXPECT_EQ(*UserConfigDir(), std::filesystem::path(user->pw_dir) / ".config");
  ::unsetenv("HOME");
  EXPECT_EQ(*UserConfigDir(), std::filesystem::path(user->pw_dir) / ".config");
}

}  // namespace
}  // namespace feriant::base
