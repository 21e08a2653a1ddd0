#pragma once
// ComponentLibrary: one component library loaded into this process, with its four entry
// points (entry_points.h) resolved.
//
// Loading goes by absolute path only, so no search path decides which code runs. The
// library stays mapped for the rest of the process even after its ComponentLibrary is
// destroyed: objects and factories it handed out may outlive any holder, and code that
// is unmapped under them would crash. One thread, the user-interface thread.

#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/components/entry_points.h"

namespace feriant::components {

class ComponentLibrary {
 public:
  // Errors: kModuleNotFound when the file is missing, not absolute or cannot be loaded;
  // kProcNotFound when it lacks one of the entry points. Both name the file.
  static Result<std::unique_ptr<ComponentLibrary>> Load(const std::filesystem::path& file);

  const std::filesystem::path& file() const { return file_; }

  // The entry points' own status codes.
  std::int32_t RegisterServer() const { return register_(); }
  std::int32_t UnregisterServer() const { return unregister_(); }
  std::int32_t CanUnloadNow() const { return can_unload_now_(); }
  // The library's factory for the class; the factory belongs to the library.
  Result<ClassFactory*> GetClassObject(const automation::Guid& clsid) const;

 private:
  struct Closer {
    void operator()(void* handle) const;
  };

  ComponentLibrary() = default;

  std::filesystem::path file_;
  std::unique_ptr<void, Closer> handle_;
  DllRegisterServerFunction* register_ = nullptr;
  DllUnregisterServerFunction* unregister_ = nullptr;
  DllGetClassObjectFunction* get_class_object_ = nullptr;
  DllCanUnloadNowFunction* can_unload_now_ = nullptr;
};

}  // namespace feriant::components
