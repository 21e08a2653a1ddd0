#pragma once
// Delimited lists: texts whose entries are separated by a delimiter text (", " in an
// appointment's location, CR LF between region lines, CR LF CR LF between the region
// blocks of an appointment's body). Entries are compared whole, through the delimiters
// around them; the case flag says whether letters compare exactly or folded (every
// caller in the add-in folds). Plain functions; no state, any thread.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>

#include "addin/engine/text_case.h"

namespace feriant::engine {

// True when `part` occurs anywhere in `text`; an empty part occurs in every text.
bool ContainsText(std::string_view text, std::string_view part, CaseSensitivity sensitivity);

// True when delimiter + item + delimiter occurs in delimiter + list + delimiter.
bool IsInList(std::string_view list, std::string_view item, std::string_view delimiter,
              CaseSensitivity sensitivity);

// The list with `item` appended, unless it is already in it. A list that ends with the
// delimiter keeps that style: the item is appended followed by the delimiter.
std::string AddToList(std::string_view list, std::string_view item, std::string_view delimiter,
                      CaseSensitivity sensitivity);

// The list without the first entry equal to `item`, the two neighbours joined by a
// single delimiter; the list unchanged when no entry equals it.
std::string RemoveFromList(std::string_view list, std::string_view item, std::string_view delimiter,
                           CaseSensitivity sensitivity);

// Builds a list item by item exactly as repeated AddToList calls with one delimiter would,
// but keeps the list's comparable form up to date instead of folding the whole list
// again for every item, and, while the items are plain (see below), answers "is it in
// the list" from hashes of the items instead of searching the list.
class ListBuilder {
 public:
  ListBuilder(std::string_view delimiter, CaseSensitivity sensitivity);

  // list = AddToList(list, item, delimiter, sensitivity).
  void Add(std::string_view item);

  const std::string& list() const { return list_; }

 private:
  std::string delimiter_;
  CaseSensitivity sensitivity_;
  // Folding text piece by piece gives the folded whole only when no character can
  // straddle two pieces, which a delimiter with ASCII bytes at both ends guarantees.
  bool incremental_;
  std::string list_;
  std::string comparable_;  // delimiter + list + delimiter, folded when case is ignored
  // While every item is non-empty and holds no byte of the delimiter (in comparable
  // form), the delimiters in the list are exactly its separators, so an item is in the
  // list exactly when it equals one of its items. `hashes_` then holds the hashes of
  // the items' comparable forms: a miss proves an item new, a hit is confirmed by
  // searching the list.
  bool plain_ = true;
  std::unordered_set<std::size_t> hashes_;
  std::array<bool, 256> delimiter_bytes_{};  // bytes of the comparable delimiter
  std::string wrapped_;                      // scratch: delimiter + item + delimiter, comparable
};

}  // namespace feriant::engine
