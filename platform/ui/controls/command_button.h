#pragma once
// CommandButton: a push button. Default makes Enter press it and Cancel makes Esc press
// it (one of each per surface). PerformClick raises Click as a press does; presses from
// the renderer arrive only while the button is visible and enabled. The user-interface
// thread only.

#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

class CommandButton final : public ControlImpl<CommandButton> {
 public:
  CommandButton();
  static const automation::Members<CommandButton>& Interface();
  std::string ClassName() const override { return "CommandButton"; }
  bool CanFocus() const override { return true; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool Default() const { return IsDefault(); }
  void SetDefault(bool value) { SetDefaultFlag(value); }
  bool Cancel() const { return IsCancel(); }
  void SetCancel(bool value) { SetCancelFlag(value); }
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  // Raises Click (what setting Value to True does).
  void PerformClick();

  Status InputClick() override;
  Status InputMouse(const MouseInput& input) override;
  bool TakesFocusedEnter() const override { return true; }
  void PressByKey(int key_ascii) override;
  char AccessKey() const override { return AccessKeyOf(caption_); }
  void PressAccessKey() override;

  Event<>& Click() { return click_; }
  MouseEvent& MouseDown() { return mouse_down_; }
  MouseEvent& MouseUp() { return mouse_up_; }

 protected:
  void OnAttached() override;

 private:
  std::string caption_;
  OleColor back_color_ = system_color::kButtonFace;
  FontSlot font_;
  Event<> click_;
  MouseEvent mouse_down_;
  MouseEvent mouse_up_;
};

}  // namespace feriant::ui
