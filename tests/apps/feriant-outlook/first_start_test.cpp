// The first start of an installed shell: it finds the libraries of an installation from
// the program's folder, and registers them only while a class it needs is missing.

#include "apps/host-shell/first_start.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/components/component_registry.h"
#include "platform/registry/registry.h"
#include "tests/support/scratch_dir.h"

namespace feriant::host_shell {
namespace {

namespace fs = std::filesystem;
using feriant::testing::ScopedEnv;
using feriant::testing::ScratchDir;

TEST(FirstStartTest, TheLibrariesOfAnInstallationAreFoundBesideTheProgram) {
  struct Case {
    std::vector<const char*> files;  // under the prefix
    std::size_t found;
  } const cases[] = {
      {{"lib/feriant/" FERIANT_ADDIN_NAME, "lib/feriant/" FERIANT_CONTROLS_NAME}, 2},
      {{"lib/feriant/" FERIANT_CONTROLS_NAME}, 1},
      // A build tree: the libraries lie in other folders.
      {{"addin/" FERIANT_ADDIN_NAME, "controls/" FERIANT_CONTROLS_NAME}, 0},
  };
  for (const Case& c : cases) {
    ScratchDir prefix;
    for (const char* file : c.files) {
      fs::create_directories((prefix.path() / file).parent_path());
      std::ofstream(prefix.path() / file) << "ELF";
    }
    const auto found = InstalledLibrariesBeside(prefix.path() / "bin" / "feriant-outlook");
    EXPECT_EQ(found.size(), c.found) << c.files.front();
    for (const fs::path& library : found)
      EXPECT_TRUE(fs::exists(library)) << library;
  }
}

TEST(FirstStartTest, RegistersOnlyWhileAClassItNeedsIsMissing) {
  ScratchDir dir;
  ScopedEnv registry_file("FERIANT_REGISTRY", (dir.path() / "registry.json").string());
  const std::vector<fs::path> libraries{FERIANT_ADDIN_LIBRARY, FERIANT_LUMATREL_LIBRARY};

  // Nothing installed beside the program: nothing to do, nothing written.
  auto none = RegisterWhenMissing(NeededProgIds(), {});
  ASSERT_TRUE(none);
  EXPECT_FALSE(*none);
  EXPECT_FALSE(fs::exists(dir.path() / "registry.json"));

  auto first = RegisterWhenMissing(NeededProgIds(), libraries);
  ASSERT_TRUE(first) << first.error().description;
  ASSERT_TRUE(*first);
  EXPECT_NE((*first)->find(libraries[0].string()), std::string::npos) << **first;
  components::ComponentRegistry lookups;
  for (const std::string_view prog_id : NeededProgIds())
    EXPECT_TRUE(lookups.ClassIdOf(prog_id)) << prog_id;

  auto again = RegisterWhenMissing(NeededProgIds(), libraries);
  ASSERT_TRUE(again);
  EXPECT_FALSE(*again);

  // A person took the controls out again by hand: the next start puts them back.
  ASSERT_TRUE(
      registry::Registry::CurrentUser().DeleteKey("Software\\Classes\\Lumatrel.WhiteTop\\CLSID"));
  auto restored = RegisterWhenMissing(NeededProgIds(), libraries);
  ASSERT_TRUE(restored);
  EXPECT_TRUE(*restored);

  // A library that cannot be loaded is named in the error.
  ASSERT_TRUE(
      registry::Registry::CurrentUser().DeleteKey("Software\\Classes\\Lumatrel.WhiteTop\\CLSID"));
  auto failed = RegisterWhenMissing(NeededProgIds(), {dir.path() / "libmissing.so"});
  ASSERT_FALSE(failed);
  EXPECT_NE(failed.error().description.find("libmissing.so"), std::string::npos);
}

}  // namespace
}  // namespace feriant::host_shell
