#include "controls/support/sys_info.h"

#include <string>

#include <gtest/gtest.h>

#include "controls/support/registry_read.h"
#include "platform/registry/registry.h"
#include "tests/support/scratch_dir.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;

TEST(OsInfoTest, EachFlagNeedsPlatformMajorAndMinor) {
  struct Case {
    int platform, major, minor;
    typOsInfo expected;
  };
  auto only = [](bool typOsInfo::*flag) {
    typOsInfo info;
    info.*flag = true;
    return info;
  };
  const Case cases[] = {
      {1, 4, 0, only(&typOsInfo::IsWin95)},
      {1, 4, 10, only(&typOsInfo::IsWin98)},
      {1, 4, 90, only(&typOsInfo::IsWinME)},
      {2, 3, 51, only(&typOsInfo::IsWinNT351)},
      {2, 4, 0, only(&typOsInfo::IsWinNT4)},
      {2, 5, 0, only(&typOsInfo::IsWin2000)},
      {2, 5, 1, only(&typOsInfo::IsWinXP)},
      {2, 5, 2, {}},
      {1, 5, 0, {}},
      {2, 10, 0, {}},
  };
  for (const Case& c : cases) {
    const typOsInfo got = OsInfoOf({c.platform, c.major, c.minor, 0, ""});
    const bool flags[] = {got.IsWin95,  got.IsWin98,   got.IsWinME, got.IsWinNT351,
                          got.IsWinNT4, got.IsWin2000, got.IsWinXP};
    const bool want[] = {c.expected.IsWin95,    c.expected.IsWin98,  c.expected.IsWinME,
                         c.expected.IsWinNT351, c.expected.IsWinNT4, c.expected.IsWin2000,
                         c.expected.IsWinXP};
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(flags[i], want[i]) << c.platform << " " << c.major << "." << c.minor << " #" << i;
  }
}

class SysInfoTest : public ::testing::Test {
 protected:
  Variant Field(const char* record, const char* field) {
    auto object = info_->Get(record);
    EXPECT_TRUE(object.ok());
    auto value = object->AsObject()->Get(field);
    EXPECT_TRUE(value.ok()) << field;
    return value.ok() ? *value : Variant();
  }

  testing::ScratchDir dir_;
  testing::ScopedEnv env_{"FERIANT_REGISTRY", (dir_.path() / "registry.json").string()};
  registry::Registry registry_ = registry::Registry::CurrentUser();
  std::shared_ptr<clsSysInfo> info_ = std::make_shared<clsSysInfo>();
};

TEST_F(SysInfoTest, AnswersLateBoundFromTheRegistryAndTheSystem) {
  // Without settings of its own: no list separator, no project language.
  EXPECT_EQ(Field("IntSettings", "ListSep"), Variant(""));
  EXPECT_EQ(*info_->Call("GetMSPLanguage"), Variant(""));
  ASSERT_TRUE(registry_.WriteValue("Control Panel\\International", "sList", std::string("|")));
  ASSERT_TRUE(registry_.WriteValue("Software\\Microsoft\\Office\\9.0\\MS Project", "CurrentUI",
                                   std::int32_t{1031}));
  EXPECT_EQ(Field("IntSettings", "ListSep"), Variant("|"));
  EXPECT_EQ(*info_->Call("GetMSPLanguage"), Variant("1031"));
  // A separator stored as a number is still read, as its text.
  ASSERT_TRUE(registry_.WriteValue("Control Panel\\International", "sList", std::int32_t{59}));
  EXPECT_EQ(Field("IntSettings", "ListSep"), Variant("59"));

  // The stand-in system is no version of the classic era.
  for (const char* flag :
       {"IsWin95", "IsWin98", "IsWinME", "IsWinNT351", "IsWinNT4", "IsWin2000", "IsWinXP"})
    EXPECT_EQ(Field("OS", flag), Variant(false)) << flag;
  EXPECT_EQ(Field("Folders", "Windows"), Variant("/usr"));
  EXPECT_EQ(Field("Folders", "System"), Variant("/usr/lib"));
  EXPECT_EQ(*info_->Call("GetUserName"), Variant(ui::system::UserName()));
  EXPECT_FALSE(info_->Get("OS")->AsObject()->Put("IsWin95", true).ok());  // records are read-only
}

TEST_F(SysInfoTest, RegistryReadsAnswerTheirStatusAndLeaveMissingValuesEmpty) {
  ASSERT_TRUE(registry_.WriteValue("Software\\Test", "Text", std::string("abc")));
  auto key = RegistryKey::Open(registry::RegistryRoot::kCurrentUser, "Software\\Test");
  ASSERT_TRUE(key);
  Variant value("stale");
  EXPECT_EQ(ReadValue(*key, "Text", value), registry_status::kSuccess);
  EXPECT_EQ(value, Variant("abc"));
  EXPECT_EQ(ReadValue(*key, "Missing", value), registry_status::kNotFound);
  EXPECT_TRUE(value.IsEmpty());
  EXPECT_FALSE(RegistryKey::Open(registry::RegistryRoot::kCurrentUser, "Software\\None"));
  EXPECT_TRUE(
      ReadValueUnder(registry::RegistryRoot::kCurrentUser, "Software\\None", "x").IsEmpty());
  EXPECT_FALSE(registry_.KeyExists("Software\\None").value_or(true));  // reading wrote nothing
}

}  // namespace
}  // namespace feriant::lumatrel
