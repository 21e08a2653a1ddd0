#pragma once
// Timer: an invisible control that raises Timer every Interval milliseconds (1 to 65535;
// 0 stops it) while it is Enabled and placed on a surface. It runs on the backend's
// timers (headless: the manual clock). The user-interface thread only.

#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/control.h"

namespace feriant::ui {

class Timer final : public ControlImpl<Timer> {
 public:
  Timer();
  ~Timer() override;
  static const automation::Members<Timer>& Interface();
  std::string ClassName() const override { return "Timer"; }

  int Interval() const { return interval_; }
  // 0 to 65535 milliseconds; setting it restarts the count.
  Status SetInterval(int milliseconds);
  void SetEnabled(bool enabled) override;
  bool IsRunning() const { return timer_ != 0; }

  Event<>& Tick() { return tick_; }

 protected:
  void OnAttached() override { Restart(); }
  void OnDetaching() override { Stop(); }

 private:
  void Restart();
  void Stop();

  int interval_ = 0;
  TimerId timer_ = 0;
  Event<> tick_;
};

}  // namespace feriant::ui
