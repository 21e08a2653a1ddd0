#pragma once
// QtBackend: the Qt 6 Widgets face of the windowing model (platform/ui).
//
// Installed as the process's backend (Install()), it answers the model's questions with
// the desktop's answers (twips per pixel from the screen's logical DPI, the system
// colours of the application palette, text metrics of the real fonts, message boxes,
// the mouse pointer, the clipboard, opening web addresses, interval timers, a nested
// event loop for modal forms) and mirrors every form into widgets through the model's
// RenderObserver notifications: a form becomes a window (or, when a program embeds it, a
// child widget), each control a widget at its bounds converted to pixels (pixels.h), a
// user control a container widget holding its constituent controls. The model owns
// geometry and state; Qt only paints and feeds input back through ui::input.
//
// Ownership: the backend owns the windows of forms and the widgets of controls, except
// an embedded form's widget and a property page's widget, which belong to the parent the
// program gave. Widgets of removed controls are deleted from the event loop, so a
// control's handler may unload its own form.
//
// Life: create it after the QApplication and uninstall it (ui::SetBackend(nullptr))
// before the QApplication is destroyed. The user-interface thread only.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "platform/ui/core/backend.h"
#include "platform/ui_qt/text_metrics.h"

class QEventLoop;
class QTimer;

namespace feriant::ui {
class ControlHost;
class PropertyPage;
}  // namespace feriant::ui

namespace feriant::ui_qt {

namespace internal {
struct RenderContext;
class FormSurface;
class Mirror;
}  // namespace internal

class QtBackend final : public ui::Backend, private ui::RenderObserver {
 public:
  // `twips_per_pixel` 0: 1440 / the primary screen's logical DPI (15 at 96 dpi).
  explicit QtBackend(int twips_per_pixel = 0);
  ~QtBackend() override;
  QtBackend(const QtBackend&) = delete;
  QtBackend& operator=(const QtBackend&) = delete;

  // A new backend installed with ui::SetBackend.
  static std::shared_ptr<QtBackend> Install(int twips_per_pixel = 0);

  // The widget that shows `form`'s client area, created on first use as a top-level
  // window.
  QWidget* FormWidget(ui::Form& form);
  // Shows `form` inside `parent` instead of in a window of its own; its widget (returned)
  // belongs to `parent`. The model's client size follows the widget's size.
  QWidget* EmbedForm(ui::Form& form, QWidget* parent);
  // The surface of a property page with its controls, a child of `parent`, as large as
  // the page. The program shows it in its own dialog.
  QWidget* PageWidget(ui::PropertyPage& page, QWidget* parent);
  // The widget of a control; nullptr when it has none (a timer, a control of a user
  // control that is not placed, a control of a page without a widget).
  QWidget* WidgetOf(const ui::Control& control) const;

  // Backend. A form's outer frame keeps the classic sizes (Backend's own FrameWidth and
  // FrameHeight): the window manager draws the real frame.
  int TwipsPerPixelX() const override { return twips_per_pixel_; }
  int TwipsPerPixelY() const override { return twips_per_pixel_; }
  ui::OleColor SystemColor(int index) const override;
  int TextWidth(const ui::FontDesc& font, std::string_view text) const override;
  int TextHeight(const ui::FontDesc& font, std::string_view text) const override;
  int WrappedTextHeight(const ui::FontDesc& font, std::string_view text, int width) const override;
  ui::MsgBoxResult ShowMessageBox(const ui::MessageBoxRequest& request) override;
  void SetMousePointer(int pointer) override;
  int MousePointer() const override { return mouse_pointer_; }
  void SetClipboardText(std::string text) override;
  std::string ClipboardText() const override;
  void SetClipboardPicture(std::shared_ptr<ui::StdPicture> picture) override;
  std::shared_ptr<ui::StdPicture> ClipboardPicture() const override;
  void ClearClipboard() override;
  Status ShellExecute(const ui::ShellRequest& request) override;
  ui::TimerId StartTimer(std::chrono::milliseconds interval, std::function<void()> tick) override;
  void StopTimer(ui::TimerId id) override;
  void RunModal(ui::Form& form) override;
  // A QMenu at the position asked for, run until the person chose or dismissed it.
  std::vector<int> ShowPopupMenu(const ui::PopupMenuRequest& request) override;
  ui::RenderObserver& Observer() override { return *this; }

 private:
  // RenderObserver.
  void ControlAdded(ui::ControlHost& host, ui::Control& control) override;
  void ControlRemoved(ui::ControlHost& host, ui::Control& control) override;
  void ControlChanged(ui::Control& control, std::string_view property) override;
  void HostChanged(ui::ControlHost& host, std::string_view property) override;
  void RepaintRequested(ui::ControlHost& host) override;
  void FocusChanged(ui::Control& control) override;
  void FormShown(ui::Form& form, bool modal) override;
  void FormHidden(ui::Form& form) override;
  void FormUnloaded(ui::Form& form) override;
  void ItemsChanged(ui::Control& control, const ui::ItemChange& change) override;
  void RefreshRequested(ui::Control& control) override;

  internal::FormSurface* Surface(ui::Form& form, QWidget* embed_parent, bool create);
  // The widget a host's controls are drawn on; nullptr when there is none yet.
  QWidget* SurfaceWidget(ui::ControlHost& host);
  // The widget `control` belongs in: its container's, or its host's surface.
  QWidget* ParentWidget(ui::Control& control);
  internal::Mirror* MirrorOf(const ui::Control& control) const;
  // Creates (or re-parents) the widget of `control` and, for a user control, of its
  // constituents; returns nullptr for controls that have no widget.
  QWidget* MirrorControl(ui::Control& control);
  // The mirror of a list, tree, spin button, progress bar, frame or option button;
  // nullptr for other kinds.
  static internal::Mirror* MirrorStandardControl(const internal::RenderContext& context,
                                                 ui::Control& control, QWidget* parent);
  // Mirrors every control of `host` that has no widget yet.
  void MirrorHost(ui::ControlHost& host);
  void Unmirror(const ui::Control& control);
  void QuitModalLoops(const ui::Form& form);
  void DropStaleSurfaces();

  int twips_per_pixel_;
  TextMetrics metrics_;
  std::unique_ptr<internal::RenderContext> context_;
  std::unordered_map<const ui::Control*, QPointer<QWidget>> widgets_;
  std::unordered_map<const ui::Form*, QPointer<internal::FormSurface>> forms_;
  std::unordered_map<const ui::PropertyPage*, QPointer<QWidget>> pages_;
  std::vector<std::pair<const ui::Form*, QEventLoop*>> modal_loops_;
  int mouse_pointer_ = 0;
  bool override_cursor_ = false;
  ui::TimerId next_timer_ = 1;
  // Parent of the timers; deleting it stops them all.
  std::unique_ptr<QObject> timer_owner_;
  std::map<ui::TimerId, QTimer*> timers_;
};

}  // namespace feriant::ui_qt
