#include "platform/ui/core/user_control.h"

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::ui {

UserControl::UserControl(std::string type_name, automation::Guid class_id,
                         automation::Guid event_interface)
    : type_name_(std::move(type_name)),
      class_id_(class_id),
      events_(event_interface),
      font_(StdFont::Create()) {}

UserControl::~UserControl() = default;

AmbientProperties UserControl::Ambient() const {
  AmbientProperties ambient;
  ambient.user_mode = UserMode();
  ambient.display_name = site_ != nullptr ? site_->Name() : type_name_;
  if (site_ != nullptr && site_->Host() != nullptr) {
    const ControlHost& host = *site_->Host();
    ambient.back_color = host.SurfaceBackColor();
    ambient.fore_color = host.SurfaceForeColor();
    ambient.font = host.SurfaceFont();
  }
  return ambient;
}

int UserControl::Width() const {
  return site_ != nullptr ? site_->Width() : own_width_;
}

int UserControl::Height() const {
  return site_ != nullptr ? site_->Height() : own_height_;
}

Status UserControl::SetWidth(int width) {
  return SetSize(width, Height());
}

Status UserControl::SetHeight(int height) {
  return SetSize(Width(), height);
}

Status UserControl::SetSize(int width, int height) {
  if (width < 0 || height < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "negative size");
  if (site_ != nullptr) return site_->Move(site_->Left(), site_->Top(), width, height);
  own_width_ = width;
  own_height_ = height;
  ReportSize();
  return Ok();
}

void UserControl::SetInitialSize(int width, int height) {
  own_width_ = width < 0 ? 0 : width;
  own_height_ = height < 0 ? 0 : height;
}

bool UserControl::Enabled() const {
  return site_ != nullptr ? site_->SiteEnabled() : own_enabled_;
}

void UserControl::SetEnabled(bool enabled) {
  if (site_ != nullptr) {
    site_->SetSiteEnabled(enabled);
  } else {
    own_enabled_ = enabled;
  }
  NotifyHostChanged("Enabled");
}

Status UserControl::SetBackColor(OleColor color) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  back_color_ = color;
  NotifyHostChanged("BackColor");
  return Ok();
}

Status UserControl::SetForeColor(OleColor color) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  fore_color_ = color;
  NotifyHostChanged("ForeColor");
  return Ok();
}

void UserControl::SetFont(std::shared_ptr<StdFont> font) {
  if (!font) return;
  font_ = std::move(font);
  NotifyHostChanged("Font");
}

int UserControl::TextWidth(std::string_view text) const {
  return CurrentBackend().TextWidth(font_->Desc(), text);
}

int UserControl::TextHeight(std::string_view text) const {
  return CurrentBackend().TextHeight(font_->Desc(), text);
}

void UserControl::PropertyChanged(std::string_view property) {
  if (site_ != nullptr) site_->RecordChange(property);
}

void UserControl::Refresh() {
  if (on_screen_) Paint();
}

namespace {

// Runs a handler of the control, turning a thrown ObjectError into a value.
template <class Fn>
Status Guarded(Fn&& fn) {
  try {
    fn();
    return Ok();
  } catch (const automation::ObjectError& error) {
    return error.error();
  }
}

}  // namespace

Status UserControl::InitNew() {
  auto keep = weak_from_this().lock();
  Status status = Guarded([this] { OnInitProperties(); });
  placing_ = false;
  if (site_ != nullptr) site_->SetDirty(true);
  return status;
}

Status UserControl::Load(PropertyBag& bag) {
  auto keep = weak_from_this().lock();
  Status status = Guarded([&] { OnReadProperties(bag); });
  placing_ = false;
  if (site_ != nullptr) site_->SetDirty(false);
  return status;
}

Status UserControl::Save(PropertyBag& bag) {
  auto keep = weak_from_this().lock();
  Status status = Guarded([&] { OnWriteProperties(bag); });
  if (status && site_ != nullptr) site_->SetDirty(false);
  return status;
}

void UserControl::Paint() {
  if (terminated_) return;
  auto keep = weak_from_this().lock();
  canvas_.Clear();
  OnPaint();
  // The renderer shows the new drawing at once (a run that blocks the event loop may
  // be painting its progress).
  CurrentBackend().Observer().RepaintRequested(*this);
}

void UserControl::AccessKeyPress(int key_ascii) {
  if (terminated_) return;
  auto keep = weak_from_this().lock();
  OnAccessKeyPress(key_ascii);
}

void UserControl::OnAccessKeyPress(int key_ascii) {
  if (key_ascii != 13 && key_ascii != 27) return;
  // Push buttons only: a user control placed inside this one is not pressed through it.
  for (const auto& control : Controls()) {
    if (dynamic_cast<Extender*>(control.get()) != nullptr) continue;
    const bool match = key_ascii == 13 ? control->IsDefault() : control->IsCancel();
    if (match && control->IsShown() && control->IsEnabledForInput()) {
      control->PressByKey(key_ascii);
      return;
    }
  }
}

void UserControl::RaiseEvent(automation::DispId id, std::span<automation::Variant> args) {
  auto keep = weak_from_this().lock();
  events_.Raise(id, args);
}

automation::EventSource* UserControl::FindConnectionPoint(const automation::Guid& event_interface) {
  return event_interface == events_.EventInterface() ? &events_ : nullptr;
}

bool UserControl::SurfaceShown() const {
  return site_ != nullptr ? site_->IsShown() : true;
}

bool UserControl::SurfaceEnabled() const {
  if (!Enabled()) return false;
  return site_ != nullptr ? site_->IsEnabledForInput() : true;
}

Form* UserControl::OwnerForm() {
  if (site_ == nullptr || site_->Host() == nullptr) return nullptr;
  return site_->Host()->OwnerForm();
}

bool UserControl::UserMode() const {
  if (site_ == nullptr || site_->Host() == nullptr) return true;
  return site_->Host()->UserMode();
}

void UserControl::OnChildFocused(Control& control) {
  ControlHost::OnChildFocused(control);
  if (site_ != nullptr && site_->Host() != nullptr) ForwardFocus(*site_->Host(), *site_);
}

void UserControl::ReportSize() {
  if (terminated_ || placing_) return;
  const std::pair<int, int> size{Width(), Height()};
  if (reported_size_ == size) return;
  reported_size_ = size;
  auto keep = weak_from_this().lock();
  OnResize();
  NotifyHostChanged("Size");
}

void UserControl::SetOnScreen(bool on_screen) {
  if (terminated_ || on_screen == on_screen_) return;
  on_screen_ = on_screen;
  auto keep = weak_from_this().lock();
  if (on_screen) {
    OnShow();
    UpdateShown();
    // A control that hid itself again in OnShow is not painted.
    if (on_screen_) Paint();
  } else {
    OnHide();
    UpdateShown();
  }
}

void UserControl::Terminate() {
  if (terminated_) return;
  auto keep = weak_from_this().lock();
  SetOnScreen(false);
  terminated_ = true;
  OnTerminate();
}

}  // namespace feriant::ui
