#include "apps/host-shell/first_start.h"

#include <cstdint>
#include <cstdio>
#include <system_error>

#include "addin/host/registration.h"
#include "controls/support/identities.h"
#include "platform/components/component_library.h"
#include "platform/components/component_registry.h"
#include "platform/components/error_info.h"

namespace feriant::host_shell {
namespace {

// From the programs' folder to the libraries' and their file names; set by the build.
constexpr std::string_view kLibrariesFromPrograms = FERIANT_LIBRARIES_FROM_PROGRAMS;
constexpr std::string_view kLibraryNames[] = {FERIANT_ADDIN_LIBRARY_NAME,
                                              FERIANT_CONTROLS_LIBRARY_NAME};

bool Registered(components::ComponentRegistry& lookups, std::string_view prog_id) {
  auto class_id = lookups.ClassIdOf(prog_id);
  if (!class_id) return false;
  auto library = lookups.LibraryOf(*class_id);
  std::error_code error;
  return library && std::filesystem::is_regular_file(*library, error);
}

Status Register(const std::filesystem::path& file) {
  auto library = components::ComponentLibrary::Load(file);
  if (!library) return library.error();
  (void)components::TakeErrorInfo();
  const std::int32_t status = (*library)->RegisterServer();
  if (status >= 0) return Ok();
  const auto info = components::TakeErrorInfo();
  char code[16];
  std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
  return ErrorOf(ErrorKind::kAutomation,
                 "cannot register " + file.string() + ": " +
                     (info ? info->description : std::string("DllRegisterServer failed")) + " (" +
                     code + ")",
                 status);
}

}  // namespace

std::vector<std::string_view> NeededProgIds() {
  return {host::kConnectOutlookProgId, host::kConnectProjectProgId, lumatrel::white_top::kProgId};
}

std::vector<std::filesystem::path> InstalledLibrariesBeside(const std::filesystem::path& program) {
  std::vector<std::filesystem::path> found;
  const std::filesystem::path folder =
      (program.parent_path() / kLibrariesFromPrograms).lexically_normal();
  for (const std::string_view name : kLibraryNames) {
    std::error_code error;
    if (std::filesystem::is_regular_file(folder / name, error)) found.push_back(folder / name);
  }
  return found;
}

Result<std::optional<std::string>> RegisterWhenMissing(
    const std::vector<std::string_view>& prog_ids,
    const std::vector<std::filesystem::path>& libraries) {
  if (libraries.empty()) return std::optional<std::string>();
  components::ComponentRegistry lookups;
  bool missing = false;
  for (const std::string_view prog_id : prog_ids)
    missing = missing || !Registered(lookups, prog_id);
  if (!missing) return std::optional<std::string>();
  std::string names;
  for (const std::filesystem::path& library : libraries) {
    if (Status registered = Register(library); !registered) return registered.error();
    names += (names.empty() ? "" : " and ") + library.string();
  }
  return std::optional<std::string>("First start: registered " + names + " for this user.");
}

}  // namespace feriant::host_shell
