#include "platform/components/component_library.h"

#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/base/file.h"
#include "tests/platform/components/test_component.h"
#include "tests/support/scratch_dir.h"

namespace feriant::components {
namespace {

using ::testing::HasSubstr;

TEST(ComponentLibraryTest, LoadsOnlyComponentLibrariesByAbsolutePath) {
  testing::ScratchDir dir;
  const std::filesystem::path text_file = dir.path() / "notes.so";
  ASSERT_TRUE(base::WriteFileAtomically(text_file, "not a shared object").ok());
  const std::filesystem::path component = FERIANT_TEST_COMPONENT;
  const std::filesystem::path plain = FERIANT_PLAIN_LIBRARY;  // a library, not a component

  struct Case {
    const char* name;
    std::filesystem::path file;
    std::int32_t code;  // 0: loads
    const char* complaint;
  };
  const Case cases[] = {
      {"component", component, 0, ""},
      {"relative path", component.filename(), hresult::kModuleNotFound, "not absolute"},
      {"missing file", dir.path() / "missing.so", hresult::kModuleNotFound, "no such file"},
      {"directory", dir.path(), hresult::kModuleNotFound, "not a file"},
      {"not a shared object", text_file, hresult::kModuleNotFound, "notes.so"},
      {"no entry points", plain, hresult::kProcNotFound, "not a component library"},
  };
  for (const Case& c : cases) {
    auto library = ComponentLibrary::Load(c.file);
    ASSERT_EQ(library.ok(), c.code == 0) << c.name;
    if (library.ok()) {
      EXPECT_EQ((*library)->file(), c.file) << c.name;
      continue;
    }
    EXPECT_EQ(library.error().code, c.code) << c.name;
    EXPECT_THAT(library.error().description, HasSubstr(c.file.string())) << c.name;
    EXPECT_THAT(library.error().description, HasSubstr(c.complaint)) << c.name;
  }
}

TEST(ComponentLibraryTest, AsksTheLibraryForItsFactories) {
  auto library = ComponentLibrary::Load(FERIANT_TEST_COMPONENT);
  ASSERT_TRUE(library.ok());
  auto factory = (*library)->GetClassObject(test_component::kCounterClass);
  ASSERT_TRUE(factory.ok());
  auto object = (*factory)->CreateInstance();
  ASSERT_TRUE(object.ok());
  EXPECT_EQ((*object)->TypeName(), "Counter");

  const automation::Guid unknown = automation::Guid::Generate();
  auto none = (*library)->GetClassObject(unknown);
  ASSERT_FALSE(none.ok());
  EXPECT_EQ(none.error().code, hresult::kClassNotAvailable);
  EXPECT_THAT(none.error().description, HasSubstr(unknown.ToString()));
}

}  // namespace
}  // namespace feriant::components
