#include "addin/dialog/frm_add_in.h"

#include <algorithm>
#include <initializer_list>
#include <iostream>
#include <utility>

#include "addin/data/holiday_data.h"
#include "addin/dialog/caption_fit.h"
#include "addin/dialog/cls_lang_setter.h"
#include "addin/dialog/country_list.h"
#include "addin/dialog/current_law_setting.h"
#include "addin/dialog/documentation.h"
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
// The left edge of the input column; labels stand left of it.
constexpr int kInputColumnLeft = 3720;

// The designed place of the control `name`; only used in constant expressions, so that a
// name kDesign does not list fails to compile.
constexpr Placement FindDesign(std::string_view name) {
  for (const Placement& place : kDesign) {
    if (place.name == name) return place;
  }
  throw "a control the design does not place";
}
constexpr Placement kProgressDesign = FindDesign("lblProgress");
// Labels of the label column may widen to the column's width.
constexpr int kLabelColumnWidth = FindDesign("lblCountry").width;

// What follows Busy in the busy state (see SetBusy). kIdleOutsideWorldCup is also false
// while the World Cup is chosen: its one year and its one node leave nothing to choose.
enum class BusyValue { kBusy, kIdle, kIdleOutsideWorldCup };

// The maker's notice and what it hides.
constexpr std::string_view kCopyright = "Copyright © Quillmark";
constexpr std::string_view kHiddenNotice =
    "Feriant 2.0 by Quillmark.\r\nFor everyone who plans around other people's days off.";
constexpr std::string_view kDocumentationCaption = "Feriant documentation";

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

std::string frmAddIn::DocumentationAddress() {
  return DocumentationFor(ThisModuleFile()).string();
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
  pgb_->SetVisible(false);
  lblProgress_->SetVisible(false);
}

void frmAddIn::BuildRegionControls() {
  lblCountry_ = &Add<ui::Label>("lblCountry");
  cboCountry_ = &Add<ui::ComboBox>("cboCountry");
  cboCountry_->Click().Connect([this] { cboCountry_Click(); });

  lblRegions_ = &Add<ui::Label>("lblRegions");
  trvRegions_ = &Add<ui::TreeView>("trvRegions");
  trvRegions_->SetCheckboxes(true);
  trvRegions_->NodeCheck().Connect([this](ui::TreeNode& node) { trvRegions_NodeCheck(node); });
  cmdSelectAll_ = &Add<ui::CommandButton>("cmdSelectAll");
  cmdSelectAll_->Click().Connect([this] { cmdSelectAll_Click(); });
  cmdSelectNone_ = &Add<ui::CommandButton>("cmdSelectNone");
  cmdSelectNone_->Click().Connect([this] { cmdSelectNone_Click(); });
}

void frmAddIn::BuildCalendarAndLanguageControls() {
  lblBaseCalendars_ = &Add<ui::Label>("lblBaseCalendars");
  lblBaseCalendars_->SetWordWrap(true);
  lstCalendars_ = &Add<ui::ListBox>("lstCalendars");
  // Several calendars may take the holidays; a click adds or removes one.
  (void)lstCalendars_->SetMultiSelect(ui::multi_select::kSimple);
  // The layout gives the list its designed height, not whole rows.
  lstCalendars_->SetIntegralHeight(false);

  lblLanguage_ = &Add<ui::Label>("lblLanguage");
  cboLanguage_ = &Add<ui::ComboBox>("cboLanguage");
}

void frmAddIn::BuildYearControls() {
  lblPeriod_ = &Add<ui::Label>("lblPeriod");
  txtYear1_ = &Add<ui::TextBox>("txtYear1");
  udcYear1_ = &Add<ui::UpDown>("udcYear1");
  lblTo_ = &Add<ui::Label>("lblTo");
  txtYear2_ = &Add<ui::TextBox>("txtYear2");
  udcYear2_ = &Add<ui::UpDown>("udcYear2");
  // The years a run can process; typing may go beyond them, the run clamps.
  for (ui::UpDown* spin : {udcYear1_, udcYear2_}) {
    spin->SetMax(engine::kLastRunYear);
    spin->SetMin(engine::kFirstRunYear);
  }
  udcYear1_->Change().Connect([this] { udcYear1_Change(); });
  udcYear1_->SetBuddy(txtYear1_);
  udcYear2_->SetBuddy(txtYear2_);
  // The start year first, so that the end year's lower limit already follows it.
  (void)udcYear1_->SetValue(kFirstYear);
  (void)udcYear2_->SetValue(kLastYear);
}

void frmAddIn::BuildRunControls() {
  lblActivate_ = &Add<ui::Label>("lblActivate");
  cmdImport_ = &Add<ui::CommandButton>("cmdImport");
  cmdImport_->Click().Connect([this] { cmdImport_Click(); });
  cmdDelete_ = &Add<ui::CommandButton>("cmdDelete");
  cmdDelete_->Click().Connect([this] { cmdDelete_Click(); });
  pgb_ = &Add<ui::ProgressBar>("pgb");
  lblProgress_ = &Add<ui::Label>("lblProgress");
}

bool frmAddIn::BuildLumatrelControls() {
  lumatrel_status_ = Ok();
  wto_ = btl_ = nullptr;
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
  wto_ = *banner;
  btl_ = *bar;
  // Organize keeps the dialog open and Close unloads it here, not in the bar.
  (void)PutLumatrel(btl_, "AutoOKCancelApply", Variant(false));
  (void)PutLumatrel(btl_, "cmdApplyVisible", Variant(false));

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

Status frmAddIn::PutLumatrel(ui::Control* control, std::string_view name, Variant value) {
  if (control == nullptr) {
    return Error{automation::hresult::kFail, "the Lumatrel control is missing", "frmAddIn"};
  }
  return control->Put(name, std::move(value));
}

// -------------------------------------------------------------------------- Loading

void frmAddIn::Form_Load() {
  countries_listed_ = false;
  if (!lumatrel_status_) return;  // ShowAddInDialog reports it and unloads
  clsLangSetter& texts = LangSetter();
  const std::int32_t host = host_.kind;

  // 1. Captions. Every element of the table is built above, so the writing cannot fail
  // on a missing one.
  (void)texts.AssignLanguage(*this);

  // 2. Countries, with the World Cup only in Outlook until the final.
  cboCountry_->Clear();
  for (const std::string_view country : CountryList(host, base::CurrentClock().Now()))
    (void)cboCountry_->AddItem(std::string(country));

  // 3. and 4. Languages, the host's preselected.
  cboLanguage_->Clear();
  const std::vector<LanguageItem> items = LanguageList();
  for (const LanguageItem& item : items) {
    (void)cboLanguage_->AddItem(std::string(item.Name));
    (void)cboLanguage_->SetItemData(cboLanguage_->NewIndex(), item.ItemData);
  }
  const std::optional<std::size_t> preselected = PreselectedLanguage(items, texts.LanguageID);
  (void)cboLanguage_->SetListIndex(preselected ? static_cast<int>(*preselected) : -1);

  // 5. The remembered country, which builds the tree. From here on the box holds what
  // unloading may store.
  SelectRememberedCountry();
  countries_listed_ = true;

  // 6. By host.
  target_.reset();
  if (host == engine::kHostProject) {
    (void)PutLumatrel(wto_, "Msg", Variant(texts.ProjectMessages_Msg()));
    SuccessAddMessage_ = texts.ProjectMessages_SuccessAdd();
    SuccessRemoveMessage_ = texts.ProjectMessages_SuccessRemove();
    if (host_.application) target_ = std::make_unique<engine::ProjectTarget>(host_.application);
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
      (void)PutLumatrel(btl_, "cmdCancelEnabled", Variant(true));
      lblProgress_->SetVisible(false);
      pgb_->SetVisible(false);
    } else {
      ReadCalendarNames();
    }
    lblLanguage_->SetVisible(false);
    cboLanguage_->SetVisible(false);
  } else if (host == engine::kHostOutlook) {
    (void)PutLumatrel(wto_, "Msg", Variant(texts.OutlookMessages_Msg()));
    SuccessAddMessage_ = texts.OutlookMessages_SuccessAdd();
    SuccessRemoveMessage_ = texts.OutlookMessages_SuccessRemove();
    if (host_.application) target_ = std::make_unique<engine::OutlookTarget>(host_.application);
    lstCalendars_->SetVisible(false);
    lblBaseCalendars_->SetVisible(false);
    (void)PutLumatrel(btl_, "cmdOKVisible", Variant(false));
  }

  // 7.
  Form_Resize();
}

void frmAddIn::SelectRememberedCountry() {
  const int index = RememberedCountryIndex();
  if (index >= 0 && index < cboCountry_->ListCount()) {
    (void)cboCountry_->SetListIndex(index);  // raises Click, which builds the tree
  } else {
    (void)cboCountry_->SetListIndex(-1);
    cboCountry_Click();  // nothing chosen: an empty tree
  }
}

Result<std::int32_t> frmAddIn::OpenProjectCount() const {
  if (!host_.application) return 0;
  Result<Variant> projects = host_.application->Get(project::dispid::kProjects);
  if (!projects) return projects.error();
  const automation::ObjectRef collection = projects->AsObject();
  if (collection == nullptr)
    return Error{automation::hresult::kFail, "Project's open projects are no collection", {}};
  Result<Variant> count = collection->Get(project::dispid::kCount);
  if (!count) return count.error();
  return count->ToI4();
}

void frmAddIn::ReadCalendarNames() {
  calendars_.Clear();
  if (host_.application) dialog::ReadCalendarNames(*host_.application, calendars_, *this);
  lstCalendars_->Clear();
  for (const CalendarListEntry& entry : calendars_.entries()) {
    (void)lstCalendars_->AddItem(entry.text);
    (void)lstCalendars_->SetSelected(lstCalendars_->NewIndex(), entry.selected);
  }
}

void frmAddIn::Form_Unload(bool& /*cancel*/) {
  // What is remembered: the chosen country's position, -1 for none; but only from a
  // load that listed the countries, since an empty box would erase the remembered one.
  if (countries_listed_) {
    const int index = cboCountry_->ListIndex();
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
  trvRegions_->Clear();
  if (cboCountry_->ListIndex() < 0) {
    tree_ = RegionTree();
    return;
  }
  tree_ = RegionTree::Build(cboCountry_->Text(), host_.kind, LangSetter());
  for (const RegionNode& node : tree_.Nodes()) {
    ui::TreeNode* parent = node.Parent == kNoNode ? nullptr : trvRegions_->Find(node.ParentKey);
    Result<ui::TreeNode*> added = trvRegions_->Add(
        parent, parent != nullptr ? ui::tree_relationship::kChild : ui::tree_relationship::kLast,
        node.Key, node.Text);
    if (!added) continue;
    (*added)->SetExpanded(node.Expanded);
    (*added)->SetChecked(node.Checked);
  }
  SetBusy(false);
}

Status frmAddIn::ShowModelTicks() {
  for (const RegionNode& node : tree_.Nodes()) {
    ui::TreeNode* shown = trvRegions_->Find(node.Key);
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
  ui::Control& first = *udcYear1_;
  ui::Control& last = *udcYear2_;
  Result<Variant> value = first.Get(ui::dispid::kValue);
  if (value) (void)last.Put(ui::dispid::kMin, *value);
}

// -------------------------------------------------------------------------- Busy state

void frmAddIn::SetBusy(bool Busy) {
  // Which property of which control follows Busy, in the order it is set.
  constexpr auto kBusy = BusyValue::kBusy;
  constexpr auto kIdle = BusyValue::kIdle;
  constexpr auto kOutside = BusyValue::kIdleOutsideWorldCup;
  const struct {
    ui::Control* control;
    std::string_view property;
    BusyValue value;
  } rows[] = {
      {pgb_, "Visible", kBusy},
      {lblProgress_, "Visible", kBusy},
      {lstCalendars_, "Enabled", kIdle},
      {cboCountry_, "Enabled", kIdle},
      {lblCountry_, "Enabled", kIdle},
      {lblBaseCalendars_, "Enabled", kIdle},
      {lblRegions_, "Enabled", kIdle},
      {lblPeriod_, "Enabled", kIdle},
      {lblActivate_, "Enabled", kIdle},
      {lblTo_, "Enabled", kIdle},
      {cmdImport_, "Visible", kIdle},
      {cmdDelete_, "Visible", kIdle},
      {btl_, "cmdOKEnabled", kIdle},
      {btl_, "cmdCancelEnabled", kIdle},
      {trvRegions_, "Enabled", kOutside},
      {cmdSelectAll_, "Enabled", kOutside},
      {cmdSelectNone_, "Enabled", kOutside},
      {lblLanguage_, "Enabled", kIdle},
      {cboLanguage_, "Enabled", kIdle},
      {txtYear1_, "Enabled", kOutside},
      {txtYear2_, "Enabled", kOutside},
      {udcYear1_, "Enabled", kOutside},
      {udcYear2_, "Enabled", kOutside},
  };
  const bool world_cup = CountryText() == data::kWorldCupCountry;
  for (const auto& row : rows) {
    bool value = !Busy;
    if (row.value == kBusy) value = Busy;
    if (row.value == kOutside) value = !Busy && !world_cup;
    if (row.control != nullptr) (void)row.control->Put(row.property, Variant(value));
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
  // A run is composed here from the dialog, the language object, the host's target and
  // the shared caches. The per-user "Current Law" setting is read at each press, so the
  // dialog and the command line follow it alike.
  engine::HolidayRun run(*this, LangSetter(), target_.get(), &caches_);
  run.SetCurrentLaw(ReadCurrentLawSetting());
  run.ProcessHolidays(Selection(removal));
}

void frmAddIn::btl_cmdOKClick(bool& Cancel) {
  // Organize: Project's Organizer (126) on its calendars tab (5); calendars copied there
  // show up in the list afterwards. Outlook has no Organize (its button is hidden).
  if (host_.kind == engine::kHostProject && host_.application) {
    Result<Variant> shown =
        host_.application->Call(project::dispid::kOrganizer, {Variant(std::int32_t{5})});
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
  request.file = DocumentationAddress();
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
  // A form without its Lumatrel controls has nothing to lay out.
  if (wto_ == nullptr || btl_ == nullptr) return;
  const bool project = host_.kind == engine::kHostProject;

  // Each setter that fails (a negative width in a very narrow window) is skipped, and the
  // steps after it work on whatever values the controls have.
  // 1. The input column reaches to the right margin.
  (void)cboCountry_->SetWidth(ScaleWidth() - cboCountry_->Left() - kMargin);
  (void)trvRegions_->SetWidth(cboCountry_->Width());
  (void)lstCalendars_->SetWidth(cboCountry_->Width());
  // 2. and 3. Country, then the tree, under the banner.
  int y = wto_->Height() + kMargin;
  (void)cboCountry_->SetTop(y);
  (void)lblCountry_->SetTop(y + 60);
  y = y + cboCountry_->Height() + kMargin;
  (void)trvRegions_->SetTop(y);
  (void)lblRegions_->SetTop(y + 60);
  // 4. The tree takes what the rows below it leave.
  int height = ScaleHeight() - btl_->Height() - trvRegions_->Top() - txtYear1_->Height();
  if (project) {
    height = height - lstCalendars_->Height() - kProjectReserve - cmdSelectAll_->Height() - kMargin;
  } else {
    height =
        height - kOutlookReserve - cboLanguage_->Height() - cmdSelectAll_->Height() - 2 * kMargin;
  }
  if (height < kMinTreeHeight) height = kMinTreeHeight;
  (void)trvRegions_->SetHeight(height);
  // 5. and 6.
  (void)cmdSelectAll_->SetTop(trvRegions_->Top() + trvRegions_->Height() + kMargin);
  (void)cmdSelectNone_->SetTop(cmdSelectAll_->Top());
  y = cmdSelectAll_->Top() + cmdSelectAll_->Height() + kMargin;
  // 7. The row of the host: calendars in Project, the language in Outlook (label above
  // its box there, the reverse of the other rows).
  if (project) {
    (void)lstCalendars_->SetTop(y);
    (void)lblBaseCalendars_->SetTop(y + 60);
    y = y + lstCalendars_->Height() + kMargin;
  } else {
    (void)lblLanguage_->SetTop(y);
    (void)cboLanguage_->SetTop(y + 60);
    y = y + cboLanguage_->Height() + kMargin;
    (void)cboLanguage_->SetWidth(cboCountry_->Width());
  }
  // 8. and 9. The years.
  for (ui::Control* control :
       std::initializer_list<ui::Control*>{txtYear1_, txtYear2_, udcYear1_, udcYear2_})
    (void)control->SetTop(y);
  (void)lblTo_->SetTop(y + 60);
  (void)lblPeriod_->SetTop(y + 60);
  y = y + txtYear1_->Height() + 2 * kMargin;
  // 10. Import and Remove, and the progress in their place.
  for (ui::Control* control : std::initializer_list<ui::Control*>{pgb_, cmdImport_, cmdDelete_})
    (void)control->SetTop(y);
  (void)lblProgress_->SetTop(y + 300);
  (void)lblActivate_->SetTop(y + 60);
  // 11. Every caption whole: a label grows into the room of its row where its text needs it.
  FitLabels();
}

void frmAddIn::FitLabels() {
  for (const Placement& place : kDesign) {
    auto* label = FindAs<ui::Label>(place.name);
    if (label == nullptr) continue;
    const int widest =
        place.left < kInputColumnLeft ? std::max(kLabelColumnWidth, place.width) : place.width;
    FitLabelToCaption(*label, place.width, place.height, widest);
  }
}

// ------------------------------------------------------------------ Selection and run seam

std::string frmAddIn::CountryText() const {
  return cboCountry_ != nullptr ? cboCountry_->Text() : std::string();
}

engine::RunSelection frmAddIn::Selection(bool removal) const {
  engine::RunSelection selection;
  selection.host = host_.kind;
  selection.country = CountryText();
  for (int i = 1; i <= trvRegions_->NodeCount(); ++i) {
    const ui::TreeNode& node = *trvRegions_->NodeAt(i);
    if (node.Checked()) selection.ticked_keys.push_back(node.Key());
  }
  selection.first_year = txtYear1_->Text();
  selection.last_year = txtYear2_->Text();
  if (const int index = cboLanguage_->ListIndex(); index >= 0) {
    if (Result<std::int32_t> data = cboLanguage_->ItemData(index)) selection.language = *data;
  }
  for (int i = 0; i < lstCalendars_->ListCount(); ++i) {
    if (lstCalendars_->Selected(i).value_or(false))
      selection.calendars.push_back(lstCalendars_->List(i).value_or(std::string()));
  }
  selection.is_removal = removal;
  selection.banner_title = BannerTitle();
  selection.success_add_message = SuccessAddMessage_;
  selection.success_remove_message = SuccessRemoveMessage_;
  return selection;
}

std::string frmAddIn::BannerTitle() const {
  if (wto_ == nullptr) return std::string();
  Result<Variant> title = wto_->Get("Title");
  if (!title) return std::string();
  return title->ToString().value_or(std::string());
}

void frmAddIn::SetProgressMin(std::int32_t value) {
  (void)pgb_->SetMin(value);
}

void frmAddIn::SetProgressMax(std::int32_t value) {
  (void)pgb_->SetMax(value);
}

void frmAddIn::SetProgressValue(std::int32_t value) {
  (void)pgb_->SetValue(value);
  pgb_->Refresh();  // the run keeps the event loop waiting
}

std::int32_t frmAddIn::ProgressValue() const {
  return pgb_->Value();
}

void frmAddIn::SetProgressLabel(std::string_view text) {
  ui::Label& label = *lblProgress_;
  label.SetCaption(std::string(text));
  FitLabelToCaption(label, kProgressDesign.width, kProgressDesign.height, kProgressDesign.width);
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

Status ShowAddInDialog(const engine::HostContext& host) {
  std::shared_ptr<frmAddIn>& dialog = Instance();
  if (!dialog) dialog = std::make_shared<frmAddIn>();
  const std::shared_ptr<frmAddIn> keep = dialog;
  if (!keep->IsLoaded()) {
    keep->SetHost(host);
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
