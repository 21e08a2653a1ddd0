#pragma once
// OptionButton: one choice of a group. The option buttons in the same container (a frame,
// a picture box, or the surface itself) form a group in which at most one has Value set:
// setting one clears the others. Click is raised on the button whose Value becomes true,
// by the person or by code, and only then; clearing raises nothing.
//
// Option buttons are often a control array (opt(0), opt(1), ...) whose further elements
// are loaded at run time (LoadArrayElement, control_array.h). The user-interface thread
// only.

#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

class OptionButton final : public ControlImpl<OptionButton> {
 public:
  OptionButton();
  static const automation::Members<OptionButton>& Interface();
  std::string ClassName() const override { return "OptionButton"; }
  bool CanFocus() const override { return true; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Value() const { return value_; }
  void SetValue(bool value);
  int Alignment() const { return alignment_; }
  Status SetAlignment(int value);  // 0 button left of the caption, 1 right of it
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color);
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color);
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  // A new array element takes these of the element it is loaded from.
  void CopyPropertiesFrom(const OptionButton& other);

  // A click by the person chooses the button.
  Status InputClick() override;
  char AccessKey() const override { return AccessKeyOf(caption_); }
  void PressAccessKey() override;

  Event<>& Click() { return click_; }

 protected:
  void OnAttached() override;

 private:
  std::string caption_;
  bool value_ = false;
  int alignment_ = 0;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  FontSlot font_;
  Event<> click_;
};

}  // namespace feriant::ui
