#include "hosts/outlook/appointment.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

#include "hosts/outlook/ics_text.h"
#include "platform/base/text.h"

namespace feriant::outlook {
namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// Printable ASCII and TAB: the bytes a text keeps as they are, whatever follows them.
constexpr std::array<bool, 256> kPlain = [] {
  std::array<bool, 256> plain{};
  for (int c = 0x20; c < 0x7F; ++c)
    plain[static_cast<size_t>(c)] = true;
  plain['\t'] = true;
  return plain;
}();

// Copies `text` as valid UTF-8 without control characters; `line_break` replaces each
// line break (CR LF counts as one).
std::string Clean(std::string_view text, std::string_view line_break) {
  std::string out;
  out.reserve(text.size());
  size_t i = 0;
  while (i < text.size()) {
    // A run of plain bytes is copied whole; it is found eight bytes at a time.
    size_t plain = i;
    for (; plain + 8 <= text.size(); plain += 8) {
      const std::uint64_t word = word8::Load(text.data() + plain);
      const std::uint64_t marks =
          word8::Below(word, 0x20) | word8::Equal(word, 0x7F) | word8::High(word);
      if (marks != 0) {
        plain += word8::FirstMarked(marks);
        break;
      }
    }
    while (plain < text.size() && kPlain[static_cast<unsigned char>(text[plain])])
      ++plain;
    if (plain > i) {
      out.append(text.substr(i, plain - i));
      i = plain;
      continue;
    }
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      out += line_break;
      i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
      continue;
    }
    const auto u = static_cast<unsigned char>(c);
    if ((u < 0x20 && c != '\t') || u == 0x7F) {
      ++i;
      continue;
    }
    const size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) {
      out += kReplacementCharacter;
      ++i;
      continue;
    }
    out.append(text.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace

std::string NormalizeLine(std::string_view text) {
  return Clean(text, " ");
}

std::string NormalizeBody(std::string_view text) {
  return Clean(text, "\r\n");
}

std::string NormalizeCategories(std::string_view text) {
  const std::string clean = NormalizeLine(text);
  std::string out;
  std::string_view rest = clean;
  while (true) {
    const size_t comma = rest.find(',');
    const std::string_view name = base::Trim(rest.substr(0, comma));
    if (!name.empty()) {
      if (!out.empty()) out += ", ";
      out += name;
    }
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return out;
}

std::chrono::local_seconds StartOfDay(std::chrono::local_seconds time) {
  return std::chrono::floor<std::chrono::days>(time);
}

std::int32_t WholeDaysDuration(std::int32_t minutes) {
  constexpr std::int64_t kMaxDays = std::numeric_limits<std::int32_t>::max() / kMinutesPerDay;
  const std::int64_t days =
      minutes <= 0 ? 1 : (std::int64_t{minutes} + kMinutesPerDay - 1) / kMinutesPerDay;
  return static_cast<std::int32_t>(std::min(days, kMaxDays) * kMinutesPerDay);
}

}  // namespace feriant::outlook
