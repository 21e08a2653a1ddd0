#include "platform/automation/variant.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <optional>
#include <type_traits>

#include "platform/automation/errors.h"
#include "platform/base/text.h"

namespace feriant::automation {
namespace {

Error Mismatch(std::string_view from, std::string_view to) {
  return MakeError(hresult::kTypeMismatch,
                   "cannot convert " + std::string(from) + " to " + std::string(to));
}

Error Overflow(std::string_view to) {
  return MakeError(hresult::kOverflow, "value does not fit in " + std::string(to));
}

// A decimal number as text ("12", "-3.5", "1e3"), without locale.
std::optional<double> ParseNumber(std::string_view text) {
  text = base::Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // from_chars also reads "nan" and "inf", which are not numbers a person writes.
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

// The automation date runs from 0100-01-01 to 9999-12-31 23:59:59; outside that (and for
// NaN) the day count does not fit the calendar arithmetic.
bool InDateRange(double value) {
  return value > -657435.0 && value < 2958466.0;
}

// Integral coercion rounds half to even, as the automation runtime does.
template <class Int>
Result<Int> RoundToInt(double value, std::string_view to) {
  if (!std::isfinite(value)) return Overflow(to);
  double rounded = std::nearbyint(value);
  if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
      rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
    return Overflow(to);
  }
  return static_cast<Int>(rounded);
}

std::string FormatDouble(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15g", value);
  return buffer;
}

std::string FormatCurrency(Currency value) {
  std::int64_t whole = value.scaled / 10000;
  std::int64_t fraction = value.scaled % 10000;
  std::string text;
  if (value.scaled < 0) {
    text = "-";
    whole = -whole;
    fraction = -fraction;
  }
  text += std::to_string(whole);
  if (fraction != 0) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04lld", static_cast<long long>(fraction));
    std::string tail(digits);
    while (tail.back() == '0')
      tail.pop_back();
    text += "." + tail;
  }
  return text;
}

std::string FormatDate(Date date) {
  using namespace std::chrono;
  const local_seconds time = date.ToLocal();
  const auto day = floor<days>(time);
  const hh_mm_ss<seconds> clock(time - day);
  std::string text = base::FormatIsoDay(year_month_day(day));
  if (clock.to_duration().count() != 0) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, " %02d:%02d:%02d", static_cast<int>(clock.hours().count()),
                  static_cast<int>(clock.minutes().count()),
                  static_cast<int>(clock.seconds().count()));
    text += buffer;
  }
  return text;
}

// "YYYY-MM-DD", optionally followed by " HH:MM" or " HH:MM:SS" (or "T" for the blank).
std::optional<Date> ParseDate(std::string_view text) {
  text = base::Trim(text);
  const std::optional<std::chrono::year_month_day> ymd = base::ParseIsoDay(text.substr(0, 10));
  if (!ymd) return std::nullopt;
  text.remove_prefix(10);
  unsigned h = 0, mi = 0, s = 0;
  auto take = [&text](auto& out, size_t digits) {
    if (text.size() < digits) return false;
    // Exactly `digits` digits, no sign: the fields of a fixed-width time.
    const std::optional<std::int64_t> value =
        base::ParseWholeNumber(text.substr(0, digits), {.minus_sign = false, .plus_sign = false});
    if (!value) return false;
    out = static_cast<std::remove_reference_t<decltype(out)>>(*value);
    text.remove_prefix(digits);
    return true;
  };
  auto sep = [&text](char c) {
    if (text.empty() || text.front() != c) return false;
    text.remove_prefix(1);
    return true;
  };
  if (!text.empty()) {
    if (!sep(' ') && !sep('T')) return std::nullopt;
    if (!take(h, 2) || !sep(':') || !take(mi, 2)) return std::nullopt;
    if (!text.empty() && (!sep(':') || !take(s, 2) || !text.empty())) return std::nullopt;
  }
  using namespace std::chrono;
  if (h > 23 || mi > 59 || s > 59) return std::nullopt;
  return Date::FromLocal(local_days(*ymd) + hours(h) + minutes(mi) + seconds(s));
}

std::string_view KindName(VarType type) {
  switch (type) {
    case VarType::kEmpty:
      return "Empty";
    case VarType::kNull:
      return "Null";
    case VarType::kI2:
      return "Integer";
    case VarType::kI4:
      return "Long";
    case VarType::kR8:
      return "Double";
    case VarType::kCurrency:
      return "Currency";
    case VarType::kDate:
      return "Date";
    case VarType::kString:
      return "String";
    case VarType::kObject:
      return "Object";
    case VarType::kError:
      return "Error";
    case VarType::kBool:
      return "Boolean";
    case VarType::kArray:
      return "Variant()";
    case VarType::kByteArray:
      return "Byte()";
  }
  return "Variant";
}

}  // namespace

Currency Currency::FromDouble(double value) {
  return Currency{static_cast<std::int64_t>(std::llround(value * 10000.0))};
}

Variant::Variant(VariantArray value) : value_(std::make_shared<VariantArray>(std::move(value))) {}

Variant Variant::Missing() {
  return Variant(ErrorCode{hresult::kParamNotFound});
}

bool Variant::IsMissing() const {
  const auto* code = std::get_if<ErrorCode>(&value_);
  return code != nullptr && code->scode == hresult::kParamNotFound;
}

VarType Variant::type() const {
  // Each alternative names its kind by its type, so the order of the alternatives does not
  // matter; an alternative without a kind here does not compile.
  return std::visit(
      []<class T>(const T&) {
        if constexpr (std::is_same_v<T, std::monostate>) {
          return VarType::kEmpty;
        } else if constexpr (std::is_same_v<T, NullValue>) {
          return VarType::kNull;
        } else if constexpr (std::is_same_v<T, Bool>) {
          return VarType::kBool;
        } else if constexpr (std::is_same_v<T, std::int16_t>) {
          return VarType::kI2;
        } else if constexpr (std::is_same_v<T, std::int32_t>) {
          return VarType::kI4;
        } else if constexpr (std::is_same_v<T, double>) {
          return VarType::kR8;
        } else if constexpr (std::is_same_v<T, Currency>) {
          return VarType::kCurrency;
        } else if constexpr (std::is_same_v<T, Date>) {
          return VarType::kDate;
        } else if constexpr (std::is_same_v<T, std::string>) {
          return VarType::kString;
        } else if constexpr (std::is_same_v<T, ObjectRef>) {
          return VarType::kObject;
        } else if constexpr (std::is_same_v<T, ErrorCode>) {
          return VarType::kError;
        } else if constexpr (std::is_same_v<T, ByteArray>) {
          return VarType::kByteArray;
        } else {
          static_assert(std::is_same_v<T, Array>, "every alternative needs its kind");
          return VarType::kArray;
        }
      },
      value_);
}

const VariantArray* Variant::AsArray() const {
  const auto* array = std::get_if<Array>(&value_);
  return array != nullptr ? array->get() : nullptr;
}

ObjectRef Variant::AsObject() const {
  const auto* object = std::get_if<ObjectRef>(&value_);
  return object != nullptr ? *object : nullptr;
}

Result<double> Variant::ToDouble() const {
  switch (type()) {
    case VarType::kEmpty:
      return 0.0;
    case VarType::kBool:
      return static_cast<double>(std::get<Bool>(value_).value);
    case VarType::kI2:
      return static_cast<double>(std::get<std::int16_t>(value_));
    case VarType::kI4:
      return static_cast<double>(std::get<std::int32_t>(value_));
    case VarType::kR8:
      return std::get<double>(value_);
    case VarType::kCurrency:
      return std::get<Currency>(value_).ToDouble();
    case VarType::kDate:
      return std::get<Date>(value_).value();
    case VarType::kString:
      if (auto number = ParseNumber(std::get<std::string>(value_))) return *number;
      return Mismatch("\"" + std::get<std::string>(value_) + "\"", "a number");
    default:
      return Mismatch(KindName(type()), "a number");
  }
}

Result<bool> Variant::ToBool() const {
  if (const auto* text = AsString()) {
    if (base::EqualsIgnoringAsciiCase(base::Trim(*text), "true")) return true;
    if (base::EqualsIgnoringAsciiCase(base::Trim(*text), "false")) return false;
  }
  if (type() == VarType::kBool) return std::get<Bool>(value_).value != 0;
  auto number = ToDouble();
  if (!number) return Mismatch(KindName(type()), "Boolean");
  return *number != 0.0;
}

Result<std::int16_t> Variant::ToI2() const {
  auto number = ToDouble();
  if (!number) return number.error();
  return RoundToInt<std::int16_t>(*number, "Integer");
}

Result<std::int32_t> Variant::ToI4() const {
  if (type() == VarType::kI4) return std::get<std::int32_t>(value_);
  auto number = ToDouble();
  if (!number) return number.error();
  return RoundToInt<std::int32_t>(*number, "Long");
}

Result<Currency> Variant::ToCurrency() const {
  if (type() == VarType::kCurrency) return std::get<Currency>(value_);
  auto number = ToDouble();
  if (!number) return number.error();
  if (!std::isfinite(*number) || std::fabs(*number) > 922337203685477.0)
    return Overflow("Currency");
  return Currency::FromDouble(*number);
}

Result<Date> Variant::ToDate() const {
  if (type() == VarType::kDate) return std::get<Date>(value_);
  if (const auto* text = AsString()) {
    auto date = ParseDate(*text);
    if (!date) return Mismatch("\"" + *text + "\"", "Date");
    if (!InDateRange(date->value())) return Overflow("Date");
    return *date;
  }
  if (type() == VarType::kBool || type() == VarType::kEmpty)
    return Mismatch(KindName(type()), "Date");
  auto number = ToDouble();
  if (!number) return Mismatch(KindName(type()), "Date");
  if (!InDateRange(*number)) return Overflow("Date");
  return Date(*number);
}

Result<std::string> Variant::ToString() const {
  switch (type()) {
    case VarType::kEmpty:
      return std::string();
    case VarType::kBool:
      return std::string(std::get<Bool>(value_).value != 0 ? "True" : "False");
    case VarType::kI2:
      return std::to_string(std::get<std::int16_t>(value_));
    case VarType::kI4:
      return std::to_string(std::get<std::int32_t>(value_));
    case VarType::kR8:
      return FormatDouble(std::get<double>(value_));
    case VarType::kCurrency:
      return FormatCurrency(std::get<Currency>(value_));
    case VarType::kDate:
      if (!InDateRange(std::get<Date>(value_).value())) return Overflow("String");
      return FormatDate(std::get<Date>(value_));
    case VarType::kString:
      return std::get<std::string>(value_);
    default:
      return Mismatch(KindName(type()), "String");
  }
}

Result<ObjectRef> Variant::ToObject() const {
  if (type() == VarType::kObject) return std::get<ObjectRef>(value_);
  if (type() == VarType::kEmpty) return ObjectRef();
  return Mismatch(KindName(type()), "Object");
}

bool operator==(const Variant& a, const Variant& b) {
  if (a.value_.index() != b.value_.index()) return false;
  if (const auto* array = std::get_if<Variant::Array>(&a.value_)) {
    return **array == *std::get<Variant::Array>(b.value_);
  }
  return a.value_ == b.value_;
}

}  // namespace feriant::automation
