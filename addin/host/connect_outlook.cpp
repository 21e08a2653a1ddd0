#include "addin/host/connect_outlook.h"

#include <utility>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/frm_add_in.h"
#include "addin/host/button_face.h"
#include "platform/ui/core/backend.h"

namespace feriant::host {
namespace {

using automation::ArgumentOf;
using automation::Members;
using automation::NamedArg;
using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const NamedArg>;

// Outlook's language kind of LanguageSettings.LanguageID: the user interface.
constexpr std::int32_t kUserInterfaceLanguage = 2;

// The active explorer's command bars; nullptr when Outlook shows no explorer.
Result<ObjectRef> ExplorerBars(const ObjectRef& application) {
  if (!application) return ObjectRef();
  Result<ObjectRef> explorer = ObjectOf(application->Get("ActiveExplorer"));
  if (!explorer || !*explorer) return explorer;
  return ObjectOf((*explorer)->Get("CommandBars"));
}

std::string VersionOf(const ObjectRef& application) {
  if (!application) return {};
  return TextOf(application->Get("Version")).value_or("");
}

}  // namespace

void ConnectOutlook::ReportError(const Error& error) const {
  ui::MsgBox(ErrorReportText(error.code, error.description), ui::msgbox::kExclamation, "Error");
}

ObjectRef ConnectOutlook::AddToAddInCommandBar(std::string_view sCaption, std::string_view ProgID) {
  const ObjectRef& application = host_.application;
  Result<ObjectRef> bars = ExplorerBars(application);
  if (!bars || !*bars) return nullptr;
  Result<ObjectRef> tools = ObjectOf((*bars)->Get("Item", {Variant(kToolsMenu)}));
  if (!tools || !*tools) return nullptr;
  Result<ObjectRef> old = FindByTag(**tools, kOutlookMenuItemTag);
  if (!old) return nullptr;
  if (*old && !(*old)->Call("Delete")) return nullptr;
  Result<ObjectRef> item = AddTemporaryButton(**tools, {}, 0);
  if (!item) return nullptr;
  automation::Dispatch& control = **item;
  if (!control.Put("Caption", Variant(sCaption)) ||
      !control.Put("Tag", Variant(kOutlookMenuItemTag)) ||
      !control.Put("OnAction", Variant(AddInAction(ProgID))) ||
      !control.Put("Style", Variant(std::int32_t{0})) ||
      !SetButtonFace(control, kButtonImageId, kButtonMaskId, VersionOf(application))) {
    return nullptr;
  }
  return *item;
}

ObjectRef ConnectOutlook::CreateAddInCommandBar(const ObjectRef& Application, const ObjectRef&,
                                                std::string_view strMenuName, bool IsVisible) {
  Result<ObjectRef> bars = ExplorerBars(Application);
  if (bars && !*bars) return nullptr;
  Result<ObjectRef> bar = bars ? FindBarNamed(**bars, strMenuName) : bars;
  if (bar && !*bar) bar = AddTemporaryBar(**bars, strMenuName, IsVisible);
  if (!bar) ReportError(bar.error());
  return bar.value_or(nullptr);
}

ObjectRef ConnectOutlook::CreateAddInCommandBarButton(
    const ObjectRef& Application, const ObjectRef& AddInInst, std::string_view strMenuName,
    std::string_view strCtlKey, std::string_view strCtlCaption, std::int32_t /*numPicID*/,
    std::int32_t ButtonType, bool IsSeparated) {
  Result<ObjectRef> bars = ExplorerBars(Application);
  if (bars && !*bars) return nullptr;
  const auto create = [&]() -> Result<ObjectRef> {
    if (!bars) return bars.error();
    Result<ObjectRef> bar = ObjectOf((*bars)->Get("Item", {Variant(strMenuName)}));
    if (!bar) return bar.error();
    Result<ObjectRef> existing = FindByTag(**bar, strCtlKey);
    if (!existing || *existing) return existing;  // an existing button stays as it is
    Result<std::string> prog_id = ProgIdOf(AddInInst);
    if (!prog_id) return prog_id.error();
    Result<ObjectRef> button = AddTemporaryButton(**bar, strCtlKey, 0);
    if (!button) return button.error();
    automation::Dispatch& control = **button;
    for (Status step :
         {control.Put("Caption", Variant(strCtlCaption)), control.Put("Tag", Variant(strCtlKey)),
          control.Put("Style", Variant(ButtonType)),
          control.Put("OnAction", Variant(AddInAction(*prog_id))),
          control.Put("BeginGroup", Variant(IsSeparated))}) {
      if (!step) return step.error();
    }
    // The image is always the library's own pair, whatever numPicID says.
    if (Status face = SetButtonFace(control, kButtonImageId, kButtonMaskId, VersionOf(Application));
        !face) {
      return face.error();
    }
    return button;
  };
  Result<ObjectRef> button = create();
  if (!button) ReportError(button.error());
  return button.value_or(nullptr);
}

void ConnectOutlook::OnConnection(const ObjectRef& Application, std::int32_t,
                                  const ObjectRef& AddInInst) {
  host_ = engine::HostContext{engine::kHostOutlook, Application};
  data::InitHolidayData();

  // Without language settings the language stays as it is.
  if (Application) {
    Result<ObjectRef> settings = ObjectOf(Application->Get("LanguageSettings"));
    if (settings && *settings) {
      Result<Variant> id = (*settings)->Get("LanguageID", {Variant(kUserInterfaceLanguage)});
      Result<std::int32_t> lcid = id ? id->ToI4() : Result<std::int32_t>(id.error());
      if (lcid) {
        dialog::LangSetter().LanguageID = static_cast<std::int16_t>(data::MapHostLanguage(*lcid));
      }
    }
  }
  button_caption_ = dialog::LangSetter().ToolbarCaption_Caption();
  menu_caption_ = button_caption_ + "...";

  Result<ObjectRef> bars = ExplorerBars(Application);
  if (!bars || !*bars) return;  // no explorer window: no entries
  // The menu item's failure is its own (it reports nothing); the toolbar still comes.
  // Errors of the toolbar steps end the connection; the add-in stays connected.
  if (Result<std::string> prog_id = ProgIdOf(AddInInst); prog_id) {
    if (ObjectRef item = AddToAddInCommandBar(menu_caption_, *prog_id)) (void)menu_.Bind(item);
  }
  ObjectRef bar = CreateAddInCommandBar(Application, AddInInst, kToolbarName, true);
  if (!bar) return;
  Result<std::string> bar_name = TextOf(bar->Get("Name"));
  if (!bar_name) return;
  ObjectRef button =
      CreateAddInCommandBarButton(Application, AddInInst, *bar_name, kToolbarButtonTag,
                                  button_caption_, kButtonImageId, kImageAndCaption, false);
  if (!button) return;
  (void)toolbar_.Bind(button);
}

void ConnectOutlook::OnDisconnection(std::int32_t) {
  // Every step is attempted; the toolbar and its button are left to Outlook, which
  // discards them as temporary controls.
  if (Result<ObjectRef> bars = ExplorerBars(host_.application); bars && *bars) {
    if (Result<ObjectRef> item = FindByTag(**bars, kOutlookMenuItemTag); item && *item) {
      (void)(*item)->Call("Delete");
    }
  }
  dialog::UnloadAddInDialog();
  // Nothing of the host outlives the connection: not its events, not its objects.
  (void)menu_.Bind(nullptr);
  (void)toolbar_.Bind(nullptr);
  host_.application.reset();
}

const Members<ConnectOutlook>& ConnectOutlook::Interface() {
  static const Members<ConnectOutlook> members = [] {
    Members<ConnectOutlook> m;
    automation::DispId next = kFirstOwnMember;
    AddBindingMember(m, "MenuEventHandler", next++, &ConnectOutlook::menu_);
    AddBindingMember(m, "ToolbarEventHandler", next++, &ConnectOutlook::toolbar_);
    m.Method("AddToAddInCommandBar", next++,
             [](ConnectOutlook& self, Args args, Named named) -> Result<Variant> {
               Result<std::string> caption = ArgumentOf(args, named, "sCaption", 0).ToString();
               Result<std::string> prog_id = ArgumentOf(args, named, "ProgID", 1).ToString();
               if (!caption) return caption.error();
               if (!prog_id) return prog_id.error();
               return Variant(self.AddToAddInCommandBar(*caption, *prog_id));
             });
    AddCreateBarMember(m, next++);
    AddCreateButtonMember(m, next++);
    AddExtensibility(m);
    return m;
  }();
  return members;
}

}  // namespace feriant::host
