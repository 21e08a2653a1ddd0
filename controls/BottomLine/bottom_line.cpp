#include "controls/BottomLine/bottom_line.h"

#include <string_view>
#include <utility>

#include "controls/BottomLine/logo_blend.h"
#include "controls/support/errors.h"
#include "controls/support/font_keys.h"
#include "controls/support/identities.h"
#include "controls/support/logo.h"
#include "platform/ui/common/color.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::DispId;
using automation::Variant;
using Button = BottomLine::Button;
namespace ids = bottom_line::dispid;
namespace events = bottom_line::event;

// Geometry, twips.
constexpr int kDesignWidth = 7305;  // the Apply button 120 from the right edge
constexpr int kBarHeight = 795;
constexpr int kButtonTop = 300;
constexpr int kButtonHeight = 345;
constexpr int kButtonWidth = 1125;  // for captions up to kWidestFit
constexpr int kWidestFit = 975;     // a wider caption makes the button caption + kCaptionPad
constexpr int kCaptionPad = 150;
constexpr int kRightMargin = 120;
constexpr int kGroupGap = 95;
constexpr int kLogoGap = 200;         // between the left separator and the logo's far end
constexpr int kSeparatorEnd = 10000;  // trimmed to the bar's width by the resize rule

struct ButtonInfo {
  std::string_view name;  // properties are "cmd" + name + "Visible" / "Enabled" / "Caption"
  int left;               // design position
  int tab_index;
  std::string_view caption;  // of a new instance, and the store's default
  DispId visible_id;         // Enabled and Caption follow
  DispId simulate_id;
  DispId set_focus_id;
};

// Indexed by Button.
constexpr ButtonInfo kButtons[BottomLine::kButtonCount] = {
    {"OK", 3720, 0, "OK", ids::kCmdOKVisible, ids::kSimulateOKClick, ids::kSetFocusOK},
    {"Cancel", 4860, 1, "Cancel", ids::kCmdCancelVisible, ids::kSimulateCancelClick,
     ids::kSetFocusCancel},
    {"Apply", 6060, 2, "Apply", ids::kCmdApplyVisible, ids::kSimulateApplyClick,
     ids::kSetFocusApply},
    {"Next", 2520, 4, "Next", ids::kCmdNextVisible, ids::kSimulateNextClick, ids::kSetFocusNext},
    {"Back", 1380, 3, "Back", ids::kCmdBackVisible, ids::kSimulateBackClick, ids::kSetFocusBack},
    {"Help", 180, 5, "Help", ids::kCmdHelpVisible, ids::kSimulateHelpClick, ids::kSetFocusHelp},
};

const ButtonInfo& Info(Button button) {
  return kButtons[static_cast<size_t>(button)];
}

std::string Key(Button button, std::string_view property) {
  return "cmd" + std::string(Info(button).name) + std::string(property);
}

// The order of the keys in the store.
constexpr Button kStoreOrder[] = {Button::kApply, Button::kBack, Button::kCancel,
                                  Button::kHelp,  Button::kNext, Button::kOK};

bool IsTrue(const Variant& value) {
  return value.ToBool().value_or(false);
}

template <class Apply>
void ReadBool(ui::PropertyBag& bag, std::string_view key, const Variant& default_value,
              Apply apply) {
  if (auto value = bag.ReadProperty(key, default_value)) {
    if (auto flag = value->ToBool()) apply(*flag);
  }
}

using Members = automation::Members<BottomLine>;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;

void AddButtonProperties(Members& m, Button b) {
  using ui::members::Getter;
  using ui::members::Setter;
  const DispId id = Info(b).visible_id;
  m.Put(Key(b, "Visible"), id,
        Setter<BottomLine, bool>([b](BottomLine& s, bool v) { s.SetButtonVisible(b, v); }))
      .Get(Key(b, "Visible"), id,
           Getter<BottomLine>([b](BottomLine& s) { return s.ButtonVisible(b); }))
      .Put(Key(b, "Enabled"), id + 1,
           Setter<BottomLine, bool>([b](BottomLine& s, bool v) { s.SetButtonEnabled(b, v); }))
      .Get(Key(b, "Enabled"), id + 1,
           Getter<BottomLine>([b](BottomLine& s) { return s.ButtonEnabled(b); }))
      .Put(Key(b, "Caption"), id + 2,
           Setter<BottomLine, std::string>(
               [b](BottomLine& s, std::string v) { s.SetButtonCaption(b, std::move(v)); }))
      .Get(Key(b, "Caption"), id + 2,
           Getter<BottomLine>([b](BottomLine& s) { return s.ButtonCaption(b); }));
}

void AddSimulate(Members& m, Button b) {
  m.Method("Simulate" + std::string(Info(b).name) + "Click", Info(b).simulate_id,
           [b](BottomLine& s, Args, Named) -> Result<Variant> {
             s.SimulateClick(b);
             return Variant();
           });
}

void AddSetFocus(Members& m, Button b) {
  m.Method("SetFocus" + std::string(Info(b).name), Info(b).set_focus_id,
           [b](BottomLine& s, Args, Named) -> Result<Variant> {
             if (Status status = s.SetFocusOn(b); !status) return status.error();
             return Variant();
           });
}

}  // namespace

BottomLine::BottomLine()
    : UserControlImpl("BottomLine", bottom_line::kClassId, bottom_line::kEventInterfaceId) {
  SetInitialSize(kDesignWidth, kBarHeight);
  SetControlContainer(true);

  // Created in tab order, so that the other constituents follow the buttons.
  for (Button b : {Button::kOK, Button::kCancel, Button::kApply, Button::kBack, Button::kNext,
                   Button::kHelp}) {
    const ButtonInfo& info = Info(b);
    ui::CommandButton& button = Add<ui::CommandButton>("cmd" + std::string(info.name));
    (void)button.Move(info.left, kButtonTop, kButtonWidth, kButtonHeight);
    (void)button.SetTabIndex(info.tab_index);
    button.Click().Connect([this, b] { SimulateClick(b); });
    buttons_[Index(b)] = &button;
  }
  Cmd(Button::kOK).SetDefault(true);
  Cmd(Button::kCancel).SetCancel(true);

  logo_ = &Add<ui::PictureBox>("imgLogo");
  (void)logo_->Move(240, 30, 2190, 210);
  logo_->SetPicture(MakeLogo());
  logo_mask_ = &Add<ui::PictureBox>("imgLogoTrans");
  (void)logo_mask_->Move(2460, 60, 2190, 210);
  logo_mask_->SetPicture(MakeLogoMask());
  logo_mask_->SetVisible(false);

  const ui::OleColor white = ui::Rgb(255, 255, 255);
  gray_left_ = &Add<ui::Line>("lineGrayLeft");
  (void)gray_left_->SetBorderColor(ui::system_color::kGrayText);
  gray_left_->SetPoints(0, 100, 150, 100);
  white_left_ = &Add<ui::Line>("lineWhiteLeft");
  (void)white_left_->SetBorderColor(white);
  white_left_->SetPoints(0, 180, 150, 180);
  gray_ = &Add<ui::Line>("lineGray");
  (void)gray_->SetBorderColor(ui::system_color::kGrayText);
  gray_->SetPoints(1740, 100, 4980, 100);
  white_ = &Add<ui::Line>("lineWhite");
  (void)white_->SetBorderColor(white);
  white_->SetPoints(1800, 180, 4980, 180);

  // The etched separator: grey on top, white one screen pixel below, the long part
  // starting past the logo.
  const int pixel = ui::CurrentBackend().TwipsPerPixelY();
  white_->SetY1(gray_->Y1() + pixel);
  white_left_->SetY1(gray_left_->Y1() + pixel);
  gray_->SetY2(gray_->Y1());
  gray_left_->SetY2(gray_left_->Y1());
  white_->SetY2(white_->Y1());
  white_left_->SetY2(white_left_->Y1());
  const int start = gray_left_->X2() + kLogoGap + logo_->Width();
  gray_->SetX1(start);
  white_->SetX1(start);
  gray_->SetX2(kSeparatorEnd);
  white_->SetX2(kSeparatorEnd);
}

const Members& BottomLine::Interface() {
  static const Members members = [] {
    using ui::members::Getter;
    using ui::members::Setter;
    Members m;
    m.Put("AutoOKCancelApply", ids::kAutoOKCancelApply,
          Setter<BottomLine, bool>(&BottomLine::SetAutoOKCancelApply))
        .Get("AutoOKCancelApply", ids::kAutoOKCancelApply,
             Getter<BottomLine>(&BottomLine::AutoOKCancelApply));
    for (Button b : {Button::kOK, Button::kCancel, Button::kApply, Button::kNext, Button::kBack})
      AddButtonProperties(m, b);
    for (Button b : {Button::kApply, Button::kBack, Button::kCancel, Button::kNext, Button::kOK})
      AddSimulate(m, b);
    AddButtonProperties(m, Button::kHelp);
    AddSimulate(m, Button::kHelp);
    m.Get("Font", ids::kFont, Getter<BottomLine>(&BottomLine::ButtonFont))
        .PutRef("Font", ids::kFont,
                Setter<BottomLine, std::shared_ptr<ui::StdFont>>(
                    [](BottomLine& s, std::shared_ptr<ui::StdFont> font) { s.CopyFont(*font); }));
    for (Button b : {Button::kOK, Button::kCancel, Button::kHelp, Button::kBack, Button::kNext,
                     Button::kApply})
      AddSetFocus(m, b);
    return m;
  }();
  return members;
}

void BottomLine::SetAutoOKCancelApply(bool value) {
  auto_ok_cancel_apply_ = value;
  PropertyChanged();
}

bool BottomLine::ButtonVisible(Button button) const {
  return Cmd(button).IsShown();
}

void BottomLine::SetButtonVisible(Button button, bool visible) {
  visible_[Index(button)] = visible;
  Cmd(button).SetVisible(visible);
  Layout();
  PropertyChanged();
}

bool BottomLine::ButtonEnabled(Button button) const {
  return Cmd(button).Enabled();
}

void BottomLine::SetButtonEnabled(Button button, bool enabled) {
  Cmd(button).SetEnabled(enabled);
  PropertyChanged();
}

const std::string& BottomLine::ButtonCaption(Button button) const {
  return Cmd(button).Caption();
}

void BottomLine::SetButtonCaption(Button button, std::string caption) {
  FitWidth(button, caption);
  Cmd(button).SetCaption(std::move(caption));
  Layout();
  PropertyChanged();
}

void BottomLine::FitWidth(Button button, const std::string& caption) {
  // Measured in the bar's own font, which Font put leaves alone.
  const int text = TextWidth(caption);
  (void)Cmd(button).SetWidth(text > kWidestFit ? text + kCaptionPad : kButtonWidth);
}

void BottomLine::Layout() {
  // Right to left from the right edge; each visible button's right edge at x.
  int x = Width() - kRightMargin;
  auto place = [&](Button b) {
    ui::CommandButton& button = Cmd(b);
    if (!button.Visible()) return false;
    (void)button.SetLeft(x - button.Width());
    x -= button.Width();
    return true;
  };
  if (place(Button::kApply)) x -= kGroupGap;
  const bool cancel = place(Button::kCancel);
  const bool ok = place(Button::kOK);
  if (cancel || ok) x -= kGroupGap;
  const bool next = place(Button::kNext);
  const bool back = place(Button::kBack);
  if (next || back) x -= kGroupGap;
  place(Button::kHelp);
}

void BottomLine::ApplyResizeRule() {
  // The nested resize that this causes runs the whole rule at the right height.
  if (Height() != kBarHeight) (void)SetHeight(kBarHeight);
  Layout();
  gray_->SetX2(Width());
  white_->SetX2(Width());
}

void BottomLine::SimulateClick(Button button) {
  auto keep = weak_from_this().lock();
  ui::CommandButton& cmd = Cmd(button);
  if (!cmd.Enabled() || !cmd.IsShown()) return;
  switch (button) {
    case Button::kOK:
      ClickOK();
      break;
    case Button::kCancel:
      ClickCancel();
      break;
    case Button::kApply: {
      // The handler's Cancel has no effect on a plain Apply.
      Variant args[] = {Variant(false), Variant(false)};
      RaiseEvent(events::kCmdApplyClick, args);
      break;
    }
    case Button::kNext:
      RaiseEvent(events::kCmdNextClick);
      break;
    case Button::kBack:
      RaiseEvent(events::kCmdBackClick);
      break;
    case Button::kHelp:
      RaiseEvent(events::kCmdHelpClick);
      break;
  }
}

void BottomLine::ClickOK() {
  Variant cancel(false);
  // OK applies first, whether or not the Apply button is visible.
  if (Cmd(Button::kApply).Enabled() && auto_ok_cancel_apply_) {
    Variant args[] = {cancel, Variant(true)};
    RaiseEvent(events::kCmdApplyClick, args);
    cancel = args[0];
    if (IsTrue(cancel)) return;
  }
  Variant args[] = {cancel};
  RaiseEvent(events::kCmdOKClick, args);
  if (auto_ok_cancel_apply_ && !IsTrue(args[0])) UnloadForm();
}

void BottomLine::ClickCancel() {
  Variant args[] = {Variant(false)};
  RaiseEvent(events::kCmdCancelClick, args);
  if (auto_ok_cancel_apply_ && !IsTrue(args[0])) UnloadForm();
}

void BottomLine::UnloadForm() {
  // The form may refuse (its own handlers cancel, or it is unloading already); the bar
  // has nothing to add to that.
  if (ui::Form* form = OwnerForm()) (void)form->Unload();
}

Status BottomLine::SetFocusOn(Button button) {
  return Cmd(button).SetFocus();
}

std::shared_ptr<ui::StdFont> BottomLine::ButtonFont() const {
  const ui::FontDesc& apply = Cmd(Button::kApply).Font()->Desc();
  ui::FontDesc copy;
  copy.name = apply.name;
  copy.bold = apply.bold;
  copy.italic = apply.italic;
  copy.size = apply.size;
  copy.underline = apply.underline;
  copy.strikethrough = apply.strikethrough;
  return ui::StdFont::Create(copy);
}

void BottomLine::CopyFont(const ui::StdFont& font) {
  const ui::FontDesc source = font.Desc();  // a copy: `font` may be a button's own
  for (Button b : {Button::kApply, Button::kBack, Button::kNext, Button::kOK, Button::kCancel,
                   Button::kHelp}) {
    ui::StdFont& target = *Cmd(b).Font();
    target.SetBold(source.bold);
    target.SetItalic(source.italic);
    (void)target.SetName(source.name);  // a font object's face name is never empty
    (void)target.SetSize(source.size);  // nor its size out of range
    target.SetStrikethrough(source.strikethrough);
    target.SetUnderline(source.underline);
  }
  PropertyChanged("Font");
}

void BottomLine::OnInitProperties() {
  for (auto [b, visible] : {std::pair{Button::kHelp, false}, std::pair{Button::kApply, true},
                            std::pair{Button::kOK, true}, std::pair{Button::kCancel, true},
                            std::pair{Button::kNext, false}, std::pair{Button::kBack, false}})
    SetButtonVisible(b, visible);
  const Button order[] = {Button::kHelp,   Button::kApply, Button::kOK,
                          Button::kCancel, Button::kNext,  Button::kBack};
  for (Button b : order)
    SetButtonEnabled(b, true);
  for (Button b : order)
    SetButtonCaption(b, std::string(Info(b).caption));
  SetAutoOKCancelApply(true);
  if (ui::Extender* site = Site()) {
    (void)site->SetAlign(ui::align::kBottom);
    site->SetCancel(true);
    site->SetDefault(true);
  }
}

void BottomLine::OnReadProperties(ui::PropertyBag& bag) {
  ReadBool(bag, "AutoOKCancelApply", true, [this](bool v) { SetAutoOKCancelApply(v); });
  for (Button b : kStoreOrder) {
    ReadBool(bag, Key(b, "Visible"), Variant::Missing(),
             [this, b](bool v) { SetButtonVisible(b, v); });
  }
  // Captions and enabled states go straight into the buttons: a stored form keeps the
  // widths and places it was saved with.
  for (Button b : kStoreOrder) {
    if (auto caption = bag.ReadProperty(Key(b, "Caption"), Info(b).caption)) {
      if (auto text = caption->ToString()) Cmd(b).SetCaption(*text);
    }
  }
  for (Button b : kStoreOrder)
    ReadBool(bag, Key(b, "Enabled"), true, [this, b](bool v) { Cmd(b).SetEnabled(v); });

  CopyFont(*ReadFontKeys(bag));
}

void BottomLine::OnWriteProperties(ui::PropertyBag& bag) {
  RaiseIfFailed(bag.WriteProperty("AutoOKCancelApply", auto_ok_cancel_apply_, true));
  for (Button b : kStoreOrder)
    RaiseIfFailed(bag.WriteProperty(Key(b, "Caption"), ButtonCaption(b), Info(b).caption));
  for (Button b : kStoreOrder)
    RaiseIfFailed(bag.WriteProperty(Key(b, "Enabled"), ButtonEnabled(b), true));
  for (Button b : kStoreOrder)
    RaiseIfFailed(bag.WriteProperty(Key(b, "Visible"), VisibilityFlag(b)));
  WriteFontKeys(bag, *ButtonFont());
}

void BottomLine::OnResize() {
  ApplyResizeRule();
}

void BottomLine::OnShow() {
  Layout();
}

void BottomLine::OnPaint() {
  if (logo_done_) return;
  logo_done_ = true;
  const ui::Backend& backend = ui::CurrentBackend();
  const int twips_x = backend.TwipsPerPixelX();
  const int twips_y = backend.TwipsPerPixelY();
  if (twips_x > 0 && twips_y > 0) {
    // The face colour is read once for the whole logo.
    BlendLogo(*logo_->Picture(), *logo_mask_->Picture(),
              ui::ResolveColor(ui::system_color::kButtonFace), logo_->Width() / twips_x,
              logo_->Height() / twips_y);
  }
  ApplyResizeRule();
}

}  // namespace feriant::lumatrel
