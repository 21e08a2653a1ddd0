#include "platform/base/file.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/base/interrupt.h"
#include "tests/support/scratch_dir.h"

namespace feriant::base {
namespace {

namespace fs = std::filesystem;

class FileTest : public ::testing::Test {
 protected:
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
  testing::ScratchDir scratch_;
  const fs::path& dir_ = scratch_.path();
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

// What a reader of a person's file is given instead of what would hang it or fill the memory.
TEST_F(FileTest, ReadingRefusesWhatIsNotAPersonsFile) {
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  Put(dir_ / "big.ics", std::string(4096, 'x'));
  const struct {
    fs::path path;
    size_t max_bytes;
    const char* says;
  } cases[] = {
      {dir_ / "fifo", kMaxFileBytes, "it is a FIFO, not a regular file"},
      {"/dev/zero", kMaxFileBytes, "it is a character device, not a regular file"},
      {dir_, kMaxFileBytes, "Is a directory"},
      {dir_ / "big.ics", 4095, "it is larger than"},
  };
  for (const auto& c : cases) {
    Result<std::string> bytes = ReadFile(c.path, c.max_bytes);
    ASSERT_FALSE(bytes.ok()) << c.path;
    EXPECT_EQ(bytes.error().kind, ErrorKind::kRefused) << c.path;
    EXPECT_NE(bytes.error().description.find(c.says), std::string::npos)
        << bytes.error().description;
  }
  EXPECT_EQ(ReadFile(dir_ / "big.ics", 4096)->size(), 4096u);
}

TEST_F(FileTest, CheckReplaceableAcceptsRegularFilesAndNewFilesInAFolder) {
  Put(dir_ / "cal.ics", "x");
  ASSERT_EQ(::mkfifo((dir_ / "fifo").c_str(), 0600), 0);
  fs::create_symlink("cal.ics", dir_ / "link.ics");
  fs::create_symlink("new.ics", dir_ / "dangling.ics");
  const struct {
    fs::path path;
    std::optional<ErrorKind> refused;
  } cases[] = {
      {dir_ / "cal.ics", std::nullopt},
      {dir_ / "link.ics", std::nullopt},
      {dir_ / "new.ics", std::nullopt},
      {dir_ / "dangling.ics", std::nullopt},  // saving creates the file the link names
      {dir_ / "no-folder" / "new.ics", ErrorKind::kNotFound},
      {dir_ / "fifo", ErrorKind::kRefused},
      {"/dev/null", ErrorKind::kRefused},
      {dir_, ErrorKind::kRefused},
  };
  for (const auto& c : cases) {
    const Status checked = CheckReplaceable(c.path);
    EXPECT_EQ(checked.ok() ? std::nullopt : std::optional(checked.error().kind), c.refused)
        << c.path;
  }
}

// ReplaceFile hands the decision the file as it is under the lock and carries it out.
TEST_F(FileTest, ReplaceFileWritesRemovesOrKeepsWhatTheCallerDecides) {
  using Content = std::optional<std::string>;
  const struct {
    const char* name;
    Content before;
    Content wanted;  // none: no file
    bool rewritten;  // a new file took the place of the old one
  } cases[] = {
      {"create", std::nullopt, "new", true},
      {"replace", "old", "new", true},
      {"keep", "same", "same", false},
      {"remove", "old", std::nullopt, false},
      {"stay absent", std::nullopt, std::nullopt, false},
  };
  const fs::path path = dir_ / "registry.json";
  for (const auto& c : cases) {
    fs::remove(path);
    if (c.before) Put(path, *c.before);
    struct stat before {};
    ::stat(path.c_str(), &before);
    const auto replaced = ReplaceFile(path, [&](const CurrentContent& current) {
      EXPECT_EQ(current, c.before) << c.name;
      return Result<std::optional<std::string_view>>(
          c.wanted ? std::optional<std::string_view>(*c.wanted) : std::nullopt);
    });
    ASSERT_TRUE(replaced.ok()) << c.name << ": " << replaced.error().description;
    const Result<std::string> after = ReadFile(path);
    EXPECT_EQ(after.ok() ? Content(*after) : std::nullopt, c.wanted) << c.name;
    struct stat now {};
    if (c.before && c.wanted) {
      ::stat(path.c_str(), &now);
      EXPECT_EQ(now.st_ino != before.st_ino, c.rewritten) << c.name;
    }
    EXPECT_EQ(Entries(),
              c.wanted ? std::vector<std::string>{"registry.json"} : std::vector<std::string>{})
        << c.name;
    EXPECT_FALSE(fs::exists(dir_ / "registry.json.lock")) << c.name;
  }
}

// Another program that ignores the lock changes the file after it was read under the lock
// and before the rename: its edit is kept and the replacement refused.
TEST_F(FileTest, AnEditMadeDuringTheSaveIsNeitherLostNorOverwritten) {
  const fs::path path = dir_ / "cal.ics";
  const struct {
    const char* name;
    std::function<void()> edit;
    std::optional<std::string> left;
  } cases[] = {
      {"rewritten in place",
       [&] {
         std::fstream(path, std::ios::in | std::ios::out | std::ios::binary) << "EDIT";
         const timespec later[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 5, 0}};
         ::utimensat(AT_FDCWD, path.c_str(), later, 0);
       },
       "EDITinal"},
      {"replaced", [&] { WriteFileAtomically(path, "theirs").ok(); }, "theirs"},
      {"deleted", [&] { fs::remove(path); }, std::nullopt},
  };
  for (const auto& c : cases) {
    Put(path, "original");
    const auto saved = ReplaceFile(path, [&](const CurrentContent&) {
      c.edit();
      return Result<std::optional<std::string_view>>(std::string_view("ours"));
    });
    ASSERT_FALSE(saved.ok()) << c.name;
    EXPECT_EQ(saved.error().kind, ErrorKind::kConflict) << c.name;
    const Result<std::string> after = ReadFile(path);
    EXPECT_EQ(after.ok() ? std::optional(*after) : std::nullopt, c.left) << c.name;
    EXPECT_EQ(Entries().size(), c.left ? 1u : 0u) << c.name << ": no temporary file left";
  }
}

TEST_F(FileTest, AnInterruptBeforeTheRenameSavesNothingAndLeavesNoLitter) {
  InstallInterruptHandlers();
  const fs::path path = dir_ / "plan.xml";
  Put(path, "original");
  const auto saved = ReplaceIfUnchanged(path, "original", std::string(3 << 20, 'x'), {});
  ASSERT_TRUE(saved.ok());
  const auto interrupted = ReplaceFile(path, [&](const CurrentContent&) {
    std::raise(SIGINT);  // arrives while the decision is made, before anything is written
    return Result<std::optional<std::string_view>>(std::string_view("replacement"));
  });
  const int signal = InterruptSignal();
  const auto refused = ReplaceIfUnchanged(path, std::nullopt, "new", {});
  ClearInterrupt();
  EXPECT_EQ(signal, SIGINT);
  ASSERT_FALSE(interrupted.ok());
  EXPECT_EQ(interrupted.error().kind, ErrorKind::kInterrupted);
  EXPECT_EQ(refused.error().kind, ErrorKind::kInterrupted);  // nothing starts once interrupted
  EXPECT_EQ(ReadFile(path)->size(), 3u << 20);
  EXPECT_EQ(Entries(), std::vector<std::string>{"plan.xml"});
  EXPECT_FALSE(fs::exists(dir_ / "plan.xml.lock"));
}

// A program that ignores the lock writes to the file after the last check and before
// the rename: the file gets the new content, and that program's version is kept beside
// it and reported, never dropped.
TEST_F(FileTest, AVersionWrittenJustBeforeTheRenameIsKeptBesideTheFile) {
  using Content = std::optional<std::string>;
  const fs::path path = dir_ / "cal.ics";
  const struct {
    const char* name;
    Content wanted;  // none: remove the file
    std::function<void()> edit;
    Content kept;                     // the displaced version; none: nothing kept
    std::optional<ErrorKind> failed;  // nothing saved
  } cases[] = {
      {"appended to", "ours", [&] { std::ofstream(path, std::ios::app) << "+theirs"; },
       "original+theirs", std::nullopt},
      {"rewritten, same size", "ours",
       [&] { std::fstream(path, std::ios::in | std::ios::out) << "ORIG"; }, "ORIGinal",
       std::nullopt},
      {"replaced", "ours", [&] { ASSERT_TRUE(WriteFileAtomically(path, "theirs").ok()); }, "theirs",
       std::nullopt},
      {"appended to, then removed", std::nullopt,
       [&] { std::ofstream(path, std::ios::app) << "+theirs"; }, "original+theirs", std::nullopt},
      {"touched only", "ours",
       [&] {
         const timespec later[2] = {{0, UTIME_OMIT}, {std::time(nullptr) + 5, 0}};
         ::utimensat(AT_FDCWD, path.c_str(), later, 0);
       },
       std::nullopt, std::nullopt},
      {"deleted", "ours", [&] { fs::remove(path); }, std::nullopt, ErrorKind::kConflict},
  };
  for (const auto& c : cases) {
    for (const auto& entry : fs::directory_iterator(dir_))
      fs::remove(entry.path());
    Put(path, "original");
    ReplaceOptions options;
    options.before_rename = c.edit;
    const auto saved = ReplaceFile(
        path,
        [&](const CurrentContent&) {
          return Result<std::optional<std::string_view>>(
              c.wanted ? std::optional<std::string_view>(*c.wanted) : std::nullopt);
        },
        options);
    ASSERT_EQ(saved.ok() ? std::nullopt : std::optional(saved.error().kind), c.failed) << c.name;
    const std::vector<std::string> entries = Entries();
    if (c.failed) {
      EXPECT_TRUE(entries.empty()) << c.name << ": " << entries.size();
      continue;
    }
    const Result<std::string> now = ReadFile(path);
    EXPECT_EQ(now.ok() ? Content(*now) : std::nullopt, c.wanted) << c.name;
    EXPECT_EQ(saved->displaced.has_value(), c.kept.has_value()) << c.name;
    EXPECT_EQ(entries.size(), (c.wanted ? 1u : 0u) + (c.kept ? 1u : 0u)) << c.name;
    if (!saved->displaced || !c.kept) continue;
    EXPECT_EQ(saved->displaced->parent_path(), dir_) << c.name;
    EXPECT_TRUE(saved->displaced->filename().string().starts_with("cal.ics.conflict-")) << c.name;
    EXPECT_EQ(ReadFile(*saved->displaced).value_or(""), *c.kept) << c.name;
    const Status reported = StatusOf(path, saved);
    EXPECT_EQ(reported.error().kind, ErrorKind::kConflict) << c.name;
    EXPECT_NE(reported.error().description.find(saved->displaced->string()), std::string::npos);
  }
}

// The lock beside the file is never followed: a link there, dangling or not, is refused
// and nothing is created or changed where it points. A stale lock goes only when nobody
// holds it, and only when it is a plain lock file.
TEST_F(FileTest, LockFilesAreNeverFollowedAndStaleOnesGo) {
  const fs::path path = dir_ / "cal.ics";
  const fs::path lock = dir_ / "cal.ics.lock";
  const fs::path elsewhere = dir_ / "elsewhere";
  const struct {
    const char* name;
    std::function<void()> make_lock;
    bool refused;        // by ReplaceFile, which leaves the file alone
    bool stale_remains;  // after RemoveStaleLock
  } cases[] = {
      {"no lock", [] {}, false, false},
      {"stale lock", [&] { Put(lock, ""); }, false, false},
      {"dangling link", [&] { fs::create_symlink(elsewhere, lock); }, true, true},
      {"link to a file",
       [&] {
         Put(elsewhere, "keep");
         fs::create_symlink(elsewhere, lock);
       },
       true, true},
      {"FIFO", [&] { ASSERT_EQ(::mkfifo(lock.c_str(), 0600), 0); }, true, true},
  };
  for (const auto& c : cases) {
    for (const auto& entry : fs::directory_iterator(dir_))
      fs::remove(entry.path());
    Put(path, "original");
    c.make_lock();
    const bool elsewhere_before = fs::exists(elsewhere);
    const auto saved = ReplaceIfUnchanged(path, "original", "ours");
    EXPECT_EQ(!saved.ok(), c.refused) << c.name;
    EXPECT_EQ(*ReadFile(path), c.refused ? "original" : "ours") << c.name;
    if (c.refused) {
      EXPECT_EQ(saved.error().kind, ErrorKind::kRefused) << c.name;
      EXPECT_NE(saved.error().description.find(lock.string()), std::string::npos)
          << saved.error().description;
      EXPECT_EQ(FileLock::Acquire(path, std::chrono::milliseconds(0)).error().kind,
                ErrorKind::kRefused)
          << c.name;
    }
    EXPECT_EQ(fs::exists(elsewhere), elsewhere_before) << c.name;
    if (elsewhere_before) {
      EXPECT_EQ(*ReadFile(elsewhere), "keep") << c.name;
    }

    // What a killed run leaves; a saving run removed its own.
    if (!fs::is_symlink(lock) && !fs::exists(lock)) c.make_lock();
    RemoveStaleLock(path);
    EXPECT_EQ(fs::is_symlink(lock) || fs::exists(lock), c.stale_remains) << c.name;
  }
  // A lock some writer holds stays.
  fs::remove(lock);
  auto held = FileLock::Acquire(path);
  ASSERT_TRUE(held.ok());
  RemoveStaleLock(path);
  EXPECT_TRUE(fs::exists(lock));
}

}  // namespace
}  // namespace feriant::base
