#pragma once
// Forms: top-level windows that hold controls.
//
// A form is created unloaded. Load() builds its controls (BuildControls(), run at every
// load, since unloading retires them) and raises Load; Show() loads it when needed, makes
// it visible, raises Resize the first time after a load, raises Show and the first Paint
// in its user controls, and, when modal, lets the backend run it until it is unloaded
// (headless: returns at once). Unload() asks QueryUnload and Unload, either of which may
// cancel; then the form hides, its user controls get Hide and Terminate, and its controls
// are retired. Unloading from inside the form's own QueryUnload or Unload handler is
// refused ("Unable to unload within this context").
//
// Sizes are in twips: ScaleWidth/ScaleHeight is the client area, Width/Height the outer
// size (client plus the frame of the border style, as the backend measures it).
//
// Window: a loaded form is a window (window.h); Load creates it, Unload sends it
// WM_DESTROY after the Unload handlers and before its controls go, then destroys it, so a
// form that loads again has a new hWnd. Whenever its size may change (a size set from
// code or by the person, and when it is shown) the form asks its window procedure for
// its size limits (WM_GETMINMAXINFO) and keeps its outer size within the minimum and
// maximum tracking sizes of the answer; the renderer's window follows that range.
//
// Key routing: KeyDown() first offers the key to the form's own handler when KeyPreview
// is set (it may swallow the key by setting it to 0); then Enter presses the focused push
// button, else the form's default control, and Esc the cancel control, provided that the
// control is visible and enabled. A default or cancel extender receives the key through
// its control's AccessKeyPress. Alt with a letter or digit is an access key of the whole
// window: the form's controls and, at each user control's place in the tab order, its
// constituents. A key that one visible and enabled control holds presses it
// (Control::PressAccessKey); a key that several hold presses none of them and moves the
// focus to the next of them after the focused control in that order, wrapping round (a
// label or frame passes it on to the control after it). A key that none of these took goes to the
// focused control (its KeyDown, which may swallow it). KeyUp and KeyPress go the same way, through
// the form's preview to the focused control.
//
// Forms are automation objects too (Caption, sizes, Visible, hWnd, Show, Hide, Unload),
// which is what a control reaches through its extender's Parent. The user-interface
// thread only.

#include <climits>
#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/common/input_codes.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font.h"

namespace feriant::ui {

// Why a form is being unloaded (the QueryUnload mode).
enum class UnloadMode : int {
  kFormControlMenu = 0,  // the close box or the window menu
  kFormCode = 1,         // Unload from code
  kAppWindows = 2,
  kAppTaskManager = 3,
  kFormMdiForm = 4,
  kFormOwner = 5,
};

// The client sizes a form may take, in twips.
struct SizeRange {
  int min_width = 0;
  int min_height = 0;
  int max_width = INT_MAX;
  int max_height = INT_MAX;
  friend bool operator==(const SizeRange&, const SizeRange&) = default;
};

class Form : public ControlHost {
 public:
  // `name` is the form's class name ("frmAddIn"); client area 4680 x 3195 until set.
  explicit Form(std::string name);
  ~Form() override;

  static const automation::Members<Form>& Interface();
  std::string TypeName() const override { return name_; }
  std::string HostName() const override { return name_; }
  Result<automation::DispId> GetIdOfName(std::string_view name) const override;
  Result<automation::Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<automation::Variant> args,
                                     std::span<const automation::NamedArg> named) override;

  const std::string& Name() const { return name_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);

  int Left() const { return left_; }
  int Top() const { return top_; }
  void SetPosition(int left, int top);
  int ScaleWidth() const override { return client_width_; }
  int ScaleHeight() const override { return client_height_; }
  int Width() const;
  int Height() const;
  // Negative sizes are refused; others are brought into ClientSizeRange() (while
  // loaded). A client size that changes re-docks the aligned controls and then raises
  // Resize (while loaded).
  Status SetClientSize(int width, int height);
  // The range the window procedure answered last (no limit before it was asked).
  const SizeRange& ClientSizeRange() const { return size_range_; }
  Status SetWidth(int width);
  Status SetHeight(int height);
  int BorderStyle() const { return border_style_; }
  // 0 none, 1 fixed single, 2 sizable, 3 fixed dialog, 4 fixed tool window, 5 sizable
  // tool window. The client area is kept.
  Status SetBorderStyle(int style);

  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color);
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color);
  const std::shared_ptr<StdFont>& Font() const { return font_; }
  void SetFont(std::shared_ptr<StdFont> font);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool value) { key_preview_ = value; }
  void SetUserMode(bool user_mode) { user_mode_ = user_mode; }

  bool IsLoaded() const { return loaded_; }
  bool Visible() const { return visible_; }
  bool IsModal() const { return modal_; }
  Status Load();
  // A modal show of a form that is already visible is refused.
  Status Show(bool modal = false);
  void Hide();
  // True when the form is unloaded afterwards (also when it was not loaded), false when a
  // handler cancelled.
  Result<bool> Unload(UnloadMode mode = UnloadMode::kFormCode);

  // A key pressed or released, or a character typed, while the form is active (see
  // above); `shift_state` holds shift::* bits. `focused` is the control that has the
  // focus in the renderer (nullptr: the form's focused control). True when the key was
  // taken: swallowed by a handler, or it pressed a control.
  bool KeyDown(int key_code, int shift_state = 0, Control* focused = nullptr);
  bool KeyUp(int key_code, int shift_state = 0, Control* focused = nullptr);
  bool KeyPress(int key_ascii, Control* focused = nullptr);
  // The visible, enabled control that Enter or Esc would press; nullptr when none.
  Control* DefaultControl() const;
  Control* CancelControl() const;

  // True when a user control on the form reported a change since it was loaded or saved.
  bool Dirty() const;

  // Events for code outside the form (tests, a container); a derived form overrides the
  // On* members instead. Handlers run after the On* member.
  Event<>& LoadEvent() { return load_event_; }
  Event<>& ResizeEvent() { return resize_event_; }
  Event<bool&, UnloadMode>& QueryUnloadEvent() { return query_unload_event_; }
  Event<bool&>& UnloadEvent() { return unload_event_; }
  Event<int&, int>& KeyDownEvent() { return key_down_event_; }
  Event<int&, int>& KeyUpEvent() { return key_up_event_; }
  Event<int&>& KeyPressEvent() { return key_press_event_; }

  bool SurfaceShown() const override { return visible_; }
  bool SurfaceEnabled() const override { return enabled_; }
  Form* OwnerForm() override { return this; }
  bool UserMode() const override { return user_mode_; }
  OleColor SurfaceBackColor() const override { return back_color_; }
  OleColor SurfaceForeColor() const override { return fore_color_; }
  FontDesc SurfaceFont() const override { return font_->Desc(); }

  // Docks the aligned user controls (normally automatic).
  void Redock();

 protected:
  // Creates the form's controls; runs at every load, before OnLoad.
  virtual void BuildControls() {}
  virtual void OnLoad() {}
  virtual void OnResize() {}
  virtual void OnQueryUnload(bool& /*cancel*/, UnloadMode /*mode*/) {}
  virtual void OnUnload(bool& /*cancel*/) {}
  // With KeyPreview: setting `key_code` (`key_ascii`) to 0 swallows the key.
  virtual void OnKeyDown(int& /*key_code*/, int /*shift_state*/) {}
  virtual void OnKeyUp(int& /*key_code*/, int /*shift_state*/) {}
  virtual void OnKeyPress(int& /*key_ascii*/) {}

  void OnChildBoundsChanged(Control& control) override;
  void OnChildRemoved() override { Redock(); }

 private:
  void RaiseResize();
  // Presses the one control whose access key `key_code` is, or moves the focus between
  // several; false when none has it.
  bool PressAccessKey(int key_code);
  // Sends WM_GETMINMAXINFO and keeps the answer as the client-size range.
  void AskSizeRange();

  std::string name_;
  std::string caption_;
  int left_ = 0;
  int top_ = 0;
  int client_width_ = 4680;
  int client_height_ = 3195;
  int border_style_ = 2;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  std::shared_ptr<StdFont> font_;
  bool enabled_ = true;
  bool key_preview_ = false;
  bool user_mode_ = true;
  bool loaded_ = false;
  bool visible_ = false;
  bool modal_ = false;
  bool resized_since_load_ = false;
  bool unloading_ = false;
  bool docking_ = false;
  bool redock_pending_ = false;
  bool asking_size_ = false;
  SizeRange size_range_;
  Event<> load_event_;
  Event<> resize_event_;
  Event<bool&, UnloadMode> query_unload_event_;
  Event<bool&> unload_event_;
  Event<int&, int> key_down_event_;
  Event<int&, int> key_up_event_;
  Event<int&> key_press_event_;
};

}  // namespace feriant::ui
