#include "platform/ui/core/system_facts.h"

#include <cstdlib>
#include <vector>

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace feriant::ui::system {
namespace {

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

OsVersion Version() {
  OsVersion version{2, 10, 0, 0, "Linux"};
  utsname name{};
  if (::uname(&name) == 0) version.text = std::string(name.sysname) + " " + name.release;
  return version;
}

std::string UserName() {
  const long suggested = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(suggested > 0 ? static_cast<size_t>(suggested) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
      found != nullptr && found->pw_name != nullptr && *found->pw_name != '\0')
    return found->pw_name;
  for (const char* variable : {"USER", "LOGNAME"}) {
    if (const char* value = NonEmptyEnv(variable)) return value;
  }
  return {};
}

std::string DomainName() {
  char name[256] = {};
  // A name that does not fit is cut without a terminating zero; the last byte stays 0.
  if (::gethostname(name, sizeof(name) - 1) != 0) return {};
  const std::string host(name);
  return host.substr(0, host.find('.'));
}

std::string WindowsDirectory() {
  return "/usr";
}

std::string SystemDirectory() {
  return "/usr/lib";
}

std::string ListSeparatorOf(std::string_view locale) {
  locale = locale.substr(0, locale.find_first_of(".@"));
  const std::string_view language = locale.substr(0, locale.find('_'));
  for (std::string_view comma : {"", "C", "POSIX", "en", "zh", "ja", "ko"}) {
    if (language == comma) return ",";
  }
  return ";";
}

std::string ListSeparator() {
  for (const char* name : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    if (const char* value = NonEmptyEnv(name)) return ListSeparatorOf(value);
  }
  return ListSeparatorOf("");
}

}  // namespace feriant::ui::system
