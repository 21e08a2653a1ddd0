// The dialog's documentation link: installed into a scratch prefix, the README and every
// picture it shows lie in the documentation folder, and code loaded from the installed
// library folder finds that copy; from a build tree the link keeps to the source README.

#include "addin/dialog/documentation.h"

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "addin/dialog/frm_add_in.h"
#include "platform/base/file.h"
#include "tests/support/scratch_dir.h"

namespace feriant::dialog {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceReadme = fs::path(FERIANT_SOURCE_DIR) / "README.md";

TEST(DocumentationTest, AnInstalledLibraryLinksToTheInstalledReadmeWithItsPictures) {
  feriant::testing::ScratchDir prefix;
  const std::string install = std::string("\"" CMAKE_COMMAND "\" --install \"" FERIANT_BINARY_DIR
                                          "\" --component documentation --prefix \"") +
                              prefix.path().string() + "\" >/dev/null";
  ASSERT_EQ(std::system(install.c_str()), 0) << install;

  const fs::path readme = DocumentationFor(prefix.path() / INSTALLED_LIBDIR / "libferiant.so");
  EXPECT_EQ(readme, prefix.path() / INSTALLED_DOCDIR / "README.md");
  auto text = base::ReadFile(readme);
  ASSERT_TRUE(text);
  EXPECT_EQ(*text, *base::ReadFile(kSourceReadme));
  const std::regex picture(R"(\]\((docs/[^)]+\.png)\))");
  int pictures = 0;
  for (auto it = std::sregex_iterator(text->begin(), text->end(), picture);
       it != std::sregex_iterator(); ++it, ++pictures)
    EXPECT_TRUE(fs::is_regular_file(readme.parent_path() / (*it)[1].str())) << (*it)[1];
  EXPECT_GT(pictures, 0);
}

TEST(DocumentationTest, FromABuildTreeTheLinkKeepsToTheSourceReadme) {
  for (const fs::path& module : {fs::path(FERIANT_BINARY_DIR) / "addin" / "libferiant.so",
                                 fs::path("relative/libferiant.so"), fs::path()})
    EXPECT_EQ(DocumentationFor(module), kSourceReadme) << module;
  // This program holds the dialog itself: the module is the program.
  EXPECT_EQ(ThisModuleFile(), fs::read_symlink("/proc/self/exe"));
  EXPECT_EQ(frmAddIn::DocumentationAddress(), kSourceReadme.string());
}

}  // namespace
}  // namespace feriant::dialog
