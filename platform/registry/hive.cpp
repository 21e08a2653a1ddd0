#include "platform/registry/hive.h"

#include <algorithm>
#include <utility>

namespace feriant::registry {
namespace {

// One code point from the front of `text`; a byte that does not start a valid UTF-8
// sequence is taken alone, as 0x110000 + its value, so it never equals a letter.
char32_t TakeCodePoint(std::string_view& text) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  size_t length = 0;
  char32_t point = 0;
  if (lead < 0x80) {
    length = 1;
    point = lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    point = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    point = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    point = lead & 0x07;
  }
  bool valid = length != 0 && text.size() >= length;
  for (size_t i = 1; valid && i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) valid = false;
    point = (point << 6) | (byte(i) & 0x3F);
  }
  // Overlong forms, surrogates and points beyond U+10FFFF are not UTF-8.
  if (valid && ((length == 3 && point < 0x800) || (length == 4 && point < 0x10000) ||
                (point >= 0xD800 && point <= 0xDFFF) || point > 0x10FFFF)) {
    valid = false;
  }
  if (!valid) {
    text.remove_prefix(1);
    return 0x110000 + lead;
  }
  text.remove_prefix(length);
  return point;
}

// The upper-case form of the letters whose case Windows folds in names and that occur in
// the languages this system serves: ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic.
char32_t Fold(char32_t c) {
  if (c >= U'a' && c <= U'z') return c - 0x20;
  if (c < 0xE0) return c;
  if (c <= 0xFE) return c == 0xF7 ? c : c - 0x20;
  if (c == 0xFF) return 0x178;
  if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t{1};
  if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c & 1) ? c : c - 1;
  if (c == 0x3C2) return 0x3A3;  // final sigma
  if (c >= 0x3B1 && c <= 0x3C9) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  return c;
}

bool IsValidUtf8(std::string_view text) {
  while (!text.empty()) {
    if (TakeCodePoint(text) >= 0x110000) return false;
  }
  return true;
}

Error InvalidName(std::string_view what, std::string_view text) {
  return ErrorOf(ErrorKind::kInvalid, std::string(what) + " \"" + std::string(text) + "\"");
}

Error NotFound(std::string_view what, std::string_view text) {
  return ErrorOf(ErrorKind::kNotFound,
                 "no registry " + std::string(what) + " \"" + std::string(text) + "\"");
}

// Position of `name` in a vector ordered by CompareNames, and whether it is there.
template <class T, class NameOf>
std::pair<size_t, bool> Locate(const std::vector<T>& items, std::string_view name, NameOf name_of) {
  auto it = std::lower_bound(
      items.begin(), items.end(), name,
      [&](const T& item, std::string_view n) { return CompareNames(name_of(item), n) < 0; });
  const bool found = it != items.end() && CompareNames(name_of(*it), name) == 0;
  return {static_cast<size_t>(it - items.begin()), found};
}

template <class Key, class Visit>
void VisitKeys(const Key& key, std::string& path, const Visit& visit) {
  visit(std::string_view(path), key.values, !key.subkeys.empty());
  for (const Key& subkey : key.subkeys) {
    const size_t length = path.size();
    if (!path.empty()) path += '\\';
    path += subkey.name;
    VisitKeys(subkey, path, visit);
    path.resize(length);
  }
}

}  // namespace

ValueType TypeOf(const RegistryValue& value) {
  return std::holds_alternative<std::string>(value) ? ValueType::kText : ValueType::kNumber;
}

int CompareNames(std::string_view a, std::string_view b) {
  while (!a.empty() && !b.empty()) {
    const char32_t x = Fold(TakeCodePoint(a));
    const char32_t y = Fold(TakeCodePoint(b));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.empty() && b.empty()) return 0;
  return a.empty() ? -1 : 1;
}

Result<std::vector<std::string_view>> SplitKeyPath(std::string_view key) {
  std::vector<std::string_view> names;
  if (!IsValidUtf8(key)) return InvalidName("registry key path is not UTF-8:", key);
  std::string_view rest = key;
  if (!rest.empty() && rest.back() == '\\') rest.remove_suffix(1);
  if (rest.empty() && !key.empty()) return InvalidName("invalid registry key path", key);
  while (!rest.empty()) {
    const size_t end = rest.find('\\');
    const std::string_view name = rest.substr(0, end);
    if (name.empty()) return InvalidName("invalid registry key path", key);
    if (names.size() == kMaxKeyDepth) {
      return ErrorOf(ErrorKind::kUnsupported,
                     "the registry key path \"" + std::string(key.substr(0, 64)) +
                         "...\" nests more than " + std::to_string(kMaxKeyDepth) + " keys deep");
    }
    names.push_back(name);
    if (end == std::string_view::npos) break;
    rest.remove_prefix(end + 1);
    if (rest.empty()) return InvalidName("invalid registry key path", key);
  }
  return names;
}

const Hive::Key* Hive::Find(std::string_view key) const {
  auto names = SplitKeyPath(key);
  if (!names) return nullptr;
  const Key* node = &root_;
  for (std::string_view name : *names) {
    auto [index, found] = Locate(node->subkeys, name, [](const Key& k) { return k.name; });
    if (!found) return nullptr;
    node = &node->subkeys[index];
  }
  return node;
}

void Hive::ForEachKey(const std::function<void(std::string_view, const std::vector<NamedValue>&,
                                               bool)>& visit) const {
  std::string path;
  VisitKeys(root_, path, visit);
}

bool Hive::KeyExists(std::string_view key) const {
  return Find(key) != nullptr;
}

std::optional<RegistryValue> Hive::ReadValue(std::string_view key, std::string_view name) const {
  const Key* node = Find(key);
  if (node == nullptr) return std::nullopt;
  auto [index, found] = Locate(node->values, name, [](const NamedValue& v) { return v.name; });
  if (!found) return std::nullopt;
  return node->values[index].value;
}

Result<std::vector<std::string>> Hive::SubKeyNames(std::string_view key) const {
  const Key* node = Find(key);
  if (node == nullptr) return NotFound("key", key);
  std::vector<std::string> names;
  names.reserve(node->subkeys.size());
  for (const Key& subkey : node->subkeys)
    names.push_back(subkey.name);
  return names;
}

Result<std::vector<NamedValue>> Hive::Values(std::string_view key) const {
  const Key* node = Find(key);
  if (node == nullptr) return NotFound("key", key);
  return node->values;
}

Status Hive::CreateKey(std::string_view key) {
  auto names = SplitKeyPath(key);
  if (!names) return names.error();
  Key* node = &root_;
  for (std::string_view name : *names) {
    auto [index, found] = Locate(node->subkeys, name, [](const Key& k) { return k.name; });
    if (!found) {
      node->subkeys.insert(node->subkeys.begin() + static_cast<std::ptrdiff_t>(index),
                           Key{std::string(name), {}, {}});
    }
    node = &node->subkeys[index];
  }
  return Ok();
}

Status Hive::WriteValue(std::string_view key, std::string_view name, RegistryValue value) {
  if (!IsValidUtf8(name)) return InvalidName("registry value name is not UTF-8:", name);
  if (const auto* text = std::get_if<std::string>(&value); text && !IsValidUtf8(*text))
    return InvalidName("registry text is not UTF-8:", *text);
  if (Status created = CreateKey(key); !created) return created;
  Key* node = Find(key);
  auto [index, found] = Locate(node->values, name, [](const NamedValue& v) { return v.name; });
  if (found) {
    node->values[index].value = std::move(value);
  } else {
    node->values.insert(node->values.begin() + static_cast<std::ptrdiff_t>(index),
                        NamedValue{std::string(name), std::move(value)});
  }
  return Ok();
}

Status Hive::DeleteValue(std::string_view key, std::string_view name) {
  Key* node = Find(key);
  if (node == nullptr) return NotFound("key", key);
  auto [index, found] = Locate(node->values, name, [](const NamedValue& v) { return v.name; });
  if (!found) return NotFound("value", std::string(key) + "\\" + std::string(name));
  node->values.erase(node->values.begin() + static_cast<std::ptrdiff_t>(index));
  return Ok();
}

Status Hive::DeleteKey(std::string_view key) {
  auto names = SplitKeyPath(key);
  if (!names) return names.error();
  if (names->empty()) return InvalidName("cannot delete the registry's root key", key);
  const std::string_view leaf = names->back();
  names->pop_back();
  Key* parent = &root_;
  for (std::string_view name : *names) {
    auto [index, found] = Locate(parent->subkeys, name, [](const Key& k) { return k.name; });
    if (!found) return NotFound("key", key);
    parent = &parent->subkeys[index];
  }
  auto [index, found] = Locate(parent->subkeys, leaf, [](const Key& k) { return k.name; });
  if (!found) return NotFound("key", key);
  parent->subkeys.erase(parent->subkeys.begin() + static_cast<std::ptrdiff_t>(index));
  return Ok();
}

}  // namespace feriant::registry
