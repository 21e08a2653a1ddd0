#include "platform/base/file.h"

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace feriant::base {
namespace {

// Closes a descriptor on every path out of a function.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
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

Status WriteAll(int fd, std::string_view bytes, const std::filesystem::path& path) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError(errno, "cannot write", path);
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return Ok();
}

mode_t CurrentUmask() {
  mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

Error SystemError(int error_number, std::string_view what, const std::filesystem::path& path) {
  std::string text(what);
  text += ' ';
  text += path.string();
  text += ": ";
  text += std::strerror(error_number);
  return Error{error_number, std::move(text), {}};
}

Result<std::string> ReadFile(const std::filesystem::path& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return SystemError(errno, "cannot open", path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return SystemError(errno, "cannot read", path);
  if (S_ISDIR(st.st_mode)) return SystemError(EISDIR, "cannot read", path);
  std::string bytes;
  if (st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return SystemError(errno, "cannot read", path);
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

Status WriteFileAtomically(const std::filesystem::path& given, std::string_view bytes) {
  // A symbolic link stays a link: the file it names is the one replaced.
  std::filesystem::path path = given;
  struct stat link {};
  if (::lstat(given.c_str(), &link) == 0 && S_ISLNK(link.st_mode)) {
    std::error_code error;
    path = std::filesystem::weakly_canonical(given, error);
    if (error) return SystemError(error.value(), "cannot follow the link", given);
  }
  const std::filesystem::path dir = path.has_parent_path() ? path.parent_path() : ".";
  mode_t mode = 0666 & ~CurrentUmask();
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) {
    if (!S_ISREG(st.st_mode)) return SystemError(EINVAL, "not a regular file:", path);
    // Replacing needs only a writable directory; a file its owner made read-only stays.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(path.c_str(), W_OK) != 0) {
      return SystemError(EACCES, "will not replace the read-only file", path);
    }
    mode = st.st_mode & 07777;
  }

  std::string temp = (dir / ("." + path.filename().string() + ".XXXXXX")).string();
  Fd fd(::mkostemp(temp.data(), O_CLOEXEC));
  if (fd.get() < 0) return SystemError(errno, "cannot create a file beside", path);
  auto discard = [&](Error error) {
    ::unlink(temp.c_str());
    return error;
  };
  if (::fchmod(fd.get(), mode) != 0) return discard(SystemError(errno, "cannot write", path));
  if (Status written = WriteAll(fd.get(), bytes, path); !written) return discard(written.error());
  if (::fsync(fd.get()) != 0) return discard(SystemError(errno, "cannot flush", path));
  if (::close(fd.release()) != 0) return discard(SystemError(errno, "cannot write", path));
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    return discard(SystemError(errno, "cannot replace", path));
  }
  // The rename is durable only once the directory entry is on disk.
  Fd dir_fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir_fd.get() >= 0) ::fsync(dir_fd.get());
  return Ok();
}

Result<FileLock> FileLock::Acquire(const std::filesystem::path& path,
                                   std::chrono::milliseconds wait) {
  std::filesystem::path lock_path = path;
  lock_path += ".lock";
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    Fd fd(::open(lock_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0) return SystemError(errno, "cannot lock", path);
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno != EWOULDBLOCK && errno != EINTR) return SystemError(errno, "cannot lock", path);
      if (std::chrono::steady_clock::now() >= deadline) {
        return Error{
            EWOULDBLOCK, "another program is writing " + path.string() + "; try again", {}};
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    // The holder before us removes the sidecar when it lets go; the lock is ours only if
    // the path still names the file we locked.
    struct stat locked {};
    struct stat named {};
    if (::fstat(fd.get(), &locked) == 0 && ::stat(lock_path.c_str(), &named) == 0 &&
        locked.st_dev == named.st_dev && locked.st_ino == named.st_ino) {
      return FileLock(fd.release(), std::move(lock_path));
    }
  }
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
