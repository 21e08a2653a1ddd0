#pragma once
// ProgressBar: shows how far Value has come from Min to Max (0 and 100 when new).
//
// Min stays below Max: a limit that would not is an invalid property value, so a caller
// that moves both sets the one that makes room first. A Value outside the range is an
// invalid property value; a new limit that leaves the Value outside moves it to that
// limit. Refresh (every control's) draws the bar at once, which is how a run that keeps
// the event loop busy shows its progress. The user-interface thread only.

#include <string>

#include "platform/ui/core/control.h"

namespace feriant::ui {

class ProgressBar final : public ControlImpl<ProgressBar> {
 public:
  ProgressBar();
  static const automation::Members<ProgressBar>& Interface();
  std::string ClassName() const override { return "ProgressBar"; }

  int Min() const { return min_; }
  Status SetMin(int value);
  int Max() const { return max_; }
  Status SetMax(int value);
  int Value() const { return value_; }
  Status SetValue(int value);

 private:
  void Store(int value);

  int min_ = 0;
  int max_ = 100;
  int value_ = 0;
};

}  // namespace feriant::ui
