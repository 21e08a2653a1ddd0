#pragma once
// Delimited lists: texts whose entries are separated by a delimiter text (", " in an
// appointment's location, CR LF between region lines, CR LF CR LF between the region
// blocks of an appointment's body). Entries are compared whole, through the delimiters
// around them; the case flag says whether letters compare exactly or folded (every
// caller in the add-in folds). Plain functions; no state, any thread.

#include <string>
#include <string_view>

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

}  // namespace feriant::engine
