#include "platform/ui/core/form.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <vector>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/member_helpers.h"
#include "platform/ui/core/window.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

Form::Form(std::string name)
    : ControlHost(/*windowed=*/false),
      name_(std::move(name)),
      caption_(name_),
      font_(StdFont::Create()) {}

Form::~Form() = default;

const Members<Form>& Form::Interface() {
  static const Members<Form> members = [] {
    Members<Form> m;
    using Args = std::span<Variant>;
    using Named = std::span<const automation::NamedArg>;
    m.Get("Name", dispid::kName, members::Getter<Form>(&Form::Name))
        .Get("Caption", dispid::kCaption, members::Getter<Form>(&Form::Caption))
        .Put("Caption", dispid::kCaption,
             members::Setter<Form, std::string>(
                 [](Form& f, std::string v) { f.SetCaption(std::move(v)); }))
        .Get("Left", dispid::kLeft, members::Getter<Form>(&Form::Left))
        .Put("Left", dispid::kLeft,
             members::Setter<Form, int>([](Form& f, int v) { f.SetPosition(v, f.Top()); }))
        .Get("Top", dispid::kTop, members::Getter<Form>(&Form::Top))
        .Put("Top", dispid::kTop,
             members::Setter<Form, int>([](Form& f, int v) { f.SetPosition(f.Left(), v); }))
        .Get("Width", dispid::kWidth, members::Getter<Form>(&Form::Width))
        .Put("Width", dispid::kWidth, members::Setter<Form, int>(&Form::SetWidth))
        .Get("Height", dispid::kHeight, members::Getter<Form>(&Form::Height))
        .Put("Height", dispid::kHeight, members::Setter<Form, int>(&Form::SetHeight))
        .Get("ScaleWidth", dispid::kScaleWidth,
             members::Getter<Form>([](Form& f) { return f.ScaleWidth(); }))
        .Get("ScaleHeight", dispid::kScaleHeight,
             members::Getter<Form>([](Form& f) { return f.ScaleHeight(); }))
        .Get("Visible", dispid::kVisible, members::Getter<Form>(&Form::Visible))
        .Put("Visible", dispid::kVisible,
             [](Form& f, Args a) -> Status {
               auto visible = a.back().ToBool();
               if (!visible) return visible.error();
               if (*visible) return f.Show(false);
               f.Hide();
               return Ok();
             })
        .Get("Enabled", dispid::kEnabled, members::Getter<Form>(&Form::Enabled))
        .Put("Enabled", dispid::kEnabled, members::Setter<Form, bool>(&Form::SetEnabled))
        .Get("KeyPreview", dispid::kKeyPreview, members::Getter<Form>(&Form::KeyPreview))
        .Put("KeyPreview", dispid::kKeyPreview, members::Setter<Form, bool>(&Form::SetKeyPreview))
        .Get("hWnd", dispid::kHwnd,
             members::Getter<Form>([](Form& f) { return static_cast<int>(f.hWnd()); }))
        .Get("Font", dispid::kFont, members::Getter<Form>(&Form::Font))
        .Get("BackColor", dispid::kBackColor, members::ColorGetter<Form>(&Form::BackColor))
        .Put("BackColor", dispid::kBackColor, members::ColorSetter<Form>(&Form::SetBackColor))
        .Get("ForeColor", dispid::kForeColor, members::ColorGetter<Form>(&Form::ForeColor))
        .Put("ForeColor", dispid::kForeColor, members::ColorSetter<Form>(&Form::SetForeColor))
        .Get("ControlCount", dispid::kControlCount,
             members::Getter<Form>([](Form& f) { return static_cast<int>(f.Controls().size()); }))
        .Get("Controls", dispid::kControls,
             [](Form& f, Args args) -> Result<Variant> {
               // Controls(name) or Controls(position, 0-based); without an argument, all.
               if (args.empty()) {
                 automation::VariantArray all;
                 for (const auto& control : f.Controls())
                   all.emplace_back(automation::ObjectRef(control));
                 return Variant(std::move(all));
               }
               Control* found = nullptr;
               if (const std::string* name = args[0].AsString()) {
                 found = f.Find(*name);
               } else {
                 auto position = args[0].ToI4();
                 if (!position) return position.error();
                 if (*position >= 0 && static_cast<size_t>(*position) < f.Controls().size())
                   found = f.Controls()[static_cast<size_t>(*position)].get();
               }
               if (found == nullptr) return automation::MakeError(automation::hresult::kBadIndex);
               return Variant(automation::ObjectRef(found->weak_from_this().lock()));
             })
        .Method("Show", dispid::kShow,
                [](Form& f, Args args, Named named) -> Result<Variant> {
                  // Show [Modal]: 1 (vbModal) shows modally.
                  Variant modal = automation::ArgumentOf(args, named, "Modal", 0);
                  bool is_modal = false;
                  if (!modal.IsMissing()) {
                    auto value = modal.ToI4();
                    if (!value) return value.error();
                    is_modal = *value == 1;
                  }
                  if (Status s = f.Show(is_modal); !s) return s.error();
                  return Variant();
                })
        .Method("Hide", dispid::kHide,
                [](Form& f, Args, Named) -> Result<Variant> {
                  f.Hide();
                  return Variant();
                })
        .Method("Unload", dispid::kUnload, [](Form& f, Args, Named) -> Result<Variant> {
          auto unloaded = f.Unload(UnloadMode::kFormCode);
          if (!unloaded) return unloaded.error();
          return Variant(*unloaded);
        });
    return m;
  }();
  return members;
}

Result<automation::DispId> Form::GetIdOfName(std::string_view name) const {
  return Interface().IdOfName(name);
}

Result<Variant> Form::Invoke(automation::DispId id, automation::InvokeKind kind,
                             std::span<Variant> args, std::span<const automation::NamedArg> named) {
  auto keep = weak_from_this().lock();
  try {
    return Interface().Invoke(*this, id, kind, args, named);
  } catch (const automation::ObjectError& error) {
    return error.error();
  }
}

void Form::SetCaption(std::string caption) {
  if (caption == caption_) return;
  caption_ = std::move(caption);
  NotifyHostChanged("Caption");
}

void Form::SetPosition(int left, int top) {
  if (left == left_ && top == top_) return;
  left_ = left;
  top_ = top;
  NotifyHostChanged("Position");
}

int Form::Width() const {
  return client_width_ + CurrentBackend().FrameWidth(border_style_);
}

int Form::Height() const {
  return client_height_ + CurrentBackend().FrameHeight(border_style_);
}

Status Form::SetClientSize(int width, int height) {
  if (width < 0 || height < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "negative size");
  if (window::IsWindow(hWnd())) {
    AskSizeRange();
    width = std::clamp(width, size_range_.min_width, size_range_.max_width);
    height = std::clamp(height, size_range_.min_height, size_range_.max_height);
  }
  if (width == client_width_ && height == client_height_) return Ok();
  client_width_ = width;
  client_height_ = height;
  NotifyHostChanged("Size");
  Redock();
  if (loaded_) RaiseResize();
  return Ok();
}

void Form::AskSizeRange() {
  // A procedure that resizes the form from inside its answer gets the range it had.
  if (asking_size_) return;
  asking_size_ = true;
  window::MinMaxInfo info = window::DefaultMinMaxInfo();
  (void)window::Send(hWnd(), window::kGetMinMaxInfo, 0, reinterpret_cast<std::intptr_t>(&info));
  asking_size_ = false;
  const Backend& backend = CurrentBackend();
  const int frame_width = backend.FrameWidth(border_style_);
  const int frame_height = backend.FrameHeight(border_style_);
  // The answer is in pixels of the whole window; the range is of the client area.
  auto client = [](std::int32_t pixels, int twips_per_pixel, int frame) {
    const long long twips = static_cast<long long>(pixels) * twips_per_pixel - frame;
    return static_cast<int>(std::clamp<long long>(twips, 0, INT_MAX));
  };
  SizeRange range;
  range.min_width = client(info.min_track_size.x, backend.TwipsPerPixelX(), frame_width);
  range.min_height = client(info.min_track_size.y, backend.TwipsPerPixelY(), frame_height);
  if (info.max_track_size.x < window::kNoLimit) {
    range.max_width = std::max(
        range.min_width, client(info.max_track_size.x, backend.TwipsPerPixelX(), frame_width));
  }
  if (info.max_track_size.y < window::kNoLimit) {
    range.max_height = std::max(
        range.min_height, client(info.max_track_size.y, backend.TwipsPerPixelY(), frame_height));
  }
  if (range == size_range_) return;
  size_range_ = range;
  NotifyHostChanged("SizeRange");
}

Status Form::SetWidth(int width) {
  if (width < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "negative size");
  return SetClientSize(std::max(0, width - CurrentBackend().FrameWidth(border_style_)),
                       client_height_);
}

Status Form::SetHeight(int height) {
  if (height < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "negative size");
  return SetClientSize(client_width_,
                       std::max(0, height - CurrentBackend().FrameHeight(border_style_)));
}

Status Form::SetBorderStyle(int style) {
  if (style < 0 || style > 5)
    return MakeUiError(ui_error::kInvalidPropertyValue, "BorderStyle " + std::to_string(style));
  if (style == border_style_) return Ok();
  border_style_ = style;
  NotifyHostChanged("BorderStyle");
  return Ok();
}

Status Form::SetBackColor(OleColor color) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  back_color_ = color;
  NotifyHostChanged("BackColor");
  return Ok();
}

Status Form::SetForeColor(OleColor color) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  fore_color_ = color;
  NotifyHostChanged("ForeColor");
  return Ok();
}

void Form::SetFont(std::shared_ptr<StdFont> font) {
  if (!font) return;
  font_ = std::move(font);
  NotifyHostChanged("Font");
}

void Form::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyHostChanged("Enabled");
}

Status Form::Load() {
  if (loaded_) return Ok();
  auto keep = weak_from_this().lock();
  ReleaseRetired();
  CreateSurfaceWindow();
  size_range_ = SizeRange{};
  loaded_ = true;
  resized_since_load_ = false;
  BuildControls();
  OnLoad();
  load_event_.Raise();
  return Ok();
}

Status Form::Show(bool modal) {
  auto keep = weak_from_this().lock();
  if (modal && visible_) return MakeUiError(ui_error::kAlreadyShownModally);
  if (Status status = Load(); !status) return status;
  // The form's Load handler may have unloaded it again.
  if (!loaded_) return MakeUiError(ui_error::kObjectUnloaded, name_);
  if (!visible_) {
    // The size the form is shown at keeps to the limits its procedure answers now.
    if (Status sized = SetClientSize(client_width_, client_height_); !sized) return sized;
    visible_ = true;
    if (!resized_since_load_) RaiseResize();
    CurrentBackend().Observer().FormShown(*this, modal);
    UpdateShown();
  }
  if (modal && visible_) {
    modal_ = true;
    CurrentBackend().RunModal(*this);
    modal_ = false;
  }
  return Ok();
}

void Form::Hide() {
  if (!visible_) return;
  visible_ = false;
  CurrentBackend().Observer().FormHidden(*this);
  UpdateShown();
}

Result<bool> Form::Unload(UnloadMode mode) {
  if (!loaded_) return true;
  if (unloading_) return MakeUiError(ui_error::kUnableToUnload, name_);
  auto keep = weak_from_this().lock();
  unloading_ = true;
  bool cancel = false;
  OnQueryUnload(cancel, mode);
  query_unload_event_.Raise(cancel, mode);
  if (!cancel) {
    OnUnload(cancel);
    unload_event_.Raise(cancel);
  }
  if (cancel) {
    unloading_ = false;
    return false;
  }
  Hide();
  // As on the desktop: the window hears that it goes before its child windows go.
  (void)window::Send(hWnd(), window::kDestroy);
  RetireAll();
  DestroySurfaceWindow();
  loaded_ = false;
  unloading_ = false;
  CurrentBackend().Observer().FormUnloaded(*this);
  return true;
}

void Form::RaiseResize() {
  resized_since_load_ = true;
  OnResize();
  resize_event_.Raise();
}

Control* Form::DefaultControl() const {
  for (const auto& control : Controls()) {
    if (control->IsDefault() && control->IsShown() && control->IsEnabledForInput())
      return control.get();
  }
  return nullptr;
}

Control* Form::CancelControl() const {
  for (const auto& control : Controls()) {
    if (control->IsCancel() && control->IsShown() && control->IsEnabledForInput())
      return control.get();
  }
  return nullptr;
}

namespace {

// Presses `control` with Enter or Esc: a push button clicks, a user control hears the key.
void Press(Control& control, int key_ascii) {
  auto keep = control.weak_from_this().lock();
  control.PressByKey(key_ascii);
}

// The control a key goes to, while it can take one.
Control* KeyTarget(const Form& form, Control* focused) {
  if (focused == nullptr) focused = form.FocusedControl();
  if (focused == nullptr || !focused->IsShown() || !focused->IsEnabledForInput()) return nullptr;
  return focused;
}

}  // namespace

bool Form::KeyDown(int key_code, int shift_state, Control* focused) {
  if (!loaded_ || !enabled_) return false;
  auto keep = weak_from_this().lock();
  if (key_preview_) {
    OnKeyDown(key_code, shift_state);
    if (key_code != 0) key_down_event_.Raise(key_code, shift_state);
    if (key_code == 0) return true;
  }
  Control* target = KeyTarget(*this, focused);
  if (key_code == key::kReturn) {
    if (target != nullptr && target->TakesFocusedEnter()) {
      Press(*target, key::kReturn);
      return true;
    }
    if (Control* pressed = DefaultControl()) {
      Press(*pressed, key::kReturn);
      return true;
    }
  } else if (key_code == key::kEscape) {
    if (Control* pressed = CancelControl()) {
      Press(*pressed, key::kEscape);
      return true;
    }
  } else if ((shift_state & shift::kAlt) != 0 && PressAccessKey(key_code)) {
    return true;
  }
  if (target == nullptr) return false;
  auto keep_target = target->weak_from_this().lock();
  target->InputKey(KeyAction::kDown, key_code, shift_state);
  return key_code == 0;
}

namespace {

// The controls of `host` in tab order, each user control followed by its constituents in
// their own tab order: the order in which one window's access keys are searched.
void AppendInTabOrder(const ControlHost& host, std::vector<Control*>& order) {
  std::vector<Control*> own;
  for (const auto& control : host.Controls())
    own.push_back(control.get());
  std::stable_sort(own.begin(), own.end(), [](const Control* a, const Control* b) {
    return a->TabIndex() < b->TabIndex();
  });
  for (Control* control : own) {
    order.push_back(control);
    if (const auto* extender = dynamic_cast<const Extender*>(control);
        extender != nullptr && extender->Object() != nullptr) {
      AppendInTabOrder(*extender->Object(), order);
    }
  }
}

}  // namespace

bool Form::PressAccessKey(int key_code) {
  // Key codes of letters are their capitals.
  if (key_code <= 0 || key_code >= 128) return false;
  std::vector<Control*> order;
  AppendInTabOrder(*this, order);
  std::vector<size_t> holders;  // positions in `order` of the controls that take the key now
  for (size_t i = 0; i < order.size(); ++i) {
    const Control& control = *order[i];
    if (control.AccessKey() == static_cast<char>(key_code) && control.IsShown() &&
        control.IsEnabledForInput()) {
      holders.push_back(i);
    }
  }
  if (holders.empty()) return false;
  if (holders.size() == 1) {
    Control* control = order[holders.front()];
    auto keep = control->weak_from_this().lock();
    control->PressAccessKey();
    return true;
  }
  // A shared key presses nothing: the focus moves to the next holder after the focused
  // control, wrapping round, so that pressing it again reaches each in turn. A label or
  // frame passes the focus on to the control after it, as its own key does.
  const auto focused = std::find(order.begin(), order.end(), FocusedControl());
  const size_t after =
      focused == order.end() ? 0 : static_cast<size_t>(focused - order.begin()) + 1;
  const auto next = std::find_if(holders.begin(), holders.end(),
                                 [after](size_t position) { return position >= after; });
  Control* holder = order[next != holders.end() ? *next : holders.front()];
  Control* target = holder->CanFocus()          ? holder
                    : holder->Host() != nullptr ? holder->Host()->NextFocusable(*holder)
                                                : nullptr;
  if (target != nullptr) (void)target->SetFocus();
  return true;
}

bool Form::KeyUp(int key_code, int shift_state, Control* focused) {
  if (!loaded_ || !enabled_) return false;
  auto keep = weak_from_this().lock();
  if (key_preview_) {
    OnKeyUp(key_code, shift_state);
    if (key_code != 0) key_up_event_.Raise(key_code, shift_state);
    if (key_code == 0) return true;
  }
  Control* target = KeyTarget(*this, focused);
  if (target == nullptr) return false;
  auto keep_target = target->weak_from_this().lock();
  target->InputKey(KeyAction::kUp, key_code, shift_state);
  return key_code == 0;
}

bool Form::KeyPress(int key_ascii, Control* focused) {
  if (!loaded_ || !enabled_) return false;
  auto keep = weak_from_this().lock();
  if (key_preview_) {
    OnKeyPress(key_ascii);
    if (key_ascii != 0) key_press_event_.Raise(key_ascii);
    if (key_ascii == 0) return true;
  }
  Control* target = KeyTarget(*this, focused);
  if (target == nullptr) return false;
  auto keep_target = target->weak_from_this().lock();
  target->InputKeyPress(key_ascii);
  return key_ascii == 0;
}

bool Form::Dirty() const {
  for (Extender* extender : Extenders()) {
    if (extender->Dirty()) return true;
  }
  return false;
}

void Form::OnChildBoundsChanged(Control& control) {
  // Any user control may have left, entered or resized a docked place.
  if (dynamic_cast<Extender*>(&control) != nullptr) Redock();
}

void Form::Redock() {
  if (docking_) {
    redock_pending_ = true;
    return;
  }
  docking_ = true;
  // A docked control's Resize handler may change its own size, which asks for another
  // pass; a few passes settle any sane set of handlers.
  for (int pass = 0; pass < 8; ++pass) {
    redock_pending_ = false;
    // What the docked controls before have left. It may go negative on a form too small
    // for them, so that a bottom-docked control still ends at the bottom edge.
    Rect free{0, 0, client_width_, client_height_};
    const std::vector<Extender*> extenders = Extenders();
    for (Extender* extender : extenders) {
      if (extender->Host() != this || extender->Align() == align::kNone || !extender->Visible())
        continue;
      Rect bounds = extender->Bounds();
      const int width = std::max(0, free.width);
      const int height = std::max(0, free.height);
      switch (extender->Align()) {
        case align::kTop:
          bounds = Rect{free.left, free.top, width, bounds.height};
          free.top += bounds.height;
          free.height -= bounds.height;
          break;
        case align::kBottom:
          bounds = Rect{free.left, free.top + free.height - bounds.height, width, bounds.height};
          free.height -= bounds.height;
          break;
        case align::kLeft:
          bounds = Rect{free.left, free.top, bounds.width, height};
          free.left += bounds.width;
          free.width -= bounds.width;
          break;
        case align::kRight:
          bounds = Rect{free.left + free.width - bounds.width, free.top, bounds.width, height};
          free.width -= bounds.width;
          break;
        default:
          break;
      }
      SetChildBounds(*extender, bounds);
    }
    if (!redock_pending_) break;
  }
  docking_ = false;
}

}  // namespace feriant::ui
