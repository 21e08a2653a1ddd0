#include "platform/components/registration.h"

#include <algorithm>
#include <string>
#include <system_error>
#include <variant>

namespace feriant::components {
namespace {

using registry::Hive;
using registry::NamedValue;
using registry::RegistryValue;

// The platform part of a type library's path key, as "win32" is on Windows.
constexpr std::string_view kPlatform = sizeof(void*) == 8 ? "linux64" : "linux32";

std::string Join(std::string_view a, std::string_view b) {
  return std::string(a) + "\\" + std::string(b);
}

RegistryEntry Default(std::string key, std::string text) {
  return RegistryEntry{std::move(key), NamedValue{"", std::move(text)}};
}

Status CheckName(std::string_view what, std::string_view name) {
  if (name.empty() || name.find('\\') != std::string_view::npos) {
    return ErrorOf(ErrorKind::kInvalid, "cannot register " + std::string(what) + " \"" +
                                            std::string(name) +
                                            "\": it must be a non-empty name without '\\'");
  }
  return Ok();
}

void AddInterface(std::vector<RegistryEntry>& entries, const automation::Guid& iid,
                  const std::string& name, const ServerDescription& server) {
  const std::string key = Join(Join(kClassesKey, "Interface"), iid.ToString());
  entries.push_back(Default(key, name));
  entries.push_back(Default(Join(key, "TypeLib"), server.library_id.ToString()));
  entries.push_back(RegistryEntry{Join(key, "TypeLib"), NamedValue{"Version", server.version}});
}

// The key and every key above it, deepest first.
void AddWithParents(std::vector<std::string>& keys, std::string_view key) {
  while (!key.empty()) {
    keys.emplace_back(key);
    const size_t end = key.rfind('\\');
    key = end == std::string_view::npos ? std::string_view() : key.substr(0, end);
  }
}

size_t Depth(std::string_view key) {
  return static_cast<size_t>(std::count(key.begin(), key.end(), '\\'));
}

bool Holds(const Hive& hive, const RegistryEntry& entry) {
  return entry.value && hive.ReadValue(entry.key, entry.value->name) == entry.value->value;
}

// Whether the owner entry names `library`, by the path each resolves to: a library
// registered through a symbolic link is the one its target names, and back.
bool NamesLibrary(const Hive& hive, const RegistryEntry& owner,
                  const std::filesystem::path& library) {
  if (Holds(hive, owner)) return true;
  const auto stored = hive.ReadValue(owner.key, owner.value->name);
  const auto* text = stored ? std::get_if<std::string>(&*stored) : nullptr;
  return text != nullptr && !text->empty() &&
         ResolvedLibraryPath(*text) == ResolvedLibraryPath(library);
}

}  // namespace

std::filesystem::path ResolvedLibraryPath(const std::filesystem::path& library) {
  std::error_code error;
  std::filesystem::path absolute = std::filesystem::absolute(library, error);
  if (error) return library.lexically_normal();
  std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
  return error ? absolute.lexically_normal() : resolved;
}

std::string AddInKey(const AddInRegistration& add_in, std::string_view prog_id) {
  return Join(Join(add_in.host_key, "Addins"), prog_id);
}

std::string ClassKey(const automation::Guid& class_id) {
  return Join(Join(kClassesKey, "CLSID"), class_id.ToString());
}

std::string ProgIdKey(std::string_view prog_id) {
  return Join(kClassesKey, prog_id);
}

Result<std::vector<RegistrationGroup>> RegistrationLayout(const ServerDescription& server,
                                                          const std::filesystem::path& library) {
  if (Status ok = CheckName("the type library version", server.version); !ok) return ok.error();
  std::vector<RegistrationGroup> groups;
  const std::string path = library.string();
  const std::string library_id = server.library_id.ToString();

  for (const ClassDescription& cls : server.classes) {
    if (Status ok = CheckName("the program id", cls.prog_id); !ok) return ok.error();
    const std::string key = ClassKey(cls.class_id);
    RegistrationGroup group{Default(Join(key, "InprocServer32"), path), {}};
    auto& entries = group.entries;
    entries.push_back(Default(key, cls.class_name));
    entries.push_back(group.owner);
    entries.push_back(Default(Join(key, "ProgID"), cls.prog_id));
    entries.push_back(Default(Join(key, "TypeLib"), library_id));
    entries.push_back(Default(Join(key, "Version"), server.version));
    if (cls.is_control) entries.push_back(RegistryEntry{Join(key, "Control"), std::nullopt});
    for (size_t i = 0; i < cls.property_pages.size(); ++i) {
      entries.push_back(
          RegistryEntry{Join(key, "PropertyPages"),
                        NamedValue{std::to_string(i + 1), cls.property_pages[i].ToString()}});
    }
    entries.push_back(Default(Join(ProgIdKey(cls.prog_id), "CLSID"), cls.class_id.ToString()));
    if (cls.add_in) {
      auto host_names = registry::SplitKeyPath(cls.add_in->host_key);
      if (!host_names || host_names->empty()) {
        return ErrorOf(ErrorKind::kInvalid, "cannot register the add-in " + cls.prog_id +
                                                " under the host key \"" + cls.add_in->host_key +
                                                "\"");
      }
      const std::string add_in = AddInKey(*cls.add_in, cls.prog_id);
      entries.push_back(
          RegistryEntry{add_in, NamedValue{"FriendlyName", cls.add_in->display_name}});
      entries.push_back(RegistryEntry{add_in, NamedValue{"Description", cls.add_in->description}});
      entries.push_back(
          RegistryEntry{add_in, NamedValue{"LoadBehavior", cls.add_in->load_behavior}});
    }
    groups.push_back(std::move(group));
  }

  const std::string type_library =
      Join(Join(Join(kClassesKey, "TypeLib"), library_id), server.version);
  RegistrationGroup group{Default(Join(Join(type_library, "0"), kPlatform), path), {}};
  group.entries.push_back(Default(type_library, server.library_name));
  group.entries.push_back(group.owner);
  for (const ClassDescription& cls : server.classes) {
    AddInterface(group.entries, cls.interface_id, cls.interface_name, server);
    if (!cls.event_interface_id.IsNull())
      AddInterface(group.entries, cls.event_interface_id, cls.event_interface_name, server);
  }
  groups.push_back(std::move(group));
  return groups;
}

Status WriteRegistration(Hive& hive, const ServerDescription& server,
                         const std::filesystem::path& library) {
  auto layout = RegistrationLayout(server, library);
  if (!layout) return layout.error();
  for (const RegistrationGroup& group : *layout) {
    for (const RegistryEntry& entry : group.entries) {
      const Status written = entry.value
                                 ? hive.WriteValue(entry.key, entry.value->name, entry.value->value)
                                 : hive.CreateKey(entry.key);
      if (!written) return written;
    }
  }
  return Ok();
}

Status RemoveRegistration(Hive& hive, const ServerDescription& server,
                          const std::filesystem::path& library) {
  auto layout = RegistrationLayout(server, library);
  if (!layout) return layout.error();
  for (size_t g = 0; g < layout->size(); ++g) {
    const RegistrationGroup& group = (*layout)[g];
    const RegistryEntry& owner = group.owner;
    const bool owned = NamesLibrary(hive, owner, library);
    if (hive.ReadValue(owner.key, owner.value->name).has_value() && !owned) continue;
    std::vector<std::string> keys;
    // The class groups come first, in the order of the classes. An add-in key is the
    // registration's own whatever a person set in it (LoadBehavior when they untick the
    // add-in), so it goes whole.
    if (g < server.classes.size() && server.classes[g].add_in) {
      const std::string add_in = AddInKey(*server.classes[g].add_in, server.classes[g].prog_id);
      if (hive.KeyExists(add_in)) {
        if (Status deleted = hive.DeleteKey(add_in); !deleted) return deleted;
      }
    }
    for (const RegistryEntry& entry : group.entries) {
      if (Holds(hive, entry) || (owned && entry == owner)) {
        if (Status deleted = hive.DeleteValue(entry.key, entry.value->name); !deleted)
          return deleted;
      }
      AddWithParents(keys, entry.key);
    }
    std::stable_sort(keys.begin(), keys.end(), [](const std::string& a, const std::string& b) {
      return Depth(a) > Depth(b);
    });
    for (const std::string& key : keys) {
      auto subkeys = hive.SubKeyNames(key);
      auto values = hive.Values(key);
      if (subkeys && values && subkeys->empty() && values->empty()) {
        if (Status deleted = hive.DeleteKey(key); !deleted) return deleted;
      }
    }
  }
  return Ok();
}

}  // namespace feriant::components
