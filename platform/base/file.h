#pragma once
// Files people own: whole-file reads, atomic replacement and the writer's lock.
//
// Every writer of a person's file takes FileLock first, checks that the file is still
// what it read, and replaces it with WriteFileAtomically. Nothing is ever written in
// place, so a crash leaves either the old or the new file. Single-threaded use per object.

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/base/result.h"

namespace feriant::base {

// The whole content of a file. A missing file is an error whose code is ENOENT.
Result<std::string> ReadFile(const std::filesystem::path& path);

// Replaces `path` by `bytes`: a temporary file in the same directory is written, flushed
// to disk and renamed over the target; then the directory is flushed. A replaced file's
// permission bits are kept; a new file gets 0666 less the umask. A symbolic link is
// followed (the link stays, the file it names is replaced), and a file without write
// permission is refused. On failure the target is untouched and the temporary file is
// removed.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// An exclusive advisory lock on "<path>.lock" beside the file (a lock on the file itself
// would not survive the rename). Released by the destructor, which also removes the
// sidecar file so that no litter is left beside a person's file. A writer that waited on
// a sidecar file that was removed meanwhile notices it (the path no longer names the
// file it locked) and locks the new one instead, so removing it is safe.
class FileLock {
 public:
  // Waits up to `wait` for a writer that holds the lock; an error names the file.
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

// An Error for a failed system call on `path`: "<what> <path>: <strerror>".
Error SystemError(int error_number, std::string_view what, const std::filesystem::path& path);

}  // namespace feriant::base
