#include "platform/ui/core/control.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/core/window.h"

namespace feriant::ui {
namespace {

// The control holding the mouse capture (held weakly: it may go at any time).
WeakControl& TheCapture() {
  static WeakControl capture;
  return capture;
}

// The surface at the top of `host`'s tree: the form (or page) its user controls sit on.
const ControlHost* TopSurface(const ControlHost* host) {
  while (auto* user_control = dynamic_cast<const UserControl*>(host)) {
    const Extender* site = user_control->Site();
    if (site == nullptr || site->Host() == nullptr) break;
    host = site->Host();
  }
  return host;
}

}  // namespace

char AccessKeyOf(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    const char next = caption[i + 1];
    if (next == '&') {
      ++i;
      continue;
    }
    return next >= 'a' && next <= 'z' ? static_cast<char>(next - 'a' + 'A') : next;
  }
  return 0;
}

// ---------------------------------------------------------------------------- Control

Control::Control(bool windowed) : hwnd_(windowed ? window::Create() : 0) {}

Control::~Control() {
  window::Destroy(hwnd_);
}

Status Control::SetContainer(Control* container) {
  if (container == container_) return Ok();
  if (container != nullptr) {
    if (host_ == nullptr || container->host_ != host_ || !container->CanContain())
      return MakeUiError(ui_error::kInvalidPropertyValue, "not a container of this surface");
    // A control cannot be placed inside itself or inside one of its own children.
    for (Control* c = container; c != nullptr; c = c->container_) {
      if (c == this) return MakeUiError(ui_error::kInvalidPropertyValue, "circular container");
    }
  }
  container_ = container;
  NotifyChanged("Container");
  if (host_ != nullptr) host_->UpdateShown();
  return Ok();
}

Status Control::SetLeft(int left) {
  return Move(left, bounds_.top, bounds_.width, bounds_.height);
}

Status Control::SetTop(int top) {
  return Move(bounds_.left, top, bounds_.width, bounds_.height);
}

Status Control::SetWidth(int width) {
  return Move(bounds_.left, bounds_.top, width, bounds_.height);
}

Status Control::SetHeight(int height) {
  return Move(bounds_.left, bounds_.top, bounds_.width, height);
}

Status Control::Move(int left, int top, int width, int height) {
  if (!GeometrySettable()) return MakeUiError(ui_error::kNotSupported, ClassName() + " position");
  if (width < 0 || height < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "negative size");
  SetBoundsInternal(Rect{left, top, width, height});
  return Ok();
}

void Control::SetBoundsInternal(const Rect& bounds) {
  if (bounds == bounds_) return;
  const Rect old = bounds_;
  bounds_ = bounds;
  NotifyChanged("Bounds");
  OnBoundsChanged(old);
}

void Control::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  if (!visible && host_ != nullptr && host_->active_ == this) host_->active_ = nullptr;
  NotifyChanged("Visible");
  OnVisibleChanged();
  if (host_ != nullptr) host_->UpdateShown();
}

void Control::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  NotifyChanged("Enabled");
  OnEnabledChanged();
}

Status Control::SetTabIndex(int index) {
  if (index < 0) return MakeUiError(ui_error::kInvalidPropertyValue, "negative tab index");
  if (host_ == nullptr) {
    tab_index_ = index;
    return Ok();
  }
  auto& order = host_->tab_order_;
  order.erase(std::find(order.begin(), order.end(), this));
  const size_t position = std::min(static_cast<size_t>(index), order.size());
  order.insert(order.begin() + static_cast<std::ptrdiff_t>(position), this);
  host_->RenumberTabs();
  return Ok();
}

void Control::SetTag(std::string tag) {
  tag_ = std::move(tag);
}

void Control::SetMousePointer(int pointer) {
  if (pointer == mouse_pointer_) return;
  mouse_pointer_ = pointer;
  NotifyChanged("MousePointer");
}

bool Control::IsShown() const {
  if (!visible_ || host_ == nullptr) return false;
  if (container_ != nullptr) return container_->IsShown();
  return host_->SurfaceShown();
}

bool Control::IsEnabledForInput() const {
  if (!Enabled() || host_ == nullptr) return false;
  if (container_ != nullptr) return container_->IsEnabledForInput();
  return host_->SurfaceEnabled();
}

Status Control::SetFocus() {
  if (!CanFocus()) return MakeUiError(ui_error::kNotSupported, "SetFocus on " + ClassName());
  if (!IsShown() || !IsEnabledForInput()) {
    return MakeUiError(ui_error::kInvalidProcedureCall,
                       name_ + " is hidden or disabled and cannot take the focus");
  }
  const ControlHost* top = TopSurface(host_);
  Control* before = top != nullptr ? top->FocusedControl() : nullptr;
  host_->OnChildFocused(*this);
  CurrentBackend().Observer().FocusChanged(*this);
  if (before != this) {
    auto keep = KeepAlive();
    if (before != nullptr) {
      auto keep_before = before->weak_from_this().lock();
      before->lost_focus_.Raise();
    }
    got_focus_.Raise();
  }
  return Ok();
}

Status Control::ZOrder(int position) {
  if (position != 0 && position != 1)
    return MakeUiError(ui_error::kInvalidProcedureCall, "ZOrder " + std::to_string(position));
  if (host_ == nullptr) return Ok();
  auto& order = host_->z_order_;
  order.erase(std::find(order.begin(), order.end(), this));
  order.insert(position == 0 ? order.end() : order.begin(), this);
  NotifyChanged("ZOrder");
  return Ok();
}

Status Control::SetCapture() {
  if (!IsShown() || !IsEnabledForInput()) {
    return MakeUiError(ui_error::kInvalidProcedureCall,
                       name_ + " is hidden or disabled and cannot take the mouse");
  }
  if (HasCapture()) return Ok();
  if (Control* holder = CaptureHolder()) holder->ReleaseCapture();
  TheCapture() = WeakControl(*this);
  NotifyChanged("MouseCapture");
  return Ok();
}

void Control::ReleaseCapture() {
  if (!HasCapture()) return;
  TheCapture() = WeakControl();
  NotifyChanged("MouseCapture");
}

bool Control::HasCapture() const {
  return CaptureHolder() == this;
}

Control* Control::CaptureHolder() {
  return TheCapture().Get();
}

void Control::InputKey(KeyAction action, int& key_code, int shift_state) {
  (action == KeyAction::kDown ? key_down_ : key_up_).Raise(key_code, shift_state);
}

void Control::InputKeyPress(int& key_ascii) {
  key_press_.Raise(key_ascii);
}

Status Control::InputClick() {
  return MakeUiError(ui_error::kNotSupported, ClassName() + " has no Click");
}

Status Control::InputDblClick() {
  return MakeUiError(ui_error::kNotSupported, ClassName() + " has no DblClick");
}

Status Control::InputMouse(const MouseInput& input) {
  return RaiseMouseEvent(input, nullptr, nullptr);
}

Status Control::InputText(std::string /*text*/) {
  return MakeUiError(ui_error::kNotSupported, ClassName() + " has no editable text");
}

Status Control::RaiseMouseEvent(const MouseInput& input, MouseEvent* down, MouseEvent* up,
                                MouseEvent* move) const {
  MouseEvent* event = input.action == MouseAction::kDown ? down
                      : input.action == MouseAction::kUp ? up
                                                         : move;
  if (event == nullptr) {
    const char* name = input.action == MouseAction::kDown ? "MouseDown"
                       : input.action == MouseAction::kUp ? "MouseUp"
                                                          : "MouseMove";
    return MakeUiError(ui_error::kNotSupported, ClassName() + " has no " + name);
  }
  event->Raise(input.button, input.shift_state, input.x, input.y);
  return Ok();
}

bool Control::HasFocus() const {
  return host_ != nullptr && host_->active_ == this;
}

std::vector<std::shared_ptr<automation::Dispatch>> Control::KeepAlive() {
  std::vector<std::shared_ptr<automation::Dispatch>> held;
  if (auto self = weak_from_this().lock()) held.push_back(std::move(self));
  for (ControlHost* host = host_; host != nullptr;) {
    if (auto surface = host->weak_from_this().lock()) held.push_back(std::move(surface));
    auto* user_control = dynamic_cast<UserControl*>(host);
    Extender* site = user_control != nullptr ? user_control->Site() : nullptr;
    if (site == nullptr) break;
    if (auto extender = site->weak_from_this().lock()) held.push_back(std::move(extender));
    host = site->Host();
  }
  return held;
}

Form* Control::ParentForm() const {
  return host_ != nullptr ? host_->OwnerForm() : nullptr;
}

void Control::SetDefaultFlag(bool value) {
  if (value == default_) return;
  if (value && host_ != nullptr) {
    for (const auto& other : host_->controls_) {
      if (other.get() != this && other->default_) {
        other->default_ = false;
        other->NotifyChanged("Default");
      }
    }
  }
  default_ = value;
  NotifyChanged("Default");
}

void Control::SetCancelFlag(bool value) {
  if (value == cancel_) return;
  if (value && host_ != nullptr) {
    for (const auto& other : host_->controls_) {
      if (other.get() != this && other->cancel_) {
        other->cancel_ = false;
        other->NotifyChanged("Cancel");
      }
    }
  }
  cancel_ = value;
  NotifyChanged("Cancel");
}

void Control::NotifyChanged(std::string_view property) {
  if (host_ != nullptr) CurrentBackend().Observer().ControlChanged(*this, property);
}

void Control::NotifyItems(const ItemChange& change) {
  if (host_ != nullptr) CurrentBackend().Observer().ItemsChanged(*this, change);
}

Status Control::AssignColor(OleColor& field, OleColor color, std::string_view property) {
  if (!IsValidColor(color)) return MakeUiError(ui_error::kInvalidPropertyValue, "colour");
  if (color == field) return Ok();
  field = color;
  NotifyChanged(property);
  return Ok();
}

void Control::Refresh() {
  if (host_ != nullptr) CurrentBackend().Observer().RefreshRequested(*this);
}

// ------------------------------------------------------------------------ ControlHost

ControlHost::ControlHost(bool windowed) : hwnd_(windowed ? window::Create() : 0) {}

void ControlHost::CreateSurfaceWindow() {
  DestroySurfaceWindow();
  hwnd_ = window::Create();
}

void ControlHost::DestroySurfaceWindow() {
  window::Destroy(hwnd_);
  hwnd_ = 0;
}

ControlHost::~ControlHost() {
  window::Destroy(hwnd_);
  // Detach without events: the host is going away, its handlers may be half destroyed.
  for (const auto& control : controls_) {
    control->host_ = nullptr;
    control->container_ = nullptr;
  }
}

Control* ControlHost::Find(std::string_view name, int index) const {
  for (const auto& control : controls_) {
    if (control->index_ == index && automation::NamesEqual(control->name_, name))
      return control.get();
  }
  return nullptr;
}

void ControlHost::Adopt(std::shared_ptr<Control> control, std::string name, int index) {
  if (name.empty()) throw std::invalid_argument("a control needs a name");
  for (const auto& other : controls_) {
    if (automation::NamesEqual(other->name_, name) &&
        (other->index_ == index || (other->index_ < 0) != (index < 0))) {
      throw std::invalid_argument("control name already in use: " + name);
    }
  }
  if (control->host_ != nullptr) throw std::invalid_argument("control already placed: " + name);
  control->name_ = std::move(name);
  control->index_ = index;
  control->host_ = this;
  controls_.push_back(control);
  tab_order_.push_back(control.get());
  z_order_.push_back(control.get());
  RenumberTabs();
  control->OnAttached();
  CurrentBackend().Observer().ControlAdded(*this, *control);
}

Status ControlHost::Remove(Control& control) {
  if (control.host_ != this)
    return MakeUiError(ui_error::kInvalidProcedureCall, "not a control of " + HostName());
  Retire(control);
  UpdateShown();
  OnChildRemoved();
  return Ok();
}

void ControlHost::Retire(Control& control) {
  // Controls inside it go first.
  std::vector<Control*> inside;
  for (const auto& other : controls_) {
    if (other->container_ == &control) inside.push_back(other.get());
  }
  for (Control* child : inside) {
    if (child->host_ == this) Retire(*child);
  }
  auto find = [&] {
    return std::find_if(controls_.begin(), controls_.end(),
                        [&](const auto& c) { return c.get() == &control; });
  };
  if (find() == controls_.end()) return;
  std::shared_ptr<Control> keep = *find();
  keep->OnDetaching();
  // The detaching handlers may have retired it already.
  auto it = find();
  if (it == controls_.end()) return;
  if (active_ == &control) active_ = nullptr;
  controls_.erase(it);
  tab_order_.erase(std::find(tab_order_.begin(), tab_order_.end(), &control));
  z_order_.erase(std::find(z_order_.begin(), z_order_.end(), &control));
  RenumberTabs();
  control.ReleaseCapture();
  CurrentBackend().Observer().ControlRemoved(*this, control);
  window::Destroy(control.hwnd_);
  control.host_ = nullptr;
  control.container_ = nullptr;
  retired_.push_back(std::move(keep));
}

void ControlHost::RetireAll() {
  while (!controls_.empty()) {
    // Retire from the last one, so that containers go after nothing refers to them.
    Retire(*controls_.back());
  }
  active_ = nullptr;
}

void ControlHost::RenumberTabs() {
  for (size_t i = 0; i < tab_order_.size(); ++i) {
    tab_order_[i]->tab_index_ = static_cast<int>(i);
  }
}

void ControlHost::NotifyHostChanged(std::string_view property) {
  CurrentBackend().Observer().HostChanged(*this, property);
}

Control* ControlHost::NextFocusable(const Control& control) const {
  const auto at = std::find(tab_order_.begin(), tab_order_.end(), &control);
  if (at == tab_order_.end()) return nullptr;
  const size_t start = static_cast<size_t>(at - tab_order_.begin());
  for (size_t step = 1; step < tab_order_.size(); ++step) {
    Control* candidate = tab_order_[(start + step) % tab_order_.size()];
    if (candidate->CanFocus() && candidate->IsShown() && candidate->IsEnabledForInput())
      return candidate;
  }
  return nullptr;
}

void ControlHost::OnChildFocused(Control& control) {
  active_ = &control;
}

Control* ControlHost::FocusedControl() const {
  Control* active = active_;
  while (auto* extender = dynamic_cast<Extender*>(active)) {
    Control* inner = extender->Object()->ActiveControl();
    if (inner == nullptr) break;
    active = inner;
  }
  return active;
}

std::vector<Control*> ControlHost::StackingOrder() const {
  std::vector<Control*> order = z_order_;
  std::stable_partition(order.begin(), order.end(),
                        [](const Control* control) { return control->hWnd() == 0; });
  return order;
}

std::vector<Extender*> ControlHost::Extenders() const {
  std::vector<Extender*> result;
  for (const auto& control : controls_) {
    if (auto* extender = dynamic_cast<Extender*>(control.get())) result.push_back(extender);
  }
  return result;
}

Result<Extender*> ControlHost::SiteUserControl(std::shared_ptr<UserControl> control,
                                               std::string name) {
  if (!control) return MakeUiError(ui_error::kCantCreateObject, "no control to place");
  if (control->Site() != nullptr)
    return MakeUiError(ui_error::kInvalidProcedureCall, "the control is placed already");
  if (control->terminated_) return MakeUiError(ui_error::kObjectUnloaded);
  if (control.get() == this)
    return MakeUiError(ui_error::kInvalidProcedureCall, "a control cannot hold itself");
  if (name.empty()) return MakeUiError(ui_error::kInvalidPropertyValue, "empty control name");
  for (const auto& other : controls_) {
    if (automation::NamesEqual(other->Name(), name))
      return MakeUiError(ui_error::kInvalidPropertyValue, "control name already in use: " + name);
  }
  control->placing_ = true;
  auto extender = std::make_shared<Extender>(std::move(control));
  Extender* result = extender.get();
  Adopt(std::move(extender), std::move(name), -1);
  return result;
}

Result<Extender*> ControlHost::AddUserControl(std::shared_ptr<UserControl> control,
                                              std::string name) {
  auto extender = SiteUserControl(std::move(control), std::move(name));
  if (!extender) return extender.error();
  std::shared_ptr<UserControl> object = (*extender)->Object();
  if (Status status = object->InitNew(); !status) return status.error();
  // The extender may be gone if the control's own handlers removed it.
  if (object->Site() == nullptr) return MakeUiError(ui_error::kObjectUnloaded);
  object->ReportSize();
  UpdateShown();
  return object->Site();
}

Result<Extender*> ControlHost::CreateUserControl(const automation::Guid& class_id, std::string name,
                                                 const ControlFactory& factory) {
  if (!factory) return MakeUiError(ui_error::kCantCreateObject, "no control factory");
  auto created = factory(class_id);
  if (!created) return created.error();
  auto control = std::dynamic_pointer_cast<UserControl>(*created);
  if (!control)
    return MakeUiError(ui_error::kCantCreateObject, class_id.ToString() + " is not a control");
  return AddUserControl(std::move(control), std::move(name));
}

void ControlHost::UpdateShown() {
  // Handlers may add or remove controls; work on a snapshot that keeps them alive.
  const std::vector<std::shared_ptr<Control>> snapshot = controls_;
  for (const auto& control : snapshot) {
    auto* extender = dynamic_cast<Extender*>(control.get());
    if (extender == nullptr || extender->Host() != this) continue;
    extender->Object()->SetOnScreen(extender->IsShown());
  }
}

}  // namespace feriant::ui
