// The component library liblumatrel.so, loaded the way every container loads it: through
// its registration in the per-user registry and late-bound calls. Only the platform is
// linked in; the controls come from the library file alone.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/base/file.h"
#include "platform/components/component_library.h"
#include "platform/components/component_registry.h"
#include "platform/registry/registry.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/form_store.h"
#include "platform/ui/core/headless_backend.h"
#include "platform/ui/drawing/font.h"
#include "tests/support/scratch_dir.h"

namespace feriant::lumatrel {
namespace {

using automation::Guid;
using automation::Variant;
using ::testing::ElementsAre;

const std::filesystem::path kLibrary = FERIANT_LUMATREL;

// The identities as published for the library, spelled out here so that a slip in the
// library's own table shows.
const Guid kWhiteTop = *Guid::Parse("{7821D12D-EEB5-46F9-9049-D3EEB56902E5}");
const Guid kBottomLine = *Guid::Parse("{71B34D9D-3F41-4639-87C9-62211099F0D9}");
const Guid kBottomLineEvents = *Guid::Parse("{83C3A269-2EA8-4518-86AA-1D20ED0523B0}");
const Guid kWhiteTopEvents = *Guid::Parse("{82620B95-44D1-403F-AC5E-B2469D073998}");

ui::ControlFactory Factory() {
  return [](const Guid& class_id) { return components::CreateObject(class_id); };
}

class LumatrelLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_backend_ = ui::SetBackend(backend_);
    // Someone else's settings, which registering and unregistering must leave alone.
    ASSERT_TRUE(
        registry_.WriteValue("Software\\Quillmark\\Feriant\\2.0", "Region Index", std::int32_t{3}));
    ASSERT_TRUE(registry_.WriteValue("Software\\Classes\\Other.Control\\CLSID", "",
                                     std::string("{00000000-0000-0000-0000-000000000001}")));
    auto before = base::ReadFile(file_);
    ASSERT_TRUE(before.ok());
    before_ = *before;

    auto library = components::ComponentLibrary::Load(kLibrary);
    ASSERT_TRUE(library.ok()) << library.error().description;
    library_ = std::move(*library);
    ASSERT_EQ(library_->RegisterServer(), components::kSOk);
  }

  void TearDown() override {
    // Everything placed is gone before the library's classes are unregistered.
    form_.reset();
    if (library_) {
      EXPECT_EQ(library_->UnregisterServer(), components::kSOk);
      auto after = base::ReadFile(file_);
      ASSERT_TRUE(after.ok());
      EXPECT_EQ(*after, before_);
    }
    ui::SetBackend(previous_backend_);
  }

  // A loaded form with the banner and the bar placed as new instances.
  void PlaceBoth() {
    form_ = std::make_shared<ui::Form>("frmAddIn");
    ASSERT_TRUE(form_->SetClientSize(9465, 7965));
    ASSERT_TRUE(form_->Load());
    auto wto = form_->CreateUserControl(kWhiteTop, "wto", Factory());
    ASSERT_TRUE(wto.ok()) << wto.error().description;
    wto_ = *wto;
    auto btl = form_->CreateUserControl(kBottomLine, "btl", Factory());
    ASSERT_TRUE(btl.ok()) << btl.error().description;
    btl_ = *btl;
  }

  testing::ScratchDir dir_;
  std::filesystem::path file_ = dir_.path() / "registry.json";
  testing::ScopedEnv env_{"FERIANT_REGISTRY", file_.string()};
  registry::Registry registry_{file_};
  std::string before_;
  std::unique_ptr<components::ComponentLibrary> library_;
  std::shared_ptr<ui::HeadlessBackend> backend_ = std::make_shared<ui::HeadlessBackend>();
  std::shared_ptr<ui::Backend> previous_backend_;
  std::shared_ptr<ui::Form> form_;
  ui::Extender* wto_ = nullptr;
  ui::Extender* btl_ = nullptr;
};

TEST_F(LumatrelLibraryTest, RegistersItsClassesInterfacesAndTypeLibrary) {
  const std::string path = library_->file().string();
  const std::string c = "Software\\Classes\\CLSID\\";
  const std::string i = "Software\\Classes\\Interface\\";
  const std::string lib = "{A8FC043F-2ECC-4715-9724-E62009698500}";
  struct Entry {
    std::string key;
    std::string name;
    std::string text;
  };
  const std::string white_top = c + "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}";
  const std::string bottom_line = c + "{71B34D9D-3F41-4639-87C9-62211099F0D9}";
  const std::string page = c + "{DD07983A-8363-45B7-957A-C3155B4B38AC}";
  const Entry entries[] = {
      {white_top, "", "WhiteTop"},
      {white_top + "\\InprocServer32", "", path},
      {white_top + "\\ProgID", "", "Lumatrel.WhiteTop"},
      {white_top + "\\TypeLib", "", lib},
      {white_top + "\\Version", "", "4.10"},
      {"Software\\Classes\\Lumatrel.WhiteTop\\CLSID", "", "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}"},
      {bottom_line, "", "BottomLine"},
      {bottom_line + "\\InprocServer32", "", path},
      {bottom_line + "\\ProgID", "", "Lumatrel.BottomLine"},
      {"Software\\Classes\\Lumatrel.BottomLine\\CLSID", "",
       "{71B34D9D-3F41-4639-87C9-62211099F0D9}"},
      {page, "", "prpWhiteTop"},
      {page + "\\InprocServer32", "", path},
      {i + "{18838B95-0864-4754-8106-91FB75732BC3}", "", "_WhiteTop"},
      {i + "{82620B95-44D1-403F-AC5E-B2469D073998}", "", "__WhiteTop"},
      {i + "{D955AB66-449B-4582-B39B-CD6B5BC5A2B6}", "", "_BottomLine"},
      {i + "{83C3A269-2EA8-4518-86AA-1D20ED0523B0}", "", "__BottomLine"},
      {i + "{80157E15-C656-49AA-997D-A00C1D25E852}", "", "_prpWhiteTop"},
      {i + "{D955AB66-449B-4582-B39B-CD6B5BC5A2B6}\\TypeLib", "Version", "4.10"},
      {"Software\\Classes\\TypeLib\\" + lib + "\\4.10", "", "Lumatrel"},
      {"Software\\Classes\\TypeLib\\" + lib + "\\4.10\\0\\linux64", "", path},
  };
  ASSERT_TRUE(library_->file().is_absolute());
  for (const Entry& e : entries) {
    auto value = registry_.ReadValue(e.key, e.name);
    ASSERT_TRUE(value.ok()) << e.key;
    ASSERT_TRUE(value->has_value()) << e.key << " " << e.name;
    EXPECT_EQ(**value, registry::RegistryValue(e.text)) << e.key;
  }
  // The two controls are marked as controls; the page is not.
  EXPECT_TRUE(*registry_.KeyExists(white_top + "\\Control"));
  EXPECT_TRUE(*registry_.KeyExists(bottom_line + "\\Control"));
  EXPECT_FALSE(*registry_.KeyExists(page + "\\Control"));
  // Registering again changes nothing.
  auto once = base::ReadFile(file_);
  ASSERT_EQ(library_->RegisterServer(), components::kSOk);
  EXPECT_EQ(*base::ReadFile(file_), *once);
}

TEST_F(LumatrelLibraryTest, CreatesEachClassByClassIdAndByProgramId) {
  struct Case {
    const char* prog_id;
    const char* class_id;
    const char* type_name;
  };
  const Case cases[] = {
      {"Lumatrel.WhiteTop", "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}", "WhiteTop"},
      {"Lumatrel.BottomLine", "{71B34D9D-3F41-4639-87C9-62211099F0D9}", "BottomLine"},
      {"Lumatrel.prpWhiteTop", "{DD07983A-8363-45B7-957A-C3155B4B38AC}", "prpWhiteTop"},
  };
  for (const Case& c : cases) {
    auto by_name = components::CreateObject(c.prog_id);
    ASSERT_TRUE(by_name.ok()) << by_name.error().description;
    auto by_id = components::CreateObject(*Guid::Parse(c.class_id));
    ASSERT_TRUE(by_id.ok()) << by_id.error().description;
    EXPECT_EQ((*by_name)->TypeName(), c.type_name);
    EXPECT_EQ((*by_id)->TypeName(), c.type_name);
    EXPECT_NE(*by_name, *by_id);
  }
  // Both controls offer their event interface, WhiteTop's with no events in it.
  for (auto [class_id, events] :
       {std::pair{kWhiteTop, kWhiteTopEvents}, std::pair{kBottomLine, kBottomLineEvents}}) {
    auto object = components::CreateObject(class_id);
    ASSERT_TRUE(object.ok());
    auto container = std::dynamic_pointer_cast<automation::ConnectionPointContainer>(*object);
    ASSERT_TRUE(container);
    EXPECT_NE(container->FindConnectionPoint(events), nullptr);
  }
}

TEST_F(LumatrelLibraryTest, ControlsOnAFormAnswerByNameAndByDispatchId) {
  PlaceBoth();
  namespace wt = white_top::dispid;
  namespace bl = bottom_line::dispid;
  // Docked as new instances: the banner at the top, the bar at the bottom.
  EXPECT_EQ(*wto_->Get("Align"), Variant(std::int32_t{1}));
  EXPECT_EQ(*btl_->Get("Align"), Variant(std::int32_t{2}));
  EXPECT_EQ(wto_->Bounds(), (ui::Rect{0, 0, 9465, 915}));
  EXPECT_EQ(btl_->Bounds(), (ui::Rect{0, 7965 - 795, 9465, 795}));

  ASSERT_TRUE(wto_->Put("Title", "Feriant"));
  EXPECT_EQ(*wto_->Get(wt::kTitle), Variant("Feriant"));
  ASSERT_TRUE(wto_->Put(wt::kMsg, "Choose a country."));
  EXPECT_EQ(*wto_->Get("msg"), Variant("Choose a country."));
  ASSERT_TRUE(wto_->Put(wt::kAutoSize, false));
  EXPECT_EQ(*wto_->Get("AutoSize"), Variant(false));
  auto font = ui::FontOf(*wto_->Get(wt::kFont));
  ASSERT_TRUE(font);
  EXPECT_EQ(font->Name(), "MS Sans Serif");

  ASSERT_TRUE(btl_->Put("cmdOKCaption", "&Organize..."));
  EXPECT_EQ(*btl_->Get(bl::kCmdOKCaption), Variant("&Organize..."));
  ASSERT_TRUE(btl_->Put(bl::kCmdCancelEnabled, false));
  EXPECT_EQ(*btl_->Get("cmdCancelEnabled"), Variant(false));
  ASSERT_TRUE(btl_->Put("AutoOKCancelApply", false));
  EXPECT_EQ(*btl_->Get(bl::kAutoOKCancelApply), Variant(false));

  EXPECT_FALSE(btl_->Put("NoSuchMember", 1).ok());
  EXPECT_FALSE(wto_->Put("Title", Variant(automation::ObjectRef(ui::StdFont::Create()))).ok());
}

TEST_F(LumatrelLibraryTest, BarEventsReachTheFormsSinkWhichMayKeepTheFormOpen) {
  PlaceBoth();
  std::vector<std::string> log;
  bool cancel_ok = true;
  auto sink = std::make_shared<automation::EventSink>();
  sink->On("cmdOKClick", 1,
           [&](std::span<Variant> args) {
             log.push_back("cmdOKClick");
             args[0] = Variant(cancel_ok);
           })
      .On("cmdCancelClick", 2, [&](std::span<Variant>) { log.push_back("cmdCancelClick"); })
      .On("cmdApplyClick", 3, [&](std::span<Variant> args) {
        log.push_back(std::string("cmdApplyClick") + (*args[1].ToBool() ? " by OK" : ""));
      });
  // The container finds the event source through the control's own object.
  auto object = btl_->Get("Object");
  ASSERT_TRUE(object.ok());
  auto container =
      std::dynamic_pointer_cast<automation::ConnectionPointContainer>(object->AsObject());
  ASSERT_TRUE(container);
  automation::EventSource* source = container->FindConnectionPoint(kBottomLineEvents);
  ASSERT_NE(source, nullptr);
  source->Advise(sink);
  ASSERT_TRUE(form_->Show());

  ASSERT_TRUE(btl_->Call("SimulateOKClick"));
  EXPECT_THAT(log, ElementsAre("cmdApplyClick by OK", "cmdOKClick"));
  EXPECT_TRUE(form_->IsLoaded());

  log.clear();
  cancel_ok = false;
  ASSERT_TRUE(btl_->Call(bottom_line::dispid::kSimulateOKClick));
  EXPECT_THAT(log, ElementsAre("cmdApplyClick by OK", "cmdOKClick"));
  EXPECT_FALSE(form_->IsLoaded());
}

TEST_F(LumatrelLibraryTest, AStoredFormBringsItsControlsBack) {
  PlaceBoth();
  ASSERT_TRUE(wto_->Put("Title", "Feriant"));
  ASSERT_TRUE(wto_->Put("Msg", "Choose a country."));
  ASSERT_TRUE(btl_->Put("cmdOKCaption", "&Organize..."));
  ASSERT_TRUE(btl_->Put("cmdApplyVisible", false));
  ASSERT_TRUE(btl_->Put("AutoOKCancelApply", false));
  const std::filesystem::path stored = dir_.path() / "frmAddIn.json";
  ASSERT_TRUE(ui::FormStore::Save(*form_, stored));

  auto copy = std::make_shared<ui::Form>("frmAddIn");
  ASSERT_TRUE(copy->SetClientSize(9465, 7965));
  ASSERT_TRUE(copy->Load());
  ASSERT_TRUE(ui::FormStore::Load(*copy, stored, Factory()));
  auto* wto = copy->FindAs<ui::Extender>("wto");
  auto* btl = copy->FindAs<ui::Extender>("btl");
  ASSERT_NE(wto, nullptr);
  ASSERT_NE(btl, nullptr);
  EXPECT_EQ(*wto->Get("Title"), Variant("Feriant"));
  EXPECT_EQ(*wto->Get("Msg"), Variant("Choose a country."));
  EXPECT_EQ(*btl->Get("cmdOKCaption"), Variant("&Organize..."));
  EXPECT_EQ(*btl->Get("AutoOKCancelApply"), Variant(false));
  EXPECT_EQ(wto->Bounds(), wto_->Bounds());
  EXPECT_EQ(btl->Bounds(), btl_->Bounds());
  ASSERT_TRUE(copy->Show());
  EXPECT_EQ(*btl->Get("cmdApplyVisible"), Variant(false));
  EXPECT_EQ(*btl->Get("cmdOKVisible"), Variant(true));
  ASSERT_TRUE(copy->Unload());
}

// The list controls, by class id and program id, each with its event interface where it
// has one; on a form, late-bound.
TEST_F(LumatrelLibraryTest, ListControlsAreCreatedByClassIdAndProgramId) {
  struct Case {
    const char* prog_id;
    const char* class_id;
    const char* type_name;
    const char* events;  // nullptr: not a control
  };
  const Case cases[] = {
      {"Lumatrel.TwoBoxes", "{8859A4B4-4740-46EC-AF5D-B85BEC5FCAE0}", "TwoBoxes",
       "{D1F71349-AD86-43CD-971D-9A5015EB389A}"},
      {"Lumatrel.RadioGroup", "{367655DE-3664-4F5D-8320-B19A64455C14}", "RadioGroup",
       "{0984F7C6-A0F2-4947-A996-FCD290CACD0D}"},
      {"Lumatrel.colRadioButtons", "{7CB9B5F4-AF40-47F0-9A2A-798C464694B7}", "colRadioButtons",
       nullptr},
      {"Lumatrel.clsRadioButton", "{52E5B824-5BE3-41AB-8F6E-F86C6BD56217}", "clsRadioButton",
       nullptr},
      {"Lumatrel.ProgressViewer", "{780B7F33-066B-4B2B-815E-7AAF18277D3B}", "ProgressViewer",
       "{06425C37-B827-4FB1-9C03-ABAEF43E03C9}"},
      {"Lumatrel.colProgressTasks", "{C427D6B1-1709-45C4-A9C1-0C13974C1CFB}", "colProgressTasks",
       nullptr},
      {"Lumatrel.clsProgressTask", "{B3A19879-4BE5-4E94-935E-05BDE38AD6C5}", "clsProgressTask",
       nullptr},
      {"Lumatrel.PopupMenu", "{53D37E63-EE17-44BC-A01A-78A967F556B6}", "PopupMenu",
       "{107C1190-9571-4737-80D2-79F9346A6A17}"},
      {"Lumatrel.colPopupMenu", "{EAADCFDA-9343-4366-BE71-313A5BACEB31}", "colPopupMenu", nullptr},
      {"Lumatrel.clsPopupMenuItem", "{41D957DB-F841-4516-A1FE-1BD70DB863A9}", "clsPopupMenuItem",
       nullptr},
      {"Lumatrel.prpRadioGroup", "{654813A4-C1A1-4891-B24F-0185BDFC93EE}", "prpRadioGroup",
       nullptr},
      {"Lumatrel.prpProgressViewer", "{EFAFD521-4F65-41A3-BB40-4AD803DCC9C0}", "prpProgressViewer",
       nullptr},
      {"Lumatrel.prpPopupMenu", "{8985305A-AE34-4B8D-8EA0-8CD8FB9F0A2D}", "prpPopupMenu", nullptr},
  };
  for (const Case& c : cases) {
    auto by_name = components::CreateObject(c.prog_id);
    ASSERT_TRUE(by_name.ok()) << c.prog_id << ": " << by_name.error().description;
    auto by_id = components::CreateObject(*Guid::Parse(c.class_id));
    ASSERT_TRUE(by_id.ok()) << c.class_id;
    EXPECT_EQ((*by_name)->TypeName(), c.type_name);
    EXPECT_EQ((*by_id)->TypeName(), c.type_name);
    if (c.events == nullptr) continue;
    auto container = std::dynamic_pointer_cast<automation::ConnectionPointContainer>(*by_id);
    ASSERT_TRUE(container) << c.type_name;
    EXPECT_NE(container->FindConnectionPoint(*Guid::Parse(c.events)), nullptr) << c.type_name;
  }
}

TEST_F(LumatrelLibraryTest, TwoBoxesMovesEntriesLateBound) {
  PlaceBoth();
  auto tbx = form_->CreateUserControl(*Guid::Parse("{8859A4B4-4740-46EC-AF5D-B85BEC5FCAE0}"), "tbx",
                                      Factory());
  ASSERT_TRUE(tbx.ok()) << tbx.error().description;
  ui::Extender& c = **tbx;
  std::vector<std::string> log;
  auto sink = std::make_shared<automation::EventSink>();
  sink->On("ValidateAdd", 2, [&](std::span<Variant> a) {
    log.push_back(*a[1].ToString());
    a[3] = Variant(*a[1].ToString() != "b");
  });
  auto object = c.Get("Object");
  ASSERT_TRUE(object.ok());
  std::dynamic_pointer_cast<automation::ConnectionPointContainer>(object->AsObject())
      ->FindConnectionPoint(*Guid::Parse("{D1F71349-AD86-43CD-971D-9A5015EB389A}"))
      ->Advise(sink);
  for (const char* text : {"c", "b", "a"})
    ASSERT_TRUE(c.Call("AddItemLeft", {Variant(text), Variant(std::string(text) + "!")}));
  EXPECT_EQ(*c.Get("ListLeft", {Variant(std::int32_t{0})}), Variant("a"));
  EXPECT_EQ(*c.Get("ItemDataLeft", {Variant(std::int32_t{2})}), Variant("c!"));
  for (std::int32_t i : {0, 1}) {
    Variant args[] = {Variant(i), Variant(true)};
    ASSERT_TRUE(
        c.Invoke(two_boxes::dispid::kSelectedLeft, automation::InvokeKind::kPropertyPut, args, {}));
  }
  EXPECT_EQ(*c.Get("SelCountLeft"), Variant(std::int32_t{2}));
  // The person clicks ">".
  c.Object()->FindAs<ui::CommandButton>("cmdAdd")->PerformClick();
  EXPECT_THAT(log, ElementsAre("a", "b"));
  EXPECT_EQ(*c.Get("ListCountRight"), Variant(std::int16_t{1}));
  EXPECT_EQ(*c.Get("ItemDataRight", {Variant(std::int32_t{0})}), Variant("a!"));
  EXPECT_EQ(*c.Get("ListCountLeft"), Variant(std::int16_t{2}));
}

TEST_F(LumatrelLibraryTest, ASavedFormBringsBackARadioGroupsButtons) {
  PlaceBoth();
  const Guid radio_group = *Guid::Parse("{367655DE-3664-4F5D-8320-B19A64455C14}");
  auto placed = form_->CreateUserControl(radio_group, "rgpRegion", Factory());
  ASSERT_TRUE(placed.ok()) << placed.error().description;
  ui::Extender& rgp = **placed;
  EXPECT_EQ(*rgp.Get("Caption"), Variant("rgpRegion"));
  automation::ObjectRef buttons = rgp.Get("RadioButtons")->AsObject();
  ASSERT_TRUE(buttons);
  ASSERT_TRUE(buttons->Call("Add", {Variant("de"), Variant("Germany")}));
  ASSERT_TRUE(buttons->Call("Add", {Variant("at"), Variant("Austria"), Variant(false)}));
  ASSERT_TRUE(rgp.Put("SelectedIndex", std::int32_t{2}));
  const std::filesystem::path stored = dir_.path() / "frmAddIn.json";
  ASSERT_TRUE(ui::FormStore::Save(*form_, stored));

  auto copy = std::make_shared<ui::Form>("frmAddIn");
  ASSERT_TRUE(copy->SetClientSize(9465, 7965));
  ASSERT_TRUE(copy->Load());
  ASSERT_TRUE(ui::FormStore::Load(*copy, stored, Factory()));
  auto* back = copy->FindAs<ui::Extender>("rgpRegion");
  ASSERT_NE(back, nullptr);
  automation::ObjectRef items = back->Get("RadioButtons")->AsObject();
  ASSERT_TRUE(items);
  EXPECT_EQ(*items->Get("count"), Variant(std::int32_t{2}));
  automation::ObjectRef second = items->Get("Item", {Variant("at")})->AsObject();
  ASSERT_TRUE(second);
  EXPECT_EQ(*second->Get("Caption"), Variant("Austria"));
  EXPECT_EQ(*second->Get("Enabled"), Variant(false));
  EXPECT_EQ(*back->Get("SelectedIndex"), Variant(std::int32_t{2}));
  EXPECT_EQ(back->Get("ActiveButton")->AsObject(), second);
  ASSERT_TRUE(copy->Unload());
}

// The entry field, the layout controls, the page and the system information class, as
// published, each created late-bound by both of its names and placed where it is a control.
TEST_F(LumatrelLibraryTest, CreatesTheEntryFieldLayoutControlsAndSysInfoLateBound) {
  struct Case {
    const char* prog_id;
    const char* class_id;
    const char* type_name;
    const char* event_interface;  // nullptr: no control
  };
  const Case cases[] = {
      {"Lumatrel.SpinEdit", "{59FEB801-EF05-4253-9523-66B3E278731F}", "SpinEdit",
       "{E4EB7BFC-B579-4B54-A7CD-57F9C1AC3FDB}"},
      {"Lumatrel.HorzSplitter", "{01727E5D-22C2-4D4A-BE0D-BECD37CA3DF6}", "HorzSplitter",
       "{EF29BF00-8C40-4C2F-8418-A057A41F9D13}"},
      {"Lumatrel.VertSplitter", "{122E4C41-702A-48B5-BCCD-E1F128CD4610}", "VertSplitter",
       "{D010C7C5-D6C4-4791-9651-FB4AC0F66B17}"},
      {"Lumatrel.SizeConstraint", "{176C447D-4D82-4F4F-8BD3-FB724B9E160C}", "SizeConstraint",
       "{2DC6CA34-1619-462D-86AE-96147BCBB185}"},
      {"Lumatrel.prpSpinEdit", "{24B7BA8C-2F47-4AD5-8C45-04F01A1D0344}", "prpSpinEdit", nullptr},
      {"Lumatrel.clsSysInfo", "{9E021959-30EB-4537-9202-4EBCDDCE500A}", "clsSysInfo", nullptr},
  };
  form_ = std::make_shared<ui::Form>("frmAll");
  ASSERT_TRUE(form_->SetClientSize(9000, 6000));
  ASSERT_TRUE(form_->Load());
  for (const Case& c : cases) {
    const std::string key = std::string("Software\\Classes\\CLSID\\") + c.class_id;
    EXPECT_EQ(**registry_.ReadValue(key, ""), registry::RegistryValue(c.type_name));
    EXPECT_EQ(*registry_.KeyExists(key + "\\Control"), c.event_interface != nullptr) << c.prog_id;
    auto by_name = components::CreateObject(c.prog_id);
    ASSERT_TRUE(by_name.ok()) << by_name.error().description;
    auto by_id = components::CreateObject(*Guid::Parse(c.class_id));
    ASSERT_TRUE(by_id.ok()) << by_id.error().description;
    EXPECT_EQ((*by_name)->TypeName(), c.type_name);
    EXPECT_EQ((*by_id)->TypeName(), c.type_name);
    if (c.event_interface == nullptr) continue;
    auto container = std::dynamic_pointer_cast<automation::ConnectionPointContainer>(*by_id);
    ASSERT_TRUE(container);
    EXPECT_NE(container->FindConnectionPoint(*Guid::Parse(c.event_interface)), nullptr);
    auto placed = form_->CreateUserControl(*Guid::Parse(c.class_id), c.type_name, Factory());
    ASSERT_TRUE(placed.ok()) << placed.error().description;
  }
  // Driven by name, as a form's code does.
  auto* spin = form_->FindAs<ui::Extender>("SpinEdit");
  ASSERT_TRUE(spin->Put("Value", 150));
  EXPECT_EQ(*spin->Get("Value"), Variant(std::int32_t{100}));
  auto* constraint = form_->FindAs<ui::Extender>("SizeConstraint");
  ASSERT_TRUE(constraint->Put("MinWidth", 6000));
  ASSERT_TRUE(form_->SetClientSize(1000, 3000));
  EXPECT_EQ(form_->Width(), 6000);
  auto sys_info = components::CreateObject("Lumatrel.clsSysInfo");
  ASSERT_TRUE(sys_info.ok());
  auto os = (*sys_info)->Get("OS");
  ASSERT_TRUE(os.ok());
  EXPECT_EQ(*os->AsObject()->Get("IsWinXP"), Variant(false));
}

}  // namespace
}  // namespace feriant::lumatrel
