#pragma once
// Controls and the surfaces that hold them.
//
// A Control is one child element: a standard control (label, push button, ...) or the
// Extender that stands for a user control on its container. Geometry is in twips of the
// container's client area, kept exactly as set. Every control is an automation object
// reachable late-bound by name and dispatch id.
//
// A ControlHost is a surface that owns controls: a Form, a UserControl (its constituent
// controls) or a PropertyPage. The host is the control's Parent and its Controls()
// lists them in creation order. A control may be placed inside another control that
// can contain (a frame, a picture box, a user control that accepts children); that is
// its Container, and its position is relative to that container's client area.
//
// Ownership: the host owns its controls (shared_ptr). Removing a control, or unloading a
// form, retires its controls: they are detached from the model and released only when the
// host loads again or is destroyed, so that a control whose own event handler unloaded
// the form stays valid until its handler returns. The user-interface thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/base/result.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/geometry.h"
#include "platform/ui/common/input_codes.h"
#include "platform/ui/drawing/font.h"

namespace feriant::ui {

class ControlHost;
class Extender;
struct ItemChange;
class Form;
class UserControl;

// What a person did with the mouse over a control.
enum class MouseAction { kDown, kUp, kMove };

// One mouse event: `button` is a mouse_button::* value (for a move, the buttons held,
// added up), `shift_state` shift::* bits, x and y in twips of the control.
struct MouseInput {
  MouseAction action = MouseAction::kDown;
  int button = 0;
  int shift_state = 0;
  int x = 0;
  int y = 0;
};

// Whether a key went down (again with each auto-repeat while it is held) or up.
enum class KeyAction { kDown, kUp };

// Creates a user control by class id; the container supplies it (the component registry
// in a program, a table of constructors in a test).
using ControlFactory =
    std::function<Result<std::shared_ptr<automation::Dispatch>>(const automation::Guid& class_id)>;

class Control : public automation::Dispatch {
 public:
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;
  ~Control() override;

  // The control's kind: "Label", "CommandButton", ..., or the user control's type name.
  virtual std::string ClassName() const = 0;
  std::string TypeName() const override { return ClassName(); }

  const std::string& Name() const { return name_; }
  int Index() const { return index_; }  // -1 outside a control array
  ControlHost* Host() const { return host_; }
  Control* Container() const { return container_; }
  // Moves the control into `container` (nullptr: the host's own surface), which must be a
  // control of the same host that can contain others.
  Status SetContainer(Control* container);
  virtual bool CanContain() const { return false; }

  int Left() const { return bounds_.left; }
  int Top() const { return bounds_.top; }
  int Width() const { return bounds_.width; }
  int Height() const { return bounds_.height; }
  const Rect& Bounds() const { return bounds_; }
  // A negative width or height is refused (invalid property value) and changes nothing.
  Status SetLeft(int left);
  Status SetTop(int top);
  Status SetWidth(int width);
  Status SetHeight(int height);
  Status Move(int left, int top, int width, int height);

  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  virtual bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // The position in the host's tab order, 0-based and without gaps: setting one moves
  // the control and renumbers the others; a value past the end moves it to the end.
  int TabIndex() const { return tab_index_; }
  Status SetTabIndex(int index);
  const std::string& Tag() const { return tag_; }
  void SetTag(std::string tag);
  int MousePointer() const { return mouse_pointer_; }
  void SetMousePointer(int pointer);
  // The window of a control that is one (window.h); 0 for windowless ones. It lives until
  // the control leaves its host or is destroyed.
  std::int32_t hWnd() const { return hwnd_; }

  // Visible itself, in every container, and on a shown surface.
  bool IsShown() const;
  // Enabled itself, in every container and on its surface.
  bool IsEnabledForInput() const;
  // Takes the keyboard focus. Controls that cannot hold the focus answer "doesn't
  // support"; a hidden or disabled one an invalid-procedure-call error.
  Status SetFocus();
  bool HasFocus() const;
  virtual bool CanFocus() const { return false; }

  // Stacking on the surface: 0 brings the control to the front, 1 sends it to the back
  // (anything else is an invalid procedure call). Windowless controls always stay below
  // the windowed ones of the same surface (ControlHost::StackingOrder).
  Status ZOrder(int position = 0);

  // Mouse capture from code: while a control holds it, the mouse input the renderer
  // reports for any control goes to it, in its own coordinates (input.h; a pressed
  // control holds the mouse the same way until the release, without this). It lasts
  // until ReleaseCapture or the control leaves its surface; a hidden or disabled
  // control is refused.
  Status SetCapture();
  void ReleaseCapture();
  bool HasCapture() const;
  // The control that holds the capture; nullptr when none does.
  static Control* CaptureHolder();

  // The form the control is on (through user controls), nullptr when detached.
  Form* ParentForm() const;

  // Draws the control again at once, without waiting for the event loop (a run that
  // blocks the loop shows its progress this way). Nothing while detached.
  void Refresh();

  // Enter presses the default control of a surface and Esc its cancel control. Only push
  // buttons and extenders carry these flags; at most one control of a surface has each.
  bool IsDefault() const { return default_; }
  bool IsCancel() const { return cancel_; }

  // Input hooks. The model's input path (input.h) calls them once the control is visible
  // and enabled, and keeps it alive meanwhile; each kind overrides what a person can do
  // to it. By default a kind has no click, double click or mouse events (the call
  // answers "doesn't support"), and keys raise KeyDown, KeyUp and KeyPress.
  virtual Status InputClick();
  virtual Status InputDblClick();
  virtual Status InputMouse(const MouseInput& input);
  // A key went down (again with each auto-repeat) or up, or a character was typed,
  // while the control has the focus; a handler that sets the code to 0 swallows it.
  virtual void InputKey(KeyAction action, int& key_code, int shift_state);
  virtual void InputKeyPress(int& key_ascii);
  // The whole text of an editable control after the person edited it.
  virtual Status InputText(std::string text);

  // Keys and focus, for the kinds that can hold the focus. GotFocus and LostFocus follow
  // the innermost focused control of a surface tree (a form and the user controls on it).
  KeyEvent& KeyDown() { return key_down_; }
  KeyEvent& KeyUp() { return key_up_; }
  KeyPressEvent& KeyPress() { return key_press_; }
  Event<>& GotFocus() { return got_focus_; }
  Event<>& LostFocus() { return lost_focus_; }

  // Whether Enter pressed while this control has the focus presses the control itself
  // rather than its surface's default control (a push button does).
  virtual bool TakesFocusedEnter() const { return false; }
  // Enter (13) or Esc (27) presses the control as its surface's default or cancel
  // control: a push button clicks, an extender hands the key to its user control.
  virtual void PressByKey(int /*key_ascii*/) {}

  // The access key of the control's caption (the letter or digit after a single "&", in
  // upper case; "&&" is an ampersand), 0 for none; and what Alt with it does: a label or
  // frame moves the focus to the next control in tab order that can take it, a push
  // button clicks, a check box or option button takes the focus and is clicked.
  virtual char AccessKey() const { return 0; }
  virtual void PressAccessKey() {}

 protected:
  // Raises the one of a kind's MouseDown, MouseUp and MouseMove that `input` names; a
  // nullptr (the kind has no such event) answers "doesn't support", naming the event.
  Status RaiseMouseEvent(const MouseInput& input, MouseEvent* down, MouseEvent* up,
                         MouseEvent* move = nullptr) const;

  // Setting a flag clears it on every other control of the same host.
  void SetDefaultFlag(bool value);
  void SetCancelFlag(bool value);

  // `windowed` controls get a window number.
  explicit Control(bool windowed);

  // Tells the renderer that `property` changed (nothing while detached).
  void NotifyChanged(std::string_view property);
  // Tells the renderer that one of the control's items changed (nothing while detached).
  void NotifyItems(const ItemChange& change);
  // Sets the colour property `field` named `property`: an invalid colour is refused, a
  // change reaches the renderer.
  Status AssignColor(OleColor& field, OleColor color, std::string_view property);
  // Sets the bounds without the checks of the public setters (auto-size, docking).
  void SetBoundsInternal(const Rect& bounds);
  // Whether Left/Top/Width/Height may be set from outside (a line's may not).
  virtual bool GeometrySettable() const { return true; }

  virtual void OnBoundsChanged(const Rect& /*old_bounds*/) {}
  virtual void OnVisibleChanged() {}
  virtual void OnEnabledChanged() {}
  // After the control was added to a host (its name and host are set).
  virtual void OnAttached() {}
  // When the control leaves its host (removed or the form unloaded), before detaching.
  virtual void OnDetaching() {}

  // Keeps the control, its surface and the surfaces around that (a user control, its
  // extender, the form) alive for the rest of a call whose handlers may unload the form
  // or even release it.
  std::vector<std::shared_ptr<Dispatch>> KeepAlive();

 private:
  friend class ControlHost;

  std::string name_;
  int index_ = -1;
  ControlHost* host_ = nullptr;
  Control* container_ = nullptr;
  Rect bounds_;
  bool visible_ = true;
  bool enabled_ = true;
  int tab_index_ = 0;
  std::string tag_;
  int mouse_pointer_ = 0;
  std::int32_t hwnd_ = 0;
  bool default_ = false;
  bool cancel_ = false;
  KeyEvent key_down_;
  KeyEvent key_up_;
  KeyPressEvent key_press_;
  Event<> got_focus_;
  Event<> lost_focus_;
};

// A control held weakly: Get() answers nullptr once the control is gone or has left its
// surface.
class WeakControl {
 public:
  WeakControl() = default;
  explicit WeakControl(Control& control) : alive_(control.weak_from_this()), control_(&control) {}
  Control* Get() const {
    return alive_.expired() || control_->Host() == nullptr ? nullptr : control_;
  }

 private:
  std::weak_ptr<automation::Dispatch> alive_;
  Control* control_ = nullptr;
};

// Dispatch through the static member table T::Interface(), as DispatchObject<T> does.
// `Base` is Control or a class between it and T that shares state among kinds (the list
// controls); it is constructed from the `windowed` flag.
template <class T, class Base = Control>
class ControlImpl : public Base {
 public:
  Result<automation::DispId> GetIdOfName(std::string_view name) const override {
    return T::Interface().IdOfName(name);
  }
  Result<automation::Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<automation::Variant> args,
                                     std::span<const automation::NamedArg> named) override {
    auto keep = this->KeepAlive();
    try {
      return T::Interface().Invoke(static_cast<T&>(*this), id, kind, args, named);
    } catch (const automation::ObjectError& error) {
      return error.error();
    }
  }

 protected:
  explicit ControlImpl(bool windowed) : Base(windowed) {}
};

class ControlHost : public automation::Dispatch {
 public:
  ControlHost(const ControlHost&) = delete;
  ControlHost& operator=(const ControlHost&) = delete;
  ~ControlHost() override;

  // The host's name ("frmAddIn", the user control's type name, the page's name).
  virtual std::string HostName() const = 0;

  // Controls in creation order.
  const std::vector<std::shared_ptr<Control>>& Controls() const { return controls_; }
  // By name (ignoring ASCII case) and array index (-1: not an array element).
  Control* Find(std::string_view name, int index = -1) const;
  template <class T>
  T* FindAs(std::string_view name, int index = -1) const {
    return dynamic_cast<T*>(Find(name, index));
  }

  // Adds a standard control. A name (and index) already in use is a programming error
  // (std::invalid_argument).
  template <class T>
  T& Add(std::string name, int index = -1) {
    auto control = std::make_shared<T>();
    T& result = *control;
    Adopt(std::move(control), std::move(name), index);
    return result;
  }
  // Removes a control with the controls inside it; they are retired (see above).
  Status Remove(Control& control);

  // Places a user control as a new instance: it is sited (an Extender is added under
  // `name`), takes its own size as the extender's, gets InitNew (initialise-new-instance)
  // and then its first Resize. An empty or used name is refused.
  Result<Extender*> AddUserControl(std::shared_ptr<UserControl> control, std::string name);
  // The same, creating the control by class id through `factory`.
  Result<Extender*> CreateUserControl(const automation::Guid& class_id, std::string name,
                                      const ControlFactory& factory);
  // Sites `control` without initialising it; the caller raises InitNew or Load.
  Result<Extender*> SiteUserControl(std::shared_ptr<UserControl> control, std::string name);
  // The extenders of the user controls on this surface, in creation order.
  std::vector<Extender*> Extenders() const;

  // The client area in twips.
  virtual int ScaleWidth() const = 0;
  virtual int ScaleHeight() const = 0;
  // Whether the surface is on screen, and accepts input.
  virtual bool SurfaceShown() const = 0;
  virtual bool SurfaceEnabled() const = 0;
  // The form this surface is on (itself for a form); nullptr when there is none.
  virtual Form* OwnerForm() = 0;
  // True while the form runs; false on a design surface (the control test container).
  virtual bool UserMode() const = 0;
  // What the surface offers its user controls as ambient colours and font.
  virtual OleColor SurfaceBackColor() const { return system_color::kButtonFace; }
  virtual OleColor SurfaceForeColor() const { return system_color::kButtonText; }
  virtual FontDesc SurfaceFont() const { return {}; }

  Control* ActiveControl() const { return active_; }
  // The first control after `control` in tab order (wrapping round) that can take the
  // focus now; nullptr when none.
  Control* NextFocusable(const Control& control) const;
  // The innermost control with the focus, following user controls' own active controls;
  // nullptr when none has it.
  Control* FocusedControl() const;
  // The surface's controls back to front: the windowless ones, then the windowed ones,
  // each in the order ZOrder left them (new controls at the front).
  std::vector<Control*> StackingOrder() const;
  // The surface's window (window.h); a form has one only while it is loaded (0 else).
  std::int32_t hWnd() const { return hwnd_; }

  // Raises Show or Hide in the user controls on this surface whose on-screen state
  // changed, and the first Paint of those newly shown (recursively through user controls).
  void UpdateShown();

 protected:
  // `windowed`: the surface gets its window now (a form gets one when it loads).
  explicit ControlHost(bool windowed = true);

  // Gives the surface a new window, or destroys the one it has (nothing is sent).
  void CreateSurfaceWindow();
  void DestroySurfaceWindow();

  void Adopt(std::shared_ptr<Control> control, std::string name, int index);
  // Retires every control (unload). Extenders' objects get Hide and Terminate.
  void RetireAll();
  // Releases retired controls (on load and destruction).
  void ReleaseRetired() { retired_.clear(); }
  void NotifyHostChanged(std::string_view property);
  // Tells `host` that `control` took the focus (a user control passing it outwards).
  static void ForwardFocus(ControlHost& host, Control& control) { host.OnChildFocused(control); }
  // Places a control without the checks of its public setters (docking).
  static void SetChildBounds(Control& control, const Rect& bounds) {
    control.SetBoundsInternal(bounds);
  }

  // A control's bounds changed (docking reacts to this).
  virtual void OnChildBoundsChanged(Control& /*control*/) {}
  // A control was removed; the place it held is free for the others.
  virtual void OnChildRemoved() {}
  // A control took the focus on this surface; a user control passes the focus on to its
  // extender on the surface it is sited on.
  virtual void OnChildFocused(Control& control);

 private:
  friend class Control;
  friend class Extender;

  void Retire(Control& control);
  void RenumberTabs();

  std::vector<std::shared_ptr<Control>> controls_;
  std::vector<Control*> tab_order_;
  std::vector<Control*> z_order_;  // back to front
  std::vector<std::shared_ptr<Control>> retired_;
  Control* active_ = nullptr;
  std::int32_t hwnd_ = 0;
};

// The access key of a caption: the character after a single "&", in upper case; 0 when
// there is none ("&&" stands for an ampersand).
char AccessKeyOf(std::string_view caption);

}  // namespace feriant::ui
