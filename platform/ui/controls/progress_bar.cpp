#include "platform/ui/controls/progress_bar.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::ui {

using automation::Members;

ProgressBar::ProgressBar() : ControlImpl(/*windowed=*/true) {}

const Members<ProgressBar>& ProgressBar::Interface() {
  static const Members<ProgressBar> members = [] {
    Members<ProgressBar> m;
    using members::Getter;
    using members::Setter;
    using T = ProgressBar;
    members::AddCommonMembers(m);
    m.Get("Value", dispid::kValue, Getter<T>(&T::Value))
        .Put("Value", dispid::kValue, Setter<T, int>(&T::SetValue))
        .Get("Min", dispid::kMin, Getter<T>(&T::Min))
        .Put("Min", dispid::kMin, Setter<T, int>(&T::SetMin))
        .Get("Max", dispid::kMax, Getter<T>(&T::Max))
        .Put("Max", dispid::kMax, Setter<T, int>(&T::SetMax));
    return m;
  }();
  return members;
}

Status ProgressBar::SetMin(int value) {
  if (value >= max_) return MakeUiError(ui_error::kInvalidPropertyValue, "Min must stay below Max");
  if (value == min_) return Ok();
  min_ = value;
  NotifyChanged("Min");
  Store(std::max(value_, min_));
  return Ok();
}

Status ProgressBar::SetMax(int value) {
  if (value <= min_) return MakeUiError(ui_error::kInvalidPropertyValue, "Max must stay above Min");
  if (value == max_) return Ok();
  max_ = value;
  NotifyChanged("Max");
  Store(std::min(value_, max_));
  return Ok();
}

Status ProgressBar::SetValue(int value) {
  if (value < min_ || value > max_)
    return MakeUiError(ui_error::kInvalidPropertyValue, "Value " + std::to_string(value));
  Store(value);
  return Ok();
}

void ProgressBar::Store(int value) {
  if (value == value_) return;
  value_ = value;
  NotifyChanged("Value");
}

}  // namespace feriant::ui
