#pragma once
// TextBox: an edit field. Change is raised whenever Text changes, from code as from the
// user. Typed text respects Locked (nothing is taken) and MaxLength (0: no limit; longer
// input is cut to that many characters); code may set any text.
//
// The selection is SelStart (the caret, 0 to the text's length) and SelLength, counted in
// characters; SelText is the selected text, and setting it replaces the selection (a
// change of Text) and leaves the caret after the new text. Setting Text puts the caret at
// the start. A negative SelStart or SelLength is an invalid property value; larger ones
// are cut to the text. The user-interface thread only.

#include <memory>
#include <string>
#include <string_view>

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
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color) { return AssignColor(fore_color_, color, "ForeColor"); }
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  int SelStart() const { return sel_start_; }
  Status SetSelStart(int start);
  int SelLength() const { return sel_length_; }
  Status SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(std::string_view text);

  // The whole text after a user's edit; refused (false) when Locked.
  bool EditText(std::string text);
  // The selection the person made (cut to the text); no event.
  void UserSelect(int start, int length);
  Status InputText(std::string text) override;

  Event<>& Change() { return change_; }

 protected:
  void OnAttached() override;

 private:
  // Sets the selection, cut to the text, and tells the renderer when it changed.
  void Select(int start, int length);

  std::string text_;
  int sel_start_ = 0;
  int sel_length_ = 0;
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
