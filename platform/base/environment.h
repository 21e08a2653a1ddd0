#pragma once
// What the process learns from its environment: where per-user files live and which
// locale the user chose.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/base/result.h"

namespace feriant::base {

// $XDG_CONFIG_HOME, or <home>/.config, where home is $HOME or, when that is not set
// either, the home folder the password database gives the user. Without any of them an
// Error (kNotFound) that says so: a person's files never land in whatever folder a
// program was started in.
Result<std::filesystem::path> UserConfigDir();

// The user's locale name for messages: the first non-empty of LC_ALL, LC_MESSAGES and
// LANG ("de_AT.UTF-8"); empty when none is set.
std::string MessagesLocale();

// The Windows locale identifier of a POSIX locale name: "de_AT.UTF-8" gives 3079,
// "en_GB" 2057, "de" 1031. A territory the table does not know falls back to the
// language's main locale; "C", "POSIX", the empty name and unknown languages give 1033.
int LcidOfLocale(std::string_view locale);

// LcidOfLocale(MessagesLocale()).
int UserLcid();

}  // namespace feriant::base
