#include "apps/lumatrel-container/class_catalog.h"

#include <algorithm>
#include <variant>

#include "platform/automation/dispatch.h"
#include "platform/registry/registry.h"

namespace feriant::lumatrel_container {
namespace {

constexpr std::string_view kClassIds = "Software\\Classes\\CLSID";
constexpr std::string_view kLumatrelPrefix = "Lumatrel.";

std::string TextValue(const registry::Hive& hive, const std::string& key) {
  auto value = hive.ReadValue(key, "");
  if (!value) return {};
  const std::string* text = std::get_if<std::string>(&*value);
  return text != nullptr ? *text : std::string();
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         automation::NamesEqual(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::vector<RegisteredClass> LumatrelControls(const registry::Hive& hive) {
  auto ids = hive.SubKeyNames(kClassIds);
  if (!ids) return {};
  std::vector<RegisteredClass> controls;
  for (const std::string& id : *ids) {
    auto class_id = automation::Guid::Parse(id);
    if (!class_id) continue;
    const std::string key = std::string(kClassIds) + "\\" + id;
    if (!hive.KeyExists(key + "\\Control")) continue;
    RegisteredClass control;
    control.class_id = *class_id;
    control.class_name = TextValue(hive, key);
    control.prog_id = TextValue(hive, key + "\\ProgID");
    control.library = TextValue(hive, key + "\\InprocServer32");
    const auto type_library = automation::Guid::Parse(TextValue(hive, key + "\\TypeLib"));
    const bool ours = (type_library && *type_library == kLumatrelLibraryId) ||
                      StartsWithIgnoringCase(control.prog_id, kLumatrelPrefix);
    if (!ours) continue;
    for (int i = 1;; ++i) {
      auto value = hive.ReadValue(key + "\\PropertyPages", std::to_string(i));
      if (!value) break;
      const std::string* text = std::get_if<std::string>(&*value);
      if (text == nullptr) continue;
      if (auto page = automation::Guid::Parse(*text)) control.property_pages.push_back(*page);
    }
    controls.push_back(std::move(control));
  }
  std::sort(controls.begin(), controls.end(),
            [](const RegisteredClass& a, const RegisteredClass& b) {
              const int order = registry::CompareNames(a.prog_id, b.prog_id);
              return order != 0 ? order < 0 : a.class_id < b.class_id;
            });
  return controls;
}

Result<std::vector<RegisteredClass>> LumatrelControlsOfCurrentUser() {
  auto hive = registry::Registry::CurrentUser().Read();
  if (!hive) return hive.error();
  return LumatrelControls(*hive);
}

const RegisteredClass* FindClass(const std::vector<RegisteredClass>& classes,
                                 std::string_view name) {
  const auto class_id = automation::Guid::Parse(name);
  for (const RegisteredClass& cls : classes) {
    if (class_id ? cls.class_id == *class_id
                 : (!cls.prog_id.empty() && automation::NamesEqual(cls.prog_id, name)))
      return &cls;
  }
  return nullptr;
}

}  // namespace feriant::lumatrel_container
