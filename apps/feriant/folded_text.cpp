#include "apps/feriant/folded_text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace feriant::cli {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Code points from `first` to `last` fold to `folded`.
struct FoldRange {
  char32_t first;
  char32_t last;
  std::u32string_view folded;
};

// Latin-1 (U+00C0..U+00FF) and Latin Extended-A (U+0100..U+017F) letters, and the
// punctuation that keyboards and word processors put in place of the ASCII forms.
// Sorted by code point.
constexpr auto kFoldRanges = std::to_array<FoldRange>({
    {0xA0, 0xA0, U" "},     {0xC0, 0xC5, U"a"},     {0xC6, 0xC6, U"ae"},    {0xC7, 0xC7, U"c"},
    {0xC8, 0xCB, U"e"},     {0xCC, 0xCF, U"i"},     {0xD0, 0xD0, U"d"},     {0xD1, 0xD1, U"n"},
    {0xD2, 0xD6, U"o"},     {0xD8, 0xD8, U"o"},     {0xD9, 0xDC, U"u"},     {0xDD, 0xDD, U"y"},
    {0xDE, 0xDE, U"th"},    {0xDF, 0xDF, U"ss"},    {0xE0, 0xE5, U"a"},     {0xE6, 0xE6, U"ae"},
    {0xE7, 0xE7, U"c"},     {0xE8, 0xEB, U"e"},     {0xEC, 0xEF, U"i"},     {0xF0, 0xF0, U"d"},
    {0xF1, 0xF1, U"n"},     {0xF2, 0xF6, U"o"},     {0xF8, 0xF8, U"o"},     {0xF9, 0xFC, U"u"},
    {0xFD, 0xFD, U"y"},     {0xFE, 0xFE, U"th"},    {0xFF, 0xFF, U"y"},     {0x100, 0x105, U"a"},
    {0x106, 0x10D, U"c"},   {0x10E, 0x111, U"d"},   {0x112, 0x11B, U"e"},   {0x11C, 0x123, U"g"},
    {0x124, 0x127, U"h"},   {0x128, 0x131, U"i"},   {0x132, 0x133, U"ij"},  {0x134, 0x135, U"j"},
    {0x136, 0x138, U"k"},   {0x139, 0x142, U"l"},   {0x143, 0x14B, U"n"},   {0x14C, 0x151, U"o"},
    {0x152, 0x153, U"oe"},  {0x154, 0x159, U"r"},   {0x15A, 0x161, U"s"},   {0x162, 0x167, U"t"},
    {0x168, 0x173, U"u"},   {0x174, 0x175, U"w"},   {0x176, 0x178, U"y"},   {0x179, 0x17E, U"z"},
    {0x17F, 0x17F, U"s"},   {0x2010, 0x2015, U"-"}, {0x2018, 0x201B, U"'"}, {0x202F, 0x202F, U" "},
    {0x2212, 0x2212, U"-"},
});

// The code points of `text`; an invalid, overlong or truncated sequence gives one
// U+FFFD per byte that cannot start a character.
std::u32string DecodeUtf8(std::string_view text) {
  std::u32string decoded;
  decoded.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0x80                    ? 1
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                    : lead >= 0xE0 && lead <= 0xEF ? 3
                    : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                   : 0;
    char32_t code = length == 1   ? lead
                    : length == 2 ? lead & 0x1F
                    : length == 3 ? lead & 0x0F
                                  : lead & 0x07;
    for (size_t k = 1; k < length; ++k) {
      const auto next = i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
      if ((next & 0xC0) != 0x80) {
        length = 0;
        break;
      }
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values beyond U+10FFFF are not characters.
    if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (length == 4 && (code < 0x10000 || code > 0x10FFFF))) {
      length = 0;
    }
    if (length == 0) {
      decoded.push_back(kReplacement);
      ++i;
    } else {
      decoded.push_back(code);
      i += length;
    }
  }
  return decoded;
}

}  // namespace

std::u32string FoldForMatching(std::string_view text) {
  std::u32string folded;
  for (char32_t c : DecodeUtf8(text)) {
    if (c >= U'A' && c <= U'Z') c += U'a' - U'A';
    if (c == U'\t') c = U' ';
    const auto range =
        std::lower_bound(kFoldRanges.begin(), kFoldRanges.end(), c,
                         [](const FoldRange& r, char32_t code) { return r.last < code; });
    if (range != kFoldRanges.end() && c >= range->first) {
      for (const char32_t f : range->folded) {
        if (f != U' ' || (!folded.empty() && folded.back() != U' ')) folded.push_back(f);
      }
      continue;
    }
    if (c == U' ' && (folded.empty() || folded.back() == U' ')) continue;
    folded.push_back(c);
  }
  if (!folded.empty() && folded.back() == U' ') folded.pop_back();
  return folded;
}

std::size_t EditDistance(std::u32string_view a, std::u32string_view b) {
  // Three rows of the classic table: the one before the previous (for swaps), the
  // previous and the current; row i holds the distances of a's first i code points.
  std::vector<size_t> before(b.size() + 1), previous(b.size() + 1), current(b.size() + 1);
  for (size_t j = 0; j <= b.size(); ++j)
    previous[j] = j;
  for (size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    for (size_t j = 1; j <= b.size(); ++j) {
      const size_t replace = previous[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      current[j] = std::min({previous[j] + 1, current[j - 1] + 1, replace});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        current[j] = std::min(current[j], before[j - 2] + 1);
    }
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[b.size()];
}

}  // namespace feriant::cli
