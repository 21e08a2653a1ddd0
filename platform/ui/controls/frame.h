#pragma once
// Frame: a captioned border that groups other controls; it contains them (their positions
// are relative to its top-left corner) and makes one group of the option buttons inside
// it. BorderStyle 0 leaves out the border. Alt with the caption's access key moves the
// focus to the next control in tab order that can take it. The user-interface thread only.

#include <string>

#include "platform/ui/controls/caption_control.h"

namespace feriant::ui {

class Frame final : public ControlImpl<Frame, CaptionControl> {
 public:
  Frame();
  static const automation::Members<Frame>& Interface();
  std::string ClassName() const override { return "Frame"; }
  bool CanContain() const override { return true; }

  int BorderStyle() const { return border_style_; }
  Status SetBorderStyle(int style);  // 0 none, 1 fixed single

  void PressAccessKey() override;

 private:
  int border_style_ = 1;
};

}  // namespace feriant::ui
