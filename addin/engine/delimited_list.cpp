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
  // An empty list, as every new item has, holds nothing to compare the item with.
  if (list.empty()) return std::string(item);
  if (IsInList(list, item, delimiter, sensitivity)) return std::string(list);
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

ListBuilder::ListBuilder(std::string_view delimiter, CaseSensitivity sensitivity)
    : delimiter_(delimiter), sensitivity_(sensitivity) {
  auto ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
  incremental_ = !delimiter.empty() && ascii(delimiter.front()) && ascii(delimiter.back());
  comparable_ = Comparable(Concat(delimiter_, {}, delimiter_), sensitivity_);
  for (const char c : Comparable(delimiter_, sensitivity_))
    delimiter_bytes_[static_cast<unsigned char>(c)] = true;
}

void ListBuilder::Add(std::string_view item) {
  if (!incremental_) {
    list_ = AddToList(list_, item, delimiter_, sensitivity_);
    return;
  }
  const size_t d = delimiter_.size();
  // delimiter + item + delimiter, in comparable form; its tail after the first delimiter
  // is item + delimiter.
  wrapped_.assign(delimiter_).append(item).append(delimiter_);
  if (sensitivity_ == CaseSensitivity::kInsensitive) FoldCaseInPlace(wrapped_);
  const std::string_view comparable_item(wrapped_.data() + d, item.size());

  bool plain_item = !item.empty();
  for (const char c : comparable_item) {
    if (delimiter_bytes_[static_cast<unsigned char>(c)]) plain_item = false;
  }
  if (plain_ && plain_item) {
    const bool is_new = hashes_.insert(std::hash<std::string_view>()(comparable_item)).second;
    if (!is_new && comparable_.find(wrapped_) != std::string::npos) return;
  } else {
    plain_ = false;
    hashes_.clear();
    if (comparable_.find(wrapped_) != std::string::npos) return;
  }

  if (list_.empty()) {
    list_ = std::string(item);
    comparable_ = wrapped_;
  } else if (EndsWith(list_, delimiter_, sensitivity_)) {
    // The list grows by item + delimiter; the closing delimiter moves to the end.
    list_.append(item).append(delimiter_);
    comparable_.resize(comparable_.size() - d);
    comparable_.append(wrapped_, d, std::string::npos).append(wrapped_, wrapped_.size() - d, d);
  } else {
    // The list grows by delimiter + item; the closing delimiter stays at the end.
    list_.append(delimiter_).append(item);
    comparable_.append(wrapped_, d, std::string::npos);
  }
}

}  // namespace feriant::engine
