#pragma once
// Registry reading (the module modRegistry): one value of the current user's registry
// (platform/registry), as text (type 1) or a 32-bit number (type 4).
//
// A key is opened for reading values only: the RegistryKey holds what the registry file
// held at that moment and nothing else, so closing it is letting it go. Reading never
// writes. The user-interface thread only.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/automation/variant.h"
#include "platform/base/result.h"
#include "platform/registry/hive.h"
#include "platform/registry/settings_store.h"

namespace feriant::lumatrel {

// What a read answers, as the desktop's registry calls do.
namespace registry_status {
inline constexpr std::int32_t kSuccess = 0;
inline constexpr std::int32_t kNotFound = 2;  // no such key or value
}  // namespace registry_status

class RegistryKey {
 public:
  // Fails (kind kNotFound) when the key does not exist, or with the registry's error
  // when its file cannot be read.
  static Result<RegistryKey> Open(registry::RegistryRoot root, std::string_view path);

  const registry::Hive& hive() const { return hive_; }
  const std::string& path() const { return path_; }

 private:
  RegistryKey(registry::Hive hive, std::string path)
      : hive_(std::move(hive)), path_(std::move(path)) {}

  registry::Hive hive_;
  std::string path_;
};

// Reads the value `name` of `key` into `value` (a string or a 32-bit integer, the only
// two types the registry holds) and answers a registry_status; a value that is not there
// leaves `value` Empty.
std::int32_t ReadValue(const RegistryKey& key, std::string_view name, automation::Variant& value);

// Opens the key, reads the value and closes the key again; Empty when the key or the
// value is missing or the registry cannot be read.
automation::Variant ReadValueUnder(registry::RegistryRoot root, std::string_view path,
                                   std::string_view name);

}  // namespace feriant::lumatrel
