#include "controls/SpinEdit/spin_edit.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <span>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "controls/support/errors.h"
#include "controls/support/font_keys.h"
#include "controls/support/gfx.h"
#include "controls/support/identities.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/input_codes.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
namespace ids = spin_edit::dispid;

// Design geometry, twips.
constexpr int kDesignWidth = 3615;
constexpr int kDesignHeight = 315;
constexpr int kTextLeft = 15;
constexpr int kFrameHeight = 60;  // the control is this much taller than the button
constexpr int kRightMargin = 75;  // besides the button's width, right of the text box

// Auto-repeat, milliseconds.
constexpr int kFirstRepeat = 300;
constexpr int kRepeat = 80;

// Key codes the text box handles.
constexpr int kKeyPageUp = 33;
constexpr int kKeyPageDown = 34;
constexpr int kKeyUp = 38;
constexpr int kKeyDown = 40;

// The button images: 13 x 17 pixels, the key colour marking the background.
constexpr int kFaceWidth = 13;
constexpr int kFaceHeight = 17;
constexpr ui::OleColor kKey = ui::Rgb(255, 0, 255);
constexpr ui::OleColor kDark = ui::Rgb(64, 64, 64);
constexpr ui::OleColor kShadow = ui::Rgb(128, 128, 128);
constexpr ui::OleColor kLight = ui::Rgb(255, 255, 255);
constexpr ui::OleColor kArrow = ui::Rgb(0, 0, 0);

// One half of the button (rows top..bottom inclusive): raised, or sunken when pressed,
// with an arrow pointing up or down in `ink` (and an embossed light copy when disabled).
void DrawHalf(std::vector<ui::OleColor>& px, int top, int bottom, bool pressed, bool up,
              ui::OleColor ink, bool embossed) {
  auto set = [&](int x, int y, ui::OleColor c) { px[static_cast<size_t>(y * kFaceWidth + x)] = c; };
  const ui::OleColor outer_lit = pressed ? kDark : kLight;
  const ui::OleColor outer_dim = pressed ? kLight : kDark;
  const ui::OleColor inner_dim = pressed ? kKey : kShadow;
  for (int x = 0; x < kFaceWidth; ++x) {
    set(x, top, outer_lit);
    set(x, bottom, outer_dim);
    if (bottom - 1 > top) set(x, bottom - 1, x == 0 ? outer_lit : inner_dim);
  }
  for (int y = top; y <= bottom; ++y) {
    set(0, y, y == bottom ? outer_dim : outer_lit);
    set(kFaceWidth - 1, y, outer_dim);
    if (y > top && y < bottom) set(kFaceWidth - 2, y, inner_dim);
  }
  // An arrow of three rows, 5, 3 and 1 pixels wide, centred in the half.
  const int shift = pressed ? 1 : 0;
  const int middle = (top + bottom) / 2 + shift;
  const int cx = kFaceWidth / 2 + shift - 1;
  for (int row = 0; row < 3; ++row) {
    const int half_width = 2 - row;
    const int y = up ? middle + 1 - row : middle - 1 + row;
    for (int x = cx - half_width; x <= cx + half_width; ++x) {
      if (embossed) set(x + 1, y + 1, kLight);
      set(x, y, ink);
    }
  }
}

std::shared_ptr<ui::StdPicture> MakeFace(SpinEdit::Face face) {
  std::vector<ui::OleColor> px(static_cast<size_t>(kFaceWidth * kFaceHeight), kKey);
  const bool disabled = face == SpinEdit::Face::kDisabled;
  const ui::OleColor ink = disabled ? kShadow : kArrow;
  DrawHalf(px, 0, 8, face == SpinEdit::Face::kUpperPressed, /*up=*/true, ink, disabled);
  DrawHalf(px, 8, kFaceHeight - 1, face == SpinEdit::Face::kLowerPressed, /*up=*/false, ink,
           disabled);
  auto picture = ui::StdPicture::FromPixels(kFaceWidth, kFaceHeight, px);
  return picture ? *picture : ui::StdPicture::Empty();
}

// The text as a number, the way the desktop's numeric test reads it: blanks around,
// a sign, digits with at most one decimal point, an optional exponent. Read the same in
// every locale (the decimal point is '.'). No number: none.
std::optional<double> ParseNumber(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())))
    text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
    text.remove_suffix(1);
  // from_chars takes a minus sign only.
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  // Nor hexadecimal, infinities or NaN: only digits, point, signs and an exponent.
  for (char c : text) {
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '+' || c == '-' ||
          c == 'e' || c == 'E'))
      return std::nullopt;
  }
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// A whole number, rounded half to even as the desktop's conversion does. Kept as a
// double: the caller compares it with the limits before it narrows.
double Whole(double number) {
  return std::nearbyint(number);
}

std::int32_t Clamp64(std::int64_t v) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

template <class Fn>
void ReadInt(ui::PropertyBag& bag, std::string_view key, std::int32_t default_value, Fn apply) {
  if (auto stored = bag.ReadProperty(key, default_value)) {
    if (auto number = ui::members::FromVariant<int>(*stored)) apply(*number);
  }
}

template <class Fn>
void ReadBool(ui::PropertyBag& bag, std::string_view key, const Variant& default_value, Fn apply) {
  if (auto stored = bag.ReadProperty(key, default_value)) {
    if (auto flag = stored->ToBool()) apply(*flag);
  }
}

}  // namespace

SpinEdit::SpinEdit()
    : UserControlImpl("SpinEdit", spin_edit::kClassId, spin_edit::kEventInterfaceId) {
  SetInitialSize(kDesignWidth, kDesignHeight);
  (void)SetBackColor(ui::system_color::kWindowBackground);

  txt_ = &Add<ui::TextBox>("txt");
  (void)txt_->Move(0, 0, 2235, 315);
  (void)txt_->SetBackColor(ui::system_color::kWindowBackground);
  txt_->Change().Connect([this] { OnTextChanged(); });
  txt_->KeyDown().Connect([this](int& key_code, int shift) { OnKeyDown(key_code, shift); });
  txt_->KeyUp().Connect([this](int& key_code, int shift) { OnKeyUp(key_code, shift); });

  tim_ = &Add<ui::Timer>("tim");
  tim_->Tick().Connect([this] { Tick(); });

  // The images blend with the button face as it is when the control is made.
  for (int i = 0; i < 4; ++i) {
    faces_[static_cast<size_t>(i)] = MakeFace(static_cast<Face>(i));
    ReplaceColor(*faces_[static_cast<size_t>(i)], kKey, ui::system_color::kButtonFace);
  }
}

const automation::Members<SpinEdit>& SpinEdit::Interface() {
  static const automation::Members<SpinEdit> members = [] {
    using ui::members::Getter;
    using ui::members::Setter;
    using S = SpinEdit;
    using Args = std::span<Variant>;
    automation::Members<SpinEdit> m;
    auto number = [&m](const char* name, automation::DispId id, std::int32_t (S::*get)() const,
                       void (S::*put)(std::int32_t)) {
      m.Get(name, id, [get](S& self, Args) -> Result<Variant> {
         return Variant((self.*get)());
       }).Put(name, id, Setter<S, int>([put](S& self, int v) { (self.*put)(v); }));
    };
    number("Value", ids::kValue, &S::Value, &S::SetValue);
    number("Min", ids::kMin, &S::Min, &S::SetMin);
    number("Max", ids::kMax, &S::Max, &S::SetMax);
    number("StepSmall", ids::kStepSmall, &S::StepSmall, &S::SetStepSmall);
    number("StepBig", ids::kStepBig, &S::StepBig, &S::SetStepBig);
    m.Get("Text", ids::kText, Getter<S>(&S::Text))
        .Put("EditEnabled", ids::kEditEnabled, Setter<S, bool>(&S::SetEditEnabled))
        .Get("EditEnabled", ids::kEditEnabled, Getter<S>(&S::EditEnabled))
        .Method("IsValid", ids::kIsValid,
                [](S& self, Args, std::span<const automation::NamedArg>) -> Result<Variant> {
                  return Variant(self.IsValid());
                })
        .Get("BackColor", ids::kBackColor,
             [](S& self, Args) -> Result<Variant> {
               return ui::members::ColorToVariant(self.EditBackColor());
             })
        .Put("BackColor", ids::kBackColor,
             [](S& self, Args args) -> Status {
               auto color = ui::members::ColorFromVariant(args.back());
               if (!color) return color.error();
               return self.SetEditBackColor(*color);
             })
        .Get("Enabled", ids::kEnabled, Getter<S>(&S::EditBoxEnabled))
        .Put("Enabled", ids::kEnabled, Setter<S, bool>(&S::SetEditBoxEnabled))
        .Get("Font", ids::kFont, Getter<S>(&S::EditFont))
        .PutRef("Font", ids::kFont, Setter<S, std::shared_ptr<ui::StdFont>>(&S::SetEditFont));
    return m;
  }();
  return members;
}

void SpinEdit::SetValue(std::int32_t value) {
  if (value < min_) {
    value = min_;
  } else if (value > max_) {
    value = max_;
  }
  value_ = value;
  Variant shown(std::to_string(value));
  RaiseEvent(spin_edit::event::kMapForDisplay, std::span<Variant>(&shown, 1));
  updating_ = true;
  txt_->SetText(shown.ToString().value_or(std::to_string(value)));
  updating_ = false;
  PropertyChanged();
}

void SpinEdit::SetMin(std::int32_t value) {
  min_ = value;
  SetValue(value_);
  PropertyChanged();
}

void SpinEdit::SetMax(std::int32_t value) {
  max_ = value;
  SetValue(value_);
  PropertyChanged();
}

void SpinEdit::SetStepSmall(std::int32_t value) {
  step_small_ = value;
  PropertyChanged();
}

void SpinEdit::SetStepBig(std::int32_t value) {
  step_big_ = value;
  PropertyChanged();
}

void SpinEdit::SetEditEnabled(bool value) {
  txt_->SetLocked(!value);
  PropertyChanged();
}

std::int32_t SpinEdit::IsValid() const {
  const auto number = ParseNumber(txt_->Text());
  if (!number) return text_valid::kNotNumeric;
  const double whole = Whole(*number);
  if (whole > max_ || whole < min_) return text_valid::kOutOfBounds;
  return text_valid::kYes;
}

void SpinEdit::SetEditBoxEnabled(bool value) {
  txt_->SetEnabled(value);
  enabled_ = value;
  PropertyChanged("Enabled");
  BringToFront(value ? Face::kNormal : Face::kDisabled);
}

void SpinEdit::SetEditFont(std::shared_ptr<ui::StdFont> font) {
  if (!font) return;
  txt_->SetFont(std::move(font));
  PropertyChanged("Font");
}

int SpinEdit::ButtonLeft() const {
  return txt_->Left() + txt_->Width();
}

int SpinEdit::ButtonTop() const {
  // Centred like the text box, in the frame the control keeps around it.
  return (Height() - faces_[0]->HeightTwips()) / 2;
}

void SpinEdit::SpinStart(std::int64_t step) {
  BringToFront(step < 0 ? Face::kLowerPressed : Face::kUpperPressed);
  spin_step_ = step;
  Tick();
  (void)tim_->SetInterval(kFirstRepeat);
}

void SpinEdit::Tick() {
  if (!enabled_) return;
  (void)tim_->SetInterval(kRepeat);
  // Wide: a step near the 32-bit limits must not wrap around to the other end.
  StepTo(Clamp64(spin_step_ + value_));
}

void SpinEdit::StepTo(std::int32_t value) {
  SetValue(value);
  (void)txt_->SetSelStart(static_cast<int>(txt_->Text().size()));
  (void)txt_->SetSelLength(0);
  RaiseEvent(spin_edit::event::kChange);
}

void SpinEdit::SpinStop() {
  BringToFront(enabled_ ? Face::kNormal : Face::kDisabled);
  (void)tim_->SetInterval(0);
}

void SpinEdit::BringToFront(Face face) {
  if (front_ == face) return;
  front_ = face;
  Refresh();
}

std::int32_t SpinEdit::StepFor(int shift_state) const {
  return (shift_state & ui::shift::kShift) != 0 ? step_big_ : step_small_;
}

void SpinEdit::OnTextChanged() {
  if (updating_) return;
  const auto number = ParseNumber(txt_->Text());
  if (!number) {
    value_ = min_;
  } else {
    // Compared before narrowing: a number beyond 32 bits is beyond a limit as well.
    const double whole = Whole(*number);
    if (whole < min_) {
      value_ = min_;
    } else if (whole > max_) {
      value_ = max_;
    } else {
      value_ = static_cast<std::int32_t>(whole);
    }
  }
  RaiseEvent(spin_edit::event::kChange);
}

void SpinEdit::OnKeyDown(int& key_code, int shift_state) {
  if (!enabled_) return;
  switch (key_code) {
    case kKeyDown:
      SpinStart(-std::int64_t{StepFor(shift_state)});
      break;
    case kKeyUp:
      SpinStart(StepFor(shift_state));
      break;
    case kKeyPageDown:
      StepTo(min_);
      break;
    case kKeyPageUp:
      StepTo(max_);
      break;
    default:
      return;
  }
  key_code = 0;
}

void SpinEdit::OnKeyUp(int& key_code, int /*shift_state*/) {
  if (!enabled_ || (key_code != kKeyDown && key_code != kKeyUp)) return;
  SpinStop();
  key_code = 0;
}

void SpinEdit::OnMouseDown(int button, int shift_state, int x, int y) {
  const int left = ButtonLeft();
  const int top = ButtonTop();
  const int height = faces_[0]->HeightTwips();
  if (x < left || x >= left + faces_[0]->WidthTwips() || y < top || y >= top + height) return;
  last_button_ = button;
  if (button != ui::mouse_button::kLeft || !enabled_) return;
  const std::int64_t step = StepFor(shift_state);
  SpinStart(y - top <= height / 2 ? step : -step);
}

void SpinEdit::OnMouseUp(int button, int /*shift_state*/, int /*x*/, int /*y*/) {
  if (button == ui::mouse_button::kLeft) SpinStop();
}

void SpinEdit::OnDblClick() {
  if (last_button_ == ui::mouse_button::kLeft) Tick();
}

void SpinEdit::OnResize() {
  // Each step on its own: a control too narrow for the text box keeps the others.
  const int face_height = faces_[0]->HeightTwips();
  const int height = face_height + kFrameHeight;
  if (Height() != height) {
    // The resize this causes arranges the rest.
    if (SetHeight(height)) return;
  }
  (void)txt_->SetHeight(face_height);
  (void)txt_->SetTop(Height() / 2 - face_height / 2);
  (void)txt_->SetLeft(kTextLeft);
  (void)txt_->SetWidth(Width() - faces_[0]->WidthTwips() - kRightMargin);
  Refresh();
}

void SpinEdit::OnPaint() {
  Drawing().DrawPicture(faces_[static_cast<size_t>(front_)], ButtonLeft(), ButtonTop());
}

void SpinEdit::OnInitProperties() {
  min_ = 0;
  max_ = 100;
  step_small_ = 1;
  step_big_ = 10;
  (void)txt_->SetBackColor(ui::system_color::kWindowBackground);
  SetValue(0);
  txt_->SetLocked(false);
  txt_->SetEnabled(true);
}

void SpinEdit::OnReadProperties(ui::PropertyBag& bag) {
  ReadInt(bag, "Min", 0, [this](int v) { min_ = v; });
  ReadInt(bag, "Max", 100, [this](int v) { max_ = v; });
  ReadInt(bag, "StepSmall", 1, [this](int v) { step_small_ = v; });
  ReadInt(bag, "StepBig", 10, [this](int v) { step_big_ = v; });
  if (auto stored = bag.ReadProperty(
          "BackColor", ui::members::ColorToVariant(ui::system_color::kWindowBackground))) {
    if (auto color = ui::members::ColorFromVariant(*stored)) (void)txt_->SetBackColor(*color);
  }
  ReadInt(bag, "Value", 0, [this](int v) { SetValue(v); });
  ReadBool(bag, "EditEnabled", Variant(true), [this](bool v) { txt_->SetLocked(!v); });
  ReadBool(bag, "Enabled", Variant(true), [this](bool v) {
    enabled_ = v;
    txt_->SetEnabled(v);
    BringToFront(v ? Face::kNormal : Face::kDisabled);
  });
  SetEditFont(ReadFontKeys(bag));
}

void SpinEdit::OnWriteProperties(ui::PropertyBag& bag) {
  RaiseIfFailed(bag.WriteProperty("Min", min_, 0));
  RaiseIfFailed(bag.WriteProperty("Max", max_, 100));
  RaiseIfFailed(bag.WriteProperty("StepSmall", step_small_, 1));
  RaiseIfFailed(bag.WriteProperty("StepBig", step_big_, 10));
  RaiseIfFailed(bag.WriteProperty("Value", value_, 0));
  RaiseIfFailed(bag.WriteProperty("EditEnabled", EditEnabled(), true));
  RaiseIfFailed(
      bag.WriteProperty("BackColor", ui::members::ColorToVariant(EditBackColor()),
                        ui::members::ColorToVariant(ui::system_color::kWindowBackground)));
  RaiseIfFailed(bag.WriteProperty("Enabled", enabled_, true));
  WriteFontKeys(bag, *EditFont());
}

}  // namespace feriant::lumatrel
