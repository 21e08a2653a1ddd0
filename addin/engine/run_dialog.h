#pragma once
// The seam between the holiday run and whatever drives it: the add-in's dialog, the
// command line, or a test. The run writes its progress, busy state, mouse pointer and
// message boxes through it; what it works on comes as a RunSelection.
//
// The driver owns the object and keeps it alive for the whole run. Every call comes from
// the one thread that runs the run; the run never yields to a message loop, so a driver
// with a window redraws what the run changes when the run asks it to.

#include <cstdint>
#include <string>
#include <string_view>

namespace feriant::engine {

enum class MessageIcon { kNone, kCritical, kQuestion, kExclamation, kInformation };

enum class MessageButtons { kOk, kOkCancel, kAbortRetryIgnore, kYesNoCancel, kYesNo, kRetryCancel };

enum class MessageAnswer { kOk, kCancel, kAbort, kRetry, kIgnore, kYes, kNo };

enum class MousePointer { kDefault, kWait };

struct MessageBoxRequest {
  std::string text;  // the system's own message, shown as it is
  MessageIcon icon = MessageIcon::kNone;
  MessageButtons buttons = MessageButtons::kOk;
  std::string title;
  // What went wrong, for an error box: a dialog does not show it, the command line
  // prints it below the text. Empty for ordinary messages.
  std::string detail;

  friend bool operator==(const MessageBoxRequest&, const MessageBoxRequest&) = default;
};

class RunDialog {
 public:
  virtual ~RunDialog() = default;

  // The progress bar.
  virtual void SetProgressMin(std::int32_t value) = 0;
  virtual void SetProgressMax(std::int32_t value) = 0;
  virtual void SetProgressValue(std::int32_t value) = 0;
  virtual std::int32_t ProgressValue() const = 0;
  // Sets the progress label's text and redraws the label at once.
  virtual void SetProgressLabel(std::string_view text) = 0;

  // Switches between the idle dialog and the busy one that shows only the progress.
  virtual void SetBusy(bool busy) = 0;
  virtual void SetMousePointer(MousePointer pointer) = 0;

  // Shows a modal message box and returns the button pressed.
  virtual MessageAnswer ShowMessage(const MessageBoxRequest& request) = 0;
};

}  // namespace feriant::engine
