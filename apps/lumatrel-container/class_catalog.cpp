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

struct ClassEntry {
  RegisteredClass cls;
  bool is_control = false;
};

}  // namespace

std::vector<RegisteredClass> LumatrelControls(const registry::Hive& hive) {
  auto ids = hive.SubKeyNames(kClassIds);
  if (!ids) return {};
  std::vector<ClassEntry> lumatrel;
  for (const std::string& id : *ids) {
    auto class_id = automation::Guid::Parse(id);
    if (!class_id) continue;
    const std::string key = std::string(kClassIds) + "\\" + id;
    ClassEntry entry;
    entry.cls.class_id = *class_id;
    entry.cls.class_name = TextValue(hive, key);
    entry.cls.prog_id = TextValue(hive, key + "\\ProgID");
    entry.cls.library = TextValue(hive, key + "\\InprocServer32");
    entry.is_control = hive.KeyExists(key + "\\Control");
    const auto type_library = automation::Guid::Parse(TextValue(hive, key + "\\TypeLib"));
    const bool ours = (type_library && *type_library == kLumatrelLibraryId) ||
                      StartsWithIgnoringCase(entry.cls.prog_id, kLumatrelPrefix);
    if (ours) lumatrel.push_back(std::move(entry));
  }

  std::vector<RegisteredClass> controls;
  for (const ClassEntry& entry : lumatrel) {
    if (!entry.is_control) continue;
    RegisteredClass control = entry.cls;
    for (const ClassEntry& page : lumatrel) {
      if (!page.is_control && !control.class_name.empty() &&
          automation::NamesEqual(page.cls.class_name, "prp" + control.class_name)) {
        control.property_page = page.cls.class_id;
        break;
      }
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
