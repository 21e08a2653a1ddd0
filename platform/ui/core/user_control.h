#pragma once
// User controls: the base of every control of the control library.
//
// A user control is a surface with constituent controls (it is a ControlHost), an
// automation object with its own interface table (derive from UserControlImpl<T> and give
// T a static Interface()), and an event source (RaiseEvent; the container connects its
// sink through Events() or FindConnectionPoint()).
//
// On a container the control is sited: the container adds an Extender (extender.h) that
// holds its name, position, size, Align, Default, Cancel and Visible and forwards every
// other member to the control. The control's own size is the extender's size; while not
// sited it keeps a size of its own.
//
// Life cycle, as the container drives it:
//   constructor (constituents, SetInitialSize) -> sited -> InitNew (a new instance:
//   OnInitProperties) or Load (OnReadProperties) -> OnResize -> OnShow + OnPaint when its
//   form is shown -> ... -> Save (OnWriteProperties) when the container persists it ->
//   OnHide -> OnTerminate when the form unloads.
// OnResize is raised whenever the extent differs from the one last reported, also while
// not sited; between siting and the end of InitNew or Load it waits, so that the first
// Resize of a placed control comes after its properties are set. The user-interface thread only.

#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "platform/automation/events.h"
#include "platform/automation/guid.h"
#include "platform/ui/common/color.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/canvas.h"
#include "platform/ui/drawing/font.h"

namespace feriant::ui {

class PropertyBag;

// What the container tells its controls about itself.
struct AmbientProperties {
  bool user_mode = true;     // false on a design surface
  std::string display_name;  // the extender's name
  OleColor back_color = system_color::kButtonFace;
  OleColor fore_color = system_color::kButtonText;
  FontDesc font;
};

class UserControl : public ControlHost, public automation::ConnectionPointContainer {
 public:
  ~UserControl() override;

  std::string TypeName() const override { return type_name_; }
  std::string HostName() const override { return type_name_; }
  const automation::Guid& ClassId() const { return class_id_; }

  // The container's side: nullptr while not sited.
  Extender* Site() const { return site_; }
  AmbientProperties Ambient() const;

  // The control's extent in twips (its scale is twips, without a border).
  int Width() const;
  int Height() const;
  int ScaleWidth() const override { return Width(); }
  int ScaleHeight() const override { return Height(); }
  // A negative size is refused. Sited, this resizes the extender (and the container may
  // re-dock it); OnResize follows when the extent changed.
  Status SetWidth(int width);
  Status SetHeight(int height);
  Status SetSize(int width, int height);

  bool Enabled() const;
  void SetEnabled(bool enabled);
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color);
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color);
  // The control's own drawing font (what TextWidth measures with).
  const std::shared_ptr<StdFont>& Font() const { return font_; }
  void SetFont(std::shared_ptr<StdFont> font);
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;
  // Whether the container may place its own controls inside this one.
  bool ControlContainer() const { return control_container_; }

  // Tells the container that a persisted property changed; it records the name (empty:
  // unnamed) and marks the control dirty. Not sited: nothing is recorded.
  void PropertyChanged(std::string_view property = {});
  // Paints the control again now when it is on screen.
  void Refresh();
  // What the control drew when it last painted: OnPaint draws here (it starts empty at
  // every paint), the renderer shows it over the control's background.
  Canvas& Drawing() { return canvas_; }
  const Canvas& Drawing() const { return canvas_; }
  // Between OnShow and OnHide.
  bool IsVisibleOnScreen() const { return on_screen_; }

  // Persistence and painting, called by the container (and the renderer for Paint).
  // Errors thrown as ObjectError by the handlers come back as values.
  Status InitNew();
  Status Load(PropertyBag& bag);
  Status Save(PropertyBag& bag);
  void Paint();
  // Enter (13) or Esc (27) routed to the control because its extender is the default or
  // the cancel control of its form.
  void AccessKeyPress(int key_ascii);

  // Events of the control's event interface.
  automation::EventSource& Events() { return events_; }
  automation::EventSource* FindConnectionPoint(const automation::Guid& event_interface) override;

  bool SurfaceShown() const override;
  bool SurfaceEnabled() const override;
  Form* OwnerForm() override;
  bool UserMode() const override;
  OleColor SurfaceBackColor() const override { return back_color_; }
  OleColor SurfaceForeColor() const override { return fore_color_; }
  FontDesc SurfaceFont() const override { return font_->Desc(); }

 protected:
  // `type_name` is the control's class name ("WhiteTop"). `event_interface` identifies
  // its event interface for FindConnectionPoint.
  explicit UserControl(std::string type_name, automation::Guid class_id = {},
                       automation::Guid event_interface = {});

  // The design extent, set in the constructor: no OnResize.
  void SetInitialSize(int width, int height);
  void SetControlContainer(bool value) { control_container_ = value; }

  // Raises an event to every connected sink; by-reference arguments (Cancel) come back in
  // `args`. The control stays alive while the sinks run, even if one unloads its form.
  void RaiseEvent(automation::DispId id, std::span<automation::Variant> args = {});

  virtual void OnInitProperties() {}
  virtual void OnReadProperties(PropertyBag& /*bag*/) {}
  virtual void OnWriteProperties(PropertyBag& /*bag*/) {}
  virtual void OnResize() {}
  virtual void OnPaint() {}
  virtual void OnShow() {}
  virtual void OnHide() {}
  virtual void OnTerminate() {}
  // By default Enter clicks the constituent push button whose Default is set and Esc the
  // one whose Cancel is set, when it is visible and enabled.
  virtual void OnAccessKeyPress(int key_ascii);
  // A person's input on the control's own surface (not on a constituent control), while
  // it is visible and enabled: mouse buttons and shift state as in input.h, x and y in
  // twips of the control; keys while its extender has the focus (0 swallows them).
  virtual void OnMouseDown(int /*button*/, int /*shift_state*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseUp(int /*button*/, int /*shift_state*/, int /*x*/, int /*y*/) {}
  virtual void OnMouseMove(int /*buttons*/, int /*shift_state*/, int /*x*/, int /*y*/) {}
  virtual void OnClick() {}
  virtual void OnDblClick() {}
  virtual void OnKeyDown(int& /*key_code*/, int /*shift_state*/) {}
  virtual void OnKeyUp(int& /*key_code*/, int /*shift_state*/) {}
  virtual void OnKeyPress(int& /*key_ascii*/) {}

  void OnChildFocused(Control& control) override;

 private:
  friend class Extender;
  friend class ControlHost;
  friend class FormStore;

  // Raises OnResize when the extent differs from the one last reported.
  void ReportSize();
  void SetOnScreen(bool on_screen);
  void Terminate();

  std::string type_name_;
  automation::Guid class_id_;
  automation::EventSource events_;
  Extender* site_ = nullptr;
  int own_width_ = 0;
  int own_height_ = 0;
  bool own_enabled_ = true;
  std::optional<std::pair<int, int>> reported_size_;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  std::shared_ptr<StdFont> font_;
  bool control_container_ = false;
  Canvas canvas_;
  bool on_screen_ = false;
  bool terminated_ = false;
  // From siting until InitNew or Load has run: size changes are reported afterwards, so
  // that the first Resize comes after the properties are in place.
  bool placing_ = false;
};

// Dispatch through the static member table T::Interface():
//   class WhiteTop final : public ui::UserControlImpl<WhiteTop> {
//    public:
//     static const automation::Members<WhiteTop>& Interface();
//     ...
//   };
// An ObjectError thrown by a member reaches the caller as its Error.
template <class T>
class UserControlImpl : public UserControl {
 public:
  Result<automation::DispId> GetIdOfName(std::string_view name) const override {
    return T::Interface().IdOfName(name);
  }
  Result<automation::Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<automation::Variant> args,
                                     std::span<const automation::NamedArg> named) override {
    auto keep = weak_from_this().lock();
    try {
      return T::Interface().Invoke(static_cast<T&>(*this), id, kind, args, named);
    } catch (const automation::ObjectError& error) {
      return error.error();
    }
  }

 protected:
  using UserControl::UserControl;
};

}  // namespace feriant::ui
