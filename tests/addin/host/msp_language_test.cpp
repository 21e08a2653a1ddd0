#include "addin/host/msp_language.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/registry/settings_store.h"
#include "tests/support/scratch_dir.h"

namespace feriant::host {
namespace {

using automation::Variant;
using registry::RegistryRoot;

constexpr const char* kProject14 = "Software\\Microsoft\\Office\\14.0\\MS Project";

// A registry file of its own for each test, named by FERIANT_REGISTRY.
class MSPLanguageTest : public ::testing::Test {
 protected:
  testing::ScratchDir scratch_;
  const std::filesystem::path& dir_ = scratch_.path();
  testing::ScopedEnv registry_file_{"FERIANT_REGISTRY", (dir_ / "registry.json").string()};
};

TEST_F(MSPLanguageTest, ReadsCurrentUIAsANumberOrFallsBackToGerman) {
  struct Case {
    const char* key;
    Variant value;
    std::int32_t type;  // 1 text, 4 number, 0 nothing stored
    std::int32_t expected;
  } cases[] = {
      {kProject14, Variant(std::int32_t{1033}), 4, 1033},
      {kProject14, Variant("1033"), 1, 1033},
      {kProject14, Variant(" 2057 "), 1, 2057},
      {kProject14, Variant(), 0, 1031},
      {kProject14, Variant("abc"), 1, 1031},
      {kProject14, Variant(""), 1, 1031},
      {kProject14, Variant("99999999999"), 1, 1031},  // beyond 32 bits
      {"Software\\Microsoft\\Office\\11.0\\MS Project", Variant(std::int32_t{1033}), 4, 1031},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value.ToString().value_or("?"));
    std::filesystem::remove(dir_ / "registry.json");
    if (c.type != 0)
      registry::WriteRegistryValue(RegistryRoot::kCurrentUser, c.key, "CurrentUI", c.value, c.type);
    EXPECT_EQ(GetMSPLanguage("14.0"), c.expected);
  }
}

TEST_F(MSPLanguageTest, ADamagedRegistryGivesGerman) {
  std::ofstream(dir_ / "registry.json") << "not a registry";
  EXPECT_EQ(GetMSPLanguage("14.0"), 1031);
}

}  // namespace
}  // namespace feriant::host
