#include "platform/base/file.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace feriant::base {
namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("feriant-file-test-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override {
    fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
    fs::remove_all(dir_);
  }
  static void Put(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // Everything in the directory but lock files: what a writer may leave behind.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().extension() != ".lock") names.push_back(entry.path().filename());
    }
    std::sort(names.begin(), names.end());
    return names;
  }
  fs::path dir_;
};

TEST_F(FileTest, ReadsWholeFileAndReportsMissingOneWithItsName) {
  Put(dir_ / "a.ics", std::string("BEGIN\r\n\0END", 11));
  auto bytes = ReadFile(dir_ / "a.ics");
  ASSERT_TRUE(bytes.ok());
  EXPECT_EQ(*bytes, std::string("BEGIN\r\n\0END", 11));

  auto missing = ReadFile(dir_ / "none.ics");
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().code, ENOENT);
  EXPECT_NE(missing.error().description.find("none.ics"), std::string::npos);
}

TEST_F(FileTest, AtomicWriteReplacesContentAndKeepsMode) {
  const fs::path path = dir_ / "plan.xml";
  Put(path, "old");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(WriteFileAtomically(path, "new content").ok());
  EXPECT_EQ(*ReadFile(path), "new content");
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"plan.xml"});  // no temporary left
}

TEST_F(FileTest, NewFileGetsModeFromUmask) {
  const mode_t old_mask = ::umask(022);
  const fs::path path = dir_ / "new.ics";
  ASSERT_TRUE(WriteFileAtomically(path, "x").ok());
  ::umask(old_mask);
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0644u);
}

TEST_F(FileTest, FailedWriteLeavesTargetUntouched) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  const fs::path path = dir_ / "cal.ics";
  Put(path, "precious");
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  Status written = WriteFileAtomically(path, "replacement");
  fs::permissions(dir_, fs::perms::owner_all);
  ASSERT_FALSE(written.ok());
  EXPECT_NE(written.error().description.find("cal.ics"), std::string::npos);
  EXPECT_EQ(*ReadFile(path), "precious");
  EXPECT_EQ(Entries(), std::vector<std::string>{"cal.ics"});
}

TEST_F(FileTest, FailureToCreateTheTemporaryLeavesTargetUntouched) {
  // The temporary's name is longer than the target's; at 250 characters it no longer fits
  // into a directory entry, whoever runs the test.
  const fs::path path = dir_ / std::string(250, 'c');
  Put(path, "precious");
  ASSERT_FALSE(WriteFileAtomically(path, "replacement").ok());
  EXPECT_EQ(*ReadFile(path), "precious");
  EXPECT_EQ(Entries().size(), 1u);
}

TEST_F(FileTest, ReplacesTheFileALinkNamesAndKeepsTheLink) {
  const fs::path real = dir_ / "real.ics";
  const fs::path link = dir_ / "link.ics";
  Put(real, "old");
  fs::create_symlink("real.ics", link);
  ASSERT_TRUE(WriteFileAtomically(link, "new").ok());
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(*ReadFile(real), "new");
}

TEST_F(FileTest, RefusesToReplaceAReadOnlyFile) {
  const fs::path path = dir_ / "registry.json";
  Put(path, "precious");
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  Status written = WriteFileAtomically(path, "replacement");
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().code, EACCES);
  EXPECT_NE(written.error().description.find("read-only"), std::string::npos);
  EXPECT_EQ(*ReadFile(path), "precious");
  EXPECT_EQ(Entries(), std::vector<std::string>{"registry.json"});
}

TEST_F(FileTest, RefusesToReplaceADirectory) {
  fs::create_directory(dir_ / "sub");
  EXPECT_FALSE(WriteFileAtomically(dir_ / "sub", "x").ok());
  EXPECT_TRUE(fs::is_directory(dir_ / "sub"));
}

TEST_F(FileTest, SecondWriterWaitsForTheLock) {
  const fs::path path = dir_ / "registry.json";
  auto first = FileLock::Acquire(path);
  ASSERT_TRUE(first.ok());
  // flock locks belong to open file descriptions: a second open conflicts even in-process.
  auto second = FileLock::Acquire(path, std::chrono::milliseconds(50));
  ASSERT_FALSE(second.ok());
  EXPECT_NE(second.error().description.find("registry.json"), std::string::npos);
  { FileLock released = std::move(*first); }
  EXPECT_FALSE(fs::exists(dir_ / "registry.json.lock"));  // no litter beside the file
  EXPECT_TRUE(FileLock::Acquire(path, std::chrono::milliseconds(50)).ok());
}

TEST_F(FileTest, WritersTakeTurnsWhenTheSidecarIsRemovedUnderThem) {
  // Each child process counts up a number in a file under the lock; a lost update shows
  // as a final count below the number of increments.
  const fs::path path = dir_ / "counter";
  Put(path, "0");
  constexpr int kProcesses = 4;
  constexpr int kIncrements = 50;
  std::vector<pid_t> children;
  for (int p = 0; p < kProcesses; ++p) {
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      for (int i = 0; i < kIncrements; ++i) {
        auto lock = FileLock::Acquire(path);
        if (!lock.ok()) ::_exit(1);
        const int value = std::stoi(*ReadFile(path));
        if (!WriteFileAtomically(path, std::to_string(value + 1)).ok()) ::_exit(1);
      }
      ::_exit(0);
    }
    children.push_back(child);
  }
  for (pid_t child : children) {
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  EXPECT_EQ(*ReadFile(path), std::to_string(kProcesses * kIncrements));
  EXPECT_FALSE(fs::exists(dir_ / "counter.lock"));
}

}  // namespace
}  // namespace feriant::base
