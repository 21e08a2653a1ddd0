#include "apps/lumatrel-container/standard_controls_form.h"

#include <algorithm>
#include <cctype>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/control_array.h"
#include "platform/ui/controls/frame.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/image_list.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/menu.h"
#include "platform/ui/controls/option_button.h"
#include "platform/ui/controls/progress_bar.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/controls/timer.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/controls/up_down.h"
#include "platform/ui/core/backend.h"

namespace feriant::lumatrel_container {
namespace {

using namespace ui;

// Client size and the two columns, in twips.
constexpr int kWidth = 10200;
constexpr int kHeight = 7680;
constexpr int kLabelLeft = 240;
constexpr int kInputLeft = 2280;
constexpr int kInputWidth = 3000;
constexpr int kRightLeft = 5640;
constexpr int kRightWidth = 4320;
// The log shows this many of its last lines.
constexpr size_t kLogLines = 8;

// A few regions per country, parents before their children, keyed by their path.
constexpr const char* kRegions[] = {
    "Deutschland",        "Deutschland|Bayern",   "Deutschland|Bayern|Augsburg",
    "Deutschland|Berlin", "Deutschland|Sachsen",  "Schweiz",
    "Schweiz|Aargau",     "Schweiz|Aargau|Baden", "Schweiz|Bern",
    "Schweiz|Zürich",     "Österreich",           "Österreich|Tirol",
    "Österreich|Wien",    "Liechtenstein",
};

// The status marks of the picture list, 13 x 13 pixels: '#' in the mark's colour, '.' in
// the mask colour that a transparent drawing leaves out.
constexpr OleColor kMask = Rgb(255, 0, 255);
struct Mark {
  const char* key;
  OleColor color;
  const char* rows[13];
};
constexpr Mark kMarks[] = {
    {"finished",
     Rgb(0, 140, 0),
     {".............", "...........##", "..........###", ".........###.", "#.......###..",
      "##.....###...", "###...###....", ".###.###.....", "..#####......", "...###.......",
      "....#........", ".............", "............."}},
    {"failed",
     Rgb(200, 0, 0),
     {".............", ".##.......##.", ".###.....###.", "..###...###..", "...###.###...",
      "....#####....", ".....###.....", "....#####....", "...###.###...", "..###...###..",
      ".###.....###.", ".##.......##.", "............."}},
    {"active",
     Rgb(0, 70, 200),
     {".............", "....#........", "....##.......", "....###......", "....####.....",
      "....#####....", "....######...", "....#####....", "....####.....", "....###......",
      "....##.......", "....#........", "............."}},
};

std::shared_ptr<StdPicture> MarkPicture(const Mark& mark) {
  std::vector<OleColor> pixels;
  for (const char* row : mark.rows) {
    for (const char* c = row; *c != '\0'; ++c)
      pixels.push_back(*c == '#' ? mark.color : kMask);
  }
  return *StdPicture::FromPixels(13, 13, std::move(pixels));
}

std::string LeafOf(const std::string& path) {
  const size_t bar = path.rfind('|');
  return bar == std::string::npos ? path : path.substr(bar + 1);
}

std::string ParentOf(const std::string& path) {
  const size_t bar = path.rfind('|');
  return bar == std::string::npos ? std::string() : path.substr(0, bar);
}

Label& AddLabel(Form& form, const char* name, const char* caption, int left, int top, int width) {
  Label& label = form.Add<Label>(name);
  (void)label.Move(left, top, width, 195);
  label.SetCaption(caption);
  (void)label.SetBackStyle(back_style::kTransparent);
  return label;
}

CommandButton& AddButton(Form& form, const char* name, const char* caption, int left, int top,
                         int width) {
  CommandButton& button = form.Add<CommandButton>(name);
  (void)button.Move(left, top, width, 345);
  button.SetCaption(caption);
  return button;
}

}  // namespace

StandardControlsForm::StandardControlsForm() : Form("frmStandardControls") {
  SetCaption("Standard controls");
  (void)SetClientSize(kWidth, kHeight);
  (void)SetBorderStyle(3);
}

void StandardControlsForm::BuildControls() {
  log_.clear();
  BuildRegionControls();
  BuildYearControls();
  BuildRunControls();
  BuildListControls();
  BuildPictureControls();
  BuildMenu();
  BuildTimerControls();
  Line& line = Add<Line>("linLog");
  line.SetPoints(kLabelLeft, 5790, kWidth - kLabelLeft, 5790);
  (void)line.SetBorderColor(system_color::kButtonShadow);
  Label& log = Add<Label>("lblLog");
  (void)log.Move(kLabelLeft, 5880, kWidth - 2 * kLabelLeft, 1590);
  (void)log.SetBorderStyle(1);
  (void)log.SetBackColor(system_color::kWindowBackground);
}

void StandardControlsForm::OnLoad() {
  // Choosing by code raises Click, which fills the tree, as a dialog's loading does.
  (void)FindAs<ComboBox>("cboCountry")->SetListIndex(0);
}

void StandardControlsForm::BuildRegionControls() {
  AddLabel(*this, "lblCountry", "&Choose a country:", kLabelLeft, 300, 1920);
  ComboBox& countries = Add<ComboBox>("cboCountry");
  (void)countries.Move(kInputLeft, 240, kInputWidth, 315);
  for (const char* path : kRegions) {
    if (std::string(path).find('|') == std::string::npos) (void)countries.AddItem(path);
  }
  countries.Click().Connect([this, &countries] {
    Log("cboCountry_Click: ListIndex " + std::to_string(countries.ListIndex()));
    FillTree(countries.Text());
  });

  AddLabel(*this, "lblRegions", "&Regions:", kLabelLeft, 780, 1920);
  TreeView& tree = Add<TreeView>("trvRegions");
  (void)tree.Move(kInputLeft, 720, kInputWidth, 2400);
  tree.SetCheckboxes(true);
  // A ticked node ticks its ancestors; an unticked one unticks its subtree. The ticks set
  // here are code's, so they raise no NodeCheck again.
  tree.NodeCheck().Connect([this](TreeNode& node) {
    Log("trvRegions_NodeCheck: " + node.Key() + (node.Checked() ? " ticked" : " unticked"));
    if (node.Checked()) {
      for (TreeNode* up = node.Parent(); up != nullptr; up = up->Parent())
        up->SetChecked(true);
      return;
    }
    std::function<void(TreeNode&)> untick = [&untick](TreeNode& n) {
      n.SetChecked(false);
      for (TreeNode* child = n.Child(); child != nullptr; child = child->Next())
        untick(*child);
    };
    untick(node);
  });
  tree.NodeClick().Connect([this](TreeNode& node) { Log("trvRegions_NodeClick: " + node.Key()); });

  auto tick_all = [&tree](bool ticked) {
    for (int i = 1; i <= tree.NodeCount(); ++i)
      tree.NodeAt(i)->SetChecked(ticked);
  };
  AddButton(*this, "cmdSelectAll", "Select &all", kInputLeft, 3240, 1440)
      .Click()
      .Connect([tick_all] { tick_all(true); });
  AddButton(*this, "cmdSelectNone", "Select &none", kInputLeft + 1560, 3240, 1440)
      .Click()
      .Connect([tick_all] { tick_all(false); });
}

void StandardControlsForm::FillTree(const std::string& country) {
  TreeView& tree = *FindAs<TreeView>("trvRegions");
  tree.Clear();
  if (country.empty()) return;
  for (const char* entry : kRegions) {
    const std::string path = entry;
    if (path != country && path.rfind(country + "|", 0) != 0) continue;
    TreeNode* parent = tree.Find(ParentOf(path));
    (void)tree.Add(parent, parent != nullptr ? tree_relationship::kChild : tree_relationship::kLast,
                   path, LeafOf(path));
  }
  if (tree.NodeCount() == 0) return;
  for (int i = 1; i <= tree.NodeCount(); ++i)
    tree.NodeAt(i)->SetExpanded(true);
  tree.NodeAt(1)->SetChecked(true);
}

void StandardControlsForm::BuildYearControls() {
  AddLabel(*this, "lblPeriod", "&Years:", kLabelLeft, 3840, 1920);
  TextBox& first = Add<TextBox>("txtYear1");
  (void)first.Move(kInputLeft, 3780, 675, 315);
  UpDown& first_spin = Add<UpDown>("udcYear1");
  (void)first_spin.Move(kInputLeft + 675, 3780, 240, 315);
  AddLabel(*this, "lblTo", "to", kInputLeft + 1080, 3840, 300);
  TextBox& last = Add<TextBox>("txtYear2");
  (void)last.Move(kInputLeft + 1440, 3780, 675, 315);
  UpDown& last_spin = Add<UpDown>("udcYear2");
  (void)last_spin.Move(kInputLeft + 2115, 3780, 240, 315);
  for (UpDown* spin : {&first_spin, &last_spin}) {
    spin->SetMax(2049);
    spin->SetMin(1984);
  }
  (void)first_spin.SetValue(2006);
  (void)last_spin.SetValue(2010);
  first_spin.SetBuddy(&first);
  last_spin.SetBuddy(&last);
  // The end year's lower limit (dispatch id 7) follows the start year's value (id 0).
  first_spin.Change().Connect([this, &first_spin, &last_spin] {
    (void)last_spin.Put(dispid::kMin, *first_spin.Get(dispid::kValue));
    Log("udcYear1_Change: Value " + std::to_string(first_spin.Value()) + ", udcYear2.Min " +
        std::to_string(last_spin.Min()));
  });
}

void StandardControlsForm::BuildRunControls() {
  AddLabel(*this, "lblActivate", "Holidays:", kLabelLeft, 4380, 1920);
  AddButton(*this, "cmdImport", "&Import", kInputLeft, 4320, 1440).Click().Connect([this] {
    Run();
  });
  AddButton(*this, "cmdDelete", "Re&move", kInputLeft + 1560, 4320, 1440).Click().Connect([this] {
    Log("cmdDelete_Click");
  });
  AddLabel(*this, "lblRun", "Progress:", kLabelLeft, 4800, 1920);
  ProgressBar& bar = Add<ProgressBar>("pgb");
  (void)bar.Move(kInputLeft, 4800, kInputWidth, 255);
  AddLabel(*this, "lblProgress", "Import runs the years above.", kInputLeft, 5100, kInputWidth);

  AddLabel(*this, "lblLink", "Web link:", kLabelLeft, 5460, 1920);
  Label& link = AddLabel(*this, "lblURL", "www.example.com", kInputLeft, 5460, kInputWidth);
  (void)link.SetForeColor(Rgb(0, 0, 255));
  link.Font()->SetBold(true);
  link.Font()->SetUnderline(true);
  link.SetMousePointer(mouse_pointer::kHand);
  link.MouseDown().Connect([this](int button, int shift_state, int, int) {
    Log("lblURL_MouseDown: Button " + std::to_string(button) + ", Shift " +
        std::to_string(shift_state));
  });
  link.Click().Connect([this] {
    ShellRequest request;
    request.owner_hwnd = hWnd();
    request.file = "https://www.example.com";
    const Status opened = CurrentBackend().ShellExecute(request);
    Log(opened ? "lblURL_Click: opened " + request.file
               : "lblURL_Click: " + opened.error().description);
  });
}

void StandardControlsForm::Run() {
  auto& bar = *FindAs<ProgressBar>("pgb");
  auto& progress = *FindAs<Label>("lblProgress");
  const int first = FindAs<UpDown>("udcYear1")->Value();
  const int last = std::max(first, FindAs<UpDown>("udcYear2")->Value());
  SetBusy(true);
  // The maximum first, then the minimum, so that the range is never empty.
  (void)bar.SetMax(last == first ? last + 1 : last);
  (void)bar.SetMin(first - 1);
  for (int year = first; year <= last; ++year) {
    // The loop keeps the event loop waiting: only Refresh puts the progress on screen.
    progress.SetCaption("Processing the holidays of " + std::to_string(year) + "...");
    progress.Refresh();
    (void)bar.SetValue(year);
    bar.Refresh();
    std::this_thread::sleep_for(run_pause_);
  }
  SetBusy(false);
  progress.SetCaption("Done: " + std::to_string(first) + " to " + std::to_string(last) + ".");
  Log("cmdImport_Click: ran " + std::to_string(first) + " to " + std::to_string(last));
}

void StandardControlsForm::SetBusy(bool busy) {
  for (const char* name : {"cboCountry", "trvRegions", "txtYear1", "txtYear2", "udcYear1",
                           "udcYear2", "cmdSelectAll", "cmdSelectNone", "cmdImport", "cmdDelete"})
    Find(name)->SetEnabled(!busy);
}

void StandardControlsForm::BuildListControls() {
  Frame& frame = Add<Frame>("fraMode");
  (void)frame.Move(kRightLeft, 180, kRightWidth, 1380);
  frame.SetCaption("Run &mode");
  OptionButton& first = Add<OptionButton>("optMode", 0);
  (void)first.SetContainer(&frame);
  (void)first.Move(180, 300, kRightWidth - 360, 255);
  first.SetCaption("&Add holidays");
  // The further options are loaded at run time, as a control array grows.
  const char* const captions[] = {"Remove &holidays", "Co&mpare only"};
  for (int i = 1; i <= 2; ++i) {
    auto loaded = LoadArrayElement<OptionButton>(*this, "optMode", i);
    if (!loaded) continue;
    (void)(*loaded)->SetTop(300 + 360 * i);
    (*loaded)->SetCaption(captions[i - 1]);
    (*loaded)->SetVisible(true);
  }
  for (int i = 0; i <= 2; ++i) {
    OptionButton* option = FindAs<OptionButton>("optMode", i);
    option->Click().Connect([this, i] { Log("optMode_Click: Index " + std::to_string(i)); });
  }
  first.SetValue(true);

  AddLabel(*this, "lblCalendars", "Base &calendars:", kRightLeft, 1680, 2100);
  ListBox& calendars = Add<ListBox>("lstCalendars");
  (void)calendars.SetSorted(true);
  (void)calendars.SetMultiSelect(multi_select::kExtended);
  (void)calendars.Move(kRightLeft, 1920, 2100, 1035);
  for (const char* name : {"Standard", "Nachtschicht", "24 Stunden", "Büro", "Lager", "Werkstatt"})
    (void)calendars.AddItem(name);
  calendars.Click().Connect([this, &calendars] {
    std::string chosen;
    for (int i = 0; i < calendars.ListCount(); ++i) {
      if (*calendars.Selected(i)) chosen += (chosen.empty() ? "" : ", ") + *calendars.List(i);
    }
    Log("lstCalendars_Click: " + chosen);
  });
  calendars.DblClick().Connect(
      [this, &calendars] { Log("lstCalendars_DblClick: " + calendars.Text()); });

  AddLabel(*this, "lblLanguages", "&Languages:", kRightLeft + 2220, 1680, 2100);
  ListBox& languages = Add<ListBox>("lstLanguages");
  (void)languages.SetStyle(list_style::kCheckbox);
  (void)languages.Move(kRightLeft + 2220, 1920, 2100, 1035);
  for (const char* name : {"Deutsch", "English", "Français", "Italiano"})
    (void)languages.AddItem(name);
  (void)languages.SetSelected(0, true);
  languages.ItemCheck().Connect([this, &languages](int index) {
    Log("lstLanguages_ItemCheck: " + *languages.List(index) +
        (*languages.Selected(index) ? " ticked" : " unticked"));
  });

  AddLabel(*this, "lblNotes", "N&otes:", kRightLeft, 3120, 2100);
  TextBox& notes = Add<TextBox>("txtNotes");
  (void)notes.Move(kRightLeft, 3360, kRightWidth - 1560, 315);
  notes.SetText("Select a word, then press Upper");
  (void)notes.SetMaxLength(60);
  AddButton(*this, "cmdUpper", "&Upper", kRightLeft + kRightWidth - 1440, 3345, 1440)
      .Click()
      .Connect([this, &notes] {
        std::string upper = notes.SelText();
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        Log("cmdUpper_Click: SelStart " + std::to_string(notes.SelStart()) + ", SelLength " +
            std::to_string(notes.SelLength()));
        notes.SetSelText(upper);
      });
}

void StandardControlsForm::BuildPictureControls() {
  AddLabel(*this, "lblMarks", "Picture list:", kRightLeft, 3960, 2100);
  ImageList& marks = Add<ImageList>("imlStatus");
  (void)marks.SetMaskColor(kMask);
  for (const Mark& mark : kMarks)
    (void)marks.Add(MarkPicture(mark), mark.key);
  PictureBox& box = Add<PictureBox>("picStatus");
  (void)box.Move(kRightLeft, 4200, 2100, 360);
  // White behind the marks: what the mask colour leaves out shows white.
  auto canvas = StdPicture::CreateBitmap(140, 24, system_color::kWindowBackground);
  for (int i = 0; i < static_cast<int>(std::size(kMarks)); ++i)
    marks.Draw(*marks.Find(kMarks[i].key), *canvas, 6 + 24 * i, 5, /*transparent=*/true);
  box.SetPicture(canvas);
}

void StandardControlsForm::BuildMenu() {
  Menu& popup = Add<Menu>("mnuPopup");
  struct Entry {
    const char* name;
    const char* caption;
    const char* parent;
  };
  const Entry entries[] = {
      {"mnuTickAll", "&Tick all regions", "mnuPopup"},
      {"mnuUntickAll", "&Untick all regions", "mnuPopup"},
      {"mnuLine", "-", "mnuPopup"},
      {"mnuChecked", "&Checked entry", "mnuPopup"},
      {"mnuDisabled", "&Disabled entry", "mnuPopup"},
      {"mnuMore", "&More", "mnuPopup"},
      {"mnuAbout", "&About this form", "mnuMore"},
  };
  for (const Entry& entry : entries) {
    Menu& item = Add<Menu>(entry.name);
    (void)item.SetParentMenu(FindAs<Menu>(entry.parent));
    item.SetCaption(entry.caption);
  }
  FindAs<Menu>("mnuChecked")->SetChecked(true);
  FindAs<Menu>("mnuDisabled")->SetEnabled(false);
  FindAs<Menu>("mnuTickAll")->Click().Connect([this] {
    FindAs<CommandButton>("cmdSelectAll")->PerformClick();
  });
  FindAs<Menu>("mnuUntickAll")->Click().Connect([this] {
    FindAs<CommandButton>("cmdSelectNone")->PerformClick();
  });
  FindAs<Menu>("mnuChecked")->Click().Connect([this] {
    Menu& checked = *FindAs<Menu>("mnuChecked");
    checked.SetChecked(!checked.Checked());
  });

  CommandButton& button =
      AddButton(*this, "cmdMenu", "&Pop-up menu...", kRightLeft + 2220, 4200, 2100);
  button.Click().Connect([this, &popup, &button] {
    // Under the button, as a drop-down.
    auto chosen =
        PopupMenu(popup, popup_menu::kLeftAlign, button.Left(), button.Top() + button.Height());
    Log(chosen && *chosen != nullptr ? "PopupMenu: chose " + (*chosen)->Caption()
                                     : std::string("PopupMenu: dismissed"));
  });
}

void StandardControlsForm::BuildTimerControls() {
  ticks_ = 0;
  Timer& timer = Add<Timer>("timClock");
  (void)timer.SetInterval(1000);
  timer.SetEnabled(false);
  CheckBox& check = Add<CheckBox>("chkTimer");
  (void)check.Move(kRightLeft, 4740, 2100, 255);
  check.SetCaption("&Timer ticks");
  Label& ticks = AddLabel(*this, "lblTicks", "Timer: off", kRightLeft + 2220, 4770, 2100);
  check.Click().Connect([this, &check, &timer] {
    timer.SetEnabled(check.Value() == 1);
    Log("chkTimer_Click: Value " + std::to_string(check.Value()));
  });
  // Once a second while ticked; the label only, so that the log keeps the events.
  timer.Tick().Connect(
      [this, &ticks] { ticks.SetCaption("Timer: " + std::to_string(++ticks_) + " ticks"); });

  AddLabel(*this, "lblImage", "Image:", kRightLeft, 5220, 900);
  // An image has no mask colour: the mark is drawn onto the form's own colour first.
  Image& image = Add<Image>("imgMark");
  (void)image.Move(kRightLeft + 960, 5160, 195, 195);
  auto picture = StdPicture::CreateBitmap(13, 13, system_color::kButtonFace);
  ImageList& marks = *FindAs<ImageList>("imlStatus");
  marks.Draw(*marks.Find(kMarks[0].key), *picture, 0, 0, /*transparent=*/true);
  image.SetPicture(picture);
}

void StandardControlsForm::Log(std::string line) {
  log_.push_back(std::move(line));
  Label* view = FindAs<Label>("lblLog");
  if (view == nullptr) return;
  std::string text;
  const size_t from = log_.size() > kLogLines ? log_.size() - kLogLines : 0;
  for (size_t i = from; i < log_.size(); ++i)
    text += (text.empty() ? "" : "\r\n") + log_[i];
  view->SetCaption(text);
}

}  // namespace feriant::lumatrel_container
