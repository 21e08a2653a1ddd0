#include "platform/registry/settings_store.h"

#include <optional>

#include "platform/registry/registry.h"

namespace feriant::registry {
namespace {

std::optional<Registry> Open(RegistryRoot root) {
  if (root != RegistryRoot::kCurrentUser) return std::nullopt;
  return Registry::CurrentUser();
}

std::optional<RegistryValue> Coerce(const automation::Variant& value, std::int32_t type) {
  if (type == static_cast<std::int32_t>(ValueType::kText)) {
    if (auto text = value.ToString()) return RegistryValue(std::move(*text));
  } else if (type == static_cast<std::int32_t>(ValueType::kNumber)) {
    if (auto number = value.ToI4()) return RegistryValue(*number);
  }
  return std::nullopt;
}

}  // namespace

void CreateRegistryKey(RegistryRoot root, std::string_view key_path) {
  if (auto registry = Open(root)) (void)registry->CreateKey(key_path);
}

void WriteRegistryValue(RegistryRoot root, std::string_view key_path, std::string_view value_name,
                        const automation::Variant& value, std::int32_t type) {
  auto registry = Open(root);
  auto stored = Coerce(value, type);
  if (registry && stored) (void)registry->WriteValue(key_path, value_name, std::move(*stored));
}

automation::Variant ReadRegistryValue(RegistryRoot root, std::string_view key_path,
                                      std::string_view value_name) {
  auto registry = Open(root);
  if (!registry) return {};
  auto value = registry->ReadValue(key_path, value_name);
  if (!value || !value->has_value()) return {};
  if (const auto* text = std::get_if<std::string>(&**value)) return automation::Variant(*text);
  return automation::Variant(std::get<std::int32_t>(**value));
}

}  // namespace feriant::registry
