#include "addin/dialog/frm_add_in.h"

#include <iostream>
#include <utility>

#include "addin/data/holiday_data.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/country_list.h"
#include "addin/dialog/current_law_setting.h"
#include "addin/dialog/language_list.h"
#include "addin/dialog/read_calendar_names.h"
#include "addin/engine/holiday_run.h"
#include "addin/engine/host_kind.h"
#include "addin/engine/targets/outlook_target.h"
#include "addin/engine/targets/project_target.h"
#include "hosts/project/dispatch_ids.h"
#include "platform/automation/events.h"
#include "platform/base/clock.h"
#include "platform/components/component_registry.h"
#include "platform/registry/settings_store.h"
#include "platform/ui/common/dispatch_ids.h"
#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/progress_bar.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/controls/up_down.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"

namespace feriant::dialog {
namespace {

using automation::Variant;
using engine::MessageKey;

// The margin between rows of the layout, in twips.
constexpr int kMargin = 165;
// The region tree is never laid out lower than this, in twips.
constexpr int kMinTreeHeight = 300;
// What the Project and the Outlook tree-height formulas set aside besides the rows they
// name, in twips.
constexpr int kProjectReserve = 1155;
constexpr int kOutlookReserve = 1000;

// The years the dialog opens with, and the range of its spin buttons.
constexpr int kFirstYear = 2006;
constexpr int kLastYear = 2010;

// The designed place of each control (left, top, width, height in twips). The layout
// changes only tops and four widths; the two labels inside the bar stand relative to it.
struct Placement {
  std::string_view name;
  int left;
  int top;
  int width;
  int height;
};
constexpr Placement kDesign[] = {
    {"lblCountry", 300, 1140, 3315, 195},       {"cboCountry", 3720, 1080, 2835, 315},
    {"lblRegions", 300, 1560, 3315, 195},       {"trvRegions", 3720, 1500, 2835, 795},
    {"cmdSelectAll", 3720, 2340, 1335, 345},    {"cmdSelectNone", 5220, 2340, 1335, 345},
    {"lblBaseCalendars", 300, 2880, 3315, 615}, {"lstCalendars", 3720, 2820, 2850, 735},
    {"lblLanguage", 300, 3660, 855, 195},       {"cboLanguage", 3720, 3660, 2895, 315},
    {"lblPeriod", 300, 4260, 3330, 255},        {"txtYear1", 3720, 4200, 675, 315},
    {"udcYear1", 4380, 4200, 240, 315},         {"lblTo", 4740, 4260, 795, 195},
    {"txtYear2", 5640, 4200, 675, 315},         {"udcYear2", 6300, 4200, 240, 315},
    {"lblActivate", 300, 4800, 3315, 315},      {"cmdImport", 3720, 4740, 1335, 345},
    {"cmdDelete", 5220, 4740, 1335, 345},       {"pgb", 3720, 4740, 2835, 255},
    {"lblProgress", 3720, 5040, 2835, 195},     {"lblCopyright", 180, 420, 3105, 195},
    {"lblURL", 3720, 420, 2595, 195},
};

// The busy state: which property of which control follows Busy, in the order it is set.
// kIdleOutsideWorldCup is also false while the World Cup is chosen: its one year and its
// one node leave nothing to choose.
enum class BusyValue { kBusy, kIdle, kIdleOutsideWorldCup };
struct BusyRow {
  std::string_view control;
  std::string_view property;
  BusyValue value;
};
constexpr BusyRow kBusyTable[] = {
    {"pgb", "Visible", BusyValue::kBusy},
    {"lblProgress", "Visible", BusyValue::kBusy},
    {"lstCalendars", "Enabled", BusyValue::kIdle},
    {"cboCountry", "Enabled", BusyValue::kIdle},
    {"lblCountry", "Enabled", BusyValue::kIdle},
    {"lblBaseCalendars", "Enabled", BusyValue::kIdle},
    {"lblRegions", "Enabled", BusyValue::kIdle},
    {"lblPeriod", "Enabled", BusyValue::kIdle},
    {"lblActivate", "Enabled", BusyValue::kIdle},
    {"lblTo", "Enabled", BusyValue::kIdle},
    {"cmdImport", "Visible", BusyValue::kIdle},
    {"cmdDelete", "Visible", BusyValue::kIdle},
    {"btl", "cmdOKEnabled", BusyValue::kIdle},
    {"btl", "cmdCancelEnabled", BusyValue::kIdle},
    {"trvRegions", "Enabled", BusyValue::kIdleOutsideWorldCup},
    {"cmdSelectAll", "Enabled", BusyValue::kIdleOutsideWorldCup},
    {"cmdSelectNone", "Enabled", BusyValue::kIdleOutsideWorldCup},
    {"lblLanguage", "Enabled", BusyValue::kIdle},
    {"cboLanguage", "Enabled", BusyValue::kIdle},
    {"txtYear1", "Enabled", BusyValue::kIdleOutsideWorldCup},
    {"txtYear2", "Enabled", BusyValue::kIdleOutsideWorldCup},
    {"udcYear1", "Enabled", BusyValue::kIdleOutsideWorldCup},
    {"udcYear2", "Enabled", BusyValue::kIdleOutsideWorldCup},
};

// The maker's notice and what it hides.
constexpr std::string_view kCopyright = "Copyright © Quillmark";
constexpr std::string_view kHiddenNotice =
    "Feriant 2.0 by Quillmark.\r\nFor everyone who plans around other people's days off.";
constexpr std::string_view kDocumentationCaption = "Feriant documentation";
constexpr std::string_view kDocumentation = FERIANT_DOCUMENTATION;

// What the person is told when the Lumatrel controls cannot be created.
constexpr std::string_view kLumatrelMissing =
    "The Feriant dialog cannot be shown: its banner and button bar come from the control "
    "library Lumatrel, and they could not be created (";
constexpr std::string_view kLumatrelRegister =
    ").\r\nRegister Lumatrel with:\r\n    feriant-regsvr <path to liblumatrel.so>";

constexpr std::string_view kCannotShow = "The Feriant dialog cannot be shown: ";

std::shared_ptr<frmAddIn>& Instance() {
  static std::shared_ptr<frmAddIn> instance;
  return instance;
}

ui::ControlFactory RegistryFactory() {
  return [](const automation::Guid& class_id) { return components::CreateObject(class_id); };
}

int MessageStyle(const engine::MessageBoxRequest& request) {
  int icon = 0;
  switch (request.icon) {
    case engine::MessageIcon::kNone:
      break;
    case engine::MessageIcon::kCritical:
      icon = ui::msgbox::kCritical;
      break;
    case engine::MessageIcon::kQuestion:
      icon = ui::msgbox::kQuestion;
      break;
    case engine::MessageIcon::kExclamation:
      icon = ui::msgbox::kExclamation;
      break;
    case engine::MessageIcon::kInformation:
      icon = ui::msgbox::kInformation;
      break;
  }
  // The button sets are numbered alike in both enumerations (OK only = 0 ... Retry/Cancel = 5).
  static_assert(static_cast<int>(engine::MessageButtons::kOk) == ui::msgbox::kOkOnly &&
                static_cast<int>(engine::MessageButtons::kRetryCancel) == ui::msgbox::kRetryCancel);
  return static_cast<int>(request.buttons) + icon;
}

engine::MessageAnswer AnswerOf(ui::MsgBoxResult result) {
  switch (result) {
    case ui::MsgBoxResult::kOk:
      return engine::MessageAnswer::kOk;
    case ui::MsgBoxResult::kCancel:
      return engine::MessageAnswer::kCancel;
    case ui::MsgBoxResult::kAbort:
      return engine::MessageAnswer::kAbort;
    case ui::MsgBoxResult::kRetry:
      return engine::MessageAnswer::kRetry;
    case ui::MsgBoxResult::kIgnore:
      return engine::MessageAnswer::kIgnore;
    case ui::MsgBoxResult::kYes:
      return engine::MessageAnswer::kYes;
    case ui::MsgBoxResult::kNo:
      return engine::MessageAnswer::kNo;
  }
  return engine::MessageAnswer::kOk;
}

// The stored "Region Index": 0 when there is none, -1 (no entry) when it is no number.
int RememberedCountryIndex() {
  const Variant stored = registry::ReadRegistryValue(registry::RegistryRoot::kCurrentUser,
                                                     kSettingsKey, kRegionIndexValue);
  if (stored.IsEmpty()) return 0;
  Result<std::int32_t> index = stored.ToI4();
  return index ? *index : -1;
}

}  // namespace

frmAddIn::frmAddIn(ui::ControlFactory factory)
    : Form("frmAddIn"), factory_(factory ? std::move(factory) : RegistryFactory()) {
  (void)SetClientSize(kDesignedWidth, kDesignedHeight);
  ui::FontDesc font;
  font.name = "Tahoma";
  SetFont(ui::StdFont::Create(font));
}

frmAddIn::~frmAddIn() = default;

std::string_view frmAddIn::HiddenNotice() {
  return kHiddenNotice;
}

std::string_view frmAddIn::DocumentationAddress() {
  return kDocumentation;
}

// ----------------------------------------------------------------------------- Controls

void frmAddIn::BuildControls() {
  // Created in tab order: each label just before the control its access key reaches.
  BuildRegionControls();
  BuildCalendarAndLanguageControls();
  BuildYearControls();
  BuildRunControls();
  const bool lumatrel = BuildLumatrelControls();
  for (const Placement& place : kDesign) {
    if (ui::Control* control = Find(place.name))
      (void)control->Move(place.left, place.top, place.width, place.height);
  }
  if (!lumatrel) return;
  // Idle, as the dialog opens: no progress yet.
  FindAs<ui::ProgressBar>("pgb")->SetVisible(false);
  FindAs<ui::Label>("lblProgress")->SetVisible(false);
}

void frmAddIn::BuildRegionControls() {
  Add<ui::Label>("lblCountry");
  auto& countries = Add<ui::ComboBox>("cboCountry");
  countries.Click().Connect([this] { cboCountry_Click(); });

  Add<ui::Label>("lblRegions");
  auto& regions = Add<ui::TreeView>("trvRegions");
  regions.SetCheckboxes(true);
  regions.NodeCheck().Connect([this](ui::TreeNode& node) { trvRegions_NodeCheck(node); });
  Add<ui::CommandButton>("cmdSelectAll").Click().Connect([this] { cmdSelectAll_Click(); });
  Add<ui::CommandButton>("cmdSelectNone").Click().Connect([this] { cmdSelectNone_Click(); });
}

void frmAddIn::BuildCalendarAndLanguageControls() {
  Add<ui::Label>("lblBaseCalendars").SetWordWrap(true);
  auto& calendars = Add<ui::ListBox>("lstCalendars");
  // Several calendars may take the holidays; a click adds or removes one.
  (void)calendars.SetMultiSelect(ui::multi_select::kSimple);
  // The layout gives the list its designed height, not whole rows.
  calendars.SetIntegralHeight(false);

  Add<ui::Label>("lblLanguage");
  Add<ui::ComboBox>("cboLanguage");
}

void frmAddIn::BuildYearControls() {
  Add<ui::Label>("lblPeriod");
  auto& first = Add<ui::TextBox>("txtYear1");
  auto& first_spin = Add<ui::UpDown>("udcYear1");
  Add<ui::Label>("lblTo");
  auto& last = Add<ui::TextBox>("txtYear2");
  auto& last_spin = Add<ui::UpDown>("udcYear2");
  // The years a run can process; typing may go beyond them, the run clamps.
  for (ui::UpDown* spin : {&first_spin, &last_spin}) {
    spin->SetMax(engine::kLastRunYear);
    spin->SetMin(engine::kFirstRunYear);
  }
  first_spin.Change().Connect([this] { udcYear1_Change(); });
  first_spin.SetBuddy(&first);
  last_spin.SetBuddy(&last);
  // The start year first, so that the end year's lower limit already follows it.
  (void)first_spin.SetValue(kFirstYear);
  (void)last_spin.SetValue(kLastYear);
}

void frmAddIn::BuildRunControls() {
  Add<ui::Label>("lblActivate");
  Add<ui::CommandButton>("cmdImport").Click().Connect([this] { cmdImport_Click(); });
  Add<ui::CommandButton>("cmdDelete").Click().Connect([this] { cmdDelete_Click(); });
  Add<ui::ProgressBar>("pgb");
  Add<ui::Label>("lblProgress");
}

bool frmAddIn::BuildLumatrelControls() {
  lumatrel_status_ = Ok();
  Result<ui::Extender*> banner = CreateUserControl(kWhiteTopClassId, "wto", factory_);
  if (!banner) {
    lumatrel_status_ = banner.error();
    return false;
  }
  Result<ui::Extender*> bar = CreateUserControl(kBottomLineClassId, "btl", factory_);
  if (!bar) {
    lumatrel_status_ = bar.error();
    return false;
  }
  // Organize keeps the dialog open and Close unloads it here, not in the bar.
  (void)PutLumatrel("btl", "AutoOKCancelApply", Variant(false));
  (void)PutLumatrel("btl", "cmdApplyVisible", Variant(false));

  automation::EventSource* events = (*bar)->Object()->FindConnectionPoint(kBottomLineEventsId);
  if (events == nullptr) {
    lumatrel_status_ = Error{automation::hresult::kFail,
                             "the button bar raises no events of __BottomLine", "frmAddIn"};
    return false;
  }
  // The bar's events by dispatch id: cmdOKClick 1 and cmdCancelClick 2, each with Cancel
  // by reference.
  auto sink = std::make_shared<automation::EventSink>();
  auto with_cancel = [](auto handler) {
    return [handler](std::span<Variant> args) {
      bool cancel = !args.empty() && args[0].ToBool().value_or(false);
      handler(cancel);
      if (!args.empty()) args[0] = Variant(cancel);
    };
  };
  sink->On("cmdOKClick", 1, with_cancel([this](bool& cancel) { btl_cmdOKClick(cancel); }));
  sink->On("cmdCancelClick", 2, with_cancel([this](bool& cancel) { btl_cmdCancelClick(cancel); }));
  events->Advise(sink);

  auto& copyright = Add<ui::Label>("lblCopyright");
  (void)copyright.SetContainer(*bar);
  copyright.SetCaption(std::string(kCopyright));
  copyright.MouseDown().Connect(
      [this](int button, int shift, int x, int y) { lblCopyright_MouseDown(button, shift, x, y); });

  auto& link = Add<ui::Label>("lblURL");
  (void)link.SetContainer(*bar);
  link.SetCaption(std::string(kDocumentationCaption));
  (void)link.SetForeColor(ui::Rgb(0, 0, 255));
  ui::FontDesc bold = Font()->Desc();
  bold.bold = true;
  link.SetFont(ui::StdFont::Create(bold));
  link.SetMousePointer(ui::mouse_pointer::kHand);
  link.Click().Connect([this] { lblURL_Click(); });
  return true;
}

Status frmAddIn::PutLumatrel(std::string_view control, std::string_view name, Variant value) {
  ui::Control* found = Find(control);
  if (found == nullptr) {
    return Error{automation::hresult::kFail, std::string(control) + " is missing", "frmAddIn"};
  }
  return found->Put(name, std::move(value));
}

// -------------------------------------------------------------------------- Loading

void frmAddIn::Form_Load() {
  countries_listed_ = false;
  if (!lumatrel_status_) return;  // ShowAddInDialog reports it and unloads
  clsLangSetter& texts = LangSetter();
  const std::int32_t host = engine::HostKind;

  // 1. Captions. Every element of the table is built above, so the writing cannot fail
  // on a missing one.
  (void)texts.AssignLanguage(*this);

  // 2. Countries, with the World Cup only in Outlook until the final.
  auto& countries = *FindAs<ui::ComboBox>("cboCountry");
  countries.Clear();
  for (const std::string_view country : CountryList(host, base::CurrentClock().Now()))
    (void)countries.AddItem(std::string(country));

  // 3. and 4. Languages, the host's preselected.
  auto& languages = *FindAs<ui::ComboBox>("cboLanguage");
  languages.Clear();
  const std::vector<LanguageItem> items = LanguageList();
  for (const LanguageItem& item : items) {
    (void)languages.AddItem(std::string(item.Name));
    (void)languages.SetItemData(languages.NewIndex(), item.ItemData);
  }
  const std::optional<std::size_t> preselected = PreselectedLanguage(items, texts.LanguageID);
  (void)languages.SetListIndex(preselected ? static_cast<int>(*preselected) : -1);

  // 5. The remembered country, which builds the tree. From here on the box holds what
  // unloading may store.
  SelectRememberedCountry();
  countries_listed_ = true;

  // 6. By host.
  target_.reset();
  if (host == engine::kHostProject) {
    (void)PutLumatrel("wto", "Msg", Variant(texts.ProjectMessages_Msg()));
    SuccessAddMessage_ = texts.ProjectMessages_SuccessAdd();
    SuccessRemoveMessage_ = texts.ProjectMessages_SuccessRemove();
    if (engine::ProjectApplication)
      target_ = std::make_unique<engine::ProjectTarget>(engine::ProjectApplication);
    Result<std::int32_t> open = OpenProjectCount();
    if (!open) engine::ShowError(*this, kFormLoadError, open.error().description);
    if (!open || *open == 0) {
      if (open) {
        ShowMessage(engine::MessageBoxRequest{texts.ProjectMessages_OpenProjectFirst(),
                                              engine::MessageIcon::kNone,
                                              engine::MessageButtons::kOk,
                                              BannerTitle(),
                                              {}});
      }
      // Nothing to work on: everything disabled but Close, and no progress to show.
      SetBusy(true);
      (void)PutLumatrel("btl", "cmdCancelEnabled", Variant(true));
      Find("lblProgress")->SetVisible(false);
      Find("pgb")->SetVisible(false);
    } else {
      ReadCalendarNames();
    }
    Find("lblLanguage")->SetVisible(false);
    Find("cboLanguage")->SetVisible(false);
  } else if (host == engine::kHostOutlook) {
    (void)PutLumatrel("wto", "Msg", Variant(texts.OutlookMessages_Msg()));
    SuccessAddMessage_ = texts.OutlookMessages_SuccessAdd();
    SuccessRemoveMessage_ = texts.OutlookMessages_SuccessRemove();
    if (engine::OutlookApplication)
      target_ = std::make_unique<engine::OutlookTarget>(engine::OutlookApplication);
    Find("lstCalendars")->SetVisible(false);
    Find("lblBaseCalendars")->SetVisible(false);
    (void)PutLumatrel("btl", "cmdOKVisible", Variant(false));
  }

  // 7.
  Form_Resize();
}

void frmAddIn::SelectRememberedCountry() {
  auto& countries = *FindAs<ui::ComboBox>("cboCountry");
  const int index = RememberedCountryIndex();
  if (index >= 0 && index < countries.ListCount()) {
    (void)countries.SetListIndex(index);  // raises Click, which builds the tree
  } else {
    (void)countries.SetListIndex(-1);
    cboCountry_Click();  // nothing chosen: an empty tree
  }
}

Result<std::int32_t> frmAddIn::OpenProjectCount() const {
  if (!engine::ProjectApplication) return 0;
  Result<Variant> projects = engine::ProjectApplication->Get(project::dispid::kProjects);
  if (!projects) return projects.error();
  const automation::ObjectRef collection = projects->AsObject();
  if (collection == nullptr)
    return Error{automation::hresult::kFail, "Project's open projects are no collection", {}};
  Result<Variant> count = collection->Get(project::dispid::kCount);
  if (!count) return count.error();
  return count->ToI4();
}

void frmAddIn::ReadCalendarNames() {
  auto& list = *FindAs<ui::ListBox>("lstCalendars");
  calendars_.Clear();
  if (engine::ProjectApplication) {
    dialog::ReadCalendarNames(*engine::ProjectApplication, calendars_, *this);
  }
  list.Clear();
  for (const CalendarListEntry& entry : calendars_.entries()) {
    (void)list.AddItem(entry.text);
    (void)list.SetSelected(list.NewIndex(), entry.selected);
  }
}

void frmAddIn::Form_Unload(bool& /*cancel*/) {
  // What is remembered: the chosen country's position, -1 for none; but only from a
  // load that listed the countries, since an empty box would erase the remembered one.
  if (countries_listed_) {
    const int index = FindAs<ui::ComboBox>("cboCountry")->ListIndex();
    registry::CreateRegistryKey(registry::RegistryRoot::kCurrentUser, kSettingsKey);
    registry::WriteRegistryValue(registry::RegistryRoot::kCurrentUser, kSettingsKey,
                                 kRegionIndexValue, Variant(std::int32_t{index}), 4);
  }
  countries_listed_ = false;
  // The calendar target goes with the appointment cache it holds.
  target_.reset();
  tree_ = RegionTree();
}

// --------------------------------------------------------------------------- Regions

void frmAddIn::cboCountry_Click() {
  auto& view = *FindAs<ui::TreeView>("trvRegions");
  view.Clear();
  const auto& countries = *FindAs<ui::ComboBox>("cboCountry");
  if (countries.ListIndex() < 0) {
    tree_ = RegionTree();
    return;
  }
  tree_ = RegionTree::Build(countries.Text(), engine::HostKind, LangSetter());
  for (const RegionNode& node : tree_.Nodes()) {
    ui::TreeNode* parent = node.Parent == kNoNode ? nullptr : view.Find(node.ParentKey);
    Result<ui::TreeNode*> added = view.Add(
        parent, parent != nullptr ? ui::tree_relationship::kChild : ui::tree_relationship::kLast,
        node.Key, node.Text);
    if (!added) continue;
    (*added)->SetExpanded(node.Expanded);
    (*added)->SetChecked(node.Checked);
  }
  SetBusy(false);
}

Status frmAddIn::ShowModelTicks() {
  auto& view = *FindAs<ui::TreeView>("trvRegions");
  for (const RegionNode& node : tree_.Nodes()) {
    ui::TreeNode* shown = view.Find(node.Key);
    if (shown == nullptr) {
      return Error{automation::hresult::kFail,
                   "the region " + node.Key + " is missing from the tree", "frmAddIn"};
    }
    if (shown->Checked() != node.Checked) shown->SetChecked(node.Checked);
  }
  return Ok();
}

void frmAddIn::trvRegions_NodeCheck(ui::TreeNode& node) {
  const NodeIndex index = tree_.Find(node.Key());
  if (index == kNoNode) {
    engine::ShowError(*this, kNodeCheckError, "no region " + node.Key() + " in the tree");
    return;
  }
  tree_.NodeCheck(index, node.Checked());
  if (Status shown = ShowModelTicks(); !shown)
    engine::ShowError(*this, kNodeCheckError, shown.error().description);
}

void frmAddIn::cmdSelectAll_Click() {
  tree_.SelectAll();
  (void)ShowModelTicks();
}

void frmAddIn::cmdSelectNone_Click() {
  tree_.SelectNone();
  (void)ShowModelTicks();
}

// ----------------------------------------------------------------------------- Years

void frmAddIn::udcYear1_Change() {
  // Late-bound, as the spin control's own members: Min (7) of the end year follows Value
  // (0) of the start year.
  static_assert(ui::dispid::kMin == 7 && ui::dispid::kValue == 0);
  ui::Control* first = Find("udcYear1");
  ui::Control* last = Find("udcYear2");
  if (first == nullptr || last == nullptr) return;
  Result<Variant> value = first->Get(ui::dispid::kValue);
  if (value) (void)last->Put(ui::dispid::kMin, *value);
}

// -------------------------------------------------------------------------- Busy state

void frmAddIn::SetBusy(bool Busy) {
  const bool world_cup = CountryText() == data::kWorldCupCountry;
  for (const BusyRow& row : kBusyTable) {
    bool value = !Busy;
    if (row.value == BusyValue::kBusy) value = Busy;
    if (row.value == BusyValue::kIdleOutsideWorldCup) value = !Busy && !world_cup;
    if (ui::Control* control = Find(row.control)) (void)control->Put(row.property, Variant(value));
  }
}

// ---------------------------------------------------------------------------- Buttons

void frmAddIn::cmdImport_Click() {
  RunHolidays(false);
}

void frmAddIn::cmdDelete_Click() {
  RunHolidays(true);
}

void frmAddIn::RunHolidays(bool removal) {
  is_removal_ = removal;
  // A run is composed here from the dialog, the language object, the host's target and
  // the shared caches. The per-user "Current Law" setting is read at each press, so the
  // dialog and the command line follow it alike.
  engine::HolidayRun run(*this, LangSetter(), target_.get(), &caches_);
  run.SetCurrentLaw(ReadCurrentLawSetting());
  run.ProcessHolidays();
}

void frmAddIn::btl_cmdOKClick(bool& Cancel) {
  // Organize: Project's Organizer (126) on its calendars tab (5); calendars copied there
  // show up in the list afterwards.
  if (engine::ProjectApplication) {
    Result<Variant> shown =
        engine::ProjectApplication->Call(project::dispid::kOrganizer, {Variant(std::int32_t{5})});
    if (shown) {
      ReadCalendarNames();
    } else {
      engine::ShowError(*this, kOrganizeError, shown.error().description);
    }
  }
  Cancel = true;  // the dialog stays open
}

void frmAddIn::btl_cmdCancelClick(bool& /*Cancel*/) {
  (void)Unload();
}

void frmAddIn::lblURL_Click() {
  ui::ShellRequest request;
  request.owner_hwnd = hWnd();
  request.verb = "open";
  request.file = std::string(kDocumentation);
  request.show_command = 5;
  if (Status opened = ui::CurrentBackend().ShellExecute(request); !opened) {
    ShowMessage(engine::MessageBoxRequest{
        "The documentation could not be opened: " + opened.error().description,
        engine::MessageIcon::kExclamation,
        engine::MessageButtons::kOk,
        BannerTitle(),
        {}});
  }
}

void frmAddIn::lblCopyright_MouseDown(int /*Button*/, int Shift, int /*X*/, int /*Y*/) {
  constexpr int kAll = ui::shift::kShift | ui::shift::kCtrl | ui::shift::kAlt;
  if ((Shift & kAll) != kAll) return;
  ShowMessage(engine::MessageBoxRequest{std::string(kHiddenNotice),
                                        engine::MessageIcon::kInformation,
                                        engine::MessageButtons::kOk,
                                        BannerTitle(),
                                        {}});
}

// ---------------------------------------------------------------------------- Layout

void frmAddIn::Form_Resize() {
  ui::Control* wto = Find("wto");
  ui::Control* btl = Find("btl");
  ui::Control* cboCountry = Find("cboCountry");
  ui::Control* lblCountry = Find("lblCountry");
  ui::Control* trvRegions = Find("trvRegions");
  ui::Control* lblRegions = Find("lblRegions");
  ui::Control* cmdSelectAll = Find("cmdSelectAll");
  ui::Control* cmdSelectNone = Find("cmdSelectNone");
  ui::Control* lstCalendars = Find("lstCalendars");
  ui::Control* lblBaseCalendars = Find("lblBaseCalendars");
  ui::Control* lblLanguage = Find("lblLanguage");
  ui::Control* cboLanguage = Find("cboLanguage");
  ui::Control* txtYear1 = Find("txtYear1");
  ui::Control* txtYear2 = Find("txtYear2");
  ui::Control* udcYear1 = Find("udcYear1");
  ui::Control* udcYear2 = Find("udcYear2");
  ui::Control* lblTo = Find("lblTo");
  ui::Control* lblPeriod = Find("lblPeriod");
  ui::Control* pgb = Find("pgb");
  ui::Control* cmdImport = Find("cmdImport");
  ui::Control* cmdDelete = Find("cmdDelete");
  ui::Control* lblProgress = Find("lblProgress");
  ui::Control* lblActivate = Find("lblActivate");
  for (const ui::Control* control :
       {wto,          btl,           cboCountry,   lblCountry,       trvRegions,  lblRegions,
        cmdSelectAll, cmdSelectNone, lstCalendars, lblBaseCalendars, lblLanguage, cboLanguage,
        txtYear1,     txtYear2,      udcYear1,     udcYear2,         lblTo,       lblPeriod,
        pgb,          cmdImport,     cmdDelete,    lblProgress,      lblActivate}) {
    if (control == nullptr) return;  // a form without its controls has nothing to lay out
  }
  const bool project = engine::HostKind == engine::kHostProject;
  constexpr int M = kMargin;

  // Each setter that fails (a negative width in a very narrow window) is skipped, and the
  // steps after it work on whatever values the controls have.
  // 1. The input column reaches to the right margin.
  (void)cboCountry->SetWidth(ScaleWidth() - cboCountry->Left() - M);
  (void)trvRegions->SetWidth(cboCountry->Width());
  (void)lstCalendars->SetWidth(cboCountry->Width());
  // 2. and 3. Country, then the tree, under the banner.
  int y = wto->Height() + M;
  (void)cboCountry->SetTop(y);
  (void)lblCountry->SetTop(y + 60);
  y = y + cboCountry->Height() + M;
  (void)trvRegions->SetTop(y);
  (void)lblRegions->SetTop(y + 60);
  // 4. The tree takes what the rows below it leave.
  int height = ScaleHeight() - btl->Height() - trvRegions->Top() - txtYear1->Height();
  if (project) {
    height = height - lstCalendars->Height() - kProjectReserve - cmdSelectAll->Height() - M;
  } else {
    height = height - kOutlookReserve - cboLanguage->Height() - cmdSelectAll->Height() - 2 * M;
  }
  if (height < kMinTreeHeight) height = kMinTreeHeight;
  (void)trvRegions->SetHeight(height);
  // 5. and 6.
  (void)cmdSelectAll->SetTop(trvRegions->Top() + trvRegions->Height() + M);
  (void)cmdSelectNone->SetTop(cmdSelectAll->Top());
  y = cmdSelectAll->Top() + cmdSelectAll->Height() + M;
  // 7. The row of the host: calendars in Project, the language in Outlook (label above
  // its box there, the reverse of the other rows).
  if (project) {
    (void)lstCalendars->SetTop(y);
    (void)lblBaseCalendars->SetTop(y + 60);
    y = y + lstCalendars->Height() + M;
  } else {
    (void)lblLanguage->SetTop(y);
    (void)cboLanguage->SetTop(y + 60);
    y = y + cboLanguage->Height() + M;
    (void)cboLanguage->SetWidth(cboCountry->Width());
  }
  // 8. and 9. The years.
  for (ui::Control* control : {txtYear1, txtYear2, udcYear1, udcYear2})
    (void)control->SetTop(y);
  (void)lblTo->SetTop(y + 60);
  (void)lblPeriod->SetTop(y + 60);
  y = y + txtYear1->Height() + 2 * M;
  // 10. Import and Remove, and the progress in their place.
  for (ui::Control* control : {pgb, cmdImport, cmdDelete})
    (void)control->SetTop(y);
  (void)lblProgress->SetTop(y + 300);
  (void)lblActivate->SetTop(y + 60);
}

// ----------------------------------------------------------------------- Run seam

std::string frmAddIn::CountryText() const {
  const auto* countries = FindAs<ui::ComboBox>("cboCountry");
  return countries != nullptr ? countries->Text() : std::string();
}

std::vector<std::string> frmAddIn::TickedNodeKeys() const {
  std::vector<std::string> keys;
  const auto& view = *FindAs<ui::TreeView>("trvRegions");
  for (int i = 1; i <= view.NodeCount(); ++i) {
    const ui::TreeNode& node = *view.NodeAt(i);
    if (node.Checked()) keys.push_back(node.Key());
  }
  return keys;
}

std::string frmAddIn::FirstYearText() const {
  return FindAs<ui::TextBox>("txtYear1")->Text();
}

std::string frmAddIn::LastYearText() const {
  return FindAs<ui::TextBox>("txtYear2")->Text();
}

std::optional<std::int32_t> frmAddIn::SelectedLanguageItemData() const {
  const auto& languages = *FindAs<ui::ComboBox>("cboLanguage");
  if (languages.ListIndex() < 0) return std::nullopt;
  Result<std::int32_t> data = languages.ItemData(languages.ListIndex());
  if (!data) return std::nullopt;
  return *data;
}

std::vector<std::string> frmAddIn::SelectedCalendars() const {
  std::vector<std::string> names;
  const auto& list = *FindAs<ui::ListBox>("lstCalendars");
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.Selected(i).value_or(false)) names.push_back(list.List(i).value_or(std::string()));
  }
  return names;
}

std::string frmAddIn::BannerTitle() const {
  ui::Control* banner = Find("wto");
  if (banner == nullptr) return std::string();
  Result<Variant> title = banner->Get("Title");
  if (!title) return std::string();
  return title->ToString().value_or(std::string());
}

void frmAddIn::SetProgressMin(std::int32_t value) {
  (void)FindAs<ui::ProgressBar>("pgb")->SetMin(value);
}

void frmAddIn::SetProgressMax(std::int32_t value) {
  (void)FindAs<ui::ProgressBar>("pgb")->SetMax(value);
}

void frmAddIn::SetProgressValue(std::int32_t value) {
  auto& bar = *FindAs<ui::ProgressBar>("pgb");
  (void)bar.SetValue(value);
  bar.Refresh();  // the run keeps the event loop waiting
}

std::int32_t frmAddIn::ProgressValue() const {
  return FindAs<ui::ProgressBar>("pgb")->Value();
}

void frmAddIn::SetProgressLabel(std::string_view text) {
  auto& label = *FindAs<ui::Label>("lblProgress");
  label.SetCaption(std::string(text));
  label.Refresh();
}

void frmAddIn::SetMousePointer(engine::MousePointer pointer) {
  ui::CurrentBackend().SetMousePointer(pointer == engine::MousePointer::kWait
                                           ? ui::mouse_pointer::kHourglass
                                           : ui::mouse_pointer::kDefault);
}

engine::MessageAnswer frmAddIn::ShowMessage(const engine::MessageBoxRequest& request) {
  // The box shows the system's own text; what went wrong in detail is kept for whoever
  // reads the host's error output.
  if (!request.detail.empty())
    std::cerr << "feriant: " << request.text << ' ' << request.detail << '\n';
  ui::MessageBoxRequest box;
  box.text = request.text;
  box.style = MessageStyle(request);
  box.title = request.title;
  return AnswerOf(ui::CurrentBackend().ShowMessageBox(box));
}

// ---------------------------------------------------------------------- The one dialog

Status ShowAddInDialog() {
  std::shared_ptr<frmAddIn>& dialog = Instance();
  if (!dialog) dialog = std::make_shared<frmAddIn>();
  const std::shared_ptr<frmAddIn> keep = dialog;
  if (!keep->IsLoaded()) {
    const Status loaded = keep->Load();
    const Status lumatrel = keep->LumatrelStatus();
    if (!loaded || !lumatrel) {
      (void)keep->Unload();
      if (Instance() == keep) Instance().reset();
      const std::string text = !lumatrel
                                   ? std::string(kLumatrelMissing) + lumatrel.error().description +
                                         std::string(kLumatrelRegister)
                                   : std::string(kCannotShow) + loaded.error().description;
      ui::MsgBox(text, ui::msgbox::kCritical, "Feriant");
      return Error{(!lumatrel ? lumatrel : loaded).error().code, text, "ShowAddInDialog"};
    }
  }
  return keep->Show(/*modal=*/true);
}

void UnloadAddInDialog() {
  const std::shared_ptr<frmAddIn> dialog = std::move(Instance());
  Instance().reset();
  if (dialog && dialog->IsLoaded()) (void)dialog->Unload(ui::UnloadMode::kFormCode);
}

frmAddIn* AddInDialog() {
  return Instance().get();
}

}  // namespace feriant::dialog
