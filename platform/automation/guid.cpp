#include "platform/automation/guid.h"

#include <random>

namespace feriant::automation {
namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads `digits` hex digits from the front of `text`.
std::optional<std::uint64_t> TakeHex(std::string_view& text, int digits) {
  if (text.size() < static_cast<size_t>(digits)) return std::nullopt;
  std::uint64_t value = 0;
  for (int i = 0; i < digits; ++i) {
    int v = HexValue(text[static_cast<size_t>(i)]);
    if (v < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(v);
  }
  text.remove_prefix(static_cast<size_t>(digits));
  return value;
}

bool TakeChar(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

std::optional<Guid> Guid::Parse(std::string_view text) {
  const bool braced = TakeChar(text, '{');
  Guid guid;
  auto d1 = TakeHex(text, 8);
  if (!d1 || !TakeChar(text, '-')) return std::nullopt;
  auto d2 = TakeHex(text, 4);
  if (!d2 || !TakeChar(text, '-')) return std::nullopt;
  auto d3 = TakeHex(text, 4);
  if (!d3 || !TakeChar(text, '-')) return std::nullopt;
  for (size_t i = 0; i < 8; ++i) {
    if (i == 2 && !TakeChar(text, '-')) return std::nullopt;
    auto byte = TakeHex(text, 2);
    if (!byte) return std::nullopt;
    guid.data4[i] = static_cast<std::uint8_t>(*byte);
  }
  if (braced && !TakeChar(text, '}')) return std::nullopt;
  if (!text.empty()) return std::nullopt;
  guid.data1 = static_cast<std::uint32_t>(*d1);
  guid.data2 = static_cast<std::uint16_t>(*d2);
  guid.data3 = static_cast<std::uint16_t>(*d3);
  return guid;
}

Guid Guid::Generate() {
  static thread_local std::mt19937_64 engine{std::random_device{}()};
  std::uint64_t high = engine();
  std::uint64_t low = engine();
  Guid guid;
  guid.data1 = static_cast<std::uint32_t>(high >> 32);
  guid.data2 = static_cast<std::uint16_t>(high >> 16);
  guid.data3 = static_cast<std::uint16_t>((high & 0x0fff) | 0x4000);  // version 4
  for (size_t i = 0; i < 8; ++i)
    guid.data4[i] = static_cast<std::uint8_t>(low >> (8 * i));
  guid.data4[0] = static_cast<std::uint8_t>((guid.data4[0] & 0x3f) | 0x80);  // RFC 4122 variant
  return guid;
}

std::string Guid::ToString() const {
  // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}", upper-case hex digits.
  std::string text(38, '-');
  size_t at = 0;
  const auto put = [&](std::uint64_t value, int digits) {
    for (int shift = 4 * (digits - 1); shift >= 0; shift -= 4)
      text[at++] = "0123456789ABCDEF"[(value >> shift) & 0xF];
  };
  text[at++] = '{';
  put(data1, 8);
  ++at;
  put(data2, 4);
  ++at;
  put(data3, 4);
  ++at;
  put(data4[0], 2);
  put(data4[1], 2);
  ++at;
  for (size_t i = 2; i < 8; ++i)
    put(data4[i], 2);
  text[at] = '}';
  return text;
}

}  // namespace feriant::automation
