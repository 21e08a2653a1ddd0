#pragma once
// ComponentServer: the four entry points of a component library, made from its
// ServerDescription (server_description.h).
//
// A library keeps one server for its lifetime and exports the entry points with
// FERIANT_COMPONENT_ENTRY_POINTS, the only symbols it needs to make visible:
//
//   const feriant::components::ComponentServer& Server() {
//     static const auto* server = new feriant::components::ComponentServer(Describe());
//     return *server;
//   }
//   FERIANT_COMPONENT_ENTRY_POINTS(Server())
//
// Registration writes into the current user's registry (registration.h) with the
// library's own absolute path, found from an address inside the library, symbolic links
// resolved. Unregistering fails (the registry unchanged) when nothing of the library was
// registered. The server
// counts the objects its factories created that are still alive; DllCanUnloadNow answers
// from that count. A failing entry point leaves its Error in error_info.h. One thread,
// the user-interface thread.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/components/entry_points.h"
#include "platform/components/server_description.h"
#include "platform/registry/hive.h"

namespace feriant::components {

class ComponentServer {
 public:
  explicit ComponentServer(ServerDescription description);
  ComponentServer(const ComponentServer&) = delete;
  ComponentServer& operator=(const ComponentServer&) = delete;
  ~ComponentServer();

  const ServerDescription& description() const { return description_; }

  // The entry points. `address` is any address inside the library being registered.
  std::int32_t Register(const void* address) const;
  std::int32_t Unregister(const void* address) const;
  std::int32_t GetClassObject(const automation::Guid* clsid, const automation::Guid* iid,
                              void** factory) const;
  std::int32_t CanUnloadNow() const;

  // Objects created by the factories, or handed to Track, that are still alive.
  size_t LiveObjects() const;
  // Counts an object the library created by other means (a collection handed out by a
  // control) until it is destroyed.
  void Track(const std::shared_ptr<automation::Dispatch>& object) const;

 private:
  class Factory;

  std::int32_t ChangeRegistration(const void* address,
                                  Status (*change)(registry::Hive&, const ServerDescription&,
                                                   const std::filesystem::path&)) const;

  ServerDescription description_;
  std::vector<std::unique_ptr<Factory>> factories_;
  mutable std::vector<std::weak_ptr<automation::Dispatch>> objects_;
};

// The absolute path of the shared object that contains `address`, links resolved.
Result<std::filesystem::path> LibraryContaining(const void* address);

}  // namespace feriant::components

#define FERIANT_COMPONENT_EXPORT __attribute__((visibility("default")))

// Defines the four entry points over the ComponentServer that `server` evaluates to.
#define FERIANT_COMPONENT_ENTRY_POINTS(server)                                          \
  extern "C" FERIANT_COMPONENT_EXPORT std::int32_t DllRegisterServer() {                \
    return (server).Register(reinterpret_cast<const void*>(&DllRegisterServer));        \
  }                                                                                     \
  extern "C" FERIANT_COMPONENT_EXPORT std::int32_t DllUnregisterServer() {              \
    return (server).Unregister(reinterpret_cast<const void*>(&DllUnregisterServer));    \
  }                                                                                     \
  extern "C" FERIANT_COMPONENT_EXPORT std::int32_t DllGetClassObject(                   \
      const ::feriant::automation::Guid* clsid, const ::feriant::automation::Guid* iid, \
      void** factory) {                                                                 \
    return (server).GetClassObject(clsid, iid, factory);                                \
  }                                                                                     \
  extern "C" FERIANT_COMPONENT_EXPORT std::int32_t DllCanUnloadNow() {                  \
    return (server).CanUnloadNow();                                                     \
  }
