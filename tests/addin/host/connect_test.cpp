// The two connection classes against the headless host models: the entries they put into
// the command bars, what a second connection and a disconnection leave, the button face,
// and the library's registration as an add-in of both hosts.

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/frm_add_in.h"
#include "addin/engine/host_kind.h"
#include "addin/host/button_face.h"
#include "addin/host/connect_outlook.h"
#include "addin/host/connect_project.h"
#include "addin/host/registration.h"
#include "hosts/office/command_bars.h"
#include "hosts/outlook/explorer.h"
#include "hosts/outlook/outlook.h"
#include "hosts/project/project_application.h"
#include "platform/components/component_library.h"
#include "platform/components/component_registry.h"
#include "platform/registry/settings_store.h"
#include "platform/ui/core/headless_backend.h"
#include "tests/hosts/project/test_files.h"
#include "tests/support/scratch_dir.h"

namespace feriant::host {
namespace {

using automation::Variant;
using office::CommandBarControl;
using office::CommandBars;
using office::CommandBarsChange;
using registry::RegistryRoot;
namespace fs = std::filesystem;

// What a host hands over as AddInInst: its ProgId.
class AddInInstance final : public automation::DispatchObject<AddInInstance> {
 public:
  explicit AddInInstance(std::string prog_id) : prog_id_(std::move(prog_id)) {}
  static const automation::Members<AddInInstance>& Interface() {
    static const automation::Members<AddInInstance> members = [] {
      automation::Members<AddInInstance> m;
      m.Get("ProgId", 1, [](AddInInstance& self, std::span<Variant>) -> Result<Variant> {
        return Variant(self.prog_id_);
      });
      return m;
    }();
    return members;
  }
  std::string TypeName() const override { return "COMAddIn"; }

 private:
  std::string prog_id_;
};

// A host's bars as its shell fills them: a menu bar whose "&Tools" menu holds built-in
// items, among them two of id 40191.
std::shared_ptr<CommandBars> HostBars() {
  auto bars = CommandBars::Create();
  auto menu = *bars->Add("Menu Bar", office::kBarTop, true, false, true);
  auto tools = *menu->AddControl(office::kControlPopup, 30007);
  tools->SetCaption("&Tools");
  for (std::int32_t id : {2, 40191, 7, 40191, 5}) {
    (void)tools->popup_bar()->AddControl(office::kControlButton, id);
  }
  return bars;
}

std::vector<std::shared_ptr<CommandBarControl>> Tagged(const CommandBars& bars,
                                                       const std::string& tag) {
  std::vector<std::shared_ptr<CommandBarControl>> found;
  const auto visit = [&](const auto& self, const office::CommandBar& bar) -> void {
    for (const auto& control : bar.controls()) {
      if (control->tag() == tag) found.push_back(control);
      if (control->popup_bar()) self(self, *control->popup_bar());
    }
  };
  for (const auto& bar : bars.bars())
    visit(visit, *bar);
  return found;
}

// Records removals in order, by tag or bar name.
struct Removals : office::CommandBarsObserver {
  std::vector<std::string> seen;
  void OnCommandBarsChanged(const CommandBarsChange& change) override {
    if (change.kind == CommandBarsChange::Kind::kControlRemoved)
      seen.push_back(change.control->tag());
    if (change.kind == CommandBarsChange::Kind::kBarRemoved) seen.push_back(change.bar->name());
  }
};

class ConnectTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_backend_ = ui::SetBackend(backend_);
    saved_language_ = dialog::LangSetter().LanguageID;
  }
  void TearDown() override {
    dialog::UnloadAddInDialog();
    dialog::LangSetter().LanguageID = saved_language_;
    ui::SetBackend(previous_backend_);
  }

  std::shared_ptr<project::ProjectApplication> Project(std::shared_ptr<CommandBars> bars) {
    auto app = project::ProjectApplication::Create();
    app->SetCommandBars(
        [bars]() -> Result<automation::ObjectRef> { return automation::ObjectRef(bars); });
    return app;
  }
  automation::ObjectRef Outlook(std::shared_ptr<CommandBars> bars) {
    outlook::OutlookOptions options;
    if (bars) options.active_explorer = std::make_shared<outlook::Explorer>(bars, "Calendar");
    return outlook::CreateOutlookApplication(dir_ / "calendar.ics", options);
  }

  project::testing::ScratchDir scratch_;
  const fs::path& dir_ = scratch_.path();
  testing::ScopedEnv registry_file_{"FERIANT_REGISTRY", (dir_ / "registry.json").string()};
  std::shared_ptr<ui::HeadlessBackend> backend_ = std::make_shared<ui::HeadlessBackend>();
  std::shared_ptr<ui::Backend> previous_backend_;
  std::int16_t saved_language_ = 0;
  std::shared_ptr<AddInInstance> project_inst_ =
      std::make_shared<AddInInstance>("Feriant.ConnectProject");
  std::shared_ptr<AddInInstance> outlook_inst_ =
      std::make_shared<AddInInstance>("Feriant.ConnectOutlook");
};

TEST_F(ConnectTest, ProjectTwiceLeavesOneItemAfterTheLastAnchorAndOneButton) {
  registry::WriteRegistryValue(RegistryRoot::kCurrentUser,
                               "Software\\Microsoft\\Office\\14.0\\MS Project", "CurrentUI",
                               Variant(std::int32_t{1033}), 4);
  auto bars = HostBars();
  auto app = Project(bars);
  std::shared_ptr<ConnectProject> connect;
  for (int round = 0; round < 2; ++round) {
    connect = std::make_shared<ConnectProject>();
    ASSERT_TRUE(connect->Call("OnConnection", {Variant(app), Variant(std::int32_t{0}),
                                               Variant(project_inst_), Variant()}));
    if (round == 0) {
      ASSERT_TRUE(connect->Call("OnDisconnection", {Variant(std::int32_t{0})}));
    }
  }
  EXPECT_EQ(connect->Host().kind, engine::kHostProject);
  EXPECT_EQ(connect->Host().application, app);

  const auto items = Tagged(*bars, "ZentAddinHolidayMenuItem");
  const auto buttons = Tagged(*bars, "ZentAddinHolidayToolbarButton");
  ASSERT_EQ(items.size(), 1U);
  ASSERT_EQ(buttons.size(), 1U);
  EXPECT_EQ(items[0]->Index(), 5);  // after the second 40191
  EXPECT_EQ(items[0]->caption(), "&Feriant...");
  EXPECT_EQ(items[0]->on_action(), "!<Feriant.ConnectProject>");
  EXPECT_EQ(buttons[0]->caption(), "&Feriant");
  EXPECT_EQ(buttons[0]->parameter(), "ZentAddinHolidayToolbarButton");
  EXPECT_EQ(buttons[0]->style(), office::kStyleIconAndCaption);
  EXPECT_FALSE(buttons[0]->begin_group());
  EXPECT_EQ(buttons[0]->parent()->name(), "Quillmark");
  EXPECT_TRUE(buttons[0]->parent()->visible());
  EXPECT_FALSE(buttons[0]->picture()->IsEmpty());  // version 14.0: picture and mask
  EXPECT_FALSE(buttons[0]->mask()->IsEmpty());

  // Temporary: nothing of the add-in survives the host's close.
  bars->DiscardTemporary();
  EXPECT_TRUE(Tagged(*bars, "ZentAddinHolidayMenuItem").empty());
  EXPECT_EQ(bars->Find("Quillmark"), nullptr);
}

TEST_F(ConnectTest, ProjectUnloadRemovesButtonThenToolbarThenItemAndShutdownNothing) {
  auto bars = HostBars();
  auto app = Project(bars);
  Removals removals;
  for (std::int32_t mode : {0, 1}) {
    SCOPED_TRACE(mode);
    ConnectProject connect;
    connect.OnConnection(app, 0, project_inst_);
    EXPECT_EQ(connect.MenuCaption(), "&Feiertage einstellen...");  // no CurrentUI: German
    bars->AddObserver(&removals);
    connect.OnDisconnection(mode);
    bars->RemoveObserver(&removals);
    EXPECT_EQ(connect.Host().application, nullptr);
  }
  const std::vector<std::string> expected = {"ZentAddinHolidayToolbarButton", "Quillmark",
                                             "ZentAddinHolidayMenuItem"};
  EXPECT_EQ(removals.seen, expected);  // all from the unload, none from the shut-down
}

TEST_F(ConnectTest, WithoutAToolsMenuTheToolbarButtonStillComes) {
  // Project reports the missing menu through AddInErr, Outlook swallows it.
  for (const bool project : {true, false}) {
    SCOPED_TRACE(project ? "Project" : "Outlook");
    auto bars = CommandBars::Create();  // no "Tools" menu
    std::ostringstream errors;
    ConnectProject::SetErrorStream(&errors);
    ConnectProject to_project;
    ConnectOutlook to_outlook;
    project ? to_project.OnConnection(Project(bars), 0, project_inst_)
            : to_outlook.OnConnection(Outlook(bars), 0, outlook_inst_);
    ConnectProject::SetErrorStream(nullptr);
    EXPECT_EQ(errors.str().rfind("Application : Feriant\nError Number : ", 0),
              project ? 0U : std::string::npos)
        << errors.str();
    EXPECT_EQ((project ? to_project.MenuEventHandler() : to_outlook.MenuEventHandler()).button(),
              nullptr);
    const auto buttons = Tagged(*bars, "ZentAddinHolidayToolbarButton");
    ASSERT_EQ(buttons.size(), 1U);
    EXPECT_EQ(buttons[0]->parent()->name(), "Quillmark");
    EXPECT_EQ(
        (project ? to_project.ToolbarEventHandler() : to_outlook.ToolbarEventHandler()).button(),
        buttons[0]);
  }
}

TEST_F(ConnectTest, DisconnectingWithAnyRemoveModeAttemptsEveryStep) {
  // Only a whole 1 is the person's unloading in Project; any other argument still lets go
  // of the host (and in Outlook removes the menu item).
  const struct {
    Variant mode;
    bool project_removes;
  } cases[] = {{Variant("unload"), false},
               {Variant::Null(), false},
               {Variant(1.5), false},
               {Variant(1e12), false},
               {Variant(1.0), true}};
  for (const auto& c : cases) {
    for (const bool project : {true, false}) {
      SCOPED_TRACE(c.mode.ToString().value_or("Null") + (project ? " Project" : " Outlook"));
      auto bars = HostBars();
      const auto project_connect = std::make_shared<ConnectProject>();
      const auto outlook_connect = std::make_shared<ConnectOutlook>();
      auto connect =
          project ? automation::ObjectRef(project_connect) : automation::ObjectRef(outlook_connect);
      ASSERT_TRUE(connect->Call(
          "OnConnection", {project ? Variant(Project(bars)) : Variant(Outlook(bars)), Variant(),
                           project ? Variant(project_inst_) : Variant(outlook_inst_), Variant()}));
      ASSERT_TRUE(connect->Call("OnDisconnection", {c.mode, Variant()}));
      EXPECT_EQ(project ? project_connect->Host().application : outlook_connect->Host().application,
                nullptr);
      EXPECT_EQ(Tagged(*bars, project ? "ZentAddinHolidayMenuItem" : "Feriant").empty(),
                !project || c.project_removes);
    }
  }
}

TEST_F(ConnectTest, OutlookSecondConnectionKeepsTheButtonAndReplacesTheItem) {
  auto bars = HostBars();
  auto app = Outlook(bars);
  ConnectOutlook first;
  first.OnConnection(app, 0, outlook_inst_);
  const auto item = Tagged(*bars, "Feriant");
  const auto button = Tagged(*bars, "ZentAddinHolidayToolbarButton");
  ASSERT_EQ(item.size(), 1U);
  ASSERT_EQ(button.size(), 1U);
  EXPECT_EQ(item[0]->Index(), 6);  // at the end of "Tools"
  EXPECT_EQ(item[0]->on_action(), "!<Feriant.ConnectOutlook>");
  EXPECT_EQ(first.MenuEventHandler().button(), item[0]);
  EXPECT_EQ(first.Host().kind, engine::kHostOutlook);

  ConnectOutlook second;
  second.OnConnection(app, 0, outlook_inst_);
  const auto item2 = Tagged(*bars, "Feriant");
  ASSERT_EQ(item2.size(), 1U);
  EXPECT_NE(item2[0], item[0]);
  EXPECT_EQ(Tagged(*bars, "ZentAddinHolidayToolbarButton"), button);
  EXPECT_EQ(second.ToolbarEventHandler().button(), button[0]);

  // Disconnecting takes the menu item only; the toolbar is the host's to discard.
  second.OnDisconnection(1);
  EXPECT_TRUE(Tagged(*bars, "Feriant").empty());
  EXPECT_EQ(Tagged(*bars, "ZentAddinHolidayToolbarButton"), button);
  EXPECT_EQ(second.Host().application, nullptr);
}

TEST_F(ConnectTest, OutlookWithoutExplorerConnectsWithoutEntriesInItsLanguage) {
  const struct {
    const char* locale;  // what Outlook's language settings answer
    const char* caption;
  } cases[] = {{"de_CH.UTF-8", "&Feiertage einstellen"}, {"en_US.UTF-8", "&Feriant"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.locale);
    testing::ScopedEnv locale("LC_ALL", c.locale);
    ConnectOutlook connect;
    connect.OnConnection(Outlook(nullptr), 0, outlook_inst_);
    EXPECT_EQ(connect.Host().kind, engine::kHostOutlook);
    EXPECT_NE(connect.Host().application, nullptr);
    EXPECT_EQ(connect.ButtonCaption(), c.caption);
    EXPECT_EQ(connect.MenuCaption(), std::string(c.caption) + "...");
    EXPECT_EQ(connect.MenuEventHandler().button(), nullptr);
  }
}

TEST_F(ConnectTest, OutlookReportsAFailedButtonInAnErrorBox) {
  ConnectOutlook connect;
  auto app = Outlook(HostBars());
  EXPECT_EQ(
      connect.CreateAddInCommandBarButton(app, outlook_inst_, "Missing", "k", "c", 501, 3, false),
      nullptr);
  ASSERT_EQ(backend_->MessageBoxes().size(), 1U);
  const ui::MessageBoxRequest& box = backend_->MessageBoxes()[0];
  EXPECT_EQ(box.title, "Error");
  EXPECT_EQ(box.Icon(), ui::msgbox::kExclamation);
  EXPECT_EQ(box.text.rfind("Application : Feriant\r\nError Number : -", 0), 0U) << box.text;
}

TEST_F(ConnectTest, ClickingEitherEntryShowsTheDialog) {
  auto lumatrel = components::ComponentLibrary::Load(FERIANT_LUMATREL);
  ASSERT_TRUE(lumatrel.ok()) << lumatrel.error().description;
  ASSERT_EQ((*lumatrel)->RegisterServer(), components::kSOk);
  auto bars = HostBars();
  auto app = Project(bars);
  ASSERT_TRUE(app->Open(scratch_.Copy("project2003.xml")));
  ConnectProject connect;
  connect.OnConnection(app, 0, project_inst_);
  for (const char* tag : {"ZentAddinHolidayMenuItem", "ZentAddinHolidayToolbarButton"}) {
    SCOPED_TRACE(tag);
    dialog::UnloadAddInDialog();
    ASSERT_EQ(dialog::AddInDialog(), nullptr);
    Tagged(*bars, tag).at(0)->Click();
    ASSERT_NE(dialog::AddInDialog(), nullptr);
    EXPECT_TRUE(dialog::AddInDialog()->Visible());
  }
  for (const auto& box : backend_->MessageBoxes())
    ADD_FAILURE() << box.text;
  connect.OnDisconnection(1);
  EXPECT_EQ(dialog::AddInDialog(), nullptr);
  (*lumatrel)->UnregisterServer();
}

TEST_F(ConnectTest, ButtonFaceByHostVersion) {
  auto image = *LoadButtonBitmap(kButtonImageId);
  auto mask = *LoadButtonBitmap(kButtonMaskId);
  // Mask and image agree: black exactly where the image is not magenta.
  for (int y = 0; y < kButtonImageSize; ++y) {
    for (int x = 0; x < kButtonImageSize; ++x) {
      EXPECT_EQ(*mask->Pixel(x, y), *image->Pixel(x, y) == kMagenta ? ui::Rgb(255, 255, 255) : 0U);
    }
  }
  EXPECT_FALSE(LoadButtonBitmap(503).ok());

  auto bars = HostBars();
  struct Case {
    const char* version;
    bool pasted;
  } cases[] = {{"11.0", false}, {"11.0.0.8312", false}, {"10.0", false},
               {"9.0", true},   {"10", true},           {"10.x", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.version);
    auto button = *bars->MenuBar()->AddControl(office::kControlButton);
    backend_->ClearClipboard();
    ASSERT_TRUE(SetButtonFace(*button, kButtonImageId, kButtonMaskId, c.version));
    EXPECT_EQ(button->mask()->IsEmpty(), c.pasted);
    EXPECT_EQ(backend_->ClipboardPicture() != nullptr, c.pasted);
    auto expected = c.pasted ? *TransparentFace(kButtonImageId) : image;
    EXPECT_TRUE(button->picture()->SameImage(*expected));
  }
}

TEST_F(ConnectTest, TransparentFaceKeepsFaceColouredPixelsVisible) {
  const auto image = *LoadButtonBitmap(kButtonImageId);
  struct Case {
    ui::OleColor face;
    ui::OleColor face_pixels_become;
  } cases[] = {
      {ui::Rgb(128, 128, 128), ui::Rgb(129, 128, 128)},  // the image's grey days
      {ui::Rgb(255, 255, 255), ui::Rgb(254, 255, 255)},  // white has no successor
      {ui::Rgb(212, 208, 200), ui::Rgb(212, 208, 200)},  // not in the image
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.face);
    backend_->SetSystemColor(15, c.face);
    const auto face = *TransparentFace(kButtonImageId);
    for (int y = 0; y < kButtonImageSize; ++y) {
      for (int x = 0; x < kButtonImageSize; ++x) {
        const ui::OleColor was = *image->Pixel(x, y);
        const ui::OleColor want =
            was == kMagenta ? c.face : (was == c.face ? c.face_pixels_become : was);
        ASSERT_EQ(*face->Pixel(x, y), want) << x << "," << y;
      }
    }
  }
}

TEST_F(ConnectTest, RegistrationWritesAndRemovesTheAddInKeys) {
  const fs::path file = dir_ / "registry.json";
  auto library = components::ComponentLibrary::Load(FERIANT_ADDIN);
  ASSERT_TRUE(library.ok()) << library.error().description;
  ASSERT_EQ((*library)->RegisterServer(), components::kSOk);
  struct Case {
    const char* key;
    const char* description;
  } cases[] = {
      {"Software\\Microsoft\\Office\\Outlook\\Addins\\Feriant.ConnectOutlook",
       "Adds and removes holidays to/from the Outlook calendar"},
      {"Software\\Microsoft\\Office\\MS Project\\Addins\\Feriant.ConnectProject",
       "Adds and removes holidays to/from base calendars"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    const auto read = [&](const char* name) {
      return registry::ReadRegistryValue(RegistryRoot::kCurrentUser, c.key, name);
    };
    EXPECT_EQ(read("FriendlyName").ToString().value_or(""), "Feriant");
    EXPECT_EQ(read("Description").ToString().value_or(""), c.description);
    EXPECT_EQ(read("LoadBehavior").ToI4().value_or(0), 3);
    EXPECT_EQ(read("LoadBehavior").type(), automation::VarType::kI4);
  }
  // A host finds the class by its program id and reaches it late-bound.
  auto created = components::CreateObject("Feriant.ConnectOutlook");
  ASSERT_TRUE(created.ok()) << created.error().description;
  EXPECT_EQ((*created)->TypeName(), "ConnectOutlook");
  EXPECT_TRUE((*created)->GetIdOfName("OnConnection").ok());
  created->reset();

  // A person unticked the Outlook add-in: its key goes all the same.
  registry::WriteRegistryValue(RegistryRoot::kCurrentUser, cases[0].key, "LoadBehavior",
                               Variant(std::int32_t{2}), 4);
  ASSERT_EQ((*library)->UnregisterServer(), components::kSOk);
  EXPECT_FALSE(fs::exists(file));  // the registry is as it was: empty
}

TEST_F(ConnectTest, InterfacesInSlotOrder) {
  const auto names = [](const auto& slots) {
    std::vector<std::string> list;
    for (const auto& slot : slots)
      list.push_back(slot.name);
    return list;
  };
  const std::vector<std::string> extensibility = {
      "OnConnection", "OnDisconnection", "OnAddInsUpdate", "OnStartupComplete", "OnBeginShutdown"};
  std::vector<std::string> outlook = {"MenuEventHandler",           "MenuEventHandler",
                                      "ToolbarEventHandler",        "ToolbarEventHandler",
                                      "AddToAddInCommandBar",       "CreateAddInCommandBar",
                                      "CreateAddInCommandBarButton"};
  std::vector<std::string> project = {"GetMSPLanguage",
                                      "MenuEventHandler",
                                      "MenuEventHandler",
                                      "ToolbarEventHandler",
                                      "ToolbarEventHandler",
                                      "AddInErr",
                                      "CreateAddInMenuCommandBar",
                                      "CreateAddInCommandBar",
                                      "CreateAddInCommandBarButton",
                                      "RemoveAddInCommandBars"};
  outlook.insert(outlook.end(), extensibility.begin(), extensibility.end());
  project.insert(project.end(), extensibility.begin(), extensibility.end());
  EXPECT_EQ(names(ConnectOutlook::Interface().Slots()), outlook);
  EXPECT_EQ(names(ConnectProject::Interface().Slots()), project);
}

}  // namespace
}  // namespace feriant::host
