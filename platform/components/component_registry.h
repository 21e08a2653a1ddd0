#pragma once
// ComponentRegistry: creates objects by class id or program id, as any container of
// controls or host of add-ins does.
//
// Each creation looks the class up in the current user's registry (registration.h) as it
// is at that moment, loads the library registered for it (by its absolute path, once per
// registry object: later creations reuse the loaded library), asks the library for the
// class's factory and the factory for a new object. Failures name the class and, where
// one is involved, the library file. One thread, the user-interface thread.
//
// Programs use the process-wide registry through CreateObject; tests make their own
// ComponentRegistry with a LibraryLoader of their choosing.

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/components/component_library.h"

namespace feriant::components {

class LibraryLoader {
 public:
  virtual ~LibraryLoader() = default;
  virtual Result<std::unique_ptr<ComponentLibrary>> Load(const std::filesystem::path& file) = 0;
};

// Loads with ComponentLibrary::Load (dlopen).
std::unique_ptr<LibraryLoader> SystemLibraryLoader();

class ComponentRegistry {
 public:
  explicit ComponentRegistry(std::unique_ptr<LibraryLoader> loader = SystemLibraryLoader());
  ComponentRegistry(const ComponentRegistry&) = delete;
  ComponentRegistry& operator=(const ComponentRegistry&) = delete;
  ~ComponentRegistry();

  // kClassNotRegistered, naming the class, when the registry knows no such class.
  Result<std::shared_ptr<automation::Dispatch>> CreateObject(const automation::Guid& class_id);
  Result<std::shared_ptr<automation::Dispatch>> CreateObject(std::string_view prog_id);

  // Lookups in the registry alone; nothing is loaded.
  Result<automation::Guid> ClassIdOf(std::string_view prog_id) const;
  Result<std::filesystem::path> LibraryOf(const automation::Guid& class_id) const;

  // The libraries loaded so far, in the order they were loaded.
  std::vector<std::filesystem::path> LoadedLibraries() const;

 private:
  Result<const ComponentLibrary*> Library(const std::filesystem::path& file);

  std::unique_ptr<LibraryLoader> loader_;
  std::vector<std::unique_ptr<ComponentLibrary>> libraries_;
};

// The process-wide registry with the system loader; it lives, and keeps its libraries
// loaded, until the process ends.
ComponentRegistry& ProcessComponentRegistry();

// ProcessComponentRegistry().CreateObject(...).
Result<std::shared_ptr<automation::Dispatch>> CreateObject(const automation::Guid& class_id);
Result<std::shared_ptr<automation::Dispatch>> CreateObject(std::string_view prog_id);

}  // namespace feriant::components
