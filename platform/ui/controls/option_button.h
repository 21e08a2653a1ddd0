#pragma once
// OptionButton: one choice of a group. The option buttons in the same container (a frame,
// a picture box, or the surface itself) form a group in which at most one has Value set:
// setting one clears the others. Click is raised on the button whose Value becomes true,
// by the person or by code, and only then; clearing raises nothing.
//
// Option buttons are often a control array (opt(0), opt(1), ...) whose further elements
// are loaded at run time (LoadArrayElement, control_array.h). The user-interface thread
// only.

#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/controls/caption_control.h"

namespace feriant::ui {

class OptionButton final : public ControlImpl<OptionButton, CaptionControl> {
 public:
  OptionButton();
  static const automation::Members<OptionButton>& Interface();
  std::string ClassName() const override { return "OptionButton"; }
  bool CanFocus() const override { return true; }

  bool Value() const { return value_; }
  void SetValue(bool value);
  int Alignment() const { return alignment_; }
  Status SetAlignment(int value);  // 0 button left of the caption, 1 right of it

  // A new array element takes these of the element it is loaded from.
  void CopyPropertiesFrom(const OptionButton& other);

  // A click by the person, or Alt with the access key, chooses the button.
  Status InputClick() override;
  void PressAccessKey() override;

  Event<>& Click() { return click_; }

 private:
  bool value_ = false;
  int alignment_ = 0;
  Event<> click_;
};

}  // namespace feriant::ui
