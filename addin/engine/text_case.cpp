#include "addin/engine/text_case.h"

#include <cstdint>

namespace feriant::engine {
namespace {

// The lower-case partner of a code point in U+00C0..U+017F, or the code point itself.
// Only partners that encode in two bytes as well are used, which is why U+0130 (dotted
// capital I) and U+017F (long s) keep their own forms.
char32_t LowerLatin(char32_t c) {
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 0x20;
  if (c >= 0x100 && c <= 0x12F) return c | 1;
  if (c >= 0x132 && c <= 0x137) return c | 1;
  if (c >= 0x139 && c <= 0x148) return (c & 1) != 0 ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c | 1;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) != 0 ? c + 1 : c;
  return c;
}

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

}  // namespace

std::string FoldCase(std::string_view text) {
  std::string folded(text);
  FoldCaseInPlace(folded);
  return folded;
}

void FoldCaseInPlace(std::string& folded) {
  const size_t size = folded.size();
  for (size_t i = 0; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(folded[i]);
    if (byte >= 'A' && byte <= 'Z') {
      folded[i] = static_cast<char>(byte + ('a' - 'A'));
      continue;
    }
    // Lead bytes 0xC3..0xC5 start the two-byte sequences of U+00C0..U+017F.
    if (byte < 0xC3 || byte > 0xC5 || i + 1 >= size) continue;
    const auto next = static_cast<unsigned char>(folded[i + 1]);
    if (!IsContinuation(next)) continue;
    const char32_t code = (static_cast<char32_t>(byte & 0x1F) << 6) | (next & 0x3F);
    const char32_t lower = LowerLatin(code);
    folded[i] = static_cast<char>(0xC0 | (lower >> 6));
    folded[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
    ++i;
  }
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  return FoldCase(a) == FoldCase(b);
}

}  // namespace feriant::engine
