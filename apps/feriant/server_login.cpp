#include "apps/feriant/server_login.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "hosts/outlook/caldav_account.h"

namespace feriant::cli {
namespace {

// The terminal with echo off for as long as it lives; closed and restored on every way out.
class SilentTerminal {
 public:
  SilentTerminal() : fd_(::open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC)) {
    if (fd_ < 0 || ::tcgetattr(fd_, &saved_) != 0) return;
    termios silent = saved_;
    silent.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    silent.c_lflag |= ICANON;
    restore_ = ::tcsetattr(fd_, TCSAFLUSH, &silent) == 0;
  }
  SilentTerminal(const SilentTerminal&) = delete;
  SilentTerminal& operator=(const SilentTerminal&) = delete;
  ~SilentTerminal() {
    if (restore_) ::tcsetattr(fd_, TCSAFLUSH, &saved_);
    if (fd_ >= 0) ::close(fd_);
  }
  bool usable() const { return restore_; }
  int fd() const { return fd_; }

 private:
  int fd_;
  termios saved_{};
  bool restore_ = false;
};

std::optional<std::string> AskPassword(const outlook::ServerAccount& account) {
  if (::isatty(STDIN_FILENO) != 1) return std::nullopt;
  SilentTerminal terminal;
  if (!terminal.usable()) return std::nullopt;
  const std::string question = "Password for " + account.user + " at " + account.host + ": ";
  (void)!::write(terminal.fd(), question.data(), question.size());
  std::string password;
  char c = 0;
  while (::read(terminal.fd(), &c, 1) == 1 && c != '\n' && c != '\r')
    password += c;
  (void)!::write(terminal.fd(), "\n", 1);
  return password;
}

}  // namespace

Result<outlook::ServerSettings> ServerLogin(const std::string& url,
                                            const std::optional<std::string>& ca_file) {
  const char* home = std::getenv("HOME");
  const std::filesystem::path netrc = home != nullptr && *home != '\0'
                                          ? std::filesystem::path(home) / ".netrc"
                                          : std::filesystem::path();
  Result<outlook::ServerAccount> account =
      outlook::FindAccount(url, netrc, std::getenv(outlook::kPasswordVariable));
  if (!account) return account.error();
  outlook::ServerSettings settings;
  settings.user = account->user;
  if (!account->user.empty() && !account->password) account->password = AskPassword(*account);
  settings.password = account->password.value_or("");
  if (ca_file) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(*ca_file, ignored)) {
      return Error{0, "--cacert " + *ca_file + ": there is no such file", {}, ErrorKind::kInvalid};
    }
    settings.ca_file = std::filesystem::absolute(*ca_file, ignored).string();
  }
  return settings;
}

}  // namespace feriant::cli
