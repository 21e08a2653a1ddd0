// The component library Lumatrel (liblumatrel.so): its server description and the four
// entry points, the only symbols it exports. Containers create its controls by class id
// or program id through the component registry and reach them late-bound.

#include <memory>
#include <string>

#include "controls/BottomLine/bottom_line.h"
#include "controls/WhiteTop/prp_white_top.h"
#include "controls/WhiteTop/white_top.h"
#include "controls/support/identities.h"
#include "platform/components/component_server.h"
#include "platform/components/server_description.h"

namespace feriant::lumatrel {
namespace {

using components::ClassDescription;
using components::ServerDescription;
using Created = Result<std::shared_ptr<automation::Dispatch>>;

template <class T>
Created Create() {
  return std::shared_ptr<automation::Dispatch>(std::make_shared<T>());
}

ServerDescription Describe() {
  ServerDescription server;
  server.library_id = kLibraryId;
  server.version = std::string(kLibraryVersion);
  server.library_name = std::string(kLibraryName);

  ClassDescription white_top;
  white_top.class_id = white_top::kClassId;
  white_top.prog_id = std::string(white_top::kProgId);
  white_top.class_name = "WhiteTop";
  white_top.interface_id = white_top::kInterfaceId;
  white_top.interface_name = "_WhiteTop";
  white_top.event_interface_id = white_top::kEventInterfaceId;
  white_top.event_interface_name = "__WhiteTop";
  white_top.is_control = true;
  white_top.create = &Create<WhiteTop>;
  server.classes.push_back(std::move(white_top));

  ClassDescription bottom_line;
  bottom_line.class_id = bottom_line::kClassId;
  bottom_line.prog_id = std::string(bottom_line::kProgId);
  bottom_line.class_name = "BottomLine";
  bottom_line.interface_id = bottom_line::kInterfaceId;
  bottom_line.interface_name = "_BottomLine";
  bottom_line.event_interface_id = bottom_line::kEventInterfaceId;
  bottom_line.event_interface_name = "__BottomLine";
  bottom_line.is_control = true;
  bottom_line.create = &Create<BottomLine>;
  server.classes.push_back(std::move(bottom_line));

  ClassDescription page;
  page.class_id = prp_white_top::kClassId;
  page.prog_id = std::string(prp_white_top::kProgId);
  page.class_name = "prpWhiteTop";
  page.interface_id = prp_white_top::kInterfaceId;
  page.interface_name = "_prpWhiteTop";
  page.create = &Create<PrpWhiteTop>;
  server.classes.push_back(std::move(page));
  return server;
}

const components::ComponentServer& Server() {
  // Never destroyed: objects it counts may outlive the library's static destructors.
  static const auto* server = new components::ComponentServer(Describe());
  return *server;
}

}  // namespace
}  // namespace feriant::lumatrel

FERIANT_COMPONENT_ENTRY_POINTS(::feriant::lumatrel::Server())
