#include "platform/components/component_server.h"

#include <vector>

#include <dlfcn.h>

#include "platform/components/error_info.h"
#include "platform/components/registration.h"
#include "platform/registry/registry.h"

namespace feriant::components {

class ComponentServer::Factory final : public ClassFactory {
 public:
  Factory(const ComponentServer& server, const ClassDescription& cls)
      : server_(server), cls_(cls) {}

  const automation::Guid& class_id() const { return cls_.class_id; }

  Result<std::shared_ptr<automation::Dispatch>> CreateInstance() override {
    if (!cls_.create)
      return automation::MakeError(hresult::kClassNotAvailable, cls_.prog_id + " is not creatable");
    try {
      auto object = cls_.create();
      if (!object) return object;
      if (*object == nullptr) {
        return automation::MakeError(hresult::kClassNotAvailable,
                                     cls_.prog_id + " created nothing");
      }
      server_.Track(*object);
      return object;
    } catch (const automation::ObjectError& error) {
      return error.error();
    }
  }

 private:
  const ComponentServer& server_;
  const ClassDescription& cls_;
};

ComponentServer::ComponentServer(ServerDescription description)
    : description_(std::move(description)) {
  for (const ClassDescription& cls : description_.classes)
    factories_.push_back(std::make_unique<Factory>(*this, cls));
}

ComponentServer::~ComponentServer() = default;

std::int32_t ComponentServer::ChangeRegistration(
    const void* address, Status (*change)(registry::Hive&, const ServerDescription&,
                                          const std::filesystem::path&)) const {
  auto library = LibraryContaining(address);
  if (!library) {
    SetErrorInfo(library.error());
    return hresult::kSelfRegClass;
  }
  const Status status = registry::Registry::CurrentUser().Update(
      [&](registry::Hive& hive) { return change(hive, description_, *library); });
  if (status) return kSOk;
  SetErrorInfo(status.error());
  return hresult::kSelfRegClass;
}

Result<std::filesystem::path> LibraryContaining(const void* address) {
  Dl_info info{};
  if (::dladdr(address, &info) == 0 || info.dli_fname == nullptr || *info.dli_fname == '\0') {
    return automation::MakeError(hresult::kModuleNotFound,
                                 "cannot tell which library the server lives in");
  }
  // The name the library was loaded by may be a symbolic link; the registry holds the
  // file itself.
  return ResolvedLibraryPath(info.dli_fname);
}

std::int32_t ComponentServer::Register(const void* address) const {
  return ChangeRegistration(address, WriteRegistration);
}

std::int32_t ComponentServer::Unregister(const void* address) const {
  return ChangeRegistration(
      address,
      [](registry::Hive& hive, const ServerDescription& server,
         const std::filesystem::path& library) -> Status {
        const registry::Hive before = hive;
        if (Status removed = RemoveRegistration(hive, server, library); !removed) return removed;
        // Unregistering what is not there is no success: the caller named the wrong library
        // or the wrong registry.
        if (hive == before)
          return ErrorOf(ErrorKind::kNotFound,
                         "the library is not registered; nothing was removed");
        return Ok();
      });
}

std::int32_t ComponentServer::GetClassObject(const automation::Guid* clsid,
                                             const automation::Guid* iid, void** factory) const {
  if (factory == nullptr) return automation::hresult::kInvalidArg;
  *factory = nullptr;
  if (clsid == nullptr || iid == nullptr) return automation::hresult::kInvalidArg;
  for (const auto& candidate : factories_) {
    if (candidate->class_id() != *clsid) continue;
    if (*iid != kIidClassFactory) return automation::hresult::kNoInterface;
    *factory = static_cast<ClassFactory*>(candidate.get());
    return kSOk;
  }
  return hresult::kClassNotAvailable;
}

size_t ComponentServer::LiveObjects() const {
  std::erase_if(objects_, [](const auto& object) { return object.expired(); });
  return objects_.size();
}

std::int32_t ComponentServer::CanUnloadNow() const {
  return LiveObjects() == 0 ? kSOk : kSFalse;
}

void ComponentServer::Track(const std::shared_ptr<automation::Dispatch>& object) const {
  LiveObjects();  // drops the dead first, so the list stays as long as the live count
  objects_.push_back(object);
}

}  // namespace feriant::components
