#pragma once
// Frame: a captioned border that groups other controls; it contains them (their positions
// are relative to its top-left corner) and makes one group of the option buttons inside
// it. BorderStyle 0 leaves out the border and the caption's line. The user-interface
// thread only.

#include <memory>
#include <string>

#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

class Frame final : public ControlImpl<Frame> {
 public:
  Frame();
  static const automation::Members<Frame>& Interface();
  std::string ClassName() const override { return "Frame"; }
  bool CanContain() const override { return true; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  int BorderStyle() const { return border_style_; }
  Status SetBorderStyle(int style);  // 0 none, 1 fixed single
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color);
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color);
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  char AccessKey() const override { return AccessKeyOf(caption_); }
  // Moves the focus to the next control in tab order that can take it.
  void PressAccessKey() override;

 protected:
  void OnAttached() override;

 private:
  std::string caption_;
  int border_style_ = 1;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  FontSlot font_;
};

}  // namespace feriant::ui
