#include "platform/registry/settings_store.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/base/file.h"
#include "platform/registry/registry.h"
#include "tests/support/scratch_dir.h"

namespace feriant::registry {
namespace {

using automation::Variant;
using automation::VarType;

constexpr std::string_view kKey = "Software\\Quillmark\\Feriant\\2.0";
constexpr RegistryRoot kUser = RegistryRoot::kCurrentUser;

class SettingsStoreTest : public ::testing::Test {
 protected:
  testing::ScratchDir dir_;
  std::filesystem::path file_ = dir_.path() / "registry.json";
  testing::ScopedEnv env_{"FERIANT_REGISTRY", file_.string()};
};

TEST_F(SettingsStoreTest, WritesAndReadsTextAndNumbers) {
  struct Case {
    const char* name;
    Variant written;
    std::int32_t type;
    Variant read;  // empty: nothing was stored
  };
  const Case cases[] = {
      {"text", Variant("1031"), 1, Variant("1031")},
      {"empty text", Variant(""), 1, Variant("")},
      {"number -1", Variant(std::int32_t{-1}), 4, Variant(std::int32_t{-1})},
      {"number as text", Variant(std::int32_t{1033}), 1, Variant("1033")},
      {"text as number", Variant("42"), 4, Variant(std::int32_t{42})},
      {"16-bit number", Variant(std::int16_t{-7}), 4, Variant(std::int32_t{-7})},
      {"boolean as number", Variant(true), 4, Variant(std::int32_t{-1})},
      {"rounds half to even", Variant(2.5), 4, Variant(std::int32_t{2})},
      {"largest number", Variant(2147483647.0), 4, Variant(std::int32_t{2147483647})},
      {"too large", Variant(2147483648.0), 4, Variant()},
      {"not a number", Variant("abc"), 4, Variant()},
      {"other type", Variant("x"), 3, Variant()},
      {"binary type", Variant("x"), 3, Variant()},
      {"object as text", Variant(automation::ObjectRef()), 1, Variant()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(Registry(file_)
                    .Update([](Hive& hive) {
                      return hive.KeyExists(kKey) ? hive.DeleteKey("Software") : Ok();
                    })
                    .ok());
    WriteRegistryValue(kUser, kKey, "Value", c.written, c.type);
    const Variant read = ReadRegistryValue(kUser, kKey, "Value");
    EXPECT_EQ(read, c.read);
    EXPECT_EQ(read.type(), c.read.type());
  }
}

TEST_F(SettingsStoreTest, ReadsEmptyWhenThereIsNothingToRead) {
  WriteRegistryValue(kUser, kKey, "Region Index", Variant(std::int32_t{3}), 4);
  struct Case {
    const char* key;
    const char* name;
    RegistryRoot root;
  };
  const Case cases[] = {
      {"Software\\Quillmark\\Feriant\\2.0", "Missing", kUser},
      {"Software\\Quillmark\\Feriant\\3.0", "Region Index", kUser},
      {"Software\\\\Quillmark", "Region Index", kUser},
      {"Software\\Quillmark\\Feriant\\2.0", "Region Index", static_cast<RegistryRoot>(0x80000002)},
  };
  for (const Case& c : cases)
    EXPECT_TRUE(ReadRegistryValue(c.root, c.key, c.name).IsEmpty()) << c.key << " " << c.name;
  EXPECT_EQ(ReadRegistryValue(kUser, "SOFTWARE\\quillmark\\FERIANT\\2.0", "region index"),
            Variant(std::int32_t{3}));
}

TEST_F(SettingsStoreTest, CreateRegistryKeyMakesTheMissingParents) {
  CreateRegistryKey(kUser, kKey);
  Registry registry(file_);
  for (const char* key : {"Software", "Software\\Quillmark", "Software\\Quillmark\\Feriant"})
    EXPECT_TRUE(*registry.KeyExists(key)) << key;
  EXPECT_TRUE(registry.Values(kKey)->empty());
  // Another root names nothing: no key appears.
  CreateRegistryKey(static_cast<RegistryRoot>(0x80000002), "Other");
  EXPECT_FALSE(*registry.KeyExists("Other"));
}

TEST_F(SettingsStoreTest, FailuresAreSilentAndLeaveADamagedFileAlone) {
  const std::string damaged = "{\"version\": 1, \"keys\": {";
  ASSERT_TRUE(base::WriteFileAtomically(file_, damaged).ok());
  CreateRegistryKey(kUser, kKey);
  WriteRegistryValue(kUser, kKey, "Region Index", Variant(std::int32_t{3}), 4);
  EXPECT_TRUE(ReadRegistryValue(kUser, kKey, "Region Index").IsEmpty());
  EXPECT_EQ(*base::ReadFile(file_), damaged);
}

}  // namespace
}  // namespace feriant::registry
