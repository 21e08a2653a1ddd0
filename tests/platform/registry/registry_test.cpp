#include "platform/registry/registry.h"

#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "platform/base/file.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/whole_file.h"

namespace feriant::registry {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A key path of `depth` names "K\K\...", as it is written inside a JSON string.
std::string DeepJsonPath(size_t depth) {
  std::string path = "K";
  for (size_t i = 1; i < depth; ++i)
    path += "\\\\K";
  return path;
}

void Put(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::create_directories(file.parent_path());
  ASSERT_TRUE(base::WriteFileAtomically(file, bytes).ok()) << file;
}

class RegistryTest : public ::testing::Test {
 protected:
  testing::ScratchDir dir_;
  std::filesystem::path file_ = dir_.path() / "config" / "feriant" / "registry.json";
  Registry registry_{file_};
};

TEST_F(RegistryTest, TheFileIsReadableJsonInAFixedOrder) {
  ASSERT_TRUE(registry_.WriteValue("Software\\Quillmark\\Feriant\\2.0", "Region Index", 3).ok());
  ASSERT_TRUE(registry_
                  .WriteValue("Software\\Classes\\Lumatrel.WhiteTop\\CLSID", "",
                              "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}")
                  .ok());
  ASSERT_TRUE(registry_.CreateKey("Software\\Classes\\Empty").ok());
  ASSERT_TRUE(registry_
                  .WriteValue("", "Top",
                              "Gr\xC3\xBC\xC3\x9F"
                              "e")
                  .ok());
  EXPECT_EQ(feriant::testing::ReadWholeFile(file_),
            "{\n"
            "  \"version\": 1,\n"
            "  \"keys\": {\n"
            "    \"\": {\n"
            "      \"Top\": \"Gr\xC3\xBC\xC3\x9F"
            "e\"\n"
            "    },\n"
            "    \"Software\\\\Classes\\\\Empty\": {},\n"
            "    \"Software\\\\Classes\\\\Lumatrel.WhiteTop\\\\CLSID\": {\n"
            "      \"\": \"{7821D12D-EEB5-46F9-9049-D3EEB56902E5}\"\n"
            "    },\n"
            "    \"Software\\\\Quillmark\\\\Feriant\\\\2.0\": {\n"
            "      \"Region Index\": 3\n"
            "    }\n"
            "  }\n"
            "}\n");
  // What is written is read back as it was, and every tool that reads JSON can read it.
  auto parsed = nlohmann::json::parse(feriant::testing::ReadWholeFile(file_));
  EXPECT_EQ(parsed["keys"]["Software\\Quillmark\\Feriant\\2.0"]["Region Index"], 3);
  auto hive = registry_.Read();
  ASSERT_TRUE(hive.ok());
  EXPECT_EQ(ParseRegistryFile(FormatRegistryFile(*hive), file_).value(), *hive);
}

TEST_F(RegistryTest, ParsesWhatPeopleMayWrite) {
  struct Case {
    const char* name;
    const char* text;
    std::vector<std::pair<std::string, std::optional<RegistryValue>>> expected;  // key, "v"
  };
  const Case cases[] = {
      {"empty file", "", {}},
      {"blank file", " \n\t\n", {}},
      {"no keys", R"({"version": 1, "keys": {}})", {{"", std::nullopt}}},
      {"number limits",
       R"({"keys": {"K": {"v": -2147483648, "w": 2147483647}}, "version": 1})",
       {{"K", RegistryValue(INT32_MIN)}}},
      {"parents exist without being listed",
       R"({"version": 1, "keys": {"A\\B\\C": {"v": "x"}}})",
       {{"A", std::nullopt}, {"A\\B", std::nullopt}, {"a\\b\\c", RegistryValue("x")}}},
      {"a parent listed after its child",
       R"({"version": 1, "keys": {"a\\b": {}, "A": {"v": 1}}})",
       {{"A", RegistryValue(1)}, {"A\\B", std::nullopt}}},
      {"escapes",
       R"({"version": 1, "keys": {"K": {"v": "\u00e4\n\"\\"}}})",
       {{"K", RegistryValue("\xC3\xA4\n\"\\")}}},
  };
  for (const Case& c : cases) {
    auto hive = ParseRegistryFile(c.text, file_);
    ASSERT_TRUE(hive.ok()) << c.name << ": " << hive.error().description;
    if (c.expected.empty()) {
      EXPECT_TRUE(hive->empty()) << c.name;
    }
    for (const auto& [key, value] : c.expected) {
      EXPECT_TRUE(hive->KeyExists(key)) << c.name << ": " << key;
      EXPECT_EQ(hive->ReadValue(key, "v"), value) << c.name << ": " << key;
    }
  }
}

// A file that is not a registry file is reported with its path and what is wrong, and no
// change ever writes over it.
TEST_F(RegistryTest, ADamagedFileIsReportedAndLeftAlone) {
  struct Case {
    const char* name;
    std::string text;
    const char* complaint;
  };
  const Case cases[] = {
      {"truncated", R"({"version": 1, "keys": {"K": {"v": 1})", "not JSON"},
      {"garbage", "registry", "not JSON"},
      {"not UTF-8", "{\"version\": 1, \"keys\": {\"K\xFF\": {}}}", "not JSON"},
      {"an array", "[1, 2]", "not a JSON object"},
      {"a string", "\"keys\"", "not a JSON object"},
      {"no version", R"({"keys": {}})", "no \"version\""},
      {"another version", R"({"version": 2, "keys": {}})", "version 2"},
      {"version as text", R"({"version": "1", "keys": {}})", "version \"1\""},
      {"no keys", R"({"version": 1})", "no \"keys\""},
      {"keys an array", R"({"version": 1, "keys": []})", "\"keys\" is not an object"},
      {"unknown member", R"({"version": 1, "keys": {}, "comment": "x"})", "unknown member"},
      {"values an array", R"({"version": 1, "keys": {"K": [1]}})", "object of values"},
      {"a boolean", R"({"version": 1, "keys": {"K": {"v": true}}})", "\"v\" of key \"K\" is true"},
      {"a fraction", R"({"version": 1, "keys": {"K": {"v": 1.5}}})", "is 1.5, neither"},
      {"too large", R"({"version": 1, "keys": {"K": {"v": 2147483648}}})", "is 2147483648"},
      {"too small", R"({"version": 1, "keys": {"K": {"v": -2147483649}}})", "is -2147483649"},
      {"null", R"({"version": 1, "keys": {"K": {"v": null}}})", "is null"},
      {"nested", R"({"version": 1, "keys": {"K": {"v": {"w": 1}}}})", "neither text"},
      {"name twice", R"({"version": 1, "keys": {"K": {"v": 1, "v": 2}}})", "\"v\" occurs twice"},
      {"value twice in another case", R"({"version": 1, "keys": {"K": {"v": 1, "V": 2}}})",
       "listed twice"},
      {"key twice in another case", R"({"version": 1, "keys": {"A\\b": {}, "a\\B": {}}})",
       "listed twice"},
      {"empty key name", R"({"version": 1, "keys": {"A\\\\B": {}}})", "invalid key path"},
      {"a number beyond a double", R"({"version": 1, "keys": {"K": {"CurrentUI": 1e400}}})",
       "number overflow"},
      {"nested 100,000 deep",
       R"({"version": 1, "keys": {"K": {"v": )" + std::string(100000, '[') +
           std::string(100000, ']') + "}}}",
       "nests values more than 16 deep"},
      {"a key path 100,000 deep",
       R"({"version": 1, "keys": {")" + DeepJsonPath(100000) + R"(": {"v": 1}}})",
       "nests more than 512 keys deep"},
      {"a key path one too deep", R"({"version": 1, "keys": {")" + DeepJsonPath(513) + R"(": {}}})",
       "nests more than 512 keys deep"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Put(file_, c.text);
    const std::string before = feriant::testing::ReadWholeFile(file_);

    auto read = registry_.Read();
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, ErrorKind::kDamaged);
    EXPECT_THAT(read.error().description, HasSubstr(file_.string()));
    EXPECT_THAT(read.error().description, HasSubstr(c.complaint));

    const Status write = registry_.WriteValue("Software\\New", "v", 1);
    ASSERT_FALSE(write.ok());
    EXPECT_EQ(write.error(), read.error());
    EXPECT_FALSE(registry_.CreateKey("Other").ok());
    EXPECT_FALSE(registry_.DeleteKey("K").ok());
    EXPECT_EQ(feriant::testing::ReadWholeFile(file_), before);
  }
}

// Keys nest 512 deep and no deeper, whether written or read; a file listing its keys
// and values in any order of case reads as the hive that writing them one by one makes.
TEST_F(RegistryTest, KeysNestUpToTheBoundAndLoadInAnyOrder) {
  const auto deepest = nlohmann::json::parse("\"" + DeepJsonPath(512) + "\"").get<std::string>();
  ASSERT_TRUE(registry_.WriteValue(deepest, "v", 1).ok());
  EXPECT_EQ(*registry_.ReadValue(deepest, "v"), RegistryValue(1));
  EXPECT_EQ(registry_.CreateKey(deepest + "\\K").error().kind, ErrorKind::kUnsupported);

  Hive by_hand;
  for (const char* key : {"b", "A\\c", "A\\B", "C"})
    ASSERT_TRUE(by_hand.WriteValue(key, "x", 1).ok());
  for (const char* name : {"b", "A", "c"})
    ASSERT_TRUE(by_hand.WriteValue("A", name, 2).ok());
  // Byte order, in which the file is read, puts "C" before "b"; the hive's order does not.
  const auto read = ParseRegistryFile(
      R"({"version": 1, "keys": {"b": {"x": 1}, "A\\c": {"x": 1}, "A\\B": {"x": 1},)"
      R"( "C": {"x": 1}, "A": {"b": 2, "c": 2, "A": 2}}})",
      file_);
  ASSERT_TRUE(read.ok()) << read.error().description;
  EXPECT_EQ(FormatRegistryFile(*read), FormatRegistryFile(by_hand));
}

TEST_F(RegistryTest, AMissingFileIsAnEmptyRegistryAndIsCreatedByTheFirstChange) {
  EXPECT_TRUE(registry_.Read()->empty());
  EXPECT_FALSE(*registry_.KeyExists("Software"));
  EXPECT_EQ(*registry_.ReadValue("Software", "v"), std::nullopt);
  EXPECT_EQ(registry_.SubKeyNames("Software").error().kind, ErrorKind::kNotFound);
  // A change that changes nothing, or fails, creates no file.
  EXPECT_TRUE(registry_.Update([](Hive&) { return Ok(); }).ok());
  EXPECT_EQ(registry_.DeleteKey("Software").error().kind, ErrorKind::kNotFound);
  EXPECT_FALSE(std::filesystem::exists(file_));

  ASSERT_TRUE(registry_.CreateKey("Software\\Quillmark").ok());
  EXPECT_TRUE(std::filesystem::exists(file_));
  EXPECT_THAT(*registry_.SubKeyNames("SOFTWARE"), ElementsAre("Quillmark"));

  // Emptied again, the registry is no file again: as it was before the first change.
  ASSERT_TRUE(registry_.DeleteKey("Software").ok());
  EXPECT_FALSE(std::filesystem::exists(file_));
  EXPECT_TRUE(registry_.Read()->empty());
}

TEST_F(RegistryTest, AChangeThatChangesNothingLeavesTheBytesAsTheyWere) {
  const std::string by_hand =
      "{ \"keys\": {\"Software\\\\Quillmark\": {\"Region Index\": 3, \"Name\": \"x\"}},\n"
      "  \"version\": 1 }";
  Put(file_, by_hand);
  ASSERT_TRUE(registry_.WriteValue("software\\quillmark", "region index", 3).ok());
  ASSERT_TRUE(registry_.CreateKey("Software").ok());
  EXPECT_EQ(feriant::testing::ReadWholeFile(file_), by_hand);

  ASSERT_TRUE(registry_.WriteValue("Software\\Quillmark", "Region Index", 4).ok());
  EXPECT_NE(feriant::testing::ReadWholeFile(file_), by_hand);
  EXPECT_EQ(*registry_.ReadValue("Software\\Quillmark", "Name"), RegistryValue("x"));
  EXPECT_EQ(*registry_.ReadValue("Software\\Quillmark", "Region Index"), RegistryValue(4));
}

TEST_F(RegistryTest, TwoObjectsOnOneFileSeeEachOthersWrites) {
  Registry other(file_);
  ASSERT_TRUE(registry_.WriteValue("Software\\A", "one", 1).ok());
  ASSERT_TRUE(other.WriteValue("Software\\B", "two", 2).ok());
  ASSERT_TRUE(registry_.WriteValue("Software\\A", "three", 3).ok());
  ASSERT_TRUE(other.DeleteValue("Software\\A", "one").ok());
  auto values = registry_.Values("Software\\A");
  ASSERT_TRUE(values.ok());
  EXPECT_THAT(*values, ElementsAre(NamedValue{"three", 3}));
  EXPECT_EQ(*other.ReadValue("Software\\B", "two"), RegistryValue(2));
}

// Processes writing at the same time: each change is made to the file as the last writer
// left it, so no value is lost.
TEST_F(RegistryTest, ConcurrentProcessesLoseNoWrites) {
  constexpr int kWriters = 4;
  constexpr int kWritesEach = 25;
  std::vector<pid_t> children;
  for (int writer = 0; writer < kWriters; ++writer) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      Registry mine(file_);
      for (int i = 0; i < kWritesEach; ++i) {
        const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
        if (!mine.WriteValue("Software\\Shared", name, i).ok()) ::_exit(1);
      }
      ::_exit(0);
    }
    children.push_back(pid);
  }
  for (pid_t pid : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  auto values = registry_.Values("Software\\Shared");
  ASSERT_TRUE(values.ok()) << values.error().description;
  EXPECT_EQ(values->size(), static_cast<size_t>(kWriters * kWritesEach));
  for (int writer = 0; writer < kWriters; ++writer) {
    for (int i = 0; i < kWritesEach; ++i) {
      const std::string name = "w" + std::to_string(writer) + "-" + std::to_string(i);
      EXPECT_EQ(*registry_.ReadValue("Software\\Shared", name), RegistryValue(i)) << name;
    }
  }
}

TEST_F(RegistryTest, AFailedChangeWritesNothing) {
  ASSERT_TRUE(registry_.WriteValue("Software\\A", "v", 1).ok());
  const std::string before = feriant::testing::ReadWholeFile(file_);
  const Status failed = registry_.Update([](Hive& hive) -> Status {
    EXPECT_TRUE(hive.WriteValue("Software\\A", "w", 2).ok());
    return Error{42, "changed my mind", {}};
  });
  EXPECT_EQ(failed.error().code, 42);
  EXPECT_EQ(feriant::testing::ReadWholeFile(file_), before);
}

TEST(RegistryFileTest, TheCurrentUsersFileFollowsTheEnvironment) {
  testing::ScratchDir dir;
  {
    testing::ScopedEnv registry("FERIANT_REGISTRY", (dir.path() / "mine.json").string());
    EXPECT_EQ(*Registry::CurrentUserFile(), dir.path() / "mine.json");
    EXPECT_EQ(Registry::CurrentUser().file(), dir.path() / "mine.json");
  }
  testing::ScopedEnv registry("FERIANT_REGISTRY", "");
  testing::ScopedEnv config("XDG_CONFIG_HOME", dir.path().string());
  EXPECT_EQ(*Registry::CurrentUserFile(), dir.path() / "feriant" / "registry.json");
}

}  // namespace
}  // namespace feriant::registry
