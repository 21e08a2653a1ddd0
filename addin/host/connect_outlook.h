#pragma once
// ConnectOutlook: the add-in's connection class for Outlook. Outlook creates it (program
// id "Feriant.ConnectOutlook") and calls the add-in interface; connecting records the
// host, builds the data tables, takes the language from Outlook's user interface and,
// when Outlook shows an explorer window, puts the "Tools" menu item and the "Quillmark"
// toolbar button into that window's command bars. Both entries open the dialog.
//
// Interface in slot order: MenuEventHandler (get, set), ToolbarEventHandler (get, set),
// AddToAddInCommandBar, CreateAddInCommandBar, CreateAddInCommandBarButton, then
// OnConnection, OnDisconnection, OnAddInsUpdate, OnStartupComplete, OnBeginShutdown.
// One thread: the host's user-interface thread.

#include <cstdint>
#include <string>
#include <string_view>

#include "addin/host/connection_support.h"
#include "platform/automation/dispatch.h"

namespace feriant::host {

class ConnectOutlook final : public automation::DispatchObject<ConnectOutlook> {
 public:
  static const automation::Members<ConnectOutlook>& Interface();
  std::string TypeName() const override { return "ConnectOutlook"; }

  // The host as this connection made it: kind and application while connected.
  const engine::HostContext& Host() const { return host_; }
  const ButtonBinding& MenuEventHandler() const { return menu_; }
  const ButtonBinding& ToolbarEventHandler() const { return toolbar_; }
  const std::string& MenuCaption() const { return menu_caption_; }
  const std::string& ButtonCaption() const { return button_caption_; }

  // The "Tools" menu item of the active explorer, replacing one tagged "Feriant";
  // nullptr without an explorer or on any error (silently).
  ObjectRef AddToAddInCommandBar(std::string_view sCaption, std::string_view ProgID);
  // The explorer's bar named strMenuName, added (temporary, docked at the top, visible
  // as IsVisible) when there is none. nullptr without an explorer; errors are reported.
  ObjectRef CreateAddInCommandBar(const ObjectRef& Application, const ObjectRef& AddInInst,
                                  std::string_view strMenuName, bool IsVisible);
  // The button tagged strCtlKey in that bar, kept unchanged when it exists, else added.
  // nullptr without an explorer; errors are reported.
  ObjectRef CreateAddInCommandBarButton(const ObjectRef& Application, const ObjectRef& AddInInst,
                                        std::string_view strMenuName, std::string_view strCtlKey,
                                        std::string_view strCtlCaption, std::int32_t numPicID,
                                        std::int32_t ButtonType, bool IsSeparated);

  void OnConnection(const ObjectRef& Application, std::int32_t ConnectMode,
                    const ObjectRef& AddInInst);
  void OnDisconnection(std::int32_t RemoveMode);

 private:
  // The error report: a message box "Error" with the exclamation icon.
  void ReportError(const Error& error) const;

  engine::HostContext host_;  // before the bindings, which refer to it
  ButtonBinding menu_{host_};
  ButtonBinding toolbar_{host_};
  std::string menu_caption_;
  std::string button_caption_;
};

}  // namespace feriant::host
