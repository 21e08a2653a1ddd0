#pragma once
// Case-insensitive comparison of UTF-8 texts, as the holiday run and the calendar
// targets need it for holiday names, feast keys and country lists ("ÖSTERREICH" equals
// "Österreich").
//
// Folding maps upper-case letters of ASCII, Latin-1 and Latin Extended-A to their
// lower-case forms and leaves everything else, invalid byte sequences included, as it
// is. The folded text has the same length in bytes and the same character boundaries
// as the original, so a position found in the folded text is a position in the
// original. Plain functions; no state, any thread.

#include <string>
#include <string_view>

namespace feriant::engine {

enum class CaseSensitivity {
  kSensitive,    // bytes compare exactly
  kInsensitive,  // letters compare after folding
};

// The folded form of `text`; same byte length as `text`.
std::string FoldCase(std::string_view text);

// Folds `text` in place.
void FoldCaseInPlace(std::string& text);

// True when both texts fold to the same bytes.
bool EqualsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace feriant::engine
