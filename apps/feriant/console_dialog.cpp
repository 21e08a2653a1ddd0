#include "apps/feriant/console_dialog.h"

#include <utility>

namespace feriant::cli {

ConsoleDialog::ConsoleDialog(RunSelection selection, std::ostream& out, std::ostream& err,
                             bool messages_to_err, std::function<void()> before_message)
    : selection_(std::move(selection)),
      out_(out),
      err_(err),
      messages_to_err_(messages_to_err),
      before_message_(std::move(before_message)) {}

RunOutcome ConsoleDialog::Outcome() const {
  if (error_shown_) return RunOutcome::kFailed;
  return was_busy_ && left_busy_ ? RunOutcome::kFinished : RunOutcome::kRefused;
}

void ConsoleDialog::SetBusy(bool busy) {
  if (busy) {
    was_busy_ = true;
  } else if (was_busy_) {
    left_busy_ = true;
  }
}

engine::MessageAnswer ConsoleDialog::ShowMessage(const engine::MessageBoxRequest& request) {
  const bool is_error = request.icon == engine::MessageIcon::kCritical ||
                        request.icon == engine::MessageIcon::kExclamation;
  if (is_error) error_shown_ = true;
  // A host without result texts (listing) ends its run with an empty message.
  if (request.text.empty() && request.detail.empty()) return engine::MessageAnswer::kOk;

  if (before_message_) before_message_();
  std::ostream& stream = is_error || messages_to_err_ ? err_ : out_;
  // Keep the order in which things happened when both streams reach one terminal.
  (&stream == &err_ ? out_ : err_).flush();
  stream << request.text << '\n';
  if (!request.detail.empty()) stream << request.detail << '\n';
  stream.flush();
  return engine::MessageAnswer::kOk;
}

}  // namespace feriant::cli
