#include "platform/base/environment.h"

#include <cstdlib>

namespace feriant::base {
namespace {

const char* NonEmptyEnv(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? value : nullptr;
}

}  // namespace

std::filesystem::path UserConfigDir() {
  if (const char* xdg = NonEmptyEnv("XDG_CONFIG_HOME")) return xdg;
  if (const char* home = NonEmptyEnv("HOME")) return std::filesystem::path(home) / ".config";
  return std::filesystem::current_path();
}

std::string MessagesLocale() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    if (const char* value = NonEmptyEnv(name)) return value;
  }
  return {};
}

}  // namespace feriant::base
