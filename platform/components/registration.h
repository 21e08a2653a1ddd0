#pragma once
// What registering a component library writes into the current user's registry, and how
// unregistering takes exactly that out again. All keys lie under "Software\Classes":
//
//   CLSID\{clsid}                  default: class name
//     InprocServer32               default: absolute path of the library
//     ProgID                       default: program id
//     TypeLib                      default: {library id}
//     Version                      default: type library version ("4.10")
//     Control                      (controls only; no value)
//     PropertyPages                "1", "2", ...: {page class id}, one per property page
//                                  in the order the container shows them
//   <program id>\CLSID             default: {clsid}
//   Interface\{iid}                default: interface name (default and event interface)
//     TypeLib                      default: {library id}; "Version": type library version
//   TypeLib\{library id}\<version> default: library name
//     0\linux64                    default: absolute path of the library
//
// and, for a class that is an add-in, <host key>\Addins\<program id> with "FriendlyName",
// "Description" and "LoadBehavior" (outside "Software\Classes").
//
// Library paths are compared as they resolve (symbolic links followed at both ends), so
// a library registered through a link is unregistered by its real path and back.
// Writing twice changes nothing. Removing deletes each value only while it still holds
// what registration wrote, then deletes the keys on the written paths that are left
// empty, up to "Software"; a key holding anything else stays. An add-in key goes whole,
// whatever a person set in it (the host writes LoadBehavior when the add-in is unticked).
// A class whose InprocServer32 names another library, or a type library registered for
// another library, now belongs to that library and is left whole. Plain functions over
// a Hive.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/components/server_description.h"
#include "platform/registry/hive.h"

namespace feriant::components {

inline constexpr std::string_view kClassesKey = "Software\\Classes";

// The absolute path `library` resolves to, symbolic links followed as far as they exist.
std::filesystem::path ResolvedLibraryPath(const std::filesystem::path& library);

// "<host key>\Addins\<program id>".
std::string AddInKey(const AddInRegistration& add_in, std::string_view prog_id);

// "Software\Classes\CLSID\{clsid}" and "Software\Classes\<program id>".
std::string ClassKey(const automation::Guid& class_id);
std::string ProgIdKey(std::string_view prog_id);

// One key, with one value or (value empty) just the key.
struct RegistryEntry {
  std::string key;
  std::optional<registry::NamedValue> value;
  friend bool operator==(const RegistryEntry&, const RegistryEntry&) = default;
};

// What one owner writes: a class, or the type library with its interfaces. `owner` is
// the entry that names the library the group belongs to; it is one of `entries`.
struct RegistrationGroup {
  RegistryEntry owner;
  std::vector<RegistryEntry> entries;
};

// The layout above for `server` served by `library` (an absolute path). Fails when a
// program id or version cannot be a key name.
Result<std::vector<RegistrationGroup>> RegistrationLayout(const ServerDescription& server,
                                                          const std::filesystem::path& library);

Status WriteRegistration(registry::Hive& hive, const ServerDescription& server,
                         const std::filesystem::path& library);
Status RemoveRegistration(registry::Hive& hive, const ServerDescription& server,
                          const std::filesystem::path& library);

}  // namespace feriant::components
