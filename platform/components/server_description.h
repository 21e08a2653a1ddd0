#pragma once
// What a component library serves: its type library and, per class, the identities that
// registration writes and the function that creates an object. A library builds one
// ServerDescription once and hands it to its ComponentServer (component_server.h).
// Plain values; no thread affinity.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/base/result.h"

namespace feriant::components {

// A class that a host program loads as its add-in: registered under
// <host_key>\Addins\<program id> in the current user's registry with the values
// "FriendlyName", "Description" (text) and "LoadBehavior" (number).
struct AddInRegistration {
  std::string host_key;  // the host's key, "Software\Microsoft\Office\Outlook"
  std::string display_name;
  std::string description;
  std::int32_t load_behavior = 3;  // 3: loaded when the host starts
};

struct ClassDescription {
  automation::Guid class_id;
  std::string prog_id;     // "Lumatrel.WhiteTop"
  std::string class_name;  // "WhiteTop"
  automation::Guid interface_id;
  std::string interface_name;  // "_WhiteTop"
  // The interface of the events the class raises; a null id when it has none.
  automation::Guid event_interface_id;
  std::string event_interface_name;  // "__WhiteTop"
  bool is_control = false;
  // A control's property pages in the order a container shows them: class ids of the
  // library's own pages and of the platform's standard pages (colour, font).
  std::vector<automation::Guid> property_pages;
  std::function<Result<std::shared_ptr<automation::Dispatch>>()> create;
  std::optional<AddInRegistration> add_in;
};

struct ServerDescription {
  automation::Guid library_id;  // of the type library
  std::string version;          // of the type library, "4.10"
  std::string library_name;     // "Lumatrel"
  std::vector<ClassDescription> classes;
};

}  // namespace feriant::components
