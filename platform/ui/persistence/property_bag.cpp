#include "platform/ui/persistence/property_bag.h"

#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/base/text.h"
#include "platform/ui/common/errors.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"
#include "platform/ui/persistence/variant_codec.h"

namespace feriant::ui {

using automation::Variant;
using automation::VarType;

namespace {

// A bag, its properties, one property, its value and arrays in arrays: far less than this.
constexpr size_t kMaxNesting = 32;

// Fonts and pictures are kept as copies: the bag holds what was written, not a live
// object that its writer may go on changing.
Result<Variant> Snapshot(const Variant& value) {
  if (!value.IsObject()) {
    if (value.type() == VarType::kError && !value.IsMissing())
      return MakeUiError(ui_error::kInvalidPropertyValue, "an error value cannot be stored");
    return value;
  }
  const automation::ObjectRef object = value.AsObject();
  if (!object) return value;
  if (auto font = std::dynamic_pointer_cast<StdFont>(object)) return Variant(font->Clone());
  if (auto picture = std::dynamic_pointer_cast<StdPicture>(object))
    return Variant(picture->Clone());
  return MakeUiError(ui_error::kInvalidPropertyValue,
                     "an object of type " + object->TypeName() + " cannot be stored");
}

bool IsEmptyPictureOrNothing(const Variant& value) {
  if (!value.IsObject()) return false;
  const automation::ObjectRef object = value.AsObject();
  if (!object) return true;
  auto picture = std::dynamic_pointer_cast<StdPicture>(object);
  return picture && picture->IsEmpty();
}

bool SameObject(const Variant& value, const Variant& default_value) {
  if (!value.IsObject()) return false;
  if (IsEmptyPictureOrNothing(value) && IsEmptyPictureOrNothing(default_value)) return true;
  const automation::ObjectRef a = value.AsObject();
  const automation::ObjectRef b = default_value.AsObject();
  if (a == b) return true;
  if (!a || !b) return false;
  auto font_a = std::dynamic_pointer_cast<StdFont>(a);
  auto font_b = std::dynamic_pointer_cast<StdFont>(b);
  if (font_a && font_b) return font_a->Desc() == font_b->Desc();
  auto picture_a = std::dynamic_pointer_cast<StdPicture>(a);
  auto picture_b = std::dynamic_pointer_cast<StdPicture>(b);
  if (picture_a && picture_b) return picture_a->SameImage(*picture_b);
  return false;
}

}  // namespace

bool PropertyBag::EqualsDefault(const Variant& value, const Variant& default_value) {
  switch (default_value.type()) {
    case VarType::kError:
      // The missing marker means "no default"; other error values only equal themselves.
      return !default_value.IsMissing() && value == default_value;
    case VarType::kEmpty:
      return value.IsEmpty();
    case VarType::kNull:
      return value.IsNull();
    case VarType::kBool: {
      auto a = value.ToBool();
      return a && *a == *default_value.ToBool();
    }
    case VarType::kI2: {
      auto a = value.ToI2();
      return a && *a == *default_value.ToI2();
    }
    case VarType::kI4: {
      auto a = value.ToI4();
      return a && *a == *default_value.ToI4();
    }
    case VarType::kR8: {
      auto a = value.ToDouble();
      return a && *a == *default_value.ToDouble();
    }
    case VarType::kCurrency: {
      auto a = value.ToCurrency();
      return a && *a == *default_value.ToCurrency();
    }
    case VarType::kDate: {
      auto a = value.ToDate();
      return a && *a == *default_value.ToDate();
    }
    case VarType::kString: {
      if (value.IsObject() || value.IsNull()) return false;
      auto a = value.ToString();
      return a && *a == *default_value.AsString();
    }
    case VarType::kObject:
      return SameObject(value, default_value);
    case VarType::kByteArray:
    case VarType::kArray:
      return value == default_value;
  }
  return false;
}

Result<Variant> PropertyBag::ReadProperty(std::string_view key, const Variant& default_value) {
  read_log_.emplace_back(key);
  for (const Entry& entry : entries_) {
    if (!automation::NamesEqual(entry.key, key)) continue;
    // Every reader gets objects of its own, as from a file.
    if (auto font = FontOf(entry.value)) return Variant(font->Clone());
    if (auto picture = PictureOf(entry.value)) return Variant(picture->Clone());
    return entry.value;
  }
  if (default_value.IsMissing())
    return MakeUiError(ui_error::kInvalidPropertyValue, "no property " + std::string(key));
  return default_value;
}

Status PropertyBag::WriteProperty(std::string_view key, const Variant& value,
                                  const Variant& default_value) {
  write_log_.emplace_back(key);
  if (key.empty()) return MakeUiError(ui_error::kInvalidPropertyValue, "empty property name");
  if (value.IsMissing()) return MakeUiError(ui_error::kInvalidPropertyValue, "no value");
  auto it = entries_.begin();
  for (; it != entries_.end(); ++it) {
    if (automation::NamesEqual(it->key, key)) break;
  }
  if (EqualsDefault(value, default_value)) {
    // A stale value would otherwise be read back instead of the default.
    if (it != entries_.end()) entries_.erase(it);
    return Ok();
  }
  auto stored = Snapshot(value);
  if (!stored) return stored.error();
  if (it != entries_.end()) {
    it->value = std::move(*stored);
  } else {
    entries_.push_back(Entry{std::string(key), std::move(*stored)});
  }
  return Ok();
}

bool PropertyBag::Contains(std::string_view key) const {
  for (const Entry& entry : entries_) {
    if (automation::NamesEqual(entry.key, key)) return true;
  }
  return false;
}

std::vector<std::string> PropertyBag::Keys() const {
  std::vector<std::string> keys;
  keys.reserve(entries_.size());
  for (const Entry& entry : entries_)
    keys.push_back(entry.key);
  return keys;
}

void PropertyBag::ClearLogs() {
  read_log_.clear();
  write_log_.clear();
}

Status PropertyBag::Restore(std::string key, Variant value) {
  if (key.empty()) return MakeUiError(ui_error::kInvalidPropertyValue, "empty property name");
  if (Contains(key))
    return MakeUiError(ui_error::kInvalidPropertyValue, "duplicate property " + key);
  entries_.push_back(Entry{std::move(key), std::move(value)});
  return Ok();
}

Result<automation::ByteArray> PropertyBag::Contents() const {
  codec::Json properties = codec::Json::array();
  for (const Entry& entry : entries_) {
    auto value = codec::EncodeVariant(entry.value);
    if (!value) return value.error();
    properties.push_back(codec::Json::array({entry.key, std::move(*value)}));
  }
  codec::Json document = codec::Json::object();
  document["format"] = "feriant-bag";
  document["version"] = 1;
  document["properties"] = std::move(properties);
  const std::string text = document.dump();
  return automation::ByteArray(text.begin(), text.end());
}

Result<PropertyBag> PropertyBag::FromContents(const automation::ByteArray& bytes) {
  auto damaged = [](const std::string& what) {
    return MakeUiError(ui_error::kInvalidPropertyValue, "damaged property bag: " + what);
  };
  // The JSON library copies and compares values recursively.
  if (base::JsonNestsDeeperThan(
          std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
          kMaxNesting)) {
    return damaged("nested too deep");
  }
  codec::Json document = codec::Json::parse(bytes.begin(), bytes.end(), nullptr,
                                            /*allow_exceptions=*/false);
  if (document.is_discarded()) return damaged("not readable");
  // Compared as JSON values: a "format" of another type is simply not ours.
  if (!document.is_object() || !document.contains("format") || document["format"] != "feriant-bag")
    return damaged("unknown format");
  if (!document.contains("version") || document["version"] != 1) return damaged("unknown version");
  const auto properties = document.find("properties");
  if (properties == document.end() || !properties->is_array()) return damaged("no properties");
  PropertyBag bag;
  for (const codec::Json& entry : *properties) {
    if (!entry.is_array() || entry.size() != 2 || !entry[0].is_string())
      return damaged("bad entry");
    auto value = codec::DecodeVariant(entry[1]);
    if (!value) return damaged(value.error().description);
    if (Status s = bag.Restore(entry[0].get<std::string>(), std::move(*value)); !s)
      return damaged(s.error().description);
  }
  return bag;
}

}  // namespace feriant::ui
