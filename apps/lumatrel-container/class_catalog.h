#pragma once
// The Lumatrel controls registered for the current user, as the control test container
// offers them: every class under "Software\Classes\CLSID" that is a control (it has a
// "Control" key) and belongs to Lumatrel (its "TypeLib" is Lumatrel's type library, or
// its program id starts with "Lumatrel.").
//
// A control's property pages are those its class description lists, as registration
// wrote them under its "PropertyPages" key ("1", "2", ...: a page's class id), in that
// order; a value that is no class id is skipped. Plain values and functions; no thread
// affinity.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/registry/hive.h"

namespace feriant::lumatrel_container {

// Lumatrel's type library, {A8FC043F-2ECC-4715-9724-E62009698500}.
inline constexpr automation::Guid kLumatrelLibraryId{
    0xA8FC043F, 0x2ECC, 0x4715, {0x97, 0x24, 0xE6, 0x20, 0x09, 0x69, 0x85, 0x00}};

struct RegisteredClass {
  automation::Guid class_id;
  std::string prog_id;     // "Lumatrel.WhiteTop"; empty when none is registered
  std::string class_name;  // "WhiteTop", the key's default value
  std::filesystem::path library;
  std::vector<automation::Guid> property_pages;
};

// The Lumatrel controls in `hive`, ordered by program id (ignoring case). Keys that are
// not class ids are skipped.
std::vector<RegisteredClass> LumatrelControls(const registry::Hive& hive);

// The same from the current user's registry file; its errors name the file.
Result<std::vector<RegisteredClass>> LumatrelControlsOfCurrentUser();

// The entry whose program id (ignoring case) or class id ("{...}", braces optional) is
// `name`; nullptr when none is.
const RegisteredClass* FindClass(const std::vector<RegisteredClass>& classes,
                                 std::string_view name);

}  // namespace feriant::lumatrel_container
