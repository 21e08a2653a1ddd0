#pragma once
// The headless backend: deterministic answers for tests and for the command line.
//
// - 15 twips per pixel both ways; the classic Windows colour scheme (button face
//   RGB(212, 208, 200), window background white, shadow and grey text RGB(128, 128, 128),
//   button text black).
// - Text metrics from the font size alone: a character (a UTF-8 code point) is
//   round(0.6 x points) pixels wide, a line round(1.6 x points) pixels high, at least one
//   pixel each; MS Sans Serif 8.25 gives 5 x 13 pixels = 75 x 195 twips. Tests may set a
//   fixed character width, a line height, or the exact width of a string.
// - Message boxes are recorded and answered from a script, else with the box's default
//   button (OK for an OK-only box).
// - Timers run on a manual clock: Advance() fires every timer that falls due, in order of
//   due time (ties: the earlier started timer first), each at its due time.
// - RunModal returns at once after calling the optional modal handler, which lets a test
//   act while the form is "modal".
// - Pop-up menus are recorded and answered from a script of choices (each the positions
//   of an entry, as ShowPopupMenu returns them), else dismissed. A scripted choice that
//   names no entry the person could choose (hidden, disabled, a separator, a submenu)
//   dismisses the menu, as a click beside it would.
// - Renderer notifications are recorded as text lines when recording is switched on.
//
// The user-interface thread only.

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/ui/core/backend.h"

namespace feriant::ui {

class HeadlessBackend final : public Backend, private RenderObserver {
 public:
  HeadlessBackend();
  ~HeadlessBackend() override;

  // Screen.
  void SetTwipsPerPixel(int x, int y);
  void SetSystemColor(int index, OleColor rgb);

  // Metrics. 0 restores the size-derived value.
  void SetCharWidth(int twips) { char_width_ = twips; }
  void SetLineHeight(int twips) { line_height_ = twips; }
  // The exact width of one string (in any font, or only in the font named).
  void SetTextWidth(std::string text, int twips, std::string font_name = {});

  // Message boxes.
  void ScriptAnswer(MsgBoxResult answer) { answers_.push_back(answer); }
  const std::vector<MessageBoxRequest>& MessageBoxes() const { return boxes_; }
  void ClearMessageBoxes() { boxes_.clear(); }

  // Pop-up menus. An empty choice dismisses the menu.
  void ScriptMenuChoice(std::vector<int> path) { menu_choices_.push_back(std::move(path)); }
  const std::vector<PopupMenuRequest>& PopupMenus() const { return menus_; }

  // Shell requests (opened web addresses).
  const std::vector<ShellRequest>& ShellRequests() const { return shell_requests_; }
  void FailShellExecute(bool fail) { fail_shell_ = fail; }

  // The manual timer clock.
  void Advance(std::chrono::milliseconds by);
  std::chrono::milliseconds Elapsed() const { return now_; }
  size_t RunningTimers() const { return timers_.size(); }

  // Modal forms.
  void SetModalHandler(std::function<void(Form&)> handler) { modal_handler_ = std::move(handler); }
  const std::vector<std::string>& ModalForms() const { return modal_forms_; }

  // Renderer notifications as lines such as "added frmTest.cmdOK" or "changed cmdOK Caption".
  void RecordNotifications(bool on) { recording_ = on; }
  const std::vector<std::string>& Notifications() const { return notifications_; }
  void ClearNotifications() { notifications_.clear(); }

  // Backend.
  int TwipsPerPixelX() const override { return twips_per_pixel_x_; }
  int TwipsPerPixelY() const override { return twips_per_pixel_y_; }
  OleColor SystemColor(int index) const override;
  int TextWidth(const FontDesc& font, std::string_view text) const override;
  int TextHeight(const FontDesc& font, std::string_view text) const override;
  int WrappedTextHeight(const FontDesc& font, std::string_view text, int width) const override;
  MsgBoxResult ShowMessageBox(const MessageBoxRequest& request) override;
  void SetMousePointer(int pointer) override { mouse_pointer_ = pointer; }
  int MousePointer() const override { return mouse_pointer_; }
  void SetClipboardText(std::string text) override;
  std::string ClipboardText() const override { return clipboard_text_; }
  void SetClipboardPicture(std::shared_ptr<StdPicture> picture) override;
  std::shared_ptr<StdPicture> ClipboardPicture() const override { return clipboard_picture_; }
  void ClearClipboard() override;
  Status ShellExecute(const ShellRequest& request) override;
  TimerId StartTimer(std::chrono::milliseconds interval, std::function<void()> tick) override;
  void StopTimer(TimerId id) override;
  void RunModal(Form& form) override;
  std::vector<int> ShowPopupMenu(const PopupMenuRequest& request) override;
  RenderObserver& Observer() override { return *this; }

 private:
  struct Timer {
    std::chrono::milliseconds interval;
    std::chrono::milliseconds due;
    std::shared_ptr<std::function<void()>> tick;
  };

  int LineWidth(const FontDesc& font, std::string_view line) const;
  int LineHeight(const FontDesc& font) const;
  void Record(std::string line);

  // RenderObserver.
  void ControlAdded(ControlHost& host, Control& control) override;
  void ControlRemoved(ControlHost& host, Control& control) override;
  void ControlChanged(Control& control, std::string_view property) override;
  void HostChanged(ControlHost& host, std::string_view property) override;
  void RepaintRequested(ControlHost& host) override;
  void FocusChanged(Control& control) override;
  void FormShown(Form& form, bool modal) override;
  void FormHidden(Form& form) override;
  void FormUnloaded(Form& form) override;
  void ItemsChanged(Control& control, const ItemChange& change) override;
  void RefreshRequested(Control& control) override;

  int twips_per_pixel_x_ = 15;
  int twips_per_pixel_y_ = 15;
  std::map<int, OleColor> system_colors_;
  int char_width_ = 0;
  int line_height_ = 0;
  std::map<std::pair<std::string, std::string>, int> text_widths_;  // (font, text)
  std::vector<MsgBoxResult> answers_;
  std::vector<MessageBoxRequest> boxes_;
  std::vector<ShellRequest> shell_requests_;
  std::vector<std::vector<int>> menu_choices_;
  std::vector<PopupMenuRequest> menus_;
  bool fail_shell_ = false;
  int mouse_pointer_ = 0;
  std::string clipboard_text_;
  std::shared_ptr<StdPicture> clipboard_picture_;
  std::chrono::milliseconds now_{0};
  TimerId next_timer_ = 1;
  std::map<TimerId, Timer> timers_;
  std::function<void(Form&)> modal_handler_;
  std::vector<std::string> modal_forms_;
  bool recording_ = false;
  std::vector<std::string> notifications_;
};

}  // namespace feriant::ui
