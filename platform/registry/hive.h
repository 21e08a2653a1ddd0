#pragma once
// Hive: the in-memory tree of one per-user registry, with no file behind it.
//
// A key is named by its path from the root, names joined by '\' ("Software\Classes\CLSID");
// the empty path is the root key. Every key holds named values of two types, text
// (type 1, UTF-8) and 32-bit signed numbers (type 4); the value with the empty name is the
// key's default value. Key and value names compare ignoring case (ASCII, Latin, Greek and
// Cyrillic letters) and keep the case they were first written with; subkeys and values are
// kept ordered by that comparison, so two hives with the same content are the same object
// whatever order it was written in. Registry (registry.h) loads and stores a Hive from the
// registry file. A plain value; no thread affinity.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "platform/base/result.h"

namespace feriant::registry {

// The registry's own type codes.
enum class ValueType : std::uint32_t {
  kText = 1,
  kNumber = 4,
};

using RegistryValue = std::variant<std::string, std::int32_t>;

ValueType TypeOf(const RegistryValue& value);

struct NamedValue {
  std::string name;  // as first written; empty for the default value
  RegistryValue value;
  friend bool operator==(const NamedValue&, const NamedValue&) = default;
};

// < 0, 0, > 0 as `a` sorts before, equal to or after `b`, ignoring case. Both are UTF-8;
// bytes that are not valid UTF-8 compare by their value.
int CompareNames(std::string_view a, std::string_view b);
inline bool NamesEqual(std::string_view a, std::string_view b) {
  return CompareNames(a, b) == 0;
}

class Hive {
 public:
  // Queries. A malformed path names no key.
  bool KeyExists(std::string_view key) const;
  std::optional<RegistryValue> ReadValue(std::string_view key, std::string_view name) const;
  // Stored names in the hive's order; ErrorKind::kNotFound when the key does not exist.
  Result<std::vector<std::string>> SubKeyNames(std::string_view key) const;
  Result<std::vector<NamedValue>> Values(std::string_view key) const;
  // No key below the root and no value at all.
  bool empty() const { return root_.subkeys.empty() && root_.values.empty(); }
  // Visits every key depth first in the hive's order, the root ("") first, with its path,
  // values and whether it has subkeys.
  void ForEachKey(
      const std::function<void(std::string_view path, const std::vector<NamedValue>& values,
                               bool has_subkeys)>& visit) const;

  // Changes. Names and text must be valid UTF-8 and key names non-empty
  // (ErrorKind::kInvalid otherwise), paths no deeper than kMaxKeyDepth (kUnsupported);
  // a trailing '\' on a path is ignored.
  // Creates the key and its missing parents; an existing key is left as it is.
  Status CreateKey(std::string_view key);
  // Creates the key if needed; an existing value keeps the case of its name.
  Status WriteValue(std::string_view key, std::string_view name, RegistryValue value);
  // ErrorKind::kNotFound when the key or the value does not exist.
  Status DeleteValue(std::string_view key, std::string_view name);
  // Deletes the key with everything below it. The root cannot be deleted.
  Status DeleteKey(std::string_view key);

  // Same keys, names (with their stored case) and values.
  friend bool operator==(const Hive&, const Hive&) = default;

 private:
  struct Key {
    std::string name;
    std::vector<NamedValue> values;  // ordered by CompareNames
    std::vector<Key> subkeys;        // ordered by CompareNames
    friend bool operator==(const Key&, const Key&) = default;
  };

  const Key* Find(std::string_view key) const;
  Key* Find(std::string_view key) { return const_cast<Key*>(std::as_const(*this).Find(key)); }

  Key root_;
};

// Keys nest at most this deep below the root, as in the registry this one stands in
// for; the tree is walked recursively, so the bound also bounds the stack.
inline constexpr size_t kMaxKeyDepth = 512;

// The names of a key path, or an Error: kInvalid for a malformed path, kUnsupported for
// one deeper than kMaxKeyDepth. "" gives no names (the root).
Result<std::vector<std::string_view>> SplitKeyPath(std::string_view key);

}  // namespace feriant::registry
