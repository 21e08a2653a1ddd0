#include "addin/dialog/current_law_setting.h"

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/automation/variant.h"
#include "platform/registry/settings_store.h"
#include "tests/support/scratch_dir.h"

namespace feriant::dialog {
namespace {

using automation::Variant;

TEST(CurrentLawSettingTest, OnlyTheNumberOneIsOn) {
  testing::ScratchDir scratch;
  const std::filesystem::path file = scratch.path() / "registry.json";
  testing::ScopedEnv registry_file{"FERIANT_REGISTRY", file.string()};
  const struct {
    Variant value;
    std::int32_t type;  // 1 text, 4 number, 0 nothing stored
    bool on;
  } cases[] = {
      {Variant(std::int32_t{1}), 4, true},  {Variant(std::int32_t{0}), 4, false},
      {Variant(std::int32_t{2}), 4, false}, {Variant(std::int32_t{-1}), 4, false},
      {Variant("yes"), 1, false},           {Variant(), 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value.ToString().value_or("?"));
    std::filesystem::remove(file);
    if (c.type != 0) {
      registry::WriteRegistryValue(registry::RegistryRoot::kCurrentUser, kSettingsKey,
                                   kCurrentLawValueName, c.value, c.type);
    }
    EXPECT_EQ(ReadCurrentLawSetting(), c.on);
  }
  std::ofstream(file, std::ios::trunc) << "not a registry";
  EXPECT_FALSE(ReadCurrentLawSetting());
}

}  // namespace
}  // namespace feriant::dialog
