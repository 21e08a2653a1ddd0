#include "platform/ui/persistence/variant_codec.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "platform/base/text.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::ui::codec {

using automation::Currency;
using automation::Variant;
using automation::VarType;

namespace {

// Arrays nest at most this deep; deeper input is refused rather than recursed into.
constexpr int kMaxDepth = 32;

Error Damaged(const std::string& what) {
  return MakeUiError(ui_error::kInvalidPropertyValue, "damaged value: " + what);
}

constexpr char kBase64[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

std::string EncodeBase64(const std::uint8_t* data, size_t size) {
  std::string out;
  out.reserve((size + 2) / 3 * 4);
  for (size_t i = 0; i < size; i += 3) {
    const std::uint32_t chunk = (static_cast<std::uint32_t>(data[i]) << 16) |
                                (i + 1 < size ? static_cast<std::uint32_t>(data[i + 1]) << 8 : 0) |
                                (i + 2 < size ? static_cast<std::uint32_t>(data[i + 2]) : 0);
    out += kBase64[(chunk >> 18) & 63];
    out += kBase64[(chunk >> 12) & 63];
    out += i + 1 < size ? kBase64[(chunk >> 6) & 63] : '=';
    out += i + 2 < size ? kBase64[chunk & 63] : '=';
  }
  return out;
}

Result<std::vector<std::uint8_t>> DecodeBase64(const std::string& text) {
  if (text.size() % 4 != 0) return Damaged("base64 length");
  std::vector<std::uint8_t> out;
  out.reserve(text.size() / 4 * 3);
  for (size_t i = 0; i < text.size(); i += 4) {
    std::uint32_t chunk = 0;
    int padding = 0;
    for (size_t j = 0; j < 4; ++j) {
      const char c = text[i + j];
      int value = 0;
      if (c == '=') {
        // Padding only at the very end, at most two.
        if (i + 4 != text.size() || j < 2) return Damaged("base64 padding");
        ++padding;
      } else {
        if (padding > 0) return Damaged("base64 padding");
        const char* found = std::char_traits<char>::find(kBase64, 64, c);
        if (found == nullptr) return Damaged("base64 character");
        value = static_cast<int>(found - kBase64);
      }
      chunk = (chunk << 6) | static_cast<std::uint32_t>(value);
    }
    out.push_back(static_cast<std::uint8_t>(chunk >> 16));
    if (padding < 2) out.push_back(static_cast<std::uint8_t>(chunk >> 8));
    if (padding < 1) out.push_back(static_cast<std::uint8_t>(chunk));
  }
  return out;
}

std::string CurrencyText(Currency value) {
  // Exact decimal text with four places, e.g. "-12.3400".
  const bool negative = value.scaled < 0;
  const unsigned long long magnitude = negative
                                           ? 0ULL - static_cast<unsigned long long>(value.scaled)
                                           : static_cast<unsigned long long>(value.scaled);
  std::string fraction = std::to_string(magnitude % 10000);
  fraction.insert(0, 4 - fraction.size(), '0');
  return (negative ? "-" : "") + std::to_string(magnitude / 10000) + "." + fraction;
}

Result<Currency> ParseCurrency(const std::string& text) {
  // "-12.3400": a minus at most, whole digits, then a point with up to four decimals.
  constexpr std::int64_t kLargestWhole = 922337203685477;  // the int64 limit over 10000
  const std::string_view all = text;
  const size_t point = all.find('.');
  const std::string_view decimals = point == std::string_view::npos ? "" : all.substr(point + 1);
  base::WholeNumberFault fault{};
  const auto whole = base::ParseWholeNumber(
      all.substr(0, point), {.plus_sign = false, .min = -kLargestWhole, .max = kLargestWhole},
      &fault);
  if (!whole) {
    return Damaged(fault == base::WholeNumberFault::kOutOfRange ? "currency out of range"
                                                                : "currency text");
  }
  if (decimals.size() > 4) return Damaged("currency has more than four decimals");
  std::uint64_t fraction = 0;
  if (!decimals.empty()) {
    const auto read = base::ParseWholeNumber(decimals, {.minus_sign = false, .plus_sign = false});
    if (!read) return Damaged("currency text");
    fraction = static_cast<std::uint64_t>(*read);
  }
  for (size_t places = decimals.size(); places < 4; ++places)
    fraction *= 10;
  const bool negative = all.starts_with('-');
  const auto magnitude = static_cast<std::uint64_t>(negative ? -*whole : *whole);
  const std::uint64_t scaled = magnitude * 10000ULL + fraction;
  const auto limit = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max());
  if (scaled > limit + (negative ? 1 : 0)) return Damaged("currency out of range");
  Currency currency;
  currency.scaled =
      negative ? static_cast<std::int64_t>(0ULL - scaled) : static_cast<std::int64_t>(scaled);
  return currency;
}

Json EncodeDouble(double value) {
  if (std::isnan(value)) return "NaN";
  if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
  return value;
}

Result<double> DecodeDouble(const Json& json) {
  if (json.is_number()) return json.get<double>();
  if (json.is_string()) {
    const std::string text = json.get<std::string>();
    if (text == "NaN") return std::numeric_limits<double>::quiet_NaN();
    if (text == "Infinity") return std::numeric_limits<double>::infinity();
    if (text == "-Infinity") return -std::numeric_limits<double>::infinity();
  }
  return Damaged("number expected");
}

template <class Int>
Result<Int> DecodeInt(const Json& json) {
  if (!json.is_number_integer()) return Damaged("whole number expected");
  // An unsigned number past 2^63 would wrap around when read as signed.
  if (json.is_number_unsigned() &&
      json.get<unsigned long long>() >
          static_cast<unsigned long long>(std::numeric_limits<Int>::max()))
    return Damaged("number out of range");
  const auto value = json.get<long long>();
  if (value < std::numeric_limits<Int>::min() || value > std::numeric_limits<Int>::max())
    return Damaged("number out of range");
  return static_cast<Int>(value);
}

Result<Json> Encode(const Variant& value, int depth) {
  if (depth > kMaxDepth) return Damaged("arrays nested too deep");
  Json json = Json::object();
  switch (value.type()) {
    case VarType::kEmpty:
      json["type"] = "Empty";
      break;
    case VarType::kNull:
      json["type"] = "Null";
      break;
    case VarType::kBool:
      json["type"] = "Boolean";
      json["value"] = *value.ToBool();
      break;
    case VarType::kI2:
      json["type"] = "Integer";
      json["value"] = *value.ToI2();
      break;
    case VarType::kI4:
      json["type"] = "Long";
      json["value"] = *value.ToI4();
      break;
    case VarType::kR8:
      json["type"] = "Double";
      json["value"] = EncodeDouble(*value.ToDouble());
      break;
    case VarType::kCurrency:
      json["type"] = "Currency";
      json["value"] = CurrencyText(*value.ToCurrency());
      break;
    case VarType::kDate:
      json["type"] = "Date";
      json["value"] = EncodeDouble(value.ToDate()->value());
      break;
    case VarType::kString:
      json["type"] = "String";
      json["value"] = *value.AsString();
      break;
    case VarType::kError:
      // Of the error kind only the "missing argument" marker can be told apart (Variant
      // exposes no other error code), so only it is stored.
      if (!value.IsMissing())
        return MakeUiError(ui_error::kInvalidPropertyValue, "an error value cannot be stored");
      json["type"] = "Error";
      json["value"] = automation::hresult::kParamNotFound;
      break;
    case VarType::kByteArray: {
      const auto* bytes = value.AsBytes();
      json["type"] = "Bytes";
      json["value"] = EncodeBase64(bytes->data(), bytes->size());
      break;
    }
    case VarType::kArray: {
      Json items = Json::array();
      for (const Variant& item : *value.AsArray()) {
        auto encoded = Encode(item, depth + 1);
        if (!encoded) return encoded.error();
        items.push_back(std::move(*encoded));
      }
      json["type"] = "Array";
      json["value"] = std::move(items);
      break;
    }
    case VarType::kObject: {
      const automation::ObjectRef object = value.AsObject();
      if (!object) {
        json["type"] = "Nothing";
      } else if (auto font = std::dynamic_pointer_cast<StdFont>(object)) {
        const FontDesc& desc = font->Desc();
        json["type"] = "Font";
        json["name"] = desc.name;
        json["size"] = CurrencyText(desc.size);
        json["bold"] = desc.bold;
        json["italic"] = desc.italic;
        json["underline"] = desc.underline;
        json["strikethrough"] = desc.strikethrough;
      } else if (auto picture = std::dynamic_pointer_cast<StdPicture>(object)) {
        json["type"] = "Picture";
        if (!picture->IsEmpty()) {
          json["width"] = picture->PixelWidth();
          json["height"] = picture->PixelHeight();
          json["himetric_width"] = picture->Width();
          json["himetric_height"] = picture->Height();
          std::vector<std::uint8_t> rgb;
          rgb.reserve(picture->Pixels().size() * 3);
          for (OleColor pixel : picture->Pixels()) {
            rgb.push_back(static_cast<std::uint8_t>(RedOf(pixel)));
            rgb.push_back(static_cast<std::uint8_t>(GreenOf(pixel)));
            rgb.push_back(static_cast<std::uint8_t>(BlueOf(pixel)));
          }
          json["pixels"] = EncodeBase64(rgb.data(), rgb.size());
        }
      } else {
        return MakeUiError(ui_error::kInvalidPropertyValue,
                           "an object of type " + object->TypeName() + " cannot be stored");
      }
      break;
    }
  }
  return json;
}

Result<Variant> Decode(const Json& json, int depth) {
  if (depth > kMaxDepth) return Damaged("arrays nested too deep");
  if (!json.is_object() || !json.contains("type") || !json["type"].is_string())
    return Damaged("typed value expected");
  const std::string type = json["type"].get<std::string>();
  auto field = [&json](const char* name) -> const Json* {
    auto it = json.find(name);
    return it != json.end() ? &*it : nullptr;
  };
  const Json* v = field("value");
  if (type == "Empty") return Variant();
  if (type == "Null") return Variant::Null();
  if (type == "Nothing") return Variant(automation::ObjectRef());
  if (type == "Picture" && field("width") == nullptr) return Variant(StdPicture::Empty());
  if (type == "Font") {
    const Json* name = field("name");
    const Json* size = field("size");
    if (name == nullptr || !name->is_string() || size == nullptr || !size->is_string())
      return Damaged("font");
    auto parsed_size = ParseCurrency(size->get<std::string>());
    if (!parsed_size) return parsed_size.error();
    auto font = StdFont::Create();
    if (Status s = font->SetName(name->get<std::string>()); !s) return Damaged("font name");
    if (Status s = font->SetSize(*parsed_size); !s) return Damaged("font size");
    for (const char* flag : {"bold", "italic", "underline", "strikethrough"}) {
      const Json* f = field(flag);
      if (f == nullptr || !f->is_boolean()) return Damaged("font flag");
    }
    font->SetBold(json["bold"].get<bool>());
    font->SetItalic(json["italic"].get<bool>());
    font->SetUnderline(json["underline"].get<bool>());
    font->SetStrikethrough(json["strikethrough"].get<bool>());
    return Variant(font);
  }
  if (type == "Picture") {
    auto width = DecodeInt<std::int32_t>(json["width"]);
    const Json* height_json = field("height");
    const Json* hw = field("himetric_width");
    const Json* hh = field("himetric_height");
    const Json* pixels_json = field("pixels");
    if (!width || height_json == nullptr || hw == nullptr || hh == nullptr ||
        pixels_json == nullptr || !pixels_json->is_string())
      return Damaged("picture");
    auto height = DecodeInt<std::int32_t>(*height_json);
    auto himetric_width = DecodeInt<std::int32_t>(*hw);
    auto himetric_height = DecodeInt<std::int32_t>(*hh);
    if (!height || !himetric_width || !himetric_height) return Damaged("picture size");
    auto rgb = DecodeBase64(pixels_json->get<std::string>());
    if (!rgb) return rgb.error();
    if (*width <= 0 || *height <= 0 ||
        rgb->size() != static_cast<size_t>(*width) * static_cast<size_t>(*height) * 3)
      return Damaged("picture pixels");
    std::vector<OleColor> pixels(rgb->size() / 3);
    for (size_t i = 0; i < pixels.size(); ++i)
      pixels[i] = Rgb((*rgb)[3 * i], (*rgb)[3 * i + 1], (*rgb)[3 * i + 2]);
    auto picture = StdPicture::FromPixelsHimetric(*width, *height, std::move(pixels),
                                                  *himetric_width, *himetric_height);
    if (!picture) return Damaged("picture: " + picture.error().description);
    return Variant(*picture);
  }
  if (v == nullptr) return Damaged(type + " without a value");
  if (type == "Boolean") {
    if (!v->is_boolean()) return Damaged("Boolean");
    return Variant(v->get<bool>());
  }
  if (type == "Integer") {
    auto value = DecodeInt<std::int16_t>(*v);
    if (!value) return value.error();
    return Variant(*value);
  }
  if (type == "Long") {
    auto value = DecodeInt<std::int32_t>(*v);
    if (!value) return value.error();
    return Variant(*value);
  }
  if (type == "Double") {
    auto value = DecodeDouble(*v);
    if (!value) return value.error();
    return Variant(*value);
  }
  if (type == "Date") {
    auto value = DecodeDouble(*v);
    if (!value) return value.error();
    return Variant(automation::Date(*value));
  }
  if (type == "Currency") {
    if (!v->is_string()) return Damaged("Currency");
    auto value = ParseCurrency(v->get<std::string>());
    if (!value) return value.error();
    return Variant(*value);
  }
  if (type == "String") {
    if (!v->is_string()) return Damaged("String");
    return Variant(v->get<std::string>());
  }
  if (type == "Error") {
    auto value = DecodeInt<std::int32_t>(*v);
    if (!value) return value.error();
    return Variant(automation::ErrorCode{*value});
  }
  if (type == "Bytes") {
    if (!v->is_string()) return Damaged("Bytes");
    auto bytes = DecodeBase64(v->get<std::string>());
    if (!bytes) return bytes.error();
    return Variant(automation::ByteArray(std::move(*bytes)));
  }
  if (type == "Array") {
    if (!v->is_array()) return Damaged("Array");
    automation::VariantArray items;
    for (const Json& item : *v) {
      auto decoded = Decode(item, depth + 1);
      if (!decoded) return decoded.error();
      items.push_back(std::move(*decoded));
    }
    return Variant(std::move(items));
  }
  return Damaged("unknown type " + type);
}

}  // namespace

Result<Json> EncodeVariant(const Variant& value) {
  return Encode(value, 0);
}

Result<Variant> DecodeVariant(const Json& json) {
  return Decode(json, 0);
}

Result<std::int32_t> DecodeLong(const Json& json) {
  return DecodeInt<std::int32_t>(json);
}

}  // namespace feriant::ui::codec
