#pragma once
// SpinEdit: a whole-number entry field, a text box (txt) with a two-arrow spin button at
// its right. The value stays within Min..Max; what the person types is parsed into the
// value as it changes, and the form may rewrite how a value is shown (MapForDisplay).
//
// The upper or lower half of the button, or the Up and Down keys, step the value by
// StepSmall (StepBig with Shift): once at once, again after 300 ms, then every 80 ms
// while held (on the platform's timer tim). Page Up and Page Down jump to Max and Min.
//
// The button is drawn on the control's own surface from four 13 x 17 pixel images
// (normal, lower pressed, upper pressed, disabled) whose key colour was replaced by the
// button face when the control was created. Lengths are twips. The user-interface
// thread only.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/automation/dispatch.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/controls/timer.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/drawing/picture.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

// What IsValid says of the text (eTextValid).
namespace text_valid {
inline constexpr std::int32_t kYes = 1;          // zentYes
inline constexpr std::int32_t kOutOfBounds = 2;  // zentOutOfBounds
inline constexpr std::int32_t kNotNumeric = 3;   // zentNotNumeric
}  // namespace text_valid

class SpinEdit final : public ui::UserControlImpl<SpinEdit> {
 public:
  // Which spin-button image is in front.
  enum class Face { kNormal = 0, kLowerPressed = 1, kUpperPressed = 2, kDisabled = 3 };

  SpinEdit();

  // _SpinEdit in slot order: Value, Min, Max, StepSmall, StepBig (get, put), Text (get),
  // EditEnabled (put, get), IsValid, BackColor, Enabled (get, put), Font (get, put by
  // reference).
  static const automation::Members<SpinEdit>& Interface();

  std::int32_t Value() const { return value_; }
  // Clamped to Min..Max, shown (as MapForDisplay leaves the text) without raising Change.
  void SetValue(std::int32_t value);
  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t value);
  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t value);
  std::int32_t StepSmall() const { return step_small_; }
  void SetStepSmall(std::int32_t value);
  std::int32_t StepBig() const { return step_big_; }
  void SetStepBig(std::int32_t value);
  const std::string& Text() const { return txt_->Text(); }
  bool EditEnabled() const { return !txt_->Locked(); }
  // False makes the text read-only; spinning still works.
  void SetEditEnabled(bool value);
  std::int32_t IsValid() const;
  ui::OleColor EditBackColor() const { return txt_->BackColor(); }
  Status SetEditBackColor(ui::OleColor color) { return txt_->SetBackColor(color); }
  bool EditBoxEnabled() const { return txt_->Enabled(); }
  void SetEditBoxEnabled(bool value);
  // The live font of txt.
  const std::shared_ptr<ui::StdFont>& EditFont() const { return txt_->Font(); }
  void SetEditFont(std::shared_ptr<ui::StdFont> font);

  Face FrontFace() const { return front_; }
  const std::shared_ptr<ui::StdPicture>& FaceImage(Face face) const {
    return faces_[static_cast<size_t>(face)];
  }
  // Where the button is drawn, in the control's twips.
  int ButtonLeft() const;
  int ButtonTop() const;

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;
  void OnPaint() override;
  void OnMouseDown(int button, int shift_state, int x, int y) override;
  void OnMouseUp(int button, int shift_state, int x, int y) override;
  void OnDblClick() override;

 private:
  // The signed step, wide so that the negated smallest 32-bit step fits; one step at
  // once, the repeat after 300 ms.
  void SpinStart(std::int64_t step);
  // One step (the timer's tick): repeat every 80 ms from now, add the step, caret to the
  // end, raise Change. Nothing while disabled.
  void Tick();
  void SpinStop();
  void BringToFront(Face face);
  void OnTextChanged();
  void OnKeyDown(int& key_code, int shift_state);
  void OnKeyUp(int& key_code, int shift_state);
  std::int32_t StepFor(int shift_state) const;
  // What a step and Page Up or Page Down do: Value = `value`, caret to the end, Change.
  void StepTo(std::int32_t value);

  ui::TextBox* txt_ = nullptr;
  ui::Timer* tim_ = nullptr;
  std::array<std::shared_ptr<ui::StdPicture>, 4> faces_;
  Face front_ = Face::kNormal;
  std::int32_t min_ = 0;
  std::int32_t max_ = 100;
  std::int32_t step_small_ = 1;
  std::int32_t step_big_ = 10;
  std::int32_t value_ = 0;
  bool updating_ = false;
  bool enabled_ = true;
  int last_button_ = 0;
  std::int64_t spin_step_ = 0;
};

}  // namespace feriant::lumatrel
