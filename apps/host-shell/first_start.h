#pragma once
// What an installed host shell does on its first start for a person: the add-in and the
// control library lie installed in the package's library folder, but nothing is in that
// person's registry yet, so no add-in would connect. The shell registers the installed
// libraries itself, as feriant-regsvr does by hand (and tools/feriant-shell does for a
// build tree), and says so. A shell run from a build tree finds no installed libraries
// and registers nothing. One thread, the user-interface thread.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/result.h"

namespace feriant::host_shell {

// The program ids whose registration a shell needs: both add-in classes and a control.
std::vector<std::string_view> NeededProgIds();

// The component libraries of an installation, for the program at `program` (its library
// folder relative to the program's): those of them that exist, none from a build tree.
std::vector<std::filesystem::path> InstalledLibrariesBeside(const std::filesystem::path& program);

// Registers `libraries` in the current user's registry when one of `prog_ids` has no
// class there or its class names a library file that is gone. Returns the line for the
// status bar when it registered, nothing when there was nothing to do; an error names the
// library that failed (those before it stay registered).
Result<std::optional<std::string>> RegisterWhenMissing(
    const std::vector<std::string_view>& prog_ids,
    const std::vector<std::filesystem::path>& libraries);

}  // namespace feriant::host_shell
