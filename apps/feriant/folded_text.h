#pragma once
// Texts as a person types them compared with the names of the tables: without case,
// without diacritics, and with a few letters allowed to differ.
//
// Folding works on Unicode code points: ASCII and the letters of Latin-1 and Latin
// Extended-A become lower-case base letters ("Zürich" and "ZURICH" fold alike, "ß"
// becomes "ss", "œ" "oe"), typographic apostrophes, dashes and the no-break space
// become their ASCII forms, runs of blanks become one blank, and blanks at either end go.
// Every other code point stays as it is; bytes that are not UTF-8 become U+FFFD.
// Pure functions; any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace feriant::cli {

// The folded form of the UTF-8 text `text`, as code points.
std::u32string FoldForMatching(std::string_view text);

// The number of single-letter edits (insert, delete, replace, swap two neighbours) that
// turn `a` into `b`: the optimal string alignment distance.
std::size_t EditDistance(std::u32string_view a, std::u32string_view b);

}  // namespace feriant::cli
