#pragma once
// TextBox: an edit field. Change is raised whenever Text changes, from code as from the
// user. Typed text respects Locked (nothing is taken) and MaxLength (0: no limit; longer
// input is cut to that many characters). The user-interface thread only.

#include <memory>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/core/control.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

class TextBox final : public ControlImpl<TextBox> {
 public:
  TextBox();
  static const automation::Members<TextBox>& Interface();
  std::string ClassName() const override { return "TextBox"; }
  bool CanFocus() const override { return true; }

  const std::string& Text() const { return text_; }
  void SetText(std::string text);
  int MaxLength() const { return max_length_; }
  Status SetMaxLength(int length);
  bool Locked() const { return locked_; }
  void SetLocked(bool value);
  bool MultiLine() const { return multi_line_; }
  void SetMultiLine(bool value);
  int Alignment() const { return alignment_; }
  Status SetAlignment(int value);
  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color);
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color);
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  // The whole text after a user's edit; refused (false) when Locked.
  bool EditText(std::string text);
  Status InputText(std::string text) override;

  Event<>& Change() { return change_; }

 protected:
  void OnAttached() override;

 private:
  std::string text_;
  int max_length_ = 0;
  bool locked_ = false;
  bool multi_line_ = false;
  int alignment_ = 0;
  OleColor back_color_ = system_color::kWindowBackground;
  OleColor fore_color_ = system_color::kWindowText;
  FontSlot font_;
  Event<> change_;
};

}  // namespace feriant::ui
