#include "platform/base/environment.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include <pwd.h>
#include <unistd.h>

namespace feriant::base {
namespace {

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

struct LocaleLcid {
  std::string_view name;  // "de_AT", or a language alone for its main locale
  int lcid;
};

// Locales with their Windows identifiers; a language alone names its main locale.
constexpr LocaleLcid kLocales[] = {
    {"de", 1031},     {"de_DE", 1031},  {"de_CH", 2055}, {"de_AT", 3079}, {"de_LU", 4103},
    {"de_LI", 5127},  {"en", 1033},     {"en_US", 1033}, {"en_GB", 2057}, {"en_AU", 3081},
    {"en_CA", 4105},  {"en_NZ", 5129},  {"en_IE", 6153}, {"en_ZA", 7177}, {"en_JM", 8201},
    {"en_BZ", 10249}, {"en_TT", 11273}, {"fr", 1036},    {"fr_FR", 1036}, {"fr_BE", 2060},
    {"fr_CA", 3084},  {"fr_CH", 4108},  {"fr_LU", 5132}, {"it", 1040},    {"it_IT", 1040},
    {"it_CH", 2064},  {"es", 3082},     {"es_ES", 3082}, {"nl", 1043},    {"nl_NL", 1043},
    {"nl_BE", 2067},  {"pt", 2070},     {"pt_PT", 2070}, {"pt_BR", 1046}, {"da", 1030},
    {"sv", 1053},     {"nb", 1044},     {"fi", 1035},    {"pl", 1045},    {"cs", 1029},
    {"hu", 1038},     {"ru", 1049},     {"tr", 1055},    {"el", 1032},    {"ja", 1041},
    {"zh", 2052},     {"ko", 1042},
};

constexpr int kEnglishUnitedStates = 1033;

}  // namespace

int LcidOfLocale(std::string_view locale) {
  // "de_AT.UTF-8@euro": the codeset and modifier play no part.
  locale = locale.substr(0, locale.find_first_of(".@"));
  const std::string_view language = locale.substr(0, locale.find('_'));
  int fallback = kEnglishUnitedStates;
  for (const LocaleLcid& entry : kLocales) {
    if (entry.name == locale) return entry.lcid;
    if (entry.name == language) fallback = entry.lcid;
  }
  return fallback;
}

int UserLcid() {
  return LcidOfLocale(MessagesLocale());
}

Result<std::filesystem::path> UserConfigDir() {
  if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME")) return std::filesystem::path(xdg);
  if (const char* home = NonEmptyEnv("HOME")) return std::filesystem::path(home) / ".config";
  const uid_t uid = ::getuid();
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  while (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) == ERANGE &&
         buffer.size() < (std::size_t{1} << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (found != nullptr && found->pw_dir != nullptr && found->pw_dir[0] == '/')
    return std::filesystem::path(found->pw_dir) / ".config";
  return ErrorOf(ErrorKind::kNotFound,
                 "cannot find the home folder: neither HOME nor XDG_CONFIG_HOME is set and the "
                 "password database gives user " +
                     std::to_string(uid) + " no home folder");
}

std::string MessagesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = NonEmptyEnv(name)) return value;
  }
  return {};
}

}  // namespace feriant::base
