#pragma once
// What ConnectOutlook and ConnectProject share: the add-in interface's dispatch ids, the
// tags and names of their command-bar entries, the late-bound steps on command bars, the
// event binding of a command-bar button, and the error report's text. One thread: the
// host's user-interface thread.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "addin/engine/host_kind.h"
#include "platform/automation/dispatch.h"
#include "platform/automation/events.h"
#include "platform/base/result.h"

namespace feriant::host {

using automation::ObjectRef;

// The add-in interface's members, under the ids hosts call them by.
namespace extensibility {
inline constexpr automation::DispId kOnConnection = 1;
inline constexpr automation::DispId kOnDisconnection = 2;
inline constexpr automation::DispId kOnAddInsUpdate = 3;
inline constexpr automation::DispId kOnStartupComplete = 4;
inline constexpr automation::DispId kOnBeginShutdown = 5;
}  // namespace extensibility
// The first id of a connection class's own members, numbered on in interface order.
inline constexpr automation::DispId kFirstOwnMember = 0x60030000;

// OnDisconnection's RemoveMode: the host shuts down, or the user unloaded the add-in.
inline constexpr std::int32_t kHostShutdown = 0;
inline constexpr std::int32_t kUserClosed = 1;

inline constexpr std::string_view kApplicationTitle = "Feriant";
inline constexpr std::string_view kToolsMenu = "Tools";
inline constexpr std::string_view kToolbarName = "Quillmark";
inline constexpr std::string_view kToolbarButtonTag = "ZentAddinHolidayToolbarButton";
inline constexpr std::string_view kOutlookMenuItemTag = "Feriant";
inline constexpr std::string_view kProjectMenuItemTag = "ZentAddinHolidayMenuItem";
// The built-in item of Project's "Tools" menu after which the add-in's item goes.
inline constexpr std::int32_t kProjectMenuAnchorId = 40191;
// Button style of the toolbar button: image and caption.
inline constexpr std::int32_t kImageAndCaption = 3;

// A command-bar button whose Click opens the dialog in `host`, as a WithEvents member
// holds it: binding another button (or none) lets go of the previous one's events. The
// host context belongs to the connection that holds the binding.
class ButtonBinding {
 public:
  explicit ButtonBinding(const engine::HostContext& host) : host_(host) {}
  ButtonBinding(const ButtonBinding&) = delete;
  ButtonBinding& operator=(const ButtonBinding&) = delete;
  ~ButtonBinding() { (void)Bind(nullptr); }

  const ObjectRef& button() const { return button_; }
  // nullptr unbinds. An error, with nothing bound, for an object that raises no
  // command-bar events.
  Status Bind(ObjectRef button);

 private:
  const engine::HostContext& host_;
  ObjectRef button_;
  automation::EventSource* source_ = nullptr;
  automation::EventSource::Cookie cookie_ = 0;
};

// The click of either entry: shows the dialog modally in `host`, creating it first if
// needed. A failure is shown to the person by the dialog itself.
void ShowDialogOnClick(const engine::HostContext& host);

// "!<" + prog_id + ">": the action of a control that belongs to a COM add-in.
std::string AddInAction(std::string_view prog_id);
// The ProgId of the AddInInst a host passes to OnConnection.
Result<std::string> ProgIdOf(const ObjectRef& add_in_inst);

// "Application : Feriant" CR LF "Error Number : <decimal>" CR LF "Error Description : ...".
std::string ErrorReportText(std::int32_t number, std::string_view description);

// Late-bound steps on command bars; each fails with the callee's error.
Result<ObjectRef> ObjectOf(Result<automation::Variant> value);  // Nothing is nullptr
Result<std::string> TextOf(Result<automation::Variant> value);
// The first control tagged `tag` (FindControl with the tag alone); nullptr when none.
Result<ObjectRef> FindByTag(automation::Dispatch& bars_or_bar, std::string_view tag);
// Controls.Add(Type:=button, Parameter, Before (0: at the end), Temporary:=True).
Result<ObjectRef> AddTemporaryButton(automation::Dispatch& bar, std::string_view parameter,
                                     std::int32_t before);
// The first bar whose name equals `name` exactly, in collection order; nullptr when none.
Result<ObjectRef> FindBarNamed(automation::Dispatch& bars, std::string_view name);
// CommandBars.Add(Name, Position:=top, Temporary:=True), then Visible.
Result<ObjectRef> AddTemporaryBar(automation::Dispatch& bars, std::string_view name, bool visible);

// OnDisconnection's RemoveMode as a whole number; kUnknownRemoveMode for anything else (a
// text, Null, an object, a fraction), so that the disconnection still runs every step.
inline constexpr std::int32_t kUnknownRemoveMode = -1;
std::int32_t RemoveModeOf(const automation::Variant& mode);

// Adds the five members of the add-in interface to `m` in their order: OnConnection
// (Application, ConnectMode, AddInInst, custom) and OnDisconnection (RemoveMode, custom)
// call T's members of those names; OnAddInsUpdate, OnStartupComplete and OnBeginShutdown
// do nothing.
template <class T>
void AddExtensibility(automation::Members<T>& m) {
  using automation::ArgumentOf;
  using automation::Variant;
  using Args = std::span<Variant>;
  using Named = std::span<const automation::NamedArg>;
  m.Method("OnConnection", extensibility::kOnConnection,
           [](T& self, Args args, Named named) -> Result<Variant> {
             const Variant mode = ArgumentOf(args, named, "ConnectMode", 1);
             self.OnConnection(ArgumentOf(args, named, "Application", 0).AsObject(),
                               mode.ToI4().value_or(0),
                               ArgumentOf(args, named, "AddInInst", 2).AsObject());
             return Variant();
           });
  m.Method("OnDisconnection", extensibility::kOnDisconnection,
           [](T& self, Args args, Named named) -> Result<Variant> {
             self.OnDisconnection(RemoveModeOf(ArgumentOf(args, named, "RemoveMode", 0)));
             return Variant();
           });
  for (auto [name, id] : {std::pair{"OnAddInsUpdate", extensibility::kOnAddInsUpdate},
                          std::pair{"OnStartupComplete", extensibility::kOnStartupComplete},
                          std::pair{"OnBeginShutdown", extensibility::kOnBeginShutdown}}) {
    m.Method(name, id, [](T&, Args, Named) -> Result<Variant> { return Variant(); });
  }
}

// The members both classes share, added to `m` under `id` (binding: a get and a set).
// MenuEventHandler / ToolbarEventHandler: the bound button; setting binds another.
template <class T>
void AddBindingMember(automation::Members<T>& m, std::string name, automation::DispId id,
                      ButtonBinding T::*member) {
  using automation::Variant;
  m.Get(name, id, [member](T& self, std::span<Variant>) -> Result<Variant> {
     return Variant((self.*member).button());
   }).PutRef(name, id, [member](T& self, std::span<Variant> args) -> Status {
    Result<ObjectRef> button = args.back().ToObject();
    if (!button) return button.error();
    return (self.*member).Bind(*button);
  });
}

// CreateAddInCommandBar (Application, ConnectMode, AddInInst, strMenuName, IsVisible).
template <class T>
void AddCreateBarMember(automation::Members<T>& m, automation::DispId id) {
  using automation::ArgumentOf;
  using automation::Variant;
  m.Method("CreateAddInCommandBar", id,
           [](T& self, std::span<Variant> args,
              std::span<const automation::NamedArg> named) -> Result<Variant> {
             Result<std::string> name = ArgumentOf(args, named, "strMenuName", 3).ToString();
             Result<bool> visible = ArgumentOf(args, named, "IsVisible", 4).ToBool();
             if (!name) return name.error();
             if (!visible) return visible.error();
             return Variant(self.CreateAddInCommandBar(
                 ArgumentOf(args, named, "Application", 0).AsObject(),
                 ArgumentOf(args, named, "AddInInst", 2).AsObject(), *name, *visible));
           });
}

// CreateAddInCommandBarButton (Application, ConnectMode, AddInInst, strMenuName,
// strCtlKey, strCtlCaption, numPicID, ButtonType, IsSeparated).
template <class T>
void AddCreateButtonMember(automation::Members<T>& m, automation::DispId id) {
  using automation::ArgumentOf;
  using automation::Variant;
  m.Method("CreateAddInCommandBarButton", id,
           [](T& self, std::span<Variant> args,
              std::span<const automation::NamedArg> named) -> Result<Variant> {
             Result<std::string> bar = ArgumentOf(args, named, "strMenuName", 3).ToString();
             Result<std::string> key = ArgumentOf(args, named, "strCtlKey", 4).ToString();
             Result<std::string> caption = ArgumentOf(args, named, "strCtlCaption", 5).ToString();
             Result<std::int32_t> picture = ArgumentOf(args, named, "numPicID", 6).ToI4();
             Result<std::int32_t> style = ArgumentOf(args, named, "ButtonType", 7).ToI4();
             Result<bool> separated = ArgumentOf(args, named, "IsSeparated", 8).ToBool();
             if (!bar) return bar.error();
             if (!key) return key.error();
             if (!caption) return caption.error();
             if (!picture) return picture.error();
             if (!style) return style.error();
             if (!separated) return separated.error();
             return Variant(self.CreateAddInCommandBarButton(
                 ArgumentOf(args, named, "Application", 0).AsObject(),
                 ArgumentOf(args, named, "AddInInst", 2).AsObject(), *bar, *key, *caption, *picture,
                 *style, *separated));
           });
}

}  // namespace feriant::host
