#include "platform/base/file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <thread>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/interrupt.h"

namespace feriant::base {
namespace {

namespace fs = std::filesystem;

// Temporary files are ".<file><kTempTag>XXXXXX": hidden, beside the file, and named so
// that a later writer recognises the ones a killed writer left.
constexpr std::string_view kTempTag = ".feriant-";
constexpr size_t kTempRandomLength = 6;  // mkstemp's XXXXXX: letters and digits
// Links followed at most; the kernel's own limit for a path.
constexpr int kMaxLinks = 40;
// Writes go out in pieces of this size, so that an interrupt is noticed in between.
constexpr size_t kWriteChunk = size_t{1} << 20;

// Closes a descriptor on every path out of a function.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(other.release()) {}
  Fd& operator=(Fd&& other) noexcept {
    if (this != &other) {
      if (fd_ >= 0) ::close(fd_);
      fd_ = other.release();
    }
    return *this;
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

 private:
  int fd_;
};

// Removes a temporary file on every path out, unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  const std::string& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

// Holds SIGINT and SIGTERM back for its lifetime; one that arrived meanwhile is delivered
// when it ends.
class InterruptsHeld {
 public:
  InterruptsHeld() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGINT);
    sigaddset(&held, SIGTERM);
    ::pthread_sigmask(SIG_BLOCK, &held, &before_);
  }
  InterruptsHeld(const InterruptsHeld&) = delete;
  InterruptsHeld& operator=(const InterruptsHeld&) = delete;
  ~InterruptsHeld() { ::pthread_sigmask(SIG_SETMASK, &before_, nullptr); }

 private:
  sigset_t before_;
};

// What identifies the file that was read: another program that replaced or rewrote it
// since changed at least one of these.
struct Identity {
  bool exists = false;
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};
};

Identity IdentityOf(const struct stat& st) {
  return Identity{true, st.st_dev, st.st_ino, st.st_size, st.st_mtim};
}

bool SameIdentity(const Identity& a, const Identity& b) {
  if (a.exists != b.exists) return false;
  return !a.exists ||
         (a.device == b.device && a.inode == b.inode && a.size == b.size &&
          a.modified.tv_sec == b.modified.tv_sec && a.modified.tv_nsec == b.modified.tv_nsec);
}

// Whether `path` is still the file `read` describes (or still absent).
bool StillAsRead(const fs::path& path, const Identity& read) {
  struct stat now {};
  Identity current;
  if (::stat(path.c_str(), &now) == 0) current = IdentityOf(now);
  return SameIdentity(current, read);
}

Error Interrupted(const fs::path& path, int signal) {
  return ErrorOf(ErrorKind::kInterrupted, "interrupted; " + path.string() + " was not changed",
                 signal);
}

Error ChangedMeanwhile(const fs::path& path) {
  return ErrorOf(ErrorKind::kConflict,
                 path.string() + " was changed by another program since it was read");
}

// `what` says what could not be done: "cannot read", "cannot replace".
Error NotRegular(std::string_view what, const fs::path& path, const struct stat& st) {
  if (S_ISDIR(st.st_mode)) {
    Error error = SystemError(EISDIR, what, path);
    error.kind = ErrorKind::kRefused;
    return error;
  }
  const char* type = S_ISFIFO(st.st_mode)   ? "a FIFO"
                     : S_ISCHR(st.st_mode)  ? "a character device"
                     : S_ISBLK(st.st_mode)  ? "a block device"
                     : S_ISSOCK(st.st_mode) ? "a socket"
                                            : "something else";
  return ErrorOf(ErrorKind::kRefused, std::string(what) + " " + path.string() + ": it is " + type +
                                          ", not a regular file");
}

Error TooLarge(const fs::path& path, size_t max_bytes) {
  return ErrorOf(ErrorKind::kRefused, "cannot read " + path.string() + ": it is larger than " +
                                          std::to_string(max_bytes >> 20) + " MiB");
}

bool IsReadOnly(const fs::path& path, const struct stat& st) {
  // Replacing needs only a writable directory; a file its owner made read-only stays.
  return (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0;
}

Error ReadOnly(const fs::path& path) {
  return ErrorOf(ErrorKind::kRefused, "will not replace the read-only file " + path.string(),
                 EACCES);
}

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

fs::path DirectoryOf(const fs::path& path) {
  return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

// The file that `given` names once every symbolic link on its last component is followed;
// it need not exist (a link may name a file still to be created).
Result<fs::path> FollowLinks(const fs::path& given) {
  fs::path path = given;
  for (int links = 0; links < kMaxLinks; ++links) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::error_code error;
    const fs::path target = fs::read_symlink(path, error);
    if (error) return SystemError(error.value(), "cannot follow the link", given);
    path = target.is_absolute() ? target : DirectoryOf(path) / target;
  }
  return SystemError(ELOOP, "cannot follow the link", given);
}

Status WriteAll(int fd, std::string_view bytes, const fs::path& path) {
  while (!bytes.empty()) {
    if (const int signal = InterruptSignal(); signal != 0) return Interrupted(path, signal);
    const ssize_t n = ::write(fd, bytes.data(), std::min(bytes.size(), kWriteChunk));
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError(errno, "cannot write", path);
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return Ok();
}

// Opens `path` for reading without blocking on a FIFO. Nothing (and no error) when it does
// not exist; `st` receives its status. With `keep`, the descriptor stays open there.
Result<std::optional<std::string>> ReadIfRegular(const fs::path& path, size_t max_bytes,
                                                 struct stat& st, Fd* keep = nullptr) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0) {
    if (errno == ENOENT) return std::optional<std::string>();
    return SystemError(errno, "cannot open", path);
  }
  if (::fstat(fd.get(), &st) != 0) return SystemError(errno, "cannot read", path);
  if (!S_ISREG(st.st_mode)) return NotRegular("cannot read", path, st);
  if (static_cast<std::uintmax_t>(st.st_size) > max_bytes) return TooLarge(path, max_bytes);
  std::string bytes;
  bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      return SystemError(errno, "cannot read", path);
    }
    if (n == 0) break;
    // A file that grows while it is read (or one whose size the kernel does not know)
    // is held to the limit too.
    if (bytes.size() + static_cast<size_t>(n) > max_bytes) return TooLarge(path, max_bytes);
    bytes.append(buffer, static_cast<size_t>(n));
  }
  if (keep != nullptr) *keep = Fd(fd.release());
  return std::optional<std::string>(std::move(bytes));
}

// The file as ReplaceFile read it under the lock, still open: where the file system
// cannot swap names, it is the only way left to what another program wrote to it.
struct AsRead {
  Fd fd{-1};
  struct stat status {};
  std::string_view bytes;
};

// Whether the file open as `read.fd` holds other bytes than were read: another program
// wrote to it since. Reading it through the descriptor also catches a write that left
// size and modification time as they were (within the clock's resolution).
bool ChangedSinceRead(const AsRead& read) {
  struct stat now {};
  if (::fstat(read.fd.get(), &now) != 0) return false;
  if (now.st_size != static_cast<off_t>(read.bytes.size())) return true;
  std::string bytes(read.bytes.size(), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n =
        ::pread(read.fd.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;  // shorter than it says: it is changing
    done += static_cast<size_t>(n);
  }
  return bytes != read.bytes;
}

// "20261208T004144Z": when the displaced version was found, to the second, in UTC.
std::string ConflictStamp() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm utc{};
  ::gmtime_r(&now, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%dT%H%M%SZ", &utc);
  return text;
}

// The name "<path>.conflict-<stamp>" beside the file, with "-2", "-3", ... added while
// `take` finds the name taken (EEXIST); `take` makes the file under the name or fails.
Result<fs::path> TakeConflictName(const fs::path& path,
                                  const std::function<Status(const fs::path&)>& take) {
  const std::string base = path.string() + ".conflict-" + ConflictStamp();
  constexpr int kMaxTries = 100;
  for (int attempt = 0; attempt < kMaxTries; ++attempt) {
    fs::path kept = attempt == 0 ? base : base + "-" + std::to_string(attempt + 1);
    Status taken = take(kept);
    if (taken) return kept;
    if (taken.error().code != EEXIST) return taken.error();
  }
  return SystemError(EEXIST, "cannot create", base);
}

// Gives the file named `moved` the conflict name, never replacing a file of that name.
Result<fs::path> KeepMoved(const fs::path& path, const std::string& moved) {
  return TakeConflictName(path, [&](const fs::path& kept) -> Status {
    if (::renameat2(AT_FDCWD, moved.c_str(), AT_FDCWD, kept.c_str(), RENAME_NOREPLACE) == 0)
      return Ok();
    if (errno != EINVAL && errno != ENOSYS) return SystemError(errno, "cannot create", kept);
    // A file system that cannot refuse to replace: a hard link fails on a taken name.
    if (::link(moved.c_str(), kept.c_str()) != 0) return SystemError(errno, "cannot create", kept);
    ::unlink(moved.c_str());
    return Ok();
  });
}

// Copies what the file as read holds now into a new file with the conflict name and the
// old file's permission bits. The copy goes through the open descriptor, for a file that
// no longer has a name.
Result<fs::path> KeepCopy(const fs::path& path, const AsRead& read) {
  return TakeConflictName(path, [&](const fs::path& kept) -> Status {
    Fd out(::open(kept.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                  read.status.st_mode & 0666));
    if (out.get() < 0) return SystemError(errno, "cannot create", kept);
    char buffer[65536];
    for (off_t offset = 0;;) {
      const ssize_t n = ::pread(read.fd.get(), buffer, sizeof buffer, offset);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return SystemError(errno, "cannot read", path);
      if (n == 0) break;
      if (Status written =
              WriteAll(out.get(), std::string_view(buffer, static_cast<size_t>(n)), kept);
          !written) {
        return written;
      }
      offset += n;
    }
    if (::fsync(out.get()) != 0) return SystemError(errno, "cannot flush", kept);
    return Ok();
  });
}

// After `path` was replaced or removed: what it held the instant before is under the
// name `moved`, or, where the file system could not move it aside (`moved` empty), only
// the file as read is left to look at, through its descriptor. That version is kept
// beside the file when it is not the file as read or was changed since it was read;
// otherwise it goes. `read` is null where nothing was read.
Result<Replaced> SettleDisplaced(const fs::path& path, const std::string& moved,
                                 const AsRead* read) {
  if (read == nullptr) {
    // Nothing was read, so nothing can have been displaced (WriteFileAtomically).
    if (!moved.empty()) ::unlink(moved.c_str());
    return Replaced{};
  }
  if (!moved.empty()) {
    struct stat st {};
    if (::lstat(moved.c_str(), &st) != 0) return Replaced{};
    const bool same = st.st_dev == read->status.st_dev && st.st_ino == read->status.st_ino;
    if (same && !ChangedSinceRead(*read)) {
      ::unlink(moved.c_str());
      return Replaced{};
    }
  } else if (!ChangedSinceRead(*read)) {
    return Replaced{};
  }
  Result<fs::path> kept = !moved.empty() ? KeepMoved(path, moved) : KeepCopy(path, *read);
  if (!kept) {
    return ErrorOf(ErrorKind::kConflict,
                   path.string() +
                       " was saved, but another program changed it while it was being saved, "
                       "and its version could not be kept beside it (" +
                       kept.error().description + ")" +
                       (moved.empty() ? std::string() : "; it is still in " + moved),
                   kept.error().code);
  }
  return Replaced{std::move(*kept)};
}

// Removes what earlier writers of `path` left when they were killed: temporary files
// named for it. Only the holder of the lock may call this; every writer creates its
// temporary file under the lock, so none of them belongs to a running writer.
void RemoveLeftovers(const fs::path& path) {
  const fs::path dir = DirectoryOf(path);
  const std::string prefix = "." + path.filename().string() + std::string(kTempTag);
  std::unique_ptr<DIR, int (*)(DIR*)> listing(::opendir(dir.c_str()), ::closedir);
  if (listing == nullptr) return;  // nothing to tidy is no reason to refuse the save
  const int dir_fd = ::dirfd(listing.get());
  while (const dirent* entry = ::readdir(listing.get())) {
    const std::string_view name = entry->d_name;
    if (name.size() != prefix.size() + kTempRandomLength || name.substr(0, prefix.size()) != prefix)
      continue;
    const std::string_view random = name.substr(prefix.size());
    if (!std::all_of(random.begin(), random.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        })) {
      continue;
    }
    struct stat st {};
    if (::fstatat(dir_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode))
      ::unlinkat(dir_fd, entry->d_name, 0);
  }
}

// Writes `bytes` to a temporary file beside `path` and renames it over `path`, which must
// still be as `read` describes. `replaced` is the status of the file being replaced, or
// null for a new file; `as_read`, when given, the file as read, checked after the rename.
Result<Replaced> Commit(const fs::path& path, std::string_view bytes, const struct stat* replaced,
                        const Identity& read, const AsRead* as_read = nullptr,
                        const std::function<void()>& before_rename = {}) {
  const fs::path dir = DirectoryOf(path);
  std::string pattern = (dir / ("." + path.filename().string() + std::string(kTempTag))).string();
  pattern.append(kTempRandomLength, 'X');
  Fd fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (fd.get() < 0) return SystemError(errno, "cannot create a file beside", path);
  TemporaryFile temporary(pattern);

  mode_t mode = 0666 & ~CurrentUmask();
  if (replaced != nullptr) {
    mode = replaced->st_mode & 07777;
    struct stat created {};
    if (::fstat(fd.get(), &created) != 0) return SystemError(errno, "cannot write", path);
    // The new file is the creator's; a file of another user or group must stay theirs,
    // or they may no longer be able to read their own file.
    if ((created.st_uid != replaced->st_uid || created.st_gid != replaced->st_gid) &&
        ::fchown(fd.get(), replaced->st_uid, replaced->st_gid) != 0) {
      return ErrorOf(ErrorKind::kRefused,
                     "cannot keep the owner and group of " + path.string() +
                         " (only they or an administrator can replace it): " + std::strerror(errno),
                     errno);
    }
  }
  // After fchown, which clears the set-id bits.
  if (::fchmod(fd.get(), mode) != 0) return SystemError(errno, "cannot write", path);
  if (Status written = WriteAll(fd.get(), bytes, path); !written) return written.error();
  if (::fsync(fd.get()) != 0) return SystemError(errno, "cannot flush", path);
  if (::close(fd.release()) != 0) return SystemError(errno, "cannot write", path);

  // The name the file replaced is moved to by the swap; empty when nothing was swapped.
  std::string moved;
  {
    // From the last look at the interrupt and the file to the rename, nothing may stop.
    InterruptsHeld held;
    if (const int signal = InterruptSignal(); signal != 0) return Interrupted(path, signal);
    if (!StillAsRead(path, read)) return ChangedMeanwhile(path);
    if (before_rename) before_rename();
    // Swapping rather than renaming over the file keeps whatever the name held at that
    // instant, which may be another program's version put there since the last look;
    // a new file must not take the place of one created meanwhile.
    const unsigned int how = replaced != nullptr ? RENAME_EXCHANGE : RENAME_NOREPLACE;
    if (::renameat2(AT_FDCWD, temporary.path().c_str(), AT_FDCWD, path.c_str(), how) == 0) {
      if (replaced != nullptr) moved = temporary.path();
    } else if (errno == EEXIST || errno == ENOENT) {
      return ChangedMeanwhile(path);  // created or removed since the last look
    } else if (errno != EINVAL && errno != ENOSYS) {
      return SystemError(errno, "cannot replace", path);
    } else if (::rename(temporary.path().c_str(), path.c_str()) != 0) {
      return SystemError(errno, "cannot replace", path);
    }
    temporary.Keep();
  }
  Result<Replaced> settled = SettleDisplaced(path, moved, as_read);
  // The rename is durable only once the directory entry is on disk.
  Fd dir_fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir_fd.get() >= 0) ::fsync(dir_fd.get());
  return settled;
}

// Removes `path`, which must still be as `read` describes. It is first moved aside, so
// that a version another program put there since the last look is kept, not removed.
Result<Replaced> Remove(const fs::path& path, const Identity& read, const AsRead& as_read,
                        const std::function<void()>& before_rename) {
  std::string aside = (DirectoryOf(path) / ("." + path.filename().string() + std::string(kTempTag)))
                          .string()
                          .append(kTempRandomLength, 'X');
  Fd placeholder(::mkostemp(aside.data(), O_CLOEXEC));
  if (placeholder.get() < 0) return SystemError(errno, "cannot remove", path);
  TemporaryFile temporary(aside);
  {
    InterruptsHeld held;
    if (const int signal = InterruptSignal(); signal != 0) return Interrupted(path, signal);
    if (!StillAsRead(path, read)) return ChangedMeanwhile(path);
    if (before_rename) before_rename();
    if (::rename(path.c_str(), aside.c_str()) != 0) {
      if (errno == ENOENT) return ChangedMeanwhile(path);
      return SystemError(errno, "cannot remove", path);
    }
    temporary.Keep();
  }
  return SettleDisplaced(path, aside, &as_read);
}

// Whether `fd` is the file `lock_path` names now (not a file put in its place since).
bool StillNamed(int fd, const fs::path& lock_path) {
  struct stat locked {};
  struct stat named {};
  return ::fstat(fd, &locked) == 0 && ::lstat(lock_path.c_str(), &named) == 0 &&
         locked.st_dev == named.st_dev && locked.st_ino == named.st_ino;
}

fs::path LockPathOf(const fs::path& path) {
  fs::path lock_path = path;
  lock_path += ".lock";
  return lock_path;
}

// Opens the lock file of `path` without following a link; `flags` adds O_CREAT or not.
// Refuses a link and anything not a regular file: in a shared folder another user could
// otherwise have a run create or truncate a file wherever the run's user may write.
Result<Fd> OpenLockFile(const fs::path& path, const fs::path& lock_path, int flags) {
  Fd fd(::open(lock_path.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | flags, 0666));
  if (fd.get() < 0) {
    if (errno == ELOOP) {
      return ErrorOf(ErrorKind::kRefused,
                     "will not lock " + path.string() + ": its lock file " + lock_path.string() +
                         " is a symbolic link; remove the link once no program is saving the "
                         "file",
                     ELOOP);
    }
    return SystemError(errno, "cannot lock", path);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return SystemError(errno, "cannot lock", path);
  if (!S_ISREG(st.st_mode)) return NotRegular("will not use the lock file", lock_path, st);
  return Fd(fd.release());
}

}  // namespace

Error SystemError(int error_number, std::string_view what, const std::filesystem::path& path) {
  std::string text(what);
  text += ' ';
  text += path.string();
  text += ": ";
  text += std::strerror(error_number);
  return ErrorOf(error_number == ENOENT ? ErrorKind::kNotFound : ErrorKind::kSystem,
                 std::move(text), error_number);
}

std::string DisplacedMessage(const std::filesystem::path& file, const std::filesystem::path& kept) {
  return file.string() +
         " was saved, but another program changed it while it was being saved; its version "
         "was kept as " +
         kept.string();
}

Status StatusOf(const std::filesystem::path& file, const Result<Replaced>& replaced) {
  if (!replaced) return replaced.error();
  if (!replaced->displaced) return Ok();
  return ErrorOf(ErrorKind::kConflict, DisplacedMessage(file, *replaced->displaced));
}

Result<std::string> ReadFile(const std::filesystem::path& path, std::size_t max_bytes) {
  struct stat st {};
  Result<std::optional<std::string>> bytes = ReadIfRegular(path, max_bytes, st);
  if (!bytes) return bytes.error();
  if (!bytes->has_value()) return SystemError(ENOENT, "cannot open", path);
  return std::move(**bytes);
}

Status CheckReplaceable(const std::filesystem::path& given) {
  Result<fs::path> path = FollowLinks(given);
  if (!path) return path.error();
  struct stat st {};
  if (::stat(path->c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return NotRegular("cannot use", given, st);
    return Ok();
  }
  if (errno != ENOENT) return SystemError(errno, "cannot use", given);
  const fs::path dir = DirectoryOf(*path);
  if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
    return ErrorOf(ErrorKind::kNotFound,
                   "cannot create " + given.string() + ": there is no folder " + dir.string());
  }
  return Ok();
}

Result<Replaced> ReplaceFile(const std::filesystem::path& given, const NewContent& decide,
                             const ReplaceOptions& options) {
  if (const int signal = InterruptSignal(); signal != 0) return Interrupted(given, signal);
  Result<fs::path> resolved = FollowLinks(given);
  if (!resolved) return resolved.error();
  const fs::path& path = *resolved;

  Result<FileLock> lock = FileLock::Acquire(path, options.lock_wait);
  if (!lock) return lock.error();
  RemoveLeftovers(path);

  AsRead as_read;
  struct stat& st = as_read.status;
  Result<std::optional<std::string>> current =
      ReadIfRegular(path, options.max_bytes, st, &as_read.fd);
  if (!current) return current.error();
  const bool exists = current->has_value();
  const Identity read = exists ? IdentityOf(st) : Identity{};
  if (exists) as_read.bytes = **current;

  Result<std::optional<std::string_view>> wanted = decide(*current);
  if (!wanted) return wanted.error();
  if (!wanted->has_value()) {
    if (!exists) return Replaced{};
    return Remove(path, read, as_read, options.before_rename);
  }
  if (exists && **current == **wanted) return Replaced{};
  if (exists && IsReadOnly(path, st)) {
    // A file that another program removed meanwhile cannot be written either.
    if (!StillAsRead(path, read)) return ChangedMeanwhile(path);
    return ReadOnly(path);
  }
  return Commit(path, **wanted, exists ? &st : nullptr, read, exists ? &as_read : nullptr,
                options.before_rename);
}

Result<Replaced> ReplaceIfUnchanged(const std::filesystem::path& path,
                                    const std::optional<std::string_view>& expected,
                                    std::string_view bytes, const ReplaceOptions& options) {
  return ReplaceFile(
      path,
      [&](const CurrentContent& current) -> Result<std::optional<std::string_view>> {
        const bool unchanged =
            expected ? current && std::string_view(*current) == *expected : !current;
        if (!unchanged) return ChangedMeanwhile(path);
        return std::optional<std::string_view>(bytes);
      },
      options);
}

Status WriteFileAtomically(const std::filesystem::path& given, std::string_view bytes) {
  Result<fs::path> path = FollowLinks(given);
  if (!path) return path.error();
  struct stat st {};
  Result<Replaced> committed = Error{};
  if (::stat(path->c_str(), &st) != 0) {
    committed = Commit(*path, bytes, nullptr, Identity{});
  } else if (!S_ISREG(st.st_mode)) {
    return NotRegular("cannot replace", *path, st);
  } else if (IsReadOnly(*path, st)) {
    return ReadOnly(*path);
  } else {
    committed = Commit(*path, bytes, &st, IdentityOf(st));
  }
  if (!committed) return committed.error();
  return Ok();
}

Result<FileLock> FileLock::Acquire(const std::filesystem::path& path,
                                   std::chrono::milliseconds wait) {
  fs::path lock_path = LockPathOf(path);
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    Result<Fd> fd = OpenLockFile(path, lock_path, O_CREAT);
    if (!fd) return fd.error();
    while (::flock(fd->get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) return SystemError(errno, "cannot lock", path);
      if (const int signal = InterruptSignal(); signal != 0) return Interrupted(path, signal);
      if (std::chrono::steady_clock::now() >= deadline) {
        return ErrorOf(ErrorKind::kBusy,
                       "another program is writing " + path.string() + "; try again", EWOULDBLOCK);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // The holder before us removes the sidecar when it lets go; the lock is ours only if
    // the path still names the file we locked.
    if (StillNamed(fd->get(), lock_path)) return FileLock(fd->release(), std::move(lock_path));
  }
}

void RemoveStaleLock(const std::filesystem::path& given) {
  Result<fs::path> path = FollowLinks(given);
  if (!path) return;
  const fs::path lock_path = LockPathOf(*path);
  Result<Fd> fd = OpenLockFile(*path, lock_path, 0);
  if (!fd || ::flock(fd->get(), LOCK_EX | LOCK_NB) != 0) return;
  // Held now, so no writer owns it; a writer that opened it meanwhile finds it gone once
  // it gets the lock and takes a new one (FileLock::Acquire).
  if (StillNamed(fd->get(), lock_path)) ::unlink(lock_path.c_str());
}

FileLock::FileLock(FileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lock_path_(std::move(other.lock_path_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    lock_path_ = std::move(other.lock_path_);
  }
  return *this;
}

FileLock::~FileLock() {
  Release();
}

void FileLock::Release() {
  if (fd_ < 0) return;
  // Unlink while still holding the lock: a waiter then finds its file gone and retries.
  ::unlink(lock_path_.c_str());
  ::close(fd_);  // closing the descriptor releases the flock
  fd_ = -1;
}

}  // namespace feriant::base
