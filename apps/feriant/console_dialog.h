#pragma once
// The holiday run's dialog seam on a terminal: it answers the run's questions from the
// selection the command line made (country, ticked region keys, years, language) and
// prints the message boxes the run shows, the way the dialog would show them. The
// progress bar, the busy state and the mouse pointer have nothing to show here; they
// only tell how far the run got.
//
// The command line owns the ConsoleDialog and the streams it writes to, and keeps them
// for the whole run. One thread.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "addin/engine/run_dialog.h"

namespace feriant::cli {

// What the run reads of the dialog.
struct RunSelection {
  std::string country;                   // the chosen country's path
  std::vector<std::string> ticked_keys;  // ticked region paths, in node order
  std::string first_year;                // as typed
  std::string last_year;                 // as typed
  std::optional<std::int32_t> language;  // the language item's data; none if none chosen
  std::string banner_title;              // the title of the run's message boxes
  std::string success_add_message;       // empty when the host has none (listing)
  std::string success_remove_message;
};

// How a run ended, as the exit status reports it.
enum class RunOutcome {
  kFinished,  // went through every year and showed its result
  kRefused,   // stopped before the first year with a message (no regions, start behind end)
  kFailed,    // showed an error box
};

class ConsoleDialog final : public engine::RunDialog {
 public:
  // Information goes to `out` and errors (critical and exclamation boxes) to `err`;
  // with `messages_to_err` every message goes to `err`, so that `out` carries only the
  // listing. `before_message` runs before anything is printed, so that output held back
  // by the caller comes out first.
  ConsoleDialog(RunSelection selection, std::ostream& out, std::ostream& err, bool messages_to_err,
                std::function<void()> before_message = {});

  RunOutcome Outcome() const;

  // RunDialog.
  std::string CountryText() const override { return selection_.country; }
  std::vector<std::string> TickedNodeKeys() const override { return selection_.ticked_keys; }
  std::string FirstYearText() const override { return selection_.first_year; }
  std::string LastYearText() const override { return selection_.last_year; }
  std::optional<std::int32_t> SelectedLanguageItemData() const override {
    return selection_.language;
  }
  std::vector<std::string> SelectedCalendars() const override { return {}; }
  bool IsRemoval() const override { return false; }
  std::string BannerTitle() const override { return selection_.banner_title; }
  std::string SuccessAddMessage() const override { return selection_.success_add_message; }
  std::string SuccessRemoveMessage() const override { return selection_.success_remove_message; }

  void SetProgressMin(std::int32_t /*value*/) override {}
  void SetProgressMax(std::int32_t /*value*/) override {}
  void SetProgressValue(std::int32_t value) override { progress_value_ = value; }
  std::int32_t ProgressValue() const override { return progress_value_; }
  void SetProgressLabel(std::string_view /*text*/) override {}

  void SetBusy(bool busy) override;
  void SetMousePointer(engine::MousePointer /*pointer*/) override {}

  engine::MessageAnswer ShowMessage(const engine::MessageBoxRequest& request) override;

 private:
  RunSelection selection_;
  std::ostream& out_;
  std::ostream& err_;
  bool messages_to_err_;
  std::function<void()> before_message_;

  std::int32_t progress_value_ = 0;
  // The run enters the busy state only after it has accepted the selection, and leaves
  // it after the last year, just before its result.
  bool was_busy_ = false;
  bool left_busy_ = false;
  bool error_shown_ = false;
};

}  // namespace feriant::cli
