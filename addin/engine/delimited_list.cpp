#include "addin/engine/delimited_list.h"

namespace feriant::engine {
namespace {

// A text in the form in which it is compared: folded when case is ignored. Folding keeps
// byte positions, so positions found here apply to the original text.
std::string Comparable(std::string_view text, CaseSensitivity sensitivity) {
  return sensitivity == CaseSensitivity::kInsensitive ? FoldCase(text) : std::string(text);
}

size_t Find(std::string_view text, std::string_view part, CaseSensitivity sensitivity) {
  return Comparable(text, sensitivity).find(Comparable(part, sensitivity));
}

bool StartsWith(std::string_view text, std::string_view prefix, CaseSensitivity sensitivity) {
  if (prefix.size() > text.size()) return false;
  return Comparable(text.substr(0, prefix.size()), sensitivity) == Comparable(prefix, sensitivity);
}

bool EndsWith(std::string_view text, std::string_view suffix, CaseSensitivity sensitivity) {
  if (suffix.size() > text.size()) return false;
  return Comparable(text.substr(text.size() - suffix.size()), sensitivity) ==
         Comparable(suffix, sensitivity);
}

bool Equals(std::string_view a, std::string_view b, CaseSensitivity sensitivity) {
  return a.size() == b.size() && Comparable(a, sensitivity) == Comparable(b, sensitivity);
}

std::string Concat(std::string_view a, std::string_view b, std::string_view c) {
  std::string result;
  result.reserve(a.size() + b.size() + c.size());
  result.append(a).append(b).append(c);
  return result;
}

}  // namespace

bool ContainsText(std::string_view text, std::string_view part, CaseSensitivity sensitivity) {
  return Find(text, part, sensitivity) != std::string::npos;
}

bool IsInList(std::string_view list, std::string_view item, std::string_view delimiter,
              CaseSensitivity sensitivity) {
  return ContainsText(Concat(delimiter, list, delimiter), Concat(delimiter, item, delimiter),
                      sensitivity);
}

std::string AddToList(std::string_view list, std::string_view item, std::string_view delimiter,
                      CaseSensitivity sensitivity) {
  if (IsInList(list, item, delimiter, sensitivity)) return std::string(list);
  if (list.empty()) return std::string(item);
  if (EndsWith(list, delimiter, sensitivity)) return Concat(list, item, delimiter);
  return Concat(list, delimiter, item);
}

std::string RemoveFromList(std::string_view list, std::string_view item, std::string_view delimiter,
                           CaseSensitivity sensitivity) {
  if (Equals(list, item, sensitivity)) return std::string();

  const std::string leading = Concat(item, delimiter, {});
  if (StartsWith(list, leading, sensitivity)) return std::string(list.substr(leading.size()));

  const std::string inner = Concat(delimiter, item, delimiter);
  const size_t at = Find(list, inner, sensitivity);
  if (at != std::string::npos) {
    // Keep the delimiter before the item, drop the item and the delimiter after it.
    return Concat(list.substr(0, at + delimiter.size()), list.substr(at + inner.size()), {});
  }

  const std::string trailing = Concat(delimiter, item, {});
  if (EndsWith(list, trailing, sensitivity)) {
    return std::string(list.substr(0, list.size() - trailing.size()));
  }
  return std::string(list);
}

}  // namespace feriant::engine
