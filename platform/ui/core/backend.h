#pragma once
// The backend: everything the windowing model asks of the screen and the desktop (pixel
// size, the colour scheme, text metrics, message boxes, the mouse pointer, the clipboard,
// opening a web address, interval timers, running a modal form, pop-up menus) and the
// observer through which a renderer mirrors the model.
//
// The process has one current backend, a HeadlessBackend unless a program installs
// another (the Qt renderer does at start-up). Model objects ask CurrentBackend() at the
// moment they need it. The user-interface thread only.

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/base/result.h"
#include "platform/ui/common/color.h"
#include "platform/ui/common/screen.h"
#include "platform/ui/drawing/font.h"

namespace feriant::ui {

class Control;
class ControlHost;
class Form;
class StdPicture;

// Message box style: buttons + icon + default button, added up.
namespace msgbox {
inline constexpr int kOkOnly = 0;
inline constexpr int kOkCancel = 1;
inline constexpr int kAbortRetryIgnore = 2;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kRetryCancel = 5;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kDefaultButton2 = 256;
inline constexpr int kDefaultButton3 = 512;
}  // namespace msgbox

// The button a message box was closed with.
enum class MsgBoxResult : int {
  kOk = 1,
  kCancel = 2,
  kAbort = 3,
  kRetry = 4,
  kIgnore = 5,
  kYes = 6,
  kNo = 7,
};

struct MessageBoxRequest {
  std::string text;
  int style = msgbox::kOkOnly;
  std::string title;  // empty: the renderer shows the program's name

  int Buttons() const { return style & 0x0F; }
  int Icon() const { return style & 0xF0; }
  // The button that Enter presses: the first unless a default-button flag says otherwise.
  MsgBoxResult DefaultAnswer() const;
};

// Opening a document or web address with the desktop's handler ("open" verb).
struct ShellRequest {
  std::int32_t owner_hwnd = 0;
  std::string verb = "open";
  std::string file;
  std::string parameters;
  std::string directory;
  int show_command = 5;  // 5: show the window
};

// Mouse pointers: the classic values (0 default, 11 hourglass, 99 custom, ...).
namespace mouse_pointer {
inline constexpr int kDefault = 0;
inline constexpr int kArrow = 1;
inline constexpr int kCross = 2;
inline constexpr int kIBeam = 3;
inline constexpr int kSizeWestEast = 9;
inline constexpr int kSizeNorthSouth = 7;
inline constexpr int kHourglass = 11;
inline constexpr int kNoDrop = 12;
inline constexpr int kHand = 99;
}  // namespace mouse_pointer

using TimerId = std::uint32_t;

// One change of the items of a list box, a drop-down list or a tree view, so that a
// renderer holding items of its own changes that one in place instead of rebuilding the
// whole list (which would lose a tree's expansion and the scroll position).
struct ItemChange {
  enum class Kind { kInserted, kRemoved, kChanged, kCleared };
  Kind kind = Kind::kChanged;
  // Lists: the position (after an insertion, where the item now is; before a removal,
  // where it was). Trees: -1.
  int index = -1;
  // Trees: the node inserted, changed or removed (a removed node goes with its whole
  // subtree and is already detached). Lists: null.
  std::shared_ptr<automation::Dispatch> item;
};

// An entry of a pop-up menu as a renderer shows it: the caption with its access key
// ("&Open"; "-" is a separator line), the states, and the entries of its submenu.
struct MenuEntry {
  std::string caption;
  bool checked = false;
  bool enabled = true;
  bool visible = true;
  std::vector<MenuEntry> submenu;
};

// Pop-up menu flags: horizontal alignment of the menu at x, and the mouse button that
// chooses an entry.
namespace popup_menu {
inline constexpr int kLeftAlign = 0;
inline constexpr int kCenterAlign = 4;
inline constexpr int kRightAlign = 8;
inline constexpr int kLeftButton = 0;
inline constexpr int kRightButton = 2;
}  // namespace popup_menu

struct PopupMenuRequest {
  std::vector<MenuEntry> entries;
  int flags = 0;
  // The surface the position is on, and the position in its twips; a missing coordinate
  // is the mouse pointer's.
  ControlHost* surface = nullptr;
  std::optional<int> x;
  std::optional<int> y;
};

// A renderer's view of the model. Every notification comes after the change. Controls
// are identified by reference; a control stays alive (and its address valid) at least
// until ControlRemoved for it has returned. A user control's constituent controls are
// reported to the user control as their host; when an extender is added, walk its
// object's Controls() for the constituents that exist already.
class RenderObserver {
 public:
  virtual ~RenderObserver() = default;
  virtual void ControlAdded(ControlHost& host, Control& control) = 0;
  virtual void ControlRemoved(ControlHost& host, Control& control) = 0;
  // `property` names what changed ("Caption", "Left", "Picture", ...).
  virtual void ControlChanged(Control& control, std::string_view property) = 0;
  // A form, user control or property page surface changed ("Caption", "Size", ...).
  virtual void HostChanged(ControlHost& host, std::string_view property) = 0;
  // A user control or picture box asks to be drawn again now.
  virtual void RepaintRequested(ControlHost& host) = 0;
  virtual void FocusChanged(Control& control) = 0;
  virtual void FormShown(Form& form, bool modal) = 0;
  virtual void FormHidden(Form& form) = 0;
  virtual void FormUnloaded(Form& form) = 0;
  // Items of a list or tree changed (ItemChange). Other changes of such a control
  // (ListIndex, TopIndex, ...) come through ControlChanged.
  virtual void ItemsChanged(Control& /*control*/, const ItemChange& /*change*/) {}
  // A control asks to be drawn again now, before the event loop runs again: a run that
  // blocks the loop shows its progress this way.
  virtual void RefreshRequested(Control& /*control*/) {}
};

class Backend {
 public:
  virtual ~Backend() = default;

  // Screen geometry: twips per pixel (15 at 96 dpi).
  virtual int TwipsPerPixelX() const = 0;
  virtual int TwipsPerPixelY() const = 0;
  // The extra width and height of a form's outer frame over its client area, in twips,
  // for a border style (0 none, 1 fixed single, 2 sizable, 3 fixed dialog, ...). By
  // default the classic frame: its sizes in pixels at the twips per pixel above.
  virtual int FrameWidth(int border_style) const;
  virtual int FrameHeight(int border_style) const;

  // The RGB value of system colour `index` (the low byte of 0x800000nn); black for an
  // index the scheme does not have.
  virtual OleColor SystemColor(int index) const = 0;

  // Text metrics in twips. Lines break at CR LF, LF and CR. TextWidth is the widest line,
  // TextHeight the line count times the line height (an empty text is one line).
  virtual int TextWidth(const FontDesc& font, std::string_view text) const = 0;
  virtual int TextHeight(const FontDesc& font, std::string_view text) const = 0;
  // The height of `text` word-wrapped to `width`: words break at blanks; a word wider
  // than the width stands on a line of its own.
  virtual int WrappedTextHeight(const FontDesc& font, std::string_view text, int width) const = 0;

  // Shows a message box and waits for the answer.
  virtual MsgBoxResult ShowMessageBox(const MessageBoxRequest& request) = 0;

  // The screen-wide mouse pointer.
  virtual void SetMousePointer(int pointer) = 0;
  virtual int MousePointer() const = 0;

  virtual void SetClipboardText(std::string text) = 0;
  virtual std::string ClipboardText() const = 0;
  virtual void SetClipboardPicture(std::shared_ptr<StdPicture> picture) = 0;
  virtual std::shared_ptr<StdPicture> ClipboardPicture() const = 0;
  virtual void ClearClipboard() = 0;

  virtual Status ShellExecute(const ShellRequest& request) = 0;

  // Interval timers: `tick` runs every `interval` until stopped. An interval below 1 ms
  // is refused with id 0.
  virtual TimerId StartTimer(std::chrono::milliseconds interval, std::function<void()> tick) = 0;
  virtual void StopTimer(TimerId id) = 0;

  // Runs `form` modally: returns when the form is unloaded or hidden. The form is
  // already shown when this is called.
  virtual void RunModal(Form& form) = 0;

  // Shows a pop-up menu and waits until the person chose an entry or dismissed the menu.
  // The chosen entry as positions in `request.entries`, then in its submenu, and so on;
  // empty when dismissed. Only a visible, enabled entry that is no separator and has no
  // submenu can be chosen.
  virtual std::vector<int> ShowPopupMenu(const PopupMenuRequest& request) = 0;

  virtual RenderObserver& Observer() = 0;
};

// The process's backend; a HeadlessBackend until one is installed.
Backend& CurrentBackend();
// Installs `backend` (nullptr: a fresh HeadlessBackend) and returns the previous one.
std::shared_ptr<Backend> SetBackend(std::shared_ptr<Backend> backend);

// The line rules every backend's text metrics follow. `text` split at CR LF, LF and CR
// (an empty text is one empty line).
std::vector<std::string_view> SplitLines(std::string_view text);
// `text` word-wrapped to `width` twips: each of its lines is filled greedily with the
// words between blanks while `line_width` of the line stays within `width`; a word wider
// than the width stands on a line of its own, never broken.
std::vector<std::string> WrapLines(std::string_view text, int width,
                                   const std::function<int(std::string_view)>& line_width);

// Shows a message box through the current backend.
MsgBoxResult MsgBox(std::string_view text, int style = msgbox::kOkOnly,
                    std::string_view title = {});

}  // namespace feriant::ui
