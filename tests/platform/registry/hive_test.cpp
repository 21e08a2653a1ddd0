#include "platform/registry/hive.h"

#include <optional>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace feriant::registry {
namespace {

using ::testing::ElementsAre;

int Sign(int n) {
  return (n > 0) - (n < 0);
}

TEST(CompareNamesTest, FoldsCaseOfTheLettersInUse) {
  struct Case {
    const char* a;
    const char* b;
    int order;
  };
  const Case cases[] = {
      {"Software", "SOFTWARE", 0},
      {"Region Index", "region index", 0},
      {"{a8fc043f-2ecc}", "{A8FC043F-2ECC}", 0},
      {"\xC3\xA4rger", "\xC3\x84RGER", 0},  // ärger / ÄRGER
      {"\xC3\xBF", "\xC5\xB8", 0},          // ÿ / Ÿ
      {"\xC5\x82\xC3\xB3"
       "d\xC5\xBA",
       "\xC5\x81\xC3\x93"
       "D\xC5\xB9",
       0},                                          // łódź / ŁÓDŹ
      {"\xCF\x83\xCF\x82", "\xCE\xA3\xCE\xA3", 0},  // σς / ΣΣ
      {"\xD1\x91\xD0\xB6", "\xD0\x81\xD0\x96", 0},  // ёж / ЁЖ
      {"\xC3\xB7", "\xC3\x97", 1},                  // ÷ and × are not letters
      {"a", "B", -1},
      {"B", "a", 1},
      {"ab", "A", 1},
      {"", "a", -1},
      {"Z", "\xC3\xA4", -1},    // by code point after folding
      {"\xFF", "\xFE", 1},      // not UTF-8: by byte
      {"\xC3", "\xC3\x84", 1},  // a truncated sequence is not Ä; it sorts after letters
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Sign(CompareNames(c.a, c.b)), c.order) << c.a << " vs " << c.b;
    EXPECT_EQ(Sign(CompareNames(c.b, c.a)), -c.order) << c.b << " vs " << c.a;
  }
}

TEST(SplitKeyPathTest, AcceptsPathsAndRefusesEmptyNames) {
  struct Case {
    const char* path;
    std::vector<std::string> names;  // empty with ok = false: refused
    bool ok;
  };
  const Case cases[] = {
      {"", {}, true},
      {"Software", {"Software"}, true},
      {"Software\\Quillmark\\Feriant\\2.0", {"Software", "Quillmark", "Feriant", "2.0"}, true},
      {"Software\\Classes\\", {"Software", "Classes"}, true},
      {"A/B", {"A/B"}, true},
      {"\\Software", {}, false},
      {"Software\\\\Classes", {}, false},
      {"Software\\\\", {}, false},
      {"\\", {}, false},
      {"Bad\xFFName", {}, false},
  };
  for (const Case& c : cases) {
    auto names = SplitKeyPath(c.path);
    ASSERT_EQ(names.ok(), c.ok) << c.path;
    if (!c.ok) {
      EXPECT_EQ(names.error().kind, ErrorKind::kInvalid) << c.path;
      continue;
    }
    EXPECT_EQ(std::vector<std::string>(names->begin(), names->end()), c.names) << c.path;
  }
}

TEST(HiveTest, CreateKeyMakesEveryMissingParent) {
  Hive hive;
  ASSERT_TRUE(hive.CreateKey("Software\\Quillmark\\Feriant\\2.0").ok());
  for (const char* key :
       {"", "Software", "software\\QUILLMARK", "Software\\Quillmark\\Feriant",
        "SOFTWARE\\quillmark\\feriant\\2.0", "Software\\Quillmark\\Feriant\\2.0\\"}) {
    EXPECT_TRUE(hive.KeyExists(key)) << key;
  }
  for (const char* key :
       {"Soft", "Software\\Feriant", "Software\\Quillmark\\Feriant\\2.0\\x", "\\Software"}) {
    EXPECT_FALSE(hive.KeyExists(key)) << key;
  }
  // Creating again, in another case, changes nothing.
  const Hive before = hive;
  ASSERT_TRUE(hive.CreateKey("SOFTWARE\\QUILLMARK").ok());
  EXPECT_EQ(hive, before);
  EXPECT_EQ(hive.CreateKey("Software\\\\x").error().kind, ErrorKind::kInvalid);
  EXPECT_EQ(hive, before);
}

TEST(HiveTest, NamesKeepTheCaseTheyWereFirstWrittenWith) {
  Hive hive;
  ASSERT_TRUE(hive.WriteValue("Software\\Quillmark", "Region Index", 3).ok());
  ASSERT_TRUE(hive.WriteValue("SOFTWARE\\QUILLMARK", "REGION INDEX", 7).ok());
  ASSERT_TRUE(hive.CreateKey("software\\quillmark\\Feriant").ok());

  EXPECT_THAT(*hive.SubKeyNames(""), ElementsAre("Software"));
  EXPECT_THAT(*hive.SubKeyNames("software"), ElementsAre("Quillmark"));
  EXPECT_THAT(*hive.Values("Software\\Quillmark"),
              ElementsAre(NamedValue{"Region Index", std::int32_t{7}}));
  EXPECT_EQ(hive.ReadValue("sOfTwArE\\qUiLlMaRk", "region INDEX"), RegistryValue(7));
}

TEST(HiveTest, ValuesHaveTheirTypeAndTheDefaultValueIsTheEmptyName) {
  Hive hive;
  const std::string key = "Software\\Classes\\CLSID\\{7821D12D-EEB5-46F9-9049-D3EEB56902E5}";
  ASSERT_TRUE(hive.WriteValue(key, "", "WhiteTop").ok());
  ASSERT_TRUE(hive.WriteValue(key, "Count", -1).ok());
  ASSERT_TRUE(hive.WriteValue(key, "Text", "1031").ok());

  struct Case {
    const char* name;
    std::optional<RegistryValue> value;
  };
  const Case cases[] = {
      {"", RegistryValue("WhiteTop")},
      {"count", RegistryValue(-1)},
      {"TEXT", RegistryValue("1031")},
      {"Missing", std::nullopt},
  };
  for (const Case& c : cases)
    EXPECT_EQ(hive.ReadValue(key, c.name), c.value) << c.name;
  EXPECT_EQ(TypeOf(*hive.ReadValue(key, "")), ValueType::kText);
  EXPECT_EQ(TypeOf(*hive.ReadValue(key, "Count")), ValueType::kNumber);
  EXPECT_EQ(TypeOf(*hive.ReadValue(key, "Text")), ValueType::kText);

  // A value may change its type.
  ASSERT_TRUE(hive.WriteValue(key, "Text", 1031).ok());
  EXPECT_EQ(hive.ReadValue(key, "Text"), RegistryValue(1031));
  // The default value is a value like any other: deleting it keeps the others.
  ASSERT_TRUE(hive.DeleteValue(key, "").ok());
  EXPECT_EQ(hive.ReadValue(key, ""), std::nullopt);
  EXPECT_EQ(hive.Values(key)->size(), 2u);
}

TEST(HiveTest, DeletingReportsWhatIsMissingAndRemovesSubtrees) {
  Hive hive;
  ASSERT_TRUE(hive.WriteValue("A\\B\\C", "v", 1).ok());
  ASSERT_TRUE(hive.WriteValue("A\\B", "w", 2).ok());
  ASSERT_TRUE(hive.WriteValue("A\\D", "x", 3).ok());

  struct Case {
    const char* key;
    const char* value;              // nullptr: delete the key
    std::optional<ErrorKind> kind;  // none: succeeds
  };
  const Case cases[] = {
      {"A\\B", "missing", ErrorKind::kNotFound}, {"A\\X", "v", ErrorKind::kNotFound},
      {"A\\X", nullptr, ErrorKind::kNotFound},   {"X\\B", nullptr, ErrorKind::kNotFound},
      {"", nullptr, ErrorKind::kInvalid},        {"A\\\\B", nullptr, ErrorKind::kInvalid},
      {"a\\b", nullptr, std::nullopt},
  };
  for (const Case& c : cases) {
    const Status status =
        c.value != nullptr ? hive.DeleteValue(c.key, c.value) : hive.DeleteKey(c.key);
    EXPECT_EQ(status.ok() ? std::nullopt : std::optional(status.error().kind), c.kind) << c.key;
  }
  EXPECT_FALSE(hive.KeyExists("A\\B\\C"));
  EXPECT_FALSE(hive.KeyExists("A\\B"));
  EXPECT_EQ(hive.ReadValue("A\\D", "x"), RegistryValue(3));
  ASSERT_TRUE(hive.DeleteKey("A").ok());
  EXPECT_TRUE(hive.empty());
}

TEST(HiveTest, OrderDependsOnContentNotOnHistory) {
  Hive first;
  Hive second;
  const std::vector<std::pair<const char*, const char*>> writes = {
      {"b", "x"}, {"B\\c", "Y"}, {"a", "z"}, {"C", ""}, {"\xC3\x84", "v"}, {"b\\A", "w"}};
  for (const auto& [key, name] : writes)
    ASSERT_TRUE(first.WriteValue(key, name, 1).ok());
  for (auto it = writes.rbegin(); it != writes.rend(); ++it)
    ASSERT_TRUE(second.WriteValue(it->first, it->second, 1).ok());
  EXPECT_EQ(first, second);
  EXPECT_THAT(*first.SubKeyNames(""), ElementsAre("a", "b", "C", "\xC3\x84"));
  EXPECT_THAT(*first.SubKeyNames("B"), ElementsAre("A", "c"));

  std::vector<std::string> visited;
  first.ForEachKey([&](std::string_view path, const std::vector<NamedValue>&, bool) {
    visited.emplace_back(path);
  });
  EXPECT_THAT(visited, ElementsAre("", "a", "b", "b\\A", "b\\c", "C", "\xC3\x84"));
}

TEST(HiveTest, RefusesNamesAndTextThatAreNotUtf8) {
  Hive hive;
  EXPECT_EQ(hive.WriteValue("Key", "bad\xC3", 1).error().kind, ErrorKind::kInvalid);
  EXPECT_EQ(hive.WriteValue("Key", "name", "bad\xED\xA0\x80").error().kind, ErrorKind::kInvalid);
  EXPECT_EQ(hive.WriteValue("Bad\xC0\xAF", "name", 1).error().kind, ErrorKind::kInvalid);
  EXPECT_TRUE(hive.empty());
  EXPECT_TRUE(hive.WriteValue("Stra\xC3\x9F"
                              "e",
                              "Gr\xC3\xB6\xC3\x9F"
                              "e",
                              "\xE2\x82\xAC")
                  .ok());
}

}  // namespace
}  // namespace feriant::registry
