#include "addin/host/registration.h"

#include <memory>
#include <string>

#include "addin/host/connect_outlook.h"
#include "addin/host/connect_project.h"

namespace feriant::host {
namespace {

template <class T>
Result<std::shared_ptr<automation::Dispatch>> Create() {
  return std::shared_ptr<automation::Dispatch>(std::make_shared<T>());
}

template <class T>
components::ClassDescription AddInClass(const std::string& name, const Guid& class_id,
                                        std::string_view prog_id, const Guid& interface_id,
                                        std::string_view host_key, std::string description) {
  components::ClassDescription cls;
  cls.class_id = class_id;
  cls.prog_id = std::string(prog_id);
  cls.class_name = name;
  cls.interface_id = interface_id;
  cls.interface_name = "_" + name;
  cls.create = &Create<T>;
  cls.add_in =
      components::AddInRegistration{std::string(host_key), "Feriant", std::move(description), 3};
  return cls;
}

}  // namespace

components::ServerDescription AddInServer() {
  components::ServerDescription server;
  server.library_id = kLibraryId;
  server.version = std::string(kLibraryVersion);
  server.library_name = std::string(kLibraryName);
  server.classes = {
      AddInClass<ConnectOutlook>("ConnectOutlook", kConnectOutlookClassId, kConnectOutlookProgId,
                                 kConnectOutlookInterfaceId, kOutlookAddInsHost,
                                 "Adds and removes holidays to/from the Outlook calendar"),
      AddInClass<ConnectProject>("ConnectProject", kConnectProjectClassId, kConnectProjectProgId,
                                 kConnectProjectInterfaceId, kProjectAddInsHost,
                                 "Adds and removes holidays to/from base calendars"),
  };
  return server;
}

}  // namespace feriant::host
