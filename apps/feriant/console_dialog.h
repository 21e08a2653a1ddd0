#pragma once
// The holiday run's dialog seam on a terminal: it prints the message boxes the run
// shows, the way the dialog would show them. The
// progress bar and label go to a ProgressLine when the command line gives one (a
// terminal); the busy state shows and hides it and tells how far the run got. A driver
// that still has to save after the run can hold the run's result back and print it once
// the save succeeded. When the command watches for interrupts, the dialog ends the
// process at the run's next progress step or error box after one (interruption.h).
//
// The command line owns the ConsoleDialog and the streams it writes to, and keeps them
// for the whole run. One thread.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string_view>

#include "addin/engine/run_dialog.h"
#include "apps/feriant/progress_line.h"

namespace feriant::cli {

// How a run ended, as the exit status reports it.
enum class RunOutcome {
  kFinished,  // went through every year and showed its result
  kRefused,   // stopped before the first year with a message (no regions, start behind end)
  kFailed,    // showed an error box
};

class ConsoleDialog final : public engine::RunDialog {
 public:
  // Information goes to `out`; errors (critical and exclamation boxes) and the messages by
  // which the run refuses a selection go to `err`. With `messages_to_err` every message
  // goes to `err`, so that `out` carries only the listing. `before_message` runs before
  // anything is printed, so that output held back by the caller comes out first.
  ConsoleDialog(std::ostream& out, std::ostream& err, bool messages_to_err,
                std::function<void()> before_message = {});

  RunOutcome Outcome() const;

  // Shows the run's progress on `line` (not owned; null for none) while the run is busy.
  void SetProgressDisplay(ProgressLine* line) { progress_ = line; }

  // From now on the run's result (the information box it shows after leaving its busy
  // state) is kept instead of printed, until PrintHeldResult.
  void HoldResult() { hold_result_ = true; }
  bool HasHeldResult() const { return held_result_.has_value(); }
  // Prints the held result as ShowMessage would have; nothing when none is held.
  void PrintHeldResult();
  // Whether the run showed (or held) its result: it went through every year and, in
  // Outlook mode, saved the calendar.
  bool ResultShown() const { return result_shown_; }
  // How many holidays the run could not enter: the error boxes of a single date, after
  // each of which the run goes on.
  int FailedHolidays() const { return failed_holidays_; }
  // Prints a message of the command line's own: an error on `err`, else on `out`.
  void PrintMessage(std::string_view text, bool is_error);

  // RunDialog.
  void SetProgressMin(std::int32_t value) override;
  void SetProgressMax(std::int32_t value) override;
  void SetProgressValue(std::int32_t value) override;
  std::int32_t ProgressValue() const override { return progress_value_; }
  void SetProgressLabel(std::string_view text) override;

  void SetBusy(bool busy) override;
  void SetMousePointer(engine::MousePointer /*pointer*/) override {}

  engine::MessageAnswer ShowMessage(const engine::MessageBoxRequest& request) override;

 private:
  // Ends the process when an interrupt arrived (interruption.h); for points where the run
  // has saved nothing.
  void LeaveIfInterruptedNow();

  std::ostream& out_;
  std::ostream& err_;
  bool messages_to_err_;
  std::function<void()> before_message_;
  ProgressLine* progress_ = nullptr;

  bool hold_result_ = false;
  std::optional<engine::MessageBoxRequest> held_result_;

  std::int32_t progress_value_ = 0;
  // The run enters the busy state only after it has accepted the selection, and leaves
  // it after the last year, just before its result.
  bool was_busy_ = false;
  bool left_busy_ = false;
  bool error_shown_ = false;
  bool result_shown_ = false;
  int failed_holidays_ = 0;
};

}  // namespace feriant::cli
