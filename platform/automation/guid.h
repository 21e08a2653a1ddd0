#pragma once
// Globally unique identifiers of classes, interfaces and type libraries, parsed from and
// printed in the registry form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace feriant::automation {

struct Guid {
  std::uint32_t data1 = 0;
  std::uint16_t data2 = 0;
  std::uint16_t data3 = 0;
  std::array<std::uint8_t, 8> data4{};

  // Accepts the registry form with or without braces, hex digits in either case.
  static std::optional<Guid> Parse(std::string_view text);
  // A random (version 4) identifier.
  static Guid Generate();

  // Upper-case hex digits in braces, as the registry shows them.
  std::string ToString() const;
  bool IsNull() const { return *this == Guid{}; }

  friend auto operator<=>(const Guid&, const Guid&) = default;
};

}  // namespace feriant::automation
