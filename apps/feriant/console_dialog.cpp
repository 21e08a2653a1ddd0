#include "apps/feriant/console_dialog.h"

#include <utility>

#include "addin/engine/holiday_run.h"
#include "apps/feriant/interruption.h"
#include "platform/base/interrupt.h"

namespace feriant::cli {

ConsoleDialog::ConsoleDialog(std::ostream& out, std::ostream& err, bool messages_to_err,
                             std::function<void()> before_message)
    : out_(out),
      err_(err),
      messages_to_err_(messages_to_err),
      before_message_(std::move(before_message)) {}

RunOutcome ConsoleDialog::Outcome() const {
  if (error_shown_) return RunOutcome::kFailed;
  return was_busy_ && left_busy_ ? RunOutcome::kFinished : RunOutcome::kRefused;
}

void ConsoleDialog::SetProgressMin(std::int32_t value) {
  if (progress_ != nullptr) progress_->SetMin(value);
}

void ConsoleDialog::SetProgressMax(std::int32_t value) {
  if (progress_ != nullptr) progress_->SetMax(value);
}

void ConsoleDialog::SetProgressValue(std::int32_t value) {
  // The run saves only after its last step: an interrupt seen here loses nothing.
  LeaveIfInterruptedNow();
  progress_value_ = value;
  if (progress_ != nullptr) progress_->SetValue(value);
}

void ConsoleDialog::SetProgressLabel(std::string_view text) {
  if (progress_ != nullptr) progress_->SetLabel(text);
}

void ConsoleDialog::SetBusy(bool busy) {
  if (busy) {
    was_busy_ = true;
  } else if (was_busy_) {
    left_busy_ = true;
  }
  if (progress_ != nullptr) progress_->SetShown(busy);
}

namespace {

bool IsErrorBox(const engine::MessageBoxRequest& request) {
  return request.icon == engine::MessageIcon::kCritical ||
         request.icon == engine::MessageIcon::kExclamation;
}

}  // namespace

void ConsoleDialog::LeaveIfInterruptedNow() {
  if (progress_ != nullptr && base::InterruptSignal() != 0) progress_->Clear();
  LeaveIfInterrupted(err_);
}

engine::MessageAnswer ConsoleDialog::ShowMessage(const engine::MessageBoxRequest& request) {
  const bool is_error = IsErrorBox(request);
  // An error box either ends the run before it saved (a refused or interrupted save
  // included) or, for a single date, lets the run go on; either way the run has not
  // saved yet, since it saves only after its last year.
  if (is_error) {
    LeaveIfInterruptedNow();
    error_shown_ = true;
    if (request.text == engine::kHandleDateError) ++failed_holidays_;
  }
  if (left_busy_ && request.icon == engine::MessageIcon::kInformation) result_shown_ = true;
  // A host without result texts (listing) ends its run with an empty message.
  if (request.text.empty() && request.detail.empty()) return engine::MessageAnswer::kOk;
  if (hold_result_ && left_busy_ && request.icon == engine::MessageIcon::kInformation) {
    held_result_ = request;
    return engine::MessageAnswer::kOk;
  }
  // A message before the run went busy refuses the selection: it goes with the errors,
  // so that standard output carries only what a run produced.
  const bool to_err = is_error || !was_busy_;
  PrintMessage(request.text, to_err);
  if (!request.detail.empty()) PrintMessage(request.detail, to_err);
  return engine::MessageAnswer::kOk;
}

void ConsoleDialog::PrintHeldResult() {
  if (!held_result_) return;
  const engine::MessageBoxRequest request = std::move(*held_result_);
  held_result_.reset();
  PrintMessage(request.text, IsErrorBox(request));
}

void ConsoleDialog::PrintMessage(std::string_view text, bool is_error) {
  if (progress_ != nullptr) progress_->Clear();
  if (before_message_) before_message_();
  std::ostream& stream = is_error || messages_to_err_ ? err_ : out_;
  // Keep the order in which things happened when both streams reach one terminal.
  (&stream == &err_ ? out_ : err_).flush();
  stream << text << '\n';
  stream.flush();
}

}  // namespace feriant::cli
