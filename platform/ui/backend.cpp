#include "platform/ui/backend.h"

#include "platform/ui/headless_backend.h"

namespace feriant::ui {
namespace {

std::shared_ptr<Backend>& Installed() {
  static std::shared_ptr<Backend> backend = std::make_shared<HeadlessBackend>();
  return backend;
}

}  // namespace

MsgBoxResult MessageBoxRequest::DefaultAnswer() const {
  using R = MsgBoxResult;
  const int button = (style & msgbox::kDefaultButton3)   ? 2
                     : (style & msgbox::kDefaultButton2) ? 1
                                                         : 0;
  auto pick = [button](std::initializer_list<R> buttons) {
    const size_t index =
        static_cast<size_t>(button) < buttons.size() ? static_cast<size_t>(button) : 0;
    return *(buttons.begin() + index);
  };
  switch (Buttons()) {
    case msgbox::kOkCancel:
      return pick({R::kOk, R::kCancel});
    case msgbox::kAbortRetryIgnore:
      return pick({R::kAbort, R::kRetry, R::kIgnore});
    case msgbox::kYesNoCancel:
      return pick({R::kYes, R::kNo, R::kCancel});
    case msgbox::kYesNo:
      return pick({R::kYes, R::kNo});
    case msgbox::kRetryCancel:
      return pick({R::kRetry, R::kCancel});
    default:
      return R::kOk;
  }
}

Backend& CurrentBackend() {
  return *Installed();
}

std::shared_ptr<Backend> SetBackend(std::shared_ptr<Backend> backend) {
  if (!backend) backend = std::make_shared<HeadlessBackend>();
  std::shared_ptr<Backend> previous = std::move(Installed());
  Installed() = std::move(backend);
  return previous;
}

OleColor ResolveColor(OleColor color) {
  if (!IsSystemColor(color)) return color & 0x00FFFFFFu;
  return CurrentBackend().SystemColor(static_cast<int>(color & 0xFFu)) & 0x00FFFFFFu;
}

MsgBoxResult MsgBox(std::string_view text, int style, std::string_view title) {
  return CurrentBackend().ShowMessageBox(
      MessageBoxRequest{std::string(text), style, std::string(title)});
}

}  // namespace feriant::ui
