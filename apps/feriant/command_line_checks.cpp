#include "apps/feriant/command_line_checks.h"

#include <vector>

#include "apps/feriant/folded_text.h"

namespace feriant::cli {
namespace {

// The long option of `command` nearest to `name` (at most two letters off), for a hint.
std::optional<std::string> NearestOption(const CLI::App& command, std::string_view name) {
  const std::u32string typed = FoldForMatching(name);
  std::optional<std::string> nearest;
  std::size_t best = 3;
  for (const CLI::Option* option : command.get_options()) {
    for (const std::string& long_name : option->get_lnames()) {
      const std::size_t distance = EditDistance(typed, FoldForMatching("--" + long_name));
      if (distance < best) {
        best = distance;
        nearest = "--" + long_name;
      }
    }
  }
  return nearest;
}

// `text` in single quotes for a POSIX shell.
std::string Quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text)
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace

std::optional<std::string> CheckCommandWords(const CLI::App& command,
                                             std::span<const std::string_view> words) {
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string_view word = words[i];
    if (word == "--") return std::nullopt;  // only values follow
    if (!word.starts_with("--")) continue;  // short options and stray words: the parser's
    const std::string name(word.substr(0, word.find('=')));
    const CLI::Option* option = command.get_option_no_throw(name);
    if (option == nullptr) {
      std::string message = "there is no option " + name;
      if (const auto nearest = NearestOption(command, name))
        message += "; did you mean " + *nearest + "?";
      return message + "\nRun `feriant " + command.get_name() + " --help` for its options.";
    }
    if (option->get_items_expected_min() == 0 || name.size() != word.size()) continue;  // no value
    // The value, and after it the words a lost pair of quotes would have kept with it.
    if (++i >= words.size()) return std::nullopt;
    std::string value(words[i]);
    size_t next = i + 1;
    while (next < words.size() && !words[next].starts_with("-"))
      value += " " + std::string(words[next++]);
    if (next > i + 1) {
      return "\"" + std::string(words[i + 1]) + "\" is neither an option nor a value: if the " +
             "value of " + name + " is several words, put it in quotes: " + name + " " +
             Quoted(value);
    }
  }
  return std::nullopt;
}

}  // namespace feriant::cli
