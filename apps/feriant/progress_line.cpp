#include "apps/feriant/progress_line.h"

#include <algorithm>

namespace feriant::cli {

void ProgressLine::SetMin(std::int32_t value) {
  min_ = value;
  Redraw();
}

void ProgressLine::SetMax(std::int32_t value) {
  max_ = value;
  Redraw();
}

void ProgressLine::SetValue(std::int32_t value) {
  value_ = value;
  Redraw();
}

void ProgressLine::SetLabel(std::string_view text) {
  label_.assign(text);
  Redraw();
}

int ProgressLine::Percent() const {
  if (max_ <= min_) return 0;
  // 64 bits: the range of two 32-bit values times 100 does not fit 32.
  const std::int64_t span = std::int64_t{max_} - min_;
  const std::int64_t done = std::clamp<std::int64_t>(std::int64_t{value_} - min_, 0, span);
  return static_cast<int>(done * 100 / span);
}

std::string ProgressLine::Text() const {
  const int percent = Percent();
  const int filled = percent * kBarWidth / 100;
  std::string text = label_;
  if (!text.empty()) text += ' ';
  text += '[';
  text.append(static_cast<size_t>(filled), '#');
  text.append(static_cast<size_t>(kBarWidth - filled), ' ');
  text += "] ";
  const std::string digits = std::to_string(percent);
  text.append(3 - digits.size(), ' ');
  text += digits;
  text += '%';
  return text;
}

void ProgressLine::SetShown(bool shown) {
  shown_ = shown;
  if (shown) {
    Redraw();
  } else {
    Clear();
  }
}

void ProgressLine::Redraw() {
  if (!shown_) return;
  std::string text = Text();
  if (on_terminal_ && text == drawn_) return;
  // Carriage return, the text, then erase whatever a longer earlier line left.
  terminal_ << '\r' << text << "\x1b[K";
  terminal_.flush();
  drawn_ = std::move(text);
  on_terminal_ = true;
}

void ProgressLine::Clear() {
  if (!on_terminal_) return;
  terminal_ << "\r\x1b[K";
  terminal_.flush();
  on_terminal_ = false;
  drawn_.clear();
}

}  // namespace feriant::cli
