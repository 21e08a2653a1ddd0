#pragma once
// frmAddIn: the add-in's only window. The host connection shows it modally from its menu
// item and toolbar button; the person picks a country, ticks regions, sets the years (and
// in Project the base calendars, in Outlook the language of the texts) and presses Import
// or Remove, which run ProcessHolidays on the selection the controls hold then, with
// progress and messages through the RunDialog seam this form implements. The kind of
// the host the connection hands over decides the mode: 2 Project (base calendars,
// Organize), any other value Outlook (language box, the World Cup until the final).
//
// The banner `wto` and the button bar `btl` are Lumatrel controls, created by class id
// through the component registry and driven late-bound; the add-in links nothing of the
// control library. When they cannot be created (Lumatrel is not registered), the form
// does not load and ShowAddInDialog says how to register the library.
//
// One dialog per process (ShowAddInDialog), created when first shown, loaded afresh at
// every showing (captions, lists, tree, calendars and success texts follow the language
// and the project of that moment) and released by UnloadAddInDialog. The form owns its
// controls, the region tree model, the calendar target of its host (and with it the
// Outlook appointment cache, emptied at every unload) and the caches runs share. The only
// thing remembered between showings is "Region Index" in the per-user registry.
// Failures are shown in message boxes; nothing throws. One thread: the host's
// user-interface thread.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/dialog/calendar_list.h"
#include "addin/dialog/current_law_setting.h"
#include "addin/dialog/region_tree.h"
#include "addin/engine/calendar_target.h"
#include "addin/engine/host_kind.h"
#include "addin/engine/run_caches.h"
#include "addin/engine/run_dialog.h"
#include "addin/engine/run_selection.h"
#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/ui/core/control.h"
#include "platform/ui/core/form.h"

namespace feriant::ui {
class ComboBox;
class CommandButton;
class Label;
class ListBox;
class ProgressBar;
class TextBox;
class TreeNode;
class TreeView;
class UpDown;
}  // namespace feriant::ui

namespace feriant::dialog {

// The Lumatrel classes the dialog hosts, by their published class ids.
// WhiteTop {7821D12D-EEB5-46F9-9049-D3EEB56902E5}
inline constexpr automation::Guid kWhiteTopClassId{
    0x7821D12D, 0xEEB5, 0x46F9, {0x90, 0x49, 0xD3, 0xEE, 0xB5, 0x69, 0x02, 0xE5}};
// BottomLine {71B34D9D-3F41-4639-87C9-62211099F0D9}
inline constexpr automation::Guid kBottomLineClassId{
    0x71B34D9D, 0x3F41, 0x4639, {0x87, 0xC9, 0x62, 0x21, 0x10, 0x99, 0xF0, 0xD9}};
// __BottomLine {83C3A269-2EA8-4518-86AA-1D20ED0523B0}, the bar's event interface.
inline constexpr automation::Guid kBottomLineEventsId{
    0x83C3A269, 0x2EA8, 0x4518, {0x86, 0xAA, 0x1D, 0x20, 0xED, 0x05, 0x23, 0xB0}};

// The one value the dialog keeps under the add-in's settings key (kSettingsKey): the
// position of the chosen country in the country list, -1 for none.
inline constexpr std::string_view kRegionIndexValue = "Region Index";

// The designed client area, in twips.
inline constexpr int kDesignedWidth = 9465;
inline constexpr int kDesignedHeight = 7965;

// Texts of the dialog's own error boxes (shown through ShowError).
inline constexpr std::string_view kNodeCheckError = "frmAddIn.trvRegions_NodeCheck Error.";
inline constexpr std::string_view kFormLoadError = "frmAddIn.Form_Load Error.";
inline constexpr std::string_view kOrganizeError = "frmAddIn.btl_cmdOKClick Error.";

class frmAddIn final : public ui::Form, public engine::RunDialog {
 public:
  // `factory` creates the banner and the bar by class id; by default the process's
  // component registry.
  explicit frmAddIn(ui::ControlFactory factory = {});
  ~frmAddIn() override;

  // The host the next load works in (ShowAddInDialog hands over the connection's).
  void SetHost(engine::HostContext host) { host_ = std::move(host); }

  // What a run works on, as the controls hold it now; `removal` for Remove.
  engine::RunSelection Selection(bool removal = false) const;

  // Whether the last load created the banner and the bar; their creation's error if not.
  const Status& LumatrelStatus() const { return lumatrel_status_; }

  // Switches between the idle dialog and the busy one (Busy): see kBusyTable in the
  // source. With the World Cup chosen, the tree, the select buttons and the years stay
  // disabled when idle as well.
  void SetBusy(bool Busy) override;
  // The layout: the input column stretched to the client width, the rows stacked from
  // the banner down, the region tree taking what height is left (at least 300). Each
  // step works on the controls' values at that moment; a step that fails is skipped.
  // Last, every label is fitted to its caption (FitLabels).
  void Form_Resize();
  // Each label at least its designed size, wider (labels of the label column up to the
  // column's width) and then higher where its caption needs it.
  void FitLabels();

  // The text the hidden notice shows (Shift+Ctrl+Alt with a press on lblCopyright).
  static std::string_view HiddenNotice();
  // The address lblURL opens: the installed README, or the source tree's from a build
  // tree (documentation.h).
  static std::string DocumentationAddress();

  // RunDialog: the progress bar and label, the busy state and the message boxes.
  void SetProgressMin(std::int32_t value) override;
  void SetProgressMax(std::int32_t value) override;
  void SetProgressValue(std::int32_t value) override;
  std::int32_t ProgressValue() const override;
  void SetProgressLabel(std::string_view text) override;
  void SetMousePointer(engine::MousePointer pointer) override;
  engine::MessageAnswer ShowMessage(const engine::MessageBoxRequest& request) override;

  // The calendar target of the host the dialog was loaded in; null when there is none.
  engine::CalendarTarget* Target() const { return target_.get(); }

 protected:
  void BuildControls() override;
  void OnLoad() override { Form_Load(); }
  void OnResize() override { Form_Resize(); }
  void OnUnload(bool& cancel) override { Form_Unload(cancel); }

 private:
  void BuildRegionControls();
  void BuildCalendarAndLanguageControls();
  void BuildYearControls();
  void BuildRunControls();
  // The banner and the bar with the two labels inside it; false when Lumatrel failed.
  bool BuildLumatrelControls();

  void Form_Load();
  void Form_Unload(bool& cancel);
  void cboCountry_Click();
  void trvRegions_NodeCheck(ui::TreeNode& node);
  void cmdSelectAll_Click();
  void cmdSelectNone_Click();
  void udcYear1_Change();
  void cmdImport_Click();
  void cmdDelete_Click();
  void btl_cmdOKClick(bool& Cancel);
  void btl_cmdCancelClick(bool& Cancel);
  void lblURL_Click();
  void lblCopyright_MouseDown(int Button, int Shift, int X, int Y);

  // Selects the country "Region Index" names; nothing when it names no entry.
  void SelectRememberedCountry();
  // Project: the host's count of open projects; an error when Project cannot say.
  Result<std::int32_t> OpenProjectCount() const;
  // Refills lstCalendars from the active project (ReadCalendarNames).
  void ReadCalendarNames();
  // Ticks the tree view's nodes as the model has them (ticks set by code raise nothing);
  // an error when a region of the model is missing from the view.
  Status ShowModelTicks();
  // Runs ProcessHolidays on Selection(removal).
  void RunHolidays(bool removal);
  // The chosen country's text; empty when none is chosen.
  std::string CountryText() const;
  // The banner's title, the title of the dialog's and the run's message boxes.
  std::string BannerTitle() const;
  // Writes `value` into the bar's (or banner's) property `name`, late-bound.
  static Status PutLumatrel(ui::Control* control, std::string_view name, automation::Variant value);

  // The controls, as the last load built them; the banner and the bar are null when
  // Lumatrel failed. Unloading retires them, and the next load builds them anew.
  ui::Control* wto_ = nullptr;
  ui::Control* btl_ = nullptr;
  ui::Label* lblCountry_ = nullptr;
  ui::ComboBox* cboCountry_ = nullptr;
  ui::Label* lblRegions_ = nullptr;
  ui::TreeView* trvRegions_ = nullptr;
  ui::CommandButton* cmdSelectAll_ = nullptr;
  ui::CommandButton* cmdSelectNone_ = nullptr;
  ui::Label* lblBaseCalendars_ = nullptr;
  ui::ListBox* lstCalendars_ = nullptr;
  ui::Label* lblLanguage_ = nullptr;
  ui::ComboBox* cboLanguage_ = nullptr;
  ui::Label* lblPeriod_ = nullptr;
  ui::TextBox* txtYear1_ = nullptr;
  ui::UpDown* udcYear1_ = nullptr;
  ui::Label* lblTo_ = nullptr;
  ui::TextBox* txtYear2_ = nullptr;
  ui::UpDown* udcYear2_ = nullptr;
  ui::Label* lblActivate_ = nullptr;
  ui::CommandButton* cmdImport_ = nullptr;
  ui::CommandButton* cmdDelete_ = nullptr;
  ui::ProgressBar* pgb_ = nullptr;
  ui::Label* lblProgress_ = nullptr;

  ui::ControlFactory factory_;
  engine::HostContext host_;
  Status lumatrel_status_ = Ok();
  RegionTree tree_;                // the model of trvRegions
  CalendarList calendars_;         // what ReadCalendarNames last listed
  std::string SuccessAddMessage_;  // the host's result texts, copied at load
  std::string SuccessRemoveMessage_;
  bool countries_listed_ = false;  // this load filled cboCountry and chose from it
  std::unique_ptr<engine::CalendarTarget> target_;
  engine::RunCaches caches_;
};

// Shows the one dialog modally in `host`, creating and loading it first, and returns when it is
// closed (headless: at once, with the dialog still shown). An error, also shown to the
// person in a message box, when it cannot be loaded: the Lumatrel controls cannot be
// created (the message names the command that registers the library). An error without
// a box when it is shown already (a second click while it is open).
Status ShowAddInDialog(const engine::HostContext& host);
// Unloads the dialog if it is loaded (which stores "Region Index") and releases it.
void UnloadAddInDialog();
// The one dialog while it exists; nullptr before the first showing and after release.
frmAddIn* AddInDialog();

}  // namespace feriant::dialog
