#include "addin/engine/version.h"

#include <algorithm>
#include <optional>
#include <vector>

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

// The parts between the dots, at least two; nothing when the text is no version.
std::optional<std::vector<std::string_view>> ParseVersion(std::string_view text) {
  if (text.find('.') == std::string_view::npos) return std::nullopt;
  std::vector<std::string_view> parts;
  for (;;) {
    const size_t dot = text.find('.');
    const auto part = WholeNumber(text.substr(0, dot));
    if (!part) return std::nullopt;
    parts.push_back(*part);
    if (dot == std::string_view::npos) return parts;
    text.remove_prefix(dot + 1);
  }
}

}  // namespace

bool IsVersionAtLeast(std::string_view version, std::string_view required) {
  const auto have = ParseVersion(version);
  const auto need = ParseVersion(required);
  if (!have || !need) return false;
  const size_t parts = std::max(have->size(), need->size());
  for (size_t i = 0; i < parts; ++i) {
    // A missing part is 0, whose significant digits are none.
    const std::string_view a = i < have->size() ? (*have)[i] : std::string_view();
    const std::string_view b = i < need->size() ? (*need)[i] : std::string_view();
    if (const int order = Compare(a, b); order != 0) return order > 0;
  }
  return true;
}

}  // namespace feriant::engine
