// The dialog as a person meets it, headless: the Lumatrel banner and bar come from the
// built liblumatrel.so, registered into a scratch registry, exactly as a host loads them.

#include "addin/dialog/frm_add_in.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/engine/host_kind.h"
#include "hosts/outlook/outlook.h"
#include "hosts/project/project_application.h"
#include "platform/base/clock.h"
#include "platform/components/component_library.h"
#include "platform/registry/registry.h"
#include "platform/ui/common/input_codes.h"
#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/standard_input.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/controls/up_down.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/headless_backend.h"
#include "platform/ui/core/input.h"
#include "tests/hosts/project/test_files.h"

namespace feriant::dialog {
namespace {

using automation::Variant;
using engine::kHostOutlook;
using engine::kHostProject;
namespace fs = std::filesystem;

std::chrono::local_seconds Day(int y, unsigned m, unsigned d) {
  return std::chrono::local_days{std::chrono::year{y} / m / d};
}

class AddInDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_backend_ = ui::SetBackend(backend_);
    base::SetCurrentClock(clock_);
    saved_language_ = LangSetter().LanguageID;
    LangSetter().LanguageID = 1033;
    auto library = components::ComponentLibrary::Load(FERIANT_LUMATREL);
    ASSERT_TRUE(library.ok()) << library.error().description;
    library_ = std::move(*library);
    ASSERT_EQ(library_->RegisterServer(), components::kSOk);
  }
  void TearDown() override {
    UnloadAddInDialog();
    dialog_.reset();
    LangSetter().LanguageID = saved_language_;
    if (library_) library_->UnregisterServer();
    base::SetCurrentClock(nullptr);
    ui::SetBackend(previous_backend_);
  }

  // A dialog loaded and shown in `host`.
  frmAddIn& Open(std::int32_t host) {
    dialog_ = std::make_shared<frmAddIn>();
    dialog_->SetHost(engine::HostContext{host, application_});
    EXPECT_TRUE(dialog_->Load());
    EXPECT_TRUE(dialog_->LumatrelStatus());
    EXPECT_TRUE(dialog_->Show());
    return *dialog_;
  }
  // Project with the sample plan open.
  void OpenProject() {
    auto application = project::ProjectApplication::Create();
    ASSERT_TRUE(application->Open(files_.Copy("project2003.xml")));
    project_ = application;
    application_ = application;
  }
  void StoreRegionIndex(std::optional<registry::RegistryValue> value) {
    if (value) {
      ASSERT_TRUE(registry_.WriteValue(kSettingsKey, kRegionIndexValue, *value));
    }
  }
  std::optional<registry::RegistryValue> StoredRegionIndex() {
    auto value = registry_.ReadValue(kSettingsKey, kRegionIndexValue);
    return value ? *value : std::nullopt;
  }
  template <typename T>
  T& Get(std::string_view name) {
    T* control = dialog_->FindAs<T>(name);
    EXPECT_NE(control, nullptr) << name;
    return *control;
  }
  bool Property(std::string_view control, std::string_view name) {
    auto value = dialog_->Find(control)->Get(name);
    EXPECT_TRUE(value.ok()) << control << '.' << name;
    return value.ok() && value->ToBool().value_or(false);
  }
  void Choose(std::string_view country) {
    auto& box = Get<ui::ComboBox>("cboCountry");
    for (int i = 0; i < box.ListCount(); ++i) {
      if (box.List(i).value_or("") == country) {
        ASSERT_TRUE(box.SetListIndex(i));
        return;
      }
    }
    FAIL() << "no country " << country;
  }
  std::vector<std::string> Countries() {
    std::vector<std::string> names;
    auto& box = Get<ui::ComboBox>("cboCountry");
    for (int i = 0; i < box.ListCount(); ++i)
      names.push_back(*box.List(i));
    return names;
  }

  feriant::testing::ScratchDir dir_;
  fs::path registry_file_ = dir_.path() / "registry.json";
  feriant::testing::ScopedEnv env_{"FERIANT_REGISTRY", registry_file_.string()};
  registry::Registry registry_{registry_file_};
  project::testing::ScratchDir files_;
  std::shared_ptr<ui::HeadlessBackend> backend_ = std::make_shared<ui::HeadlessBackend>();
  std::shared_ptr<ui::Backend> previous_backend_;
  std::shared_ptr<base::FixedClock> clock_ = std::make_shared<base::FixedClock>(Day(2007, 1, 8));
  std::int16_t saved_language_ = 0;
  std::unique_ptr<components::ComponentLibrary> library_;
  std::shared_ptr<project::ProjectApplication> project_;
  std::shared_ptr<automation::Dispatch> application_;  // the host's, for Open
  std::shared_ptr<frmAddIn> dialog_;
};

TEST_F(AddInDialogTest, WithoutLumatrelShowingFailsAndNamesTheRegistrationCommand) {
  library_->UnregisterServer();
  library_.reset();
  StoreRegionIndex(std::int32_t{3});
  const Status shown = ShowAddInDialog(engine::HostContext{kHostOutlook, nullptr});
  ASSERT_FALSE(shown);
  EXPECT_NE(shown.error().description.find("feriant-regsvr <path to liblumatrel.so>"),
            std::string::npos);
  ASSERT_EQ(backend_->MessageBoxes().size(), 1u);
  EXPECT_EQ(backend_->MessageBoxes()[0].text, shown.error().description);
  EXPECT_EQ(AddInDialog(), nullptr);
  // The failed showing leaves the remembered country alone.
  EXPECT_EQ(StoredRegionIndex(), registry::RegistryValue(std::int32_t{3}));
}

TEST_F(AddInDialogTest, ShowsTheOneDialogAndUnloadingStoresTheCountry) {
  const engine::HostContext outlook{kHostOutlook, nullptr};
  ASSERT_TRUE(ShowAddInDialog(outlook));
  frmAddIn* dialog = AddInDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(backend_->ModalForms(), std::vector<std::string>{"frmAddIn"});
  EXPECT_EQ(dialog->Selection().country, "Deutschland");  // nothing stored: the first country
  ASSERT_TRUE(dialog->FindAs<ui::ComboBox>("cboCountry")->SetListIndex(2));
  ASSERT_TRUE(ui::input::KeyDown(*dialog, 27));  // Esc: Close
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_EQ(StoredRegionIndex(), registry::RegistryValue(std::int32_t{2}));
  // Shown again, the same dialog loads afresh; a disconnection unloads and releases it.
  ASSERT_TRUE(ShowAddInDialog(outlook));
  ASSERT_EQ(AddInDialog(), dialog);
  EXPECT_EQ(dialog->Selection().country, "Liechtenstein");
  ASSERT_TRUE(dialog->FindAs<ui::ComboBox>("cboCountry")->SetListIndex(3));
  UnloadAddInDialog();
  EXPECT_EQ(AddInDialog(), nullptr);
  EXPECT_EQ(StoredRegionIndex(), registry::RegistryValue(std::int32_t{3}));
}

TEST_F(AddInDialogTest, RegionIndexPicksTheCountryAndUnloadStoresItBack) {
  struct Case {
    std::optional<registry::RegistryValue> stored;
    std::int32_t host;
    std::string country;  // empty: nothing selected, an empty tree
    std::int32_t written;
  };
  const Case cases[] = {
      {std::nullopt, kHostOutlook, "Deutschland", 0}, {std::int32_t{4}, kHostProject, "Schweiz", 4},
      {std::int32_t{-1}, kHostOutlook, "", -1},       {std::int32_t{99}, kHostOutlook, "", -1},
      {std::string("x"), kHostOutlook, "", -1},  // no number where one belongs
  };
  clock_->Set(Day(2006, 7, 1));
  for (const Case& c : cases) {
    (void)registry_.DeleteValue(kSettingsKey, kRegionIndexValue);  // may be missing
    StoreRegionIndex(c.stored);
    Open(c.host);
    EXPECT_EQ(dialog_->Selection().country, c.country);
    EXPECT_EQ(Get<ui::TreeView>("trvRegions").NodeCount() == 0, c.country.empty());
    ASSERT_TRUE(dialog_->Unload());
    EXPECT_EQ(StoredRegionIndex(), registry::RegistryValue(c.written)) << c.country;
  }
  // The World Cup's place names nothing in Project.
  StoreRegionIndex(std::int32_t{5});
  Open(kHostOutlook);
  EXPECT_EQ(dialog_->Selection().country, data::kWorldCupCountry);
  ASSERT_TRUE(dialog_->Unload());
  Open(kHostProject);
  EXPECT_EQ(dialog_->Selection().country, "");
}

TEST_F(AddInDialogTest, TheWorldCupIsOfferedInOutlookUntilTheFinal) {
  struct Case {
    std::int32_t host;
    std::chrono::local_seconds now;
    bool offered;
  };
  const Case cases[] = {
      {kHostOutlook, Day(2006, 7, 9) + std::chrono::hours(23) + std::chrono::minutes(59), true},
      {kHostOutlook, Day(2006, 7, 10), false},
      {kHostProject, Day(2006, 6, 1), false},
  };
  for (const Case& c : cases) {
    clock_->Set(c.now);
    Open(c.host);
    const std::vector<std::string> countries = Countries();
    ASSERT_EQ(countries.size(), c.offered ? 6u : 5u);
    EXPECT_EQ(countries.back() == data::kWorldCupCountry, c.offered);
  }
}

TEST_F(AddInDialogTest, ChoosingACountryShowsItsTreeWithTheCountryTickedAndExpanded) {
  for (const std::int32_t host : {kHostOutlook, kHostProject}) {
    Open(host);
    Choose("Liechtenstein");
    Choose("Schweiz");
    const auto& view = Get<ui::TreeView>("trvRegions");
    const RegionTree model = RegionTree::Build("Schweiz", host, LangSetter());
    ASSERT_EQ(view.NodeCount(), static_cast<int>(model.Nodes().size()));
    for (int i = 1; i <= view.NodeCount(); ++i) {
      const ui::TreeNode& node = *view.NodeAt(i);
      const RegionNode& expected = model.Nodes()[static_cast<size_t>(i - 1)];
      EXPECT_EQ(node.Key(), expected.Key);
      EXPECT_EQ(node.Text(), expected.Text);
      EXPECT_EQ(node.Checked(), i == 1) << node.Key();
      EXPECT_EQ(node.Expanded(), i == 1) << node.Key();
      EXPECT_EQ(node.Parent() == nullptr ? "" : node.Parent()->Key(), expected.ParentKey);
    }
    EXPECT_EQ(dialog_->Selection().ticked_keys, std::vector<std::string>{"Schweiz"});
  }
}

TEST_F(AddInDialogTest, UserTicksFollowTheTickRulesAndCodeTicksRaiseNothing) {
  Open(kHostOutlook);
  Choose("Schweiz");
  auto& view = Get<ui::TreeView>("trvRegions");
  int raised = 0;
  view.NodeCheck().Connect([&](ui::TreeNode&) { ++raised; });
  const std::string town = "Schweiz|Aargau|Baden|Baden";
  ui::TreeNode* node = view.Find(town);
  ASSERT_NE(node, nullptr);
  view.UserCheck(*node, true);
  EXPECT_EQ(dialog_->Selection().ticked_keys,
            (std::vector<std::string>{"Schweiz", "Schweiz|Aargau", "Schweiz|Aargau|Baden", town}));
  view.UserCheck(*view.Find("Schweiz|Aargau"), false);
  EXPECT_EQ(dialog_->Selection().ticked_keys, std::vector<std::string>{"Schweiz"});
  EXPECT_EQ(raised, 2);

  ASSERT_TRUE(ui::input::Click(*dialog_->Find("cmdSelectAll")));
  EXPECT_EQ(static_cast<int>(dialog_->Selection().ticked_keys.size()), view.NodeCount());
  ASSERT_TRUE(ui::input::Click(*dialog_->Find("cmdSelectNone")));
  EXPECT_TRUE(dialog_->Selection().ticked_keys.empty());
  EXPECT_EQ(raised, 2);
  EXPECT_TRUE(backend_->MessageBoxes().empty());
}

TEST_F(AddInDialogTest, BusyStateFollowsItsTableWithAndWithoutTheWorldCup) {
  // Each row: control, property, and its value for idle, busy, idle with the World Cup.
  struct Row {
    std::string_view control;
    std::string_view property;
    bool idle, busy, world_cup;
  };
  const Row rows[] = {
      {"pgb", "Visible", false, true, false},
      {"lblProgress", "Visible", false, true, false},
      {"cboCountry", "Enabled", true, false, true},
      {"lblActivate", "Enabled", true, false, true},
      {"cmdImport", "Visible", true, false, true},
      {"cmdDelete", "Visible", true, false, true},
      {"btl", "cmdOKEnabled", true, false, true},
      {"btl", "cmdCancelEnabled", true, false, true},
      {"trvRegions", "Enabled", true, false, false},
      {"cmdSelectAll", "Enabled", true, false, false},
      {"cmdSelectNone", "Enabled", true, false, false},
      {"cboLanguage", "Enabled", true, false, true},
      {"txtYear1", "Enabled", true, false, false},
      {"udcYear2", "Enabled", true, false, false},
  };
  clock_->Set(Day(2006, 6, 1));
  Open(kHostOutlook);
  auto check = [&](auto value_of, const char* state) {
    for (const Row& r : rows)
      EXPECT_EQ(Property(r.control, r.property), value_of(r)) << r.control << ' ' << state;
  };
  check([](const Row& r) { return r.idle; }, "idle");
  dialog_->SetBusy(true);
  check([](const Row& r) { return r.busy; }, "busy");
  Choose(data::kWorldCupCountry);
  EXPECT_EQ(Get<ui::TreeView>("trvRegions").NodeCount(), 1);
  check([](const Row& r) { return r.world_cup; }, "world cup");
  dialog_->SetBusy(true);
  check([](const Row& r) { return r.busy; }, "world cup busy");
}

TEST_F(AddInDialogTest, ProjectWithoutAnOpenProjectLeavesOnlyClose) {
  application_ = project::ProjectApplication::Create();
  LangSetter().LanguageID = 1031;
  Open(kHostProject);
  ASSERT_EQ(backend_->MessageBoxes().size(), 1u);
  EXPECT_EQ(backend_->MessageBoxes()[0].text, LangSetter().ProjectMessages_OpenProjectFirst());
  EXPECT_FALSE(Property("cboCountry", "Enabled"));
  EXPECT_FALSE(Property("btl", "cmdOKEnabled"));
  EXPECT_TRUE(Property("btl", "cmdCancelEnabled"));
  EXPECT_FALSE(Property("pgb", "Visible"));
  EXPECT_FALSE(Property("lblProgress", "Visible"));
  // Alt+S: "&Schließen".
  ASSERT_TRUE(ui::input::KeyDown(*dialog_, 'S', ui::shift::kAlt));
  EXPECT_FALSE(dialog_->IsLoaded());
}

TEST_F(AddInDialogTest, CaptionsAndLanguageFollowTheUserInterfaceLanguage) {
  struct Case {
    std::int16_t language;
    std::string import, close, language_item;
  };
  const Case cases[] = {
      {1031, "Ei&nfügen", "&Schließen", "Deutsch"},
      {1033, "&Import", "C&lose", "English"},
      {1036, "&Importer", "&Fermer", "Fran\u00e7ais"},
      {1040, "&Importa", "C&hiudi", "Italiano"},
      {4108, "&Importer", "&Fermer", ""},  // a host maps its locale to 1036 first
      {3079, "&Import", "C&lose", ""},
  };
  for (const Case& c : cases) {
    LangSetter().LanguageID = c.language;
    Open(kHostOutlook);
    EXPECT_EQ(*dialog_->Find("cmdImport")->Get("Caption")->ToString(), c.import);
    EXPECT_EQ(*dialog_->Find("btl")->Get("cmdCancelCaption")->ToString(), c.close);
    EXPECT_EQ(Get<ui::ComboBox>("cboLanguage").Text(), c.language_item);
  }
}

TEST_F(AddInDialogTest, AssignLanguageWritesOnlyIntoTheDialogAndStopsAtAMissingElement) {
  LangSetter().LanguageID = 1031;
  Open(kHostOutlook);
  EXPECT_EQ(dialog_->Caption(), " Feiertage einstellen");
  EXPECT_EQ(dialog_->Selection().banner_title, "Feiertage einstellen");

  ui::Form other("frmOther");
  ASSERT_TRUE(LangSetter().AssignLanguage(other));
  EXPECT_EQ(other.Caption(), "frmOther");
  ui::Form bare("frmAddIn");  // the dialog's type, without its controls
  EXPECT_FALSE(LangSetter().AssignLanguage(bare));
  EXPECT_EQ(bare.Caption(), " Feiertage einstellen");
}

TEST_F(AddInDialogTest, TheStartYearSpinRaisesTheEndYearsLowerLimit) {
  Open(kHostOutlook);
  EXPECT_EQ(dialog_->Selection().first_year, "2006");
  EXPECT_EQ(dialog_->Selection().last_year, "2010");
  Get<ui::UpDown>("udcYear1").UserSpin(1);
  EXPECT_EQ(dialog_->Selection().first_year, "2007");
  EXPECT_EQ(Get<ui::UpDown>("udcYear2").Min(), 2007);
  // Typed years: spinning the start year keeps the typed end year.
  ASSERT_TRUE(ui::input::EditText(Get<ui::TextBox>("txtYear2"), "2040"));
  ASSERT_TRUE(ui::input::EditText(Get<ui::TextBox>("txtYear1"), "2020"));
  ASSERT_TRUE(ui::input::Spin(Get<ui::UpDown>("udcYear1"), 1));
  EXPECT_EQ(dialog_->Selection().first_year, "2021");
  EXPECT_EQ(dialog_->Selection().last_year, "2040");
}

TEST_F(AddInDialogTest, AnAccessKeyTwoControlsShareMovesTheFocusAndPressesNothing) {
  // English Outlook: "&Language:" and the bar's "C&lose" share L; "&Import" is alone.
  Open(kHostOutlook);
  const struct {
    int key;
    const char* focused;  // the dialog's control, or the bar ("btl") for its button
  } steps[] = {{'L', "cboLanguage"}, {'L', "btl"}, {'L', "cboLanguage"}, {'C', "cboCountry"}};
  for (const auto& step : steps) {
    ASSERT_TRUE(ui::input::KeyDown(*dialog_, step.key, ui::shift::kAlt));
    ASSERT_TRUE(dialog_->IsLoaded()) << static_cast<char>(step.key);
    EXPECT_EQ(dialog_->ActiveControl(), dialog_->Find(step.focused)) << static_cast<char>(step.key);
  }
  EXPECT_TRUE(backend_->MessageBoxes().empty());
}

// The layout: tops and widths after loading, at the designed size and at others.
TEST_F(AddInDialogTest, LayoutStacksTheRowsAndGivesTheTreeWhatIsLeft) {
  struct Case {
    std::int32_t host;
    int width, height;
    int input_width, tree_height, select_top, row_top, years_top, buttons_top;
  };
  const Case cases[] = {
      // Designed size; row_top is the calendar list's (Project) or language label's top.
      {kHostProject, 9465, 7965, 5580, 2895, 4620, 5130, 6030, 6675},
      {kHostOutlook, 9465, 7965, 5580, 3305, 5030, 5540, 6020, 6665},
      // Narrow: the input column keeps its designed width.
      {kHostOutlook, 6720, 7965, 2835, 3305, 5030, 5540, 6020, 6665},
      // Short: the tree keeps 300 and the rows below it move down with it.
      {kHostProject, 9465, 4000, 5580, 300, 2025, 2535, 3435, 4080},
      {kHostOutlook, 9465, 4000, 5580, 300, 2025, 2535, 3015, 3660},
  };
  for (const Case& c : cases) {
    Open(c.host);
    // The banner fits its height to its message; these numbers are for a one-line
    // message, a banner 915 high.
    ASSERT_TRUE(dialog_->Find("wto")->Put("Msg", Variant("One line.")));
    ASSERT_EQ(dialog_->Find("wto")->Height(), 915);
    ASSERT_EQ(dialog_->Find("btl")->Height(), 795);
    ASSERT_TRUE(ui::input::ResizeClient(*dialog_, c.width, c.height));
    dialog_->Form_Resize();  // the designed size raises no resize of its own
    const std::string where =
        std::to_string(c.host) + " " + std::to_string(c.width) + "x" + std::to_string(c.height);
    auto top = [&](std::string_view name) { return dialog_->Find(name)->Top(); };
    EXPECT_EQ(dialog_->Find("cboCountry")->Width(), c.input_width) << where;
    EXPECT_EQ(dialog_->Find("trvRegions")->Width(), c.input_width) << where;
    EXPECT_EQ(top("cboCountry"), 1080) << where;
    EXPECT_EQ(top("lblCountry"), 1140) << where;
    EXPECT_EQ(top("trvRegions"), 1560) << where;
    EXPECT_EQ(dialog_->Find("trvRegions")->Height(), c.tree_height) << where;
    EXPECT_EQ(top("cmdSelectNone"), c.select_top) << where;
    if (c.host == kHostProject) {
      EXPECT_EQ(top("lstCalendars"), c.row_top) << where;
      EXPECT_EQ(top("lblBaseCalendars"), c.row_top + 60) << where;
    } else {
      EXPECT_EQ(top("lblLanguage"), c.row_top) << where;
      EXPECT_EQ(top("cboLanguage"), c.row_top + 60) << where;
      EXPECT_EQ(dialog_->Find("cboLanguage")->Width(), c.input_width) << where;
    }
    EXPECT_EQ(top("udcYear2"), c.years_top) << where;
    EXPECT_EQ(top("lblPeriod"), c.years_top + 60) << where;
    EXPECT_EQ(top("cmdDelete"), c.buttons_top) << where;
    EXPECT_EQ(top("pgb"), c.buttons_top) << where;
    EXPECT_EQ(top("lblProgress"), c.buttons_top + 300) << where;
    EXPECT_EQ(top("lblActivate"), c.buttons_top + 60) << where;
    EXPECT_EQ(dialog_->Find("cmdImport")->Left(), 3720) << where;
  }
  // Too narrow for a positive width: that step is skipped, the others still run.
  ASSERT_TRUE(ui::input::ResizeClient(*dialog_, 3000, 7965));
  EXPECT_EQ(dialog_->Find("cboCountry")->Width(), 5580);
  EXPECT_EQ(dialog_->Find("cmdImport")->Top(), 6665);
}

TEST_F(AddInDialogTest, ImportInProjectMarksTheChosenCalendarsAndShowsProgress) {
  OpenProject();
  StoreRegionIndex(std::int32_t{0});
  Open(kHostProject);
  auto& calendars = Get<ui::ListBox>("lstCalendars");
  ASSERT_GT(calendars.ListCount(), 0);
  ASSERT_TRUE(calendars.SetSelected(0, true));
  backend_->RecordNotifications(true);
  // Alt+I: "&Import".
  ASSERT_TRUE(ui::input::KeyDown(*dialog_, 'I', ui::shift::kAlt));
  const auto& lines = backend_->Notifications();
  auto count = [&](const std::string& line) {
    return std::count(lines.begin(), lines.end(), line);
  };
  EXPECT_GE(count("refresh pgb"), 5);  // one per year at least
  EXPECT_GE(count("refresh lblProgress"), 5);
  ASSERT_FALSE(backend_->MessageBoxes().empty());
  EXPECT_NE(
      backend_->MessageBoxes().back().text.find(dialog_->Selection().success_add_message.substr(3)),
      std::string::npos);
  EXPECT_TRUE(project_->HasUnsavedChanges());
  EXPECT_TRUE(Property("cmdImport", "Visible"));  // idle again
  EXPECT_FALSE(Property("pgb", "Visible"));
}

TEST_F(AddInDialogTest, ImportAndRemoveInOutlookWriteTheCalendarAcrossShowings) {
  const fs::path calendar = dir_.path() / "calendar.ics";
  project::testing::Put(
      calendar, "BEGIN:VCALENDAR\r\nPRODID:-//t//t//EN\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
  auto events = [&] {
    const std::string text = feriant::testing::ReadWholeFile(calendar);
    size_t n = 0;
    for (size_t at = text.find("BEGIN:VEVENT"); at != std::string::npos;
         at = text.find("BEGIN:VEVENT", at + 1))
      ++n;
    return n;
  };
  application_ = outlook::CreateOutlookApplication(calendar);
  StoreRegionIndex(std::int32_t{2});  // Liechtenstein
  Open(kHostOutlook);
  ASSERT_EQ(dialog_->Selection().country, "Liechtenstein");
  ASSERT_TRUE(ui::input::EditText(*dialog_->Find("txtYear2"), "2006"));
  ASSERT_TRUE(ui::input::Click(*dialog_->Find("cmdImport")));
  const size_t imported = events();
  EXPECT_GT(imported, 5u);
  // Unloading empties the appointment cache; the next showing finds the appointments
  // again in the calendar and removes them.
  ASSERT_TRUE(dialog_->Unload());
  Open(kHostOutlook);
  ASSERT_TRUE(ui::input::EditText(*dialog_->Find("txtYear2"), "2006"));
  ASSERT_TRUE(ui::input::Click(*dialog_->Find("cmdDelete")));
  EXPECT_EQ(events(), 0u);
  EXPECT_EQ(backend_->MessageBoxes().size(), 2u);  // the two results, no error
}

// The per-user "Current Law" setting shapes the dialog's runs: with it, Berlin in 2027
// has International Women's Day besides the tables' holidays.
TEST_F(AddInDialogTest, ImportFollowsTheCurrentLawSetting) {
  std::vector<std::string> summaries[2];
  for (const bool current_law : {false, true}) {
    SCOPED_TRACE(current_law);
    const fs::path calendar = dir_.path() / (current_law ? "on.ics" : "off.ics");
    project::testing::Put(
        calendar, "BEGIN:VCALENDAR\r\nPRODID:-//t//t//EN\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n");
    ASSERT_TRUE(registry_.WriteValue(kSettingsKey, kCurrentLawValueName,
                                     std::int32_t{current_law ? 1 : 0}));
    application_ = outlook::CreateOutlookApplication(calendar);
    Open(kHostOutlook);
    Choose("Deutschland");
    auto& view = Get<ui::TreeView>("trvRegions");
    ASSERT_NE(view.Find("Deutschland|Berlin"), nullptr);
    view.UserCheck(*view.Find("Deutschland|Berlin"), true);
    ASSERT_TRUE(ui::input::EditText(*dialog_->Find("txtYear1"), "2027"));
    ASSERT_TRUE(ui::input::EditText(*dialog_->Find("txtYear2"), "2027"));
    ASSERT_TRUE(ui::input::Click(*dialog_->Find("cmdImport")));
    const std::string text = feriant::testing::ReadWholeFile(calendar);
    for (size_t at = text.find("SUMMARY:"); at != std::string::npos;
         at = text.find("SUMMARY:", at + 1))
      summaries[current_law].push_back(text.substr(at + 8, text.find('\r', at) - at - 8));
    ASSERT_TRUE(dialog_->Unload());
  }
  EXPECT_EQ(summaries[1].size(), summaries[0].size() + 1);
  EXPECT_EQ(std::count(summaries[0].begin(), summaries[0].end(), "International Women's Day"), 0);
  EXPECT_EQ(std::count(summaries[1].begin(), summaries[1].end(), "International Women's Day"), 1);
}

TEST_F(AddInDialogTest, OrganizeOpensTheOrganizerAndRefillsTheCalendars) {
  OpenProject();
  std::vector<std::int32_t> shown;
  project_->SetOrganizer([&](std::int32_t tab) {
    shown.push_back(tab);
    return Ok();
  });
  Open(kHostProject);
  const int before = Get<ui::ListBox>("lstCalendars").ListCount();
  Get<ui::ListBox>("lstCalendars").Clear();
  // Alt+O: "&Organize...".
  ASSERT_TRUE(ui::input::KeyDown(*dialog_, 'O', ui::shift::kAlt));
  EXPECT_EQ(shown, std::vector<std::int32_t>{5});
  EXPECT_EQ(Get<ui::ListBox>("lstCalendars").ListCount(), before);
  EXPECT_TRUE(dialog_->IsLoaded());  // Organize keeps the dialog open
}

TEST_F(AddInDialogTest, TheLinkOpensTheDocumentationAndTheNoticeNeedsAllThreeKeys) {
  Open(kHostOutlook);
  ASSERT_TRUE(ui::input::Click(*dialog_->Find("lblURL")));
  ASSERT_EQ(backend_->ShellRequests().size(), 1u);
  EXPECT_EQ(backend_->ShellRequests()[0].verb, "open");
  EXPECT_EQ(backend_->ShellRequests()[0].file, frmAddIn::DocumentationAddress());
  EXPECT_EQ(backend_->ShellRequests()[0].show_command, 5);
  EXPECT_TRUE(fs::exists(std::string(frmAddIn::DocumentationAddress())));

  ui::Control& notice = *dialog_->Find("lblCopyright");
  using namespace ui::shift;
  for (const int keys : {kShift | kCtrl, kShift | kAlt, kCtrl | kAlt, kShift | kCtrl | kAlt}) {
    ASSERT_TRUE(ui::input::MouseDown(notice, ui::mouse_button::kRight, keys, 10, 10));
  }
  ASSERT_EQ(backend_->MessageBoxes().size(), 1u);
  EXPECT_EQ(backend_->MessageBoxes()[0].text, frmAddIn::HiddenNotice());
}

}  // namespace
}  // namespace feriant::dialog
