#include "addin/dialog/documentation.h"

#include <dlfcn.h>

#include <string_view>
#include <system_error>

namespace feriant::dialog {
namespace {

// From the folder of the installed libraries to the installed README, and the README of
// the source tree; both set by the build.
constexpr std::string_view kInstalledFromLibraries = FERIANT_DOCUMENTATION_FROM_LIBRARIES;
constexpr std::string_view kSourceReadme = FERIANT_SOURCE_DOCUMENTATION;

}  // namespace

std::filesystem::path DocumentationFor(const std::filesystem::path& module_file) {
  if (!module_file.empty()) {
    const std::filesystem::path installed =
        (module_file.parent_path() / kInstalledFromLibraries).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_regular_file(installed, error)) return installed;
  }
  return std::filesystem::path(kSourceReadme);
}

std::filesystem::path ThisModuleFile() {
  std::error_code error;
  Dl_info info{};
  // For code linked into the program, glibc may give the name it was started by, which
  // need not be a path; the kernel's link names the program itself.
  if (dladdr(reinterpret_cast<const void*>(&ThisModuleFile), &info) != 0 &&
      info.dli_fname != nullptr && info.dli_fname[0] == '/') {
    std::filesystem::path file = std::filesystem::weakly_canonical(info.dli_fname, error);
    if (!error) return file;
  }
  std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program;
}

}  // namespace feriant::dialog
