#pragma once
// Files people own: whole-file reads and the one way to replace such a file.
//
// ReplaceFile is how every writer of a person's file (a calendar, a project plan, the
// per-user registry, a form file) replaces it. Under the lock "<file>.lock" it reads the
// file as it is now, lets the caller decide the new content from that, and replaces the
// file atomically: a temporary file in the same directory is written, flushed to disk and
// renamed over it. Nothing is ever written in place, so a crash leaves either the old or
// the new file, and a file the caller did not mean to change is left byte for byte.
// On the way it
//   - follows symbolic links: the link stays, the file it names is replaced;
//   - refuses what is not a regular file (a directory, a FIFO, a device), a file its owner
//     made read-only, and a file too large to be what the caller reads;
//   - keeps the replaced file's permission bits, owner and group (a new file gets 0666
//     less the umask), and refuses rather than give a file to another owner;
//   - checks once more, right before the rename, that the file is still the one it read
//     (identity, size and modification time), for editors that ignore the lock;
//   - keeps the file as read open, and after the rename compares it with what was read:
//     a program that ignores the lock may still have written to it between that last
//     check and the rename. Its version is then kept beside the file as
//     "<file>.conflict-<UTC time>" and the result says so (Replaced::displaced). A write
//     to the old file that comes after this comparison is beyond any check: it goes to a
//     file that no longer has a name;
//   - refuses a lock file that is a symbolic link or not a regular file, so that a link
//     placed in a shared folder never makes a run create or truncate a file elsewhere;
//   - removes the temporary files earlier runs left when they were killed (named
//     ".<file>.feriant-XXXXXX"; only a writer holding the lock can own one);
//   - stops without replacing anything when an interrupt arrives (interrupt.h);
//   - removes its temporary file and its lock on every way out.
// Errors name the file; their kinds say what happened (result.h). Single-threaded use.

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/result.h"

namespace feriant::base {

// How much a reader of a person's file takes at most: a calendar or a project plan is far
// below it, /dev/zero or a runaway file is not.
inline constexpr std::size_t kMaxFileBytes = std::size_t{256} << 20;  // 256 MiB

// The whole content of a regular file, or of the file a link names. A missing file is an
// error of kind kNotFound; anything that is not a regular file, or is larger than
// `max_bytes`, is refused (kRefused) without being read. Never blocks on a FIFO.
Result<std::string> ReadFile(const std::filesystem::path& path,
                             std::size_t max_bytes = kMaxFileBytes);

// Whether ReplaceFile could create or replace `path`: it names a regular file (directly
// or through links), or nothing in a directory that exists. Nothing is created.
Status CheckReplaceable(const std::filesystem::path& path);

struct ReplaceOptions {
  std::size_t max_bytes = kMaxFileBytes;                           // of the file as it is now
  std::chrono::milliseconds lock_wait = std::chrono::seconds(10);  // for another writer
  // Called after the last check of the file, right before the rename (or the removal);
  // lets a test play a program that writes to the file just then, ignoring the lock.
  std::function<void()> before_rename;
};

// What ReplaceFile did besides what was asked.
struct Replaced {
  // Another program wrote to the file after its last check and before the rename, so
  // the file now holds the new content and that program's version was kept here, beside
  // it. Callers tell the person (DisplacedMessage) and end with a failure: the file was
  // saved, but someone's edit is no longer in it. Nothing in the usual case.
  std::optional<std::filesystem::path> displaced;
};

// "<file> was saved, but another program changed it while it was being saved; its
// version was kept as <kept>".
std::string DisplacedMessage(const std::filesystem::path& file, const std::filesystem::path& kept);

// ReplaceFile's result for `file` as a Status, for callers with no more to say: a
// displaced version is an Error of kind kConflict (DisplacedMessage), though the file
// holds the new content.
Status StatusOf(const std::filesystem::path& file, const Result<Replaced>& replaced);

// The file's content as ReplaceFile read it under the lock; nothing when there is none.
using CurrentContent = std::optional<std::string>;
// What the file shall hold: a view of the new bytes, kept alive by the caller until
// ReplaceFile returns; nothing to remove the file. Returning the current content (or
// nothing for an absent file) writes nothing. An Error leaves the file alone and is
// what ReplaceFile returns.
using NewContent = std::function<Result<std::optional<std::string_view>>(const CurrentContent&)>;

// Replaces `path` as described above.
Result<Replaced> ReplaceFile(const std::filesystem::path& path, const NewContent& decide,
                             const ReplaceOptions& options = {});

// Replaces `path` by `bytes` if it still holds `expected` (nothing: the file did not
// exist); otherwise refuses with kConflict and leaves it alone.
Result<Replaced> ReplaceIfUnchanged(const std::filesystem::path& path,
                                    const std::optional<std::string_view>& expected,
                                    std::string_view bytes, const ReplaceOptions& options = {});

// The building blocks of ReplaceFile, for callers that hold the lock themselves.
//
// Replaces `path` by `bytes` atomically, following links, keeping permission bits, owner
// and group, refusing read-only files; the target is untouched on failure and the
// temporary file removed. Takes no lock and compares nothing.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// An exclusive advisory lock on "<path>.lock" beside the file (a lock on the file itself
// would not survive the rename). Released by the destructor, which also removes the
// sidecar file so that no litter is left beside a person's file. A writer that waited on
// a sidecar file that was removed meanwhile notices it (the path no longer names the
// file it locked) and locks the new one instead, so removing it is safe. A sidecar that
// is a symbolic link or not a regular file is refused (kRefused), never followed.
class FileLock {
 public:
  // Waits up to `wait` for a writer that holds the lock (kBusy after that; kInterrupted
  // when an interrupt arrives meanwhile); errors name the file.
  static Result<FileLock> Acquire(const std::filesystem::path& path,
                                  std::chrono::milliseconds wait = std::chrono::seconds(10));

  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  ~FileLock();

 private:
  FileLock(int fd, std::filesystem::path lock_path) : fd_(fd), lock_path_(std::move(lock_path)) {}
  void Release();

  int fd_ = -1;
  std::filesystem::path lock_path_;
};

// Removes the lock file a killed writer left beside `path` (or beside the file a link
// names), when no writer holds it now; otherwise, or when there is none, does nothing.
// Creates nothing and never waits.
void RemoveStaleLock(const std::filesystem::path& path);

// An Error for a failed system call on `path`: "<what> <path>: <strerror>", of kind
// kNotFound for ENOENT and kSystem otherwise, with the errno as its code.
Error SystemError(int error_number, std::string_view what, const std::filesystem::path& path);

}  // namespace feriant::base
