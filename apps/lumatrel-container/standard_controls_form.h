#pragma once
// The "Standard controls" form of the control test container: every standard control of
// the platform, live, wired the way the add-in's dialog and the Lumatrel controls use
// them, so that a person can try them in a real window: a drop-down list that fills a
// region tree with check boxes and tick rules, two year boxes with spin buttons whose end
// year's minimum follows the start year, a run that blocks the event loop and still shows
// its progress, a web-link label, option buttons loaded at run time in a frame, a sorted
// list with extended selection, a list with check boxes, a text box's selection, a keyed
// picture list drawn transparently, a pop-up menu, a stand-alone check box that starts and
// stops an interval timer, an image and a line above the log. What the controls raise is
// shown in the log at the bottom. It is a plain ui::Form: any backend shows it. The user-interface
// thread only.

#include <chrono>
#include <deque>
#include <string>

#include "platform/ui/core/form.h"

namespace feriant::lumatrel_container {

class StandardControlsForm final : public ui::Form {
 public:
  StandardControlsForm();

  // The log lines, oldest first (the last ones are shown).
  const std::deque<std::string>& LogLines() const { return log_; }
  // The pause per year of the demonstration run; tests make it 0.
  void SetRunPause(std::chrono::milliseconds pause) { run_pause_ = pause; }

 protected:
  void BuildControls() override;
  void OnLoad() override;

 private:
  void BuildRegionControls();
  void BuildYearControls();
  void BuildRunControls();
  void BuildListControls();
  void BuildPictureControls();
  void BuildMenu();
  void BuildTimerControls();
  void FillTree(const std::string& country);
  void Run();
  void SetBusy(bool busy);
  void Log(std::string line);

  std::deque<std::string> log_;
  int ticks_ = 0;
  std::chrono::milliseconds run_pause_{120};
};

}  // namespace feriant::lumatrel_container
