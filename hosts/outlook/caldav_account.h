#pragma once
// Who a CalDAV client is on a server: the user name from the URL ("https://alice@host/")
// or from ~/.netrc, the password from ~/.netrc or the environment variable
// FERIANT_CALDAV_PASSWORD.
//
// A password is never taken from the URL (it would show in the process list and the
// shell's history), and ~/.netrc is used only when no other user can read it. Nothing
// here writes or prints a password. Plain functions; no thread affinity.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/result.h"

namespace feriant::outlook {

inline constexpr const char* kPasswordVariable = "FERIANT_CALDAV_PASSWORD";

struct ServerAccount {
  std::string url;   // without user name or password
  std::string host;  // lower case
  std::string user;  // empty: none known
  std::optional<std::string> password;
};

// The account for `url`, from the URL, `netrc` (usually ~/.netrc; absent is no error)
// and `environment_password` (the variable's value, or nullptr). Refused with a message
// for a person when the URL is not an http or https URL, holds a password, or `netrc`
// can be read by others.
Result<ServerAccount> FindAccount(std::string_view url, const std::filesystem::path& netrc,
                                  const char* environment_password);

// The entry of a netrc text for `host` (and `user` when given): its login and password.
struct NetrcEntry {
  std::string login;
  std::optional<std::string> password;
};
std::optional<NetrcEntry> FindNetrcEntry(std::string_view text, std::string_view host,
                                         std::string_view user);

}  // namespace feriant::outlook
