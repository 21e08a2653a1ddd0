#pragma once
// ConnectProject: the add-in's connection class for Microsoft Project. Project creates
// it (program id "Feriant.ConnectProject") and calls the add-in interface; connecting
// records the host, builds the data tables, takes the language from Project's "CurrentUI"
// and puts the menu item after the built-in item 40191 of the "Tools" menu and the
// button on the "Quillmark" toolbar, replacing those of an earlier connection. When the
// user unloads the add-in (remove mode 1) it takes its entries out again.
//
// Interface in slot order: GetMSPLanguage, MenuEventHandler (get, set),
// ToolbarEventHandler (get, set), AddInErr, CreateAddInMenuCommandBar,
// CreateAddInCommandBar, CreateAddInCommandBarButton, RemoveAddInCommandBars, then
// OnConnection, OnDisconnection, OnAddInsUpdate, OnStartupComplete, OnBeginShutdown.
// One thread: the host's user-interface thread.

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

#include "addin/host/connection_support.h"
#include "platform/automation/dispatch.h"

namespace feriant::host {

class ConnectProject final : public automation::DispatchObject<ConnectProject> {
 public:
  static const automation::Members<ConnectProject>& Interface();
  std::string TypeName() const override { return "ConnectProject"; }

  // The host as this connection made it: kind and application while connected.
  const engine::HostContext& Host() const { return host_; }
  const ButtonBinding& MenuEventHandler() const { return menu_; }
  const ButtonBinding& ToolbarEventHandler() const { return toolbar_; }
  const std::string& MenuCaption() const { return menu_caption_; }
  const std::string& ButtonCaption() const { return button_caption_; }

  // The error report of this class: its text (ErrorReportText) on standard error.
  static void AddInErr(const Error& errX);
  // Where AddInErr writes; standard error unless a test redirects it (nullptr restores).
  static void SetErrorStream(std::ostream* stream);

  // The item of bar sMenuName tagged sKey, replacing an earlier one, placed right after
  // the last built-in control 40191 (at the top without one). nullptr on errors, which
  // go to AddInErr.
  ObjectRef CreateAddInMenuCommandBar(std::string_view sMenuName, std::string_view sCaption,
                                      std::string_view sKey, const ObjectRef& AddInInst);
  // The first bar named strMenuName when it holds controls (made visible); an empty one
  // is deleted and, like a missing one, added anew (temporary, at the top, IsVisible).
  ObjectRef CreateAddInCommandBar(const ObjectRef& Application, const ObjectRef& AddInInst,
                                  std::string_view strMenuName, bool IsVisible);
  // The button tagged strCtlKey in bar strMenuName, replacing an earlier one.
  ObjectRef CreateAddInCommandBarButton(const ObjectRef& Application, const ObjectRef& AddInInst,
                                        std::string_view strMenuName, std::string_view strCtlKey,
                                        std::string_view strCtlCaption, std::int32_t numPicID,
                                        std::int32_t ButtonType, bool IsSeparated);
  // With RemoveMode 1: the toolbar button, then the "Quillmark" toolbar when it is left
  // empty, then the menu item; each step attempted. Nothing with any other mode.
  void RemoveAddInCommandBars(std::int32_t RemoveMode);

  void OnConnection(const ObjectRef& Application, std::int32_t ConnectMode,
                    const ObjectRef& AddInInst);
  void OnDisconnection(std::int32_t RemoveMode);

 private:
  engine::HostContext host_;  // before the bindings, which refer to it
  ButtonBinding menu_{host_};
  ButtonBinding toolbar_{host_};
  std::string menu_caption_;
  std::string button_caption_;
};

}  // namespace feriant::host
