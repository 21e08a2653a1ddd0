#pragma once
// Checks of the words of a command line before the parser sees them, for the mistakes it
// reports poorly: an option the command does not have (the parser would first complain
// of a missing required option) and a value of several words whose quotes the shell took
// away (the parser would only say that a word was not expected).
//
// Plain functions; one thread.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include <CLI/CLI.hpp>

namespace feriant::cli {

// The message for the first mistake in `words` (the words after the command's name) for
// `command`, without the "feriant <command>: " prefix; nothing when there is none.
std::optional<std::string> CheckCommandWords(const CLI::App& command,
                                             std::span<const std::string_view> words);

}  // namespace feriant::cli
