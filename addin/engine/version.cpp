#include "addin/engine/version.h"

#include <algorithm>
#include <optional>

namespace feriant::engine {
namespace {

// A whole number as its significant digits ("007" is "7", "0" is ""), so that two of
// them compare by length first and then digit by digit, however long they are.
std::optional<std::string_view> WholeNumber(std::string_view text) {
  if (text.empty()) return std::nullopt;
  if (!std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  const size_t first = text.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

int Compare(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  return a.compare(b);
}

struct Version {
  std::string_view major;
  std::string_view minor;
};

// Major is what comes before the first "."; minor is everything after it.
std::optional<Version> ParseVersion(std::string_view text) {
  const size_t dot = text.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const auto major = WholeNumber(text.substr(0, dot));
  const auto minor = WholeNumber(text.substr(dot + 1));
  if (!major || !minor) return std::nullopt;
  return Version{*major, *minor};
}

}  // namespace

bool IsVersionAtLeast(std::string_view version, std::string_view required) {
  const auto have = ParseVersion(version);
  const auto need = ParseVersion(required);
  if (!have || !need) return false;
  if (const int major = Compare(have->major, need->major); major != 0) return major > 0;
  return Compare(have->minor, need->minor) >= 0;
}

}  // namespace feriant::engine
