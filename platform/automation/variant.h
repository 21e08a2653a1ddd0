#pragma once
// Variant: the one value type of late-bound calls, properties and property bags.
//
// Kinds and their codes follow the automation variant types: empty, null, 16-bit boolean
// (true is -1), 16- and 32-bit integers, double, currency (fixed point, four decimals),
// date, string (UTF-8), object, error code, byte array and array of variants. The To*
// conversions coerce like the automation runtime does (invariant locale); they fail with
// a type-mismatch or overflow Error. A Variant owns its value; objects are shared.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/automation/date.h"
#include "platform/base/result.h"

namespace feriant::automation {

class Dispatch;
class Variant;

enum class VarType : std::uint16_t {
  kEmpty = 0,
  kNull = 1,
  kI2 = 2,
  kI4 = 3,
  kR8 = 5,
  kCurrency = 6,
  kDate = 7,
  kString = 8,
  kObject = 9,
  kError = 10,
  kBool = 11,
  kArray = 0x200C,      // array of variants
  kByteArray = 0x2011,  // array of unsigned bytes
};

// 16-bit automation boolean: true = -1, false = 0.
using VariantBool = std::int16_t;
inline constexpr VariantBool kVariantTrue = -1;
inline constexpr VariantBool kVariantFalse = 0;
inline constexpr VariantBool ToVariantBool(bool value) {
  return value ? kVariantTrue : kVariantFalse;
}

// Fixed point with four decimals: 1.5 is stored as 15000.
struct Currency {
  std::int64_t scaled = 0;
  static Currency FromDouble(double value);
  double ToDouble() const { return static_cast<double>(scaled) / 10000.0; }
  friend bool operator==(Currency, Currency) = default;
};

// The payload of a variant of kind error (an error code, not an exception).
struct ErrorCode {
  std::int32_t scode = 0;
  friend bool operator==(ErrorCode, ErrorCode) = default;
};

struct NullValue {
  friend bool operator==(NullValue, NullValue) = default;
};

using ObjectRef = std::shared_ptr<Dispatch>;
using ByteArray = std::vector<std::uint8_t>;
using VariantArray = std::vector<Variant>;

class Variant {
 public:
  Variant() = default;
  Variant(NullValue) : value_(NullValue{}) {}                      // NOLINT
  Variant(bool value) : value_(Bool{ToVariantBool(value)}) {}      // NOLINT
  Variant(std::int16_t value) : value_(value) {}                   // NOLINT
  Variant(std::int32_t value) : value_(value) {}                   // NOLINT
  Variant(double value) : value_(value) {}                         // NOLINT
  Variant(Currency value) : value_(value) {}                       // NOLINT
  Variant(Date value) : value_(value) {}                           // NOLINT
  Variant(std::string value) : value_(std::move(value)) {}         // NOLINT
  Variant(std::string_view value) : value_(std::string(value)) {}  // NOLINT
  Variant(const char* value) : value_(std::string(value)) {}       // NOLINT
  Variant(ObjectRef value) : value_(std::move(value)) {}           // NOLINT
  template <class T>
  requires std::is_base_of_v<Dispatch, T> Variant(std::shared_ptr<T> value)
      : value_(ObjectRef(std::move(value))) {}            // NOLINT
  Variant(ErrorCode value) : value_(value) {}             // NOLINT
  Variant(ByteArray value) : value_(std::move(value)) {}  // NOLINT
  Variant(VariantArray value);                            // NOLINT

  static Variant Null() { return Variant(NullValue{}); }
  // The "missing optional argument" marker: an error variant with DISP_E_PARAMNOTFOUND.
  static Variant Missing();

  VarType type() const;
  bool IsEmpty() const { return type() == VarType::kEmpty; }
  bool IsNull() const { return type() == VarType::kNull; }
  bool IsObject() const { return type() == VarType::kObject; }
  bool IsMissing() const;

  // Exact access; nullptr when the variant holds another kind.
  const std::string* AsString() const { return std::get_if<std::string>(&value_); }
  const ByteArray* AsBytes() const { return std::get_if<ByteArray>(&value_); }
  const VariantArray* AsArray() const;
  ObjectRef AsObject() const;  // empty pointer for any other kind and for Nothing

  // Coercions.
  Result<bool> ToBool() const;
  Result<std::int16_t> ToI2() const;
  Result<std::int32_t> ToI4() const;
  Result<double> ToDouble() const;
  Result<Currency> ToCurrency() const;
  Result<Date> ToDate() const;
  Result<std::string> ToString() const;
  Result<ObjectRef> ToObject() const;  // an object or Nothing; Empty gives Nothing

  // Same kind and same value (objects: the same object).
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  struct Bool {
    VariantBool value;
    friend bool operator==(Bool, Bool) = default;
  };
  using Array = std::shared_ptr<VariantArray>;  // indirection: a Variant holds Variants

  std::variant<std::monostate, NullValue, Bool, std::int16_t, std::int32_t, double, Currency, Date,
               std::string, ObjectRef, ErrorCode, ByteArray, Array>
      value_;
};

}  // namespace feriant::automation
