#pragma once
// Label: a caption drawn on its container, windowless (it never takes the focus).
//
// AutoSize makes the label follow its text: without WordWrap the width becomes the text
// width and the height the text height (line count x line height); with WordWrap the
// width stays and the height becomes the height of the text wrapped at that width, and
// it is fitted again whenever the width, caption or font changes. Sizes come from the
// backend's text metrics. The user-interface thread only.

#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/common/input_codes.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

namespace back_style {
inline constexpr int kTransparent = 0;
inline constexpr int kOpaque = 1;
}  // namespace back_style

namespace alignment {
inline constexpr int kLeft = 0;
inline constexpr int kRight = 1;
inline constexpr int kCenter = 2;
}  // namespace alignment

class Label final : public ControlImpl<Label> {
 public:
  Label();
  static const automation::Members<Label>& Interface();
  std::string ClassName() const override { return "Label"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  int BackStyle() const { return back_style_; }
  Status SetBackStyle(int style);
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color) { return AssignColor(fore_color_, color, "ForeColor"); }
  int Alignment() const { return alignment_; }
  Status SetAlignment(int value);
  int BorderStyle() const { return border_style_; }
  Status SetBorderStyle(int style);  // 0 none, 1 fixed single
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  // A new array element takes these of the element it is loaded from.
  void CopyPropertiesFrom(const Label& other);

  Event<>& Click() { return click_; }
  Event<>& DblClick() { return dbl_click_; }
  MouseEvent& MouseDown() { return mouse_down_; }
  MouseEvent& MouseUp() { return mouse_up_; }

  Status InputClick() override;
  Status InputDblClick() override;
  char AccessKey() const override { return AccessKeyOf(caption_); }
  // Moves the focus to the next control in tab order that can take it.
  void PressAccessKey() override;
  Status InputMouse(const MouseInput& input) override;

 protected:
  void OnBoundsChanged(const Rect& old_bounds) override;
  void OnAttached() override;

 private:
  void Fit();
  void FontChanged();

  std::string caption_;
  bool auto_size_ = false;
  bool word_wrap_ = false;
  int back_style_ = back_style::kOpaque;
  OleColor back_color_ = system_color::kButtonFace;
  OleColor fore_color_ = system_color::kButtonText;
  int alignment_ = alignment::kLeft;
  int border_style_ = 0;
  FontSlot font_;
  Event<> click_;
  Event<> dbl_click_;
  MouseEvent mouse_down_;
  MouseEvent mouse_up_;
};

}  // namespace feriant::ui
