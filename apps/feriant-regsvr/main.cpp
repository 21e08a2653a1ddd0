// feriant-regsvr: registers a component library in the current user's registry, or
// unregisters it, by loading it and calling its DllRegisterServer or DllUnregisterServer.
// Exit status: 0 done, 1 failed (the reason on stderr), 2 wrong usage.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "platform/components/component_library.h"
#include "platform/components/error_info.h"
#include "platform/components/registration.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;

std::string Hex(std::int32_t code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
  return text;
}

int Run(const std::filesystem::path& file, bool unregister) {
  namespace components = feriant::components;
  const char* verb = unregister ? "unregister" : "register";
  // The file itself, links resolved: the registry names it so whichever link named it.
  const std::filesystem::path absolute = components::ResolvedLibraryPath(file);

  auto library = components::ComponentLibrary::Load(absolute);
  if (!library) {
    std::cerr << "feriant-regsvr: " << library.error().description << "\n";
    return kFailed;
  }
  (void)components::TakeErrorInfo();
  const std::int32_t status =
      unregister ? (*library)->UnregisterServer() : (*library)->RegisterServer();
  if (status < 0) {
    const auto info = components::TakeErrorInfo();
    std::cerr << "feriant-regsvr: cannot " << verb << " " << absolute.string() << ": "
              << (info ? info->description
                       : std::string(unregister ? "DllUnregisterServer" : "DllRegisterServer") +
                             " failed")
              << " (" << Hex(status) << ")\n";
    return kFailed;
  }
  std::cout << (unregister ? "Unregistered " : "Registered ") << absolute.string() << "\n";
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app(
      "Registers a component library in the current user's registry (the file named by "
      "FERIANT_REGISTRY, or ~/.config/feriant/registry.json), or unregisters it.",
      "feriant-regsvr");
  std::string library;
  bool unregister = false;
  app.add_option("LIB", library, "the component library (a shared object)")->required();
  app.add_flag("-u,--unregister", unregister, "remove the library's registration");
  app.footer(
      "Examples:\n"
      "  feriant-regsvr build/controls/liblumatrel.so\n"
      "  feriant-regsvr -u build/controls/liblumatrel.so");
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? 0 : kUsage;
  }
  return Run(library, unregister);
}
