#pragma once
// ProgressLine: the run's progress bar and label as one line on a terminal, redrawn in
// place ("\r", the text, erase to the end of the line): the label, a bar of kBarWidth
// cells and the percentage of the bar's value between its minimum and maximum.
//
// Like the dialog's bar and label, the line is seen only while shown (the run's busy
// state) and keeps its values while hidden. It is drawn only when what it shows changes,
// so a run that steps the bar once per appointment (tens of thousands of times) writes
// at most one line per percent. The caller clears it before printing anything else on
// the same terminal.
// Owned by the command line for one run; the stream outlives it. One thread.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace feriant::cli {

class ProgressLine {
 public:
  // Cells of the bar between its brackets.
  static constexpr int kBarWidth = 20;

  explicit ProgressLine(std::ostream& terminal) : terminal_(terminal) {}
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void SetMin(std::int32_t value);
  void SetMax(std::int32_t value);
  void SetValue(std::int32_t value);
  void SetLabel(std::string_view text);

  // Shows the line (drawn at once) or hides it (erased).
  void SetShown(bool shown);
  // Erases the line if it is on the terminal; the next change draws it again.
  void Clear();

  // The text the line shows now: "Processing holidays of 2006... [#####               ]  25%".
  std::string Text() const;
  // 0..100; 0 while the bar has no range (maximum not above minimum).
  int Percent() const;

 private:
  void Redraw();

  std::ostream& terminal_;
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t value_ = 0;
  std::string label_;
  bool shown_ = false;
  bool on_terminal_ = false;
  std::string drawn_;  // the text last drawn, while on_terminal_
};

}  // namespace feriant::cli
