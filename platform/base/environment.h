#pragma once
// What the process learns from its environment: where per-user files live and which
// locale the user chose.

#include <filesystem>
#include <string>

namespace feriant::base {

// $XDG_CONFIG_HOME, or $HOME/.config; the current directory when neither is set.
std::filesystem::path UserConfigDir();

// The user's locale name for messages: the first non-empty of LC_ALL, LC_MESSAGES and
// LANG ("de_AT.UTF-8"); empty when none is set.
std::string MessagesLocale();

}  // namespace feriant::base
