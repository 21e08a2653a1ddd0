#include "addin/host/connect_project.h"

#include <iostream>
#include <utility>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/frm_add_in.h"
#include "addin/host/button_face.h"
#include "addin/host/msp_language.h"
#include "hosts/project/dispatch_ids.h"

namespace feriant::host {
namespace {

using automation::ArgumentOf;
using automation::Members;
using automation::NamedArg;
using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const NamedArg>;

std::ostream* error_stream = nullptr;

Result<ObjectRef> ProjectBars(const ObjectRef& application) {
  if (!application) return automation::MakeError(automation::hresult::kInvalidArg, "Application");
  Result<ObjectRef> bars = ObjectOf(application->Get(project::dispid::kCommandBars));
  if (bars && !*bars) return automation::MakeError(automation::hresult::kFail, "CommandBars");
  return bars;
}

std::string VersionOf(const ObjectRef& application) {
  if (!application) return {};
  return TextOf(application->Get(project::dispid::kVersion)).value_or("");
}

// Caption, tag, action and image of a new control; the first failing step's error.
Status Describe(automation::Dispatch& control, std::string_view caption, std::string_view tag,
                const ObjectRef& add_in_inst, const ObjectRef& application) {
  Result<std::string> prog_id = ProgIdOf(add_in_inst);
  if (!prog_id) return prog_id.error();
  for (Status step : {control.Put("Caption", Variant(caption)), control.Put("Tag", Variant(tag)),
                      control.Put("OnAction", Variant(AddInAction(*prog_id)))}) {
    if (!step) return step;
  }
  return SetButtonFace(control, kButtonImageId, kButtonMaskId, VersionOf(application));
}

// Deletes the control tagged `tag` in `where` if there is one.
Status DeleteTagged(automation::Dispatch& where, std::string_view tag) {
  Result<ObjectRef> found = FindByTag(where, tag);
  if (!found) return found.error();
  if (!*found) return Ok();
  Result<Variant> deleted = (*found)->Call("Delete");
  return deleted ? Ok() : Status(deleted.error());
}

// What a routine made, or nullptr after its error went to AddInErr.
ObjectRef Reported(Result<ObjectRef> made) {
  if (made) return *made;
  ConnectProject::AddInErr(made.error());
  return nullptr;
}

}  // namespace

void ConnectProject::SetErrorStream(std::ostream* stream) {
  error_stream = stream;
}

void ConnectProject::AddInErr(const Error& errX) {
  std::string text = ErrorReportText(errX.code, errX.description);
  // One report, one line per item, on a terminal.
  for (size_t at; (at = text.find("\r\n")) != std::string::npos;)
    text.replace(at, 2, "\n");
  std::ostream& out = error_stream ? *error_stream : std::cerr;
  out << text << "\n";
  out.flush();
}

ObjectRef ConnectProject::CreateAddInMenuCommandBar(std::string_view sMenuName,
                                                    std::string_view sCaption,
                                                    std::string_view sKey,
                                                    const ObjectRef& AddInInst) {
  const ObjectRef& application = host_.application;
  const auto create = [&]() -> Result<ObjectRef> {
    Result<ObjectRef> bars = ProjectBars(application);
    if (!bars) return bars.error();
    Result<ObjectRef> menu = ObjectOf((*bars)->Get("Item", {Variant(sMenuName)}));
    if (!menu) return menu.error();
    if (Status deleted = DeleteTagged(**menu, sKey); !deleted) return deleted.error();
    // Directly after the last built-in anchor item, or at the top.
    std::int32_t position = 1;
    Result<ObjectRef> controls = ObjectOf((*menu)->Get("Controls"));
    if (!controls) return controls.error();
    Result<automation::VariantArray> all = (*controls)->Enumerate();
    if (!all) return all.error();
    for (const Variant& element : *all) {
      const ObjectRef control = element.AsObject();
      if (!control) continue;
      Result<Variant> id = control->Get("Id");
      if (!id) return id.error();
      if (id->ToI4().value_or(0) != kProjectMenuAnchorId) continue;
      Result<Variant> index = control->Get("Index");
      if (!index) return index.error();
      Result<std::int32_t> at = index->ToI4();
      if (!at) return at.error();
      position = *at + 1;
    }
    Result<ObjectRef> item = AddTemporaryButton(**menu, {}, position);
    if (!item) return item.error();
    if (Status described = Describe(**item, sCaption, sKey, AddInInst, application); !described) {
      return described.error();
    }
    return item;
  };
  return Reported(create());
}

ObjectRef ConnectProject::CreateAddInCommandBar(const ObjectRef& Application, const ObjectRef&,
                                                std::string_view strMenuName, bool IsVisible) {
  const auto create = [&]() -> Result<ObjectRef> {
    Result<ObjectRef> bars = ProjectBars(Application);
    if (!bars) return bars.error();
    Result<ObjectRef> bar = FindBarNamed(**bars, strMenuName);
    if (!bar) return bar.error();
    if (*bar) {
      Result<ObjectRef> controls = ObjectOf((*bar)->Get("Controls"));
      if (!controls) return controls.error();
      Result<Variant> count = (*controls)->Get("Count");
      if (!count) return count.error();
      if (count->ToI4().value_or(0) >= 1) {
        if (Status shown = (*bar)->Put("Visible", Variant(true)); !shown) return shown.error();
        return bar;
      }
      Result<Variant> deleted = (*bar)->Call("Delete");
      if (!deleted) return deleted.error();
    }
    return AddTemporaryBar(**bars, strMenuName, IsVisible);
  };
  return Reported(create());
}

ObjectRef ConnectProject::CreateAddInCommandBarButton(
    const ObjectRef& Application, const ObjectRef& AddInInst, std::string_view strMenuName,
    std::string_view strCtlKey, std::string_view strCtlCaption, std::int32_t /*numPicID*/,
    std::int32_t ButtonType, bool IsSeparated) {
  const auto create = [&]() -> Result<ObjectRef> {
    Result<ObjectRef> bars = ProjectBars(Application);
    if (!bars) return bars.error();
    Result<ObjectRef> bar = ObjectOf((*bars)->Get("Item", {Variant(strMenuName)}));
    if (!bar) return bar.error();
    if (Status deleted = DeleteTagged(**bar, strCtlKey); !deleted) return deleted.error();
    Result<ObjectRef> button = AddTemporaryButton(**bar, strCtlKey, 0);
    if (!button) return button.error();
    automation::Dispatch& control = **button;
    for (Status step : {control.Put("Style", Variant(ButtonType)),
                        control.Put("BeginGroup", Variant(IsSeparated))}) {
      if (!step) return step.error();
    }
    // The image is always the library's own pair, whatever numPicID says.
    if (Status described = Describe(control, strCtlCaption, strCtlKey, AddInInst, Application);
        !described) {
      return described.error();
    }
    return button;
  };
  return Reported(create());
}

void ConnectProject::RemoveAddInCommandBars(std::int32_t RemoveMode) {
  if (RemoveMode != kUserClosed) return;  // at shut-down the host discards them itself
  Result<ObjectRef> bars = ProjectBars(host_.application);
  if (!bars) return;
  automation::Dispatch& all = **bars;
  (void)DeleteTagged(all, kToolbarButtonTag);
  if (Result<ObjectRef> bar = ObjectOf(all.Get("Item", {Variant(kToolbarName)})); bar && *bar) {
    Result<ObjectRef> controls = ObjectOf((*bar)->Get("Controls"));
    if (controls && *controls) {
      Result<Variant> count = (*controls)->Get("Count");
      if (count && count->ToI4().value_or(-1) == 0) (void)(*bar)->Call("Delete");
    }
  }
  (void)DeleteTagged(all, kProjectMenuItemTag);
}

void ConnectProject::OnConnection(const ObjectRef& Application, std::int32_t,
                                  const ObjectRef& AddInInst) {
  host_ = engine::HostContext{engine::kHostProject, Application};
  data::InitHolidayData();
  dialog::LangSetter().LanguageID =
      static_cast<std::int16_t>(data::MapHostLanguage(GetMSPLanguage(VersionOf(Application))));
  button_caption_ = dialog::LangSetter().ToolbarCaption_Caption();
  menu_caption_ = button_caption_ + "...";

  // Each routine has sent its error to AddInErr already. A failed menu item costs only
  // the menu item; a failed toolbar step ends the connection.
  if (ObjectRef item =
          CreateAddInMenuCommandBar(kToolsMenu, menu_caption_, kProjectMenuItemTag, AddInInst)) {
    if (Status bound = menu_.Bind(item); !bound) AddInErr(bound.error());
  }
  ObjectRef bar = CreateAddInCommandBar(Application, AddInInst, kToolbarName, true);
  if (!bar) return;
  Result<std::string> bar_name = TextOf(bar->Get("Name"));
  if (!bar_name) return AddInErr(bar_name.error());
  ObjectRef button =
      CreateAddInCommandBarButton(Application, AddInInst, *bar_name, kToolbarButtonTag,
                                  button_caption_, kButtonImageId, kImageAndCaption, false);
  if (!button) return;
  if (Status bound = toolbar_.Bind(button); !bound) AddInErr(bound.error());
}

void ConnectProject::OnDisconnection(std::int32_t RemoveMode) {
  RemoveAddInCommandBars(RemoveMode);
  dialog::UnloadAddInDialog();
  (void)menu_.Bind(nullptr);
  (void)toolbar_.Bind(nullptr);
  host_.application.reset();
}

const Members<ConnectProject>& ConnectProject::Interface() {
  static const Members<ConnectProject> members = [] {
    Members<ConnectProject> m;
    automation::DispId next = kFirstOwnMember;
    m.Method("GetMSPLanguage", next++,
             [](ConnectProject&, Args args, Named named) -> Result<Variant> {
               Result<std::string> version = ArgumentOf(args, named, "sVersion", 0).ToString();
               if (!version) return version.error();
               return Variant(GetMSPLanguage(*version));
             });
    AddBindingMember(m, "MenuEventHandler", next++, &ConnectProject::menu_);
    AddBindingMember(m, "ToolbarEventHandler", next++, &ConnectProject::toolbar_);
    m.Method("AddInErr", next++, [](ConnectProject&, Args args, Named named) -> Result<Variant> {
      // errX: an error object answering Number and Description.
      const ObjectRef err = ArgumentOf(args, named, "errX", 0).AsObject();
      if (!err) return automation::MakeError(automation::hresult::kTypeMismatch, "errX");
      Result<Variant> number = err->Get("Number");
      Result<std::string> description = TextOf(err->Get("Description"));
      if (!number) return number.error();
      if (!description) return description.error();
      Result<std::int32_t> code = number->ToI4();
      if (!code) return code.error();
      AddInErr(Error{*code, *description, {}});
      return Variant();
    });
    m.Method("CreateAddInMenuCommandBar", next++,
             [](ConnectProject& self, Args args, Named named) -> Result<Variant> {
               Result<std::string> menu = ArgumentOf(args, named, "sMenuName", 0).ToString();
               Result<std::string> caption = ArgumentOf(args, named, "sCaption", 1).ToString();
               Result<std::string> key = ArgumentOf(args, named, "sKey", 2).ToString();
               if (!menu) return menu.error();
               if (!caption) return caption.error();
               if (!key) return key.error();
               return Variant(self.CreateAddInMenuCommandBar(
                   *menu, *caption, *key, ArgumentOf(args, named, "AddInInst", 3).AsObject()));
             });
    AddCreateBarMember(m, next++);
    AddCreateButtonMember(m, next++);
    m.Method("RemoveAddInCommandBars", next++,
             [](ConnectProject& self, Args args, Named named) -> Result<Variant> {
               Result<std::int32_t> mode = ArgumentOf(args, named, "RemoveMode", 0).ToI4();
               if (!mode) return mode.error();
               self.RemoveAddInCommandBars(*mode);
               return Variant();
             });
    AddExtensibility(m);
    return m;
  }();
  return members;
}

}  // namespace feriant::host
