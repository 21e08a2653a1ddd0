// The add-in library Feriant (libferiant.so): its server description and the four entry
// points, the only symbols it exports. Outlook and Project create its connection classes
// by program id through the component registry and reach them late-bound.

#include "addin/host/registration.h"
#include "platform/components/component_server.h"

namespace feriant::host {
namespace {

const components::ComponentServer& Server() {
  // Never destroyed: objects it counts may outlive the library's static destructors.
  static const auto* server = new components::ComponentServer(AddInServer());
  return *server;
}

}  // namespace
}  // namespace feriant::host

FERIANT_COMPONENT_ENTRY_POINTS(::feriant::host::Server())
