#pragma once
// CheckBox: a caption with a box that is unchecked (0), checked (1) or grayed (2). Click
// is raised whenever Value changes, from code as from the user; a user's click toggles
// between unchecked and checked (grayed becomes unchecked). The user-interface thread only.

#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

namespace check_value {
inline constexpr int kUnchecked = 0;
inline constexpr int kChecked = 1;
inline constexpr int kGrayed = 2;
}  // namespace check_value

class CheckBox final : public ControlImpl<CheckBox> {
 public:
  CheckBox();
  static const automation::Members<CheckBox>& Interface();
  std::string ClassName() const override { return "CheckBox"; }
  bool CanFocus() const override { return true; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  int Value() const { return value_; }
  // 0, 1 or 2; anything else is an invalid property value.
  Status SetValue(int value);
  int Alignment() const { return alignment_; }
  Status SetAlignment(int value);  // 0 box left of the caption, 1 right of it
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color) { return AssignColor(fore_color_, color, "ForeColor"); }
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  // A user's click: toggles and raises Click.
  void Toggle();
  Status InputClick() override;
  char AccessKey() const override { return AccessKeyOf(caption_); }
  void PressAccessKey() override;

  Event<>& Click() { return click_; }

 protected:
  void OnAttached() override;

 private:
  std::string caption_;
  int value_ = check_value::kUnchecked;
  int alignment_ = 0;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  FontSlot font_;
  Event<> click_;
};

}  // namespace feriant::ui
