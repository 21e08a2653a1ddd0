#pragma once
// The add-in's settings store: the three registry calls by which its dialog remembers
// the chosen country and its host connection reads the host's user-interface language.
//
// They work on the current user's registry (Registry::CurrentUser(), registry.h), open
// and close it within each call, and never report a failure: a failed write leaves the
// registry as it was, a failed read gives an empty Variant. Text is UTF-8 throughout.
// One thread, the user-interface thread.

#include <cstdint>
#include <string_view>

#include "platform/automation/variant.h"

namespace feriant::registry {

// The registry roots callers may name. The current user's hive is the only one there is;
// any other value names nothing, so writes do nothing and reads give empty.
enum class RegistryRoot : std::uint32_t {
  kCurrentUser = 0x80000001,
};

// Creates the key with all its missing parents if it does not exist.
void CreateRegistryKey(RegistryRoot root, std::string_view key_path);

// Creates the key if needed and writes the value: `type` 1 stores `value` as text,
// `type` 4 as a 32-bit signed number (coerced like the automation runtime does). Any
// other type, or a value that does not coerce, writes nothing.
void WriteRegistryValue(RegistryRoot root, std::string_view key_path, std::string_view value_name,
                        const automation::Variant& value, std::int32_t type);

// Text (type 1) as a string, a number (type 4) as a 32-bit integer; empty when the key or
// the value is missing or the registry cannot be read.
automation::Variant ReadRegistryValue(RegistryRoot root, std::string_view key_path,
                                      std::string_view value_name);

}  // namespace feriant::registry
