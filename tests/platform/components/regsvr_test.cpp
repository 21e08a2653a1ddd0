// feriant-regsvr, run as a person runs it.

#include <cstdlib>
#include <string>
#include <vector>

#include <sys/wait.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/base/file.h"
#include "platform/components/registration.h"
#include "platform/registry/registry.h"
#include "tests/platform/components/test_component.h"
#include "tests/support/scratch_dir.h"

namespace feriant::components {
namespace {

using ::testing::HasSubstr;
namespace tc = test_component;

const std::filesystem::path kLibrary = FERIANT_TEST_COMPONENT;

struct Outcome {
  int exit_code = -1;
  std::string out;
  std::string err;
};

class RegsvrTest : public ::testing::Test {
 protected:
  // Runs feriant-regsvr with `args` in `cwd`.
  Outcome Run(const std::vector<std::string>& args,
              const std::filesystem::path& cwd = std::filesystem::current_path()) {
    std::string command = "cd '" + cwd.string() + "' && '" + std::string(FERIANT_REGSVR) + "'";
    for (const std::string& arg : args)
      command += " '" + arg + "'";
    const auto out = dir_.path() / "out";
    const auto err = dir_.path() / "err";
    command += " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    Outcome outcome;
    outcome.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    outcome.out = base::ReadFile(out).value_or(std::string());
    outcome.err = base::ReadFile(err).value_or(std::string());
    return outcome;
  }

  bool Registered() const {
    auto value = registry_.ReadValue(ClassKey(tc::kCounterClass) + "\\InprocServer32", "");
    return value.ok() && *value == registry::RegistryValue(kLibrary.string());
  }

  testing::ScratchDir dir_;
  std::filesystem::path file_ = dir_.path() / "registry.json";
  testing::ScopedEnv env_{"FERIANT_REGISTRY", file_.string()};
  registry::Registry registry_{file_};
};

TEST_F(RegsvrTest, RegistersAndUnregisters) {
  const Outcome registered = Run({kLibrary.string()});
  EXPECT_EQ(registered.exit_code, 0) << registered.err;
  EXPECT_EQ(registered.out, "Registered " + kLibrary.string() + "\n");
  EXPECT_EQ(registered.err, "");
  EXPECT_TRUE(Registered());

  // A relative path is registered as the absolute one.
  const Outcome again = Run({kLibrary.filename().string()}, kLibrary.parent_path());
  EXPECT_EQ(again.exit_code, 0) << again.err;
  EXPECT_TRUE(Registered());

  const Outcome unregistered = Run({"-u", kLibrary.string()});
  EXPECT_EQ(unregistered.exit_code, 0) << unregistered.err;
  EXPECT_EQ(unregistered.out, "Unregistered " + kLibrary.string() + "\n");
  EXPECT_FALSE(Registered());
  EXPECT_TRUE(registry_.Read()->empty());
}

TEST_F(RegsvrTest, LinksResolveAtBothEndsAndNothingRegisteredIsAFailure) {
  // A library registered through a link is the file itself, whichever name unregisters it.
  const std::filesystem::path link = dir_.path() / "liblink.so";
  std::filesystem::create_symlink(kLibrary, link);
  const Outcome registered = Run({link.string()});
  EXPECT_EQ(registered.out, "Registered " + kLibrary.string() + "\n") << registered.err;
  EXPECT_TRUE(Registered());
  const Outcome unregistered = Run({"--unregister", kLibrary.string()});
  EXPECT_EQ(unregistered.exit_code, 0) << unregistered.err;
  EXPECT_TRUE(registry_.Read()->empty());
  // Nothing left to remove: a failure that says so, and the registry stays as it is.
  const Outcome again = Run({"-u", link.string()});
  EXPECT_EQ(again.exit_code, 1);
  EXPECT_EQ(again.out, "");
  EXPECT_EQ(again.err, "feriant-regsvr: cannot unregister " + kLibrary.string() +
                           ": the library is not registered; nothing was removed (0x80040201)\n");
  EXPECT_TRUE(registry_.Read()->empty());
}

TEST_F(RegsvrTest, ReportsFailuresAndUsageErrors) {
  const std::string damaged_registry = (dir_.path() / "damaged.json").string();
  ASSERT_TRUE(base::WriteFileAtomically(damaged_registry, "{").ok());
  const std::string missing = (dir_.path() / "missing.so").string();
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int exit_code;
    std::vector<std::string> out;  // substrings of stdout
    std::vector<std::string> err;  // substrings of stderr
    std::string registry = {};     // another registry file
  };
  const Case cases[] = {
      {"help", {"--help"}, 0, {"Usage", "-u,--unregister", "Examples:", "feriant-regsvr -u"}, {}},
      {"no library", {}, 2, {}, {"LIB is required"}},
      {"two libraries", {kLibrary.string(), kLibrary.string()}, 2, {}, {"--help"}},
      {"unknown option", {"--force", kLibrary.string()}, 2, {}, {"--force"}},
      {"missing library", {missing}, 1, {}, {"feriant-regsvr: ", missing, "no such file"}},
      {"not a component library", {FERIANT_PLAIN_LIBRARY}, 1, {}, {"not a component library"}},
      {"damaged registry",
       {kLibrary.string()},
       1,
       {},
       {"cannot register " + kLibrary.string(), damaged_registry, "(0x80040201)"},
       damaged_registry},
      {"damaged registry, unregistering",
       {"-u", kLibrary.string()},
       1,
       {},
       {"cannot unregister", damaged_registry},
       damaged_registry},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<testing::ScopedEnv> other;
    if (!c.registry.empty()) other.emplace("FERIANT_REGISTRY", c.registry);
    const Outcome outcome = Run(c.args);
    EXPECT_EQ(outcome.exit_code, c.exit_code) << outcome.out << outcome.err;
    for (const std::string& text : c.out)
      EXPECT_THAT(outcome.out, HasSubstr(text));
    for (const std::string& text : c.err)
      EXPECT_THAT(outcome.err, HasSubstr(text));
    if (c.exit_code != 0) {
      EXPECT_EQ(outcome.out, "");
      EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1 + (c.exit_code == 2))
          << outcome.err;
    }
  }
  EXPECT_FALSE(Registered());
  EXPECT_EQ(*base::ReadFile(damaged_registry), "{");
}

}  // namespace
}  // namespace feriant::components
