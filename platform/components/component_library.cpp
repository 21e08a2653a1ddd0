#include "platform/components/component_library.h"

#include <cstdio>
#include <string>

#include <dlfcn.h>

namespace feriant::components {
namespace {

Error LoadError(std::int32_t code, const std::filesystem::path& file, std::string what) {
  return Error{code, "cannot load the component library " + file.string() + ": " + what, {}};
}

std::string LastDlError() {
  const char* text = ::dlerror();
  return text != nullptr ? text : "unknown error";
}

template <class Function>
Function* Resolve(void* handle, const char* name) {
  return reinterpret_cast<Function*>(::dlsym(handle, name));
}

}  // namespace

void ComponentLibrary::Closer::operator()(void* handle) const {
  ::dlclose(handle);
}

Result<std::unique_ptr<ComponentLibrary>> ComponentLibrary::Load(
    const std::filesystem::path& file) {
  if (!file.is_absolute())
    return LoadError(hresult::kModuleNotFound, file, "the path is not absolute");
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) {
    return LoadError(hresult::kModuleNotFound, file,
                     std::filesystem::exists(file, error) ? "it is not a file" : "no such file");
  }
  std::unique_ptr<ComponentLibrary> library(new ComponentLibrary());
  library->file_ = file;
  // RTLD_NODELETE: see the header; dlclose only drops the reference.
  library->handle_.reset(::dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE));
  if (library->handle_ == nullptr) return LoadError(hresult::kModuleNotFound, file, LastDlError());

  void* handle = library->handle_.get();
  library->register_ = Resolve<DllRegisterServerFunction>(handle, "DllRegisterServer");
  library->unregister_ = Resolve<DllUnregisterServerFunction>(handle, "DllUnregisterServer");
  library->get_class_object_ = Resolve<DllGetClassObjectFunction>(handle, "DllGetClassObject");
  library->can_unload_now_ = Resolve<DllCanUnloadNowFunction>(handle, "DllCanUnloadNow");
  const std::pair<const char*, bool> entry_points[] = {
      {"DllRegisterServer", library->register_ != nullptr},
      {"DllUnregisterServer", library->unregister_ != nullptr},
      {"DllGetClassObject", library->get_class_object_ != nullptr},
      {"DllCanUnloadNow", library->can_unload_now_ != nullptr},
  };
  for (const auto& [name, found] : entry_points) {
    if (!found) {
      return LoadError(hresult::kProcNotFound, file,
                       std::string("it is not a component library (no ") + name + ")");
    }
  }
  return library;
}

Result<ClassFactory*> ComponentLibrary::GetClassObject(const automation::Guid& clsid) const {
  void* factory = nullptr;
  const std::int32_t status = get_class_object_(&clsid, &kIidClassFactory, &factory);
  if (status < 0 || factory == nullptr) {
    char code[16];
    std::snprintf(code, sizeof code, "0x%08X", static_cast<unsigned>(status));
    return Error{status < 0 ? status : automation::hresult::kFail,
                 file_.string() + " gives no factory for " + clsid.ToString() + " (" + code + ")",
                 {}};
  }
  return static_cast<ClassFactory*>(factory);
}

}  // namespace feriant::components
