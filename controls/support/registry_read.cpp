#include "controls/support/registry_read.h"

#include <utility>
#include <variant>

#include "platform/registry/registry.h"

namespace feriant::lumatrel {

Result<RegistryKey> RegistryKey::Open(registry::RegistryRoot root, std::string_view path) {
  if (root != registry::RegistryRoot::kCurrentUser)
    return ErrorOf(ErrorKind::kNotFound, "no such registry root");
  auto hive = registry::Registry::CurrentUser().Read();
  if (!hive) return hive.error();
  if (!hive->KeyExists(path))
    return ErrorOf(ErrorKind::kNotFound, "no registry key " + std::string(path));
  return RegistryKey(std::move(*hive), std::string(path));
}

std::int32_t ReadValue(const RegistryKey& key, std::string_view name, automation::Variant& value) {
  value = automation::Variant();
  auto stored = key.hive().ReadValue(key.path(), name);
  if (!stored) return registry_status::kNotFound;
  if (const auto* text = std::get_if<std::string>(&*stored)) {
    value = automation::Variant(*text);
  } else {
    value = automation::Variant(std::get<std::int32_t>(*stored));
  }
  return registry_status::kSuccess;
}

automation::Variant ReadValueUnder(registry::RegistryRoot root, std::string_view path,
                                   std::string_view name) {
  automation::Variant value;
  if (auto key = RegistryKey::Open(root, path)) (void)ReadValue(*key, name, value);
  return value;
}

}  // namespace feriant::lumatrel
