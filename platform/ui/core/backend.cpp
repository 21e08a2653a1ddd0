#include "platform/ui/core/backend.h"

#include "platform/ui/core/headless_backend.h"

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

int Backend::FrameWidth(int border_style) const {
  switch (border_style) {
    case 0:
      return 0;
    case 2:
    case 5:
      return 8 * TwipsPerPixelX();  // sizable: 4-pixel frame on each side
    default:
      return 6 * TwipsPerPixelX();  // fixed: 3-pixel frame on each side
  }
}

int Backend::FrameHeight(int border_style) const {
  switch (border_style) {
    case 0:
      return 0;
    case 2:
      return 27 * TwipsPerPixelY();  // frame and a 19-pixel caption
    case 4:
    case 5:
      return 21 * TwipsPerPixelY();  // frame and a tool window's caption
    default:
      return 25 * TwipsPerPixelY();
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

int ScreenTwipsPerPixelX() {
  return CurrentBackend().TwipsPerPixelX();
}

int ScreenTwipsPerPixelY() {
  return CurrentBackend().TwipsPerPixelY();
}

OleColor ResolveColor(OleColor color) {
  if (!IsSystemColor(color)) return color & 0x00FFFFFFu;
  return CurrentBackend().SystemColor(static_cast<int>(color & 0xFFu)) & 0x00FFFFFFu;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> WrapLines(std::string_view text, int width,
                                   const std::function<int(std::string_view)>& line_width) {
  std::vector<std::string> lines;
  for (std::string_view paragraph : SplitLines(text)) {
    std::string line;
    size_t start = 0;
    while (start <= paragraph.size()) {
      size_t end = paragraph.find(' ', start);
      if (end == std::string_view::npos) end = paragraph.size();
      const std::string_view word = paragraph.substr(start, end - start);
      if (!word.empty()) {
        std::string candidate = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (!line.empty() && line_width(candidate) > width) {
          lines.push_back(std::move(line));
          line = std::string(word);
        } else {
          line = std::move(candidate);
        }
      }
      start = end + 1;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

MsgBoxResult MsgBox(std::string_view text, int style, std::string_view title) {
  return CurrentBackend().ShowMessageBox(
      MessageBoxRequest{std::string(text), style, std::string(title)});
}

}  // namespace feriant::ui
