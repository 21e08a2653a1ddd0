#pragma once
// UpDown: a spin button, usually bound to a text box (its buddy) whose text shows its
// value.
//
// Value (dispatch id 0) stays within Min (dispatch id 7) and Max, 0 and 10 when new; Min
// may lie above Max, and the up arrow then counts down. A Value outside the range is an
// invalid property value; a Min or Max that leaves the Value outside moves it to the
// nearest limit. Each arrow step moves by Increment (1 or more); past a limit the value
// stops there, or with Wrap starts again at the other limit.
//
// While SyncBuddy is set (the default), every change of Value writes it as a decimal
// number into the buddy's text, and the number the buddy shows (what was typed there) is
// taken as the value whenever the control is about to use or replace it: a step by the
// person starts from it, and a new Min or Max keeps it when it lies within the new range
// (bringing it to the nearest limit when not), instead of writing the old Value over
// it. The buddy is held weakly.
//
// Change is raised whenever Value changes, by the person or by code, after the buddy's
// text was written; UpClick and DownClick when the person presses an arrow.
// The user-interface thread only.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/ui/common/event.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/control.h"

namespace feriant::ui {

class UpDown final : public ControlImpl<UpDown> {
 public:
  UpDown();
  static const automation::Members<UpDown>& Interface();
  std::string ClassName() const override { return "UpDown"; }

  int Value() const { return value_; }
  Status SetValue(int value);
  int Min() const { return min_; }
  void SetMin(int value);
  int Max() const { return max_; }
  void SetMax(int value);
  int Increment() const { return increment_; }
  Status SetIncrement(int value);
  bool Wrap() const { return wrap_; }
  void SetWrap(bool value) { wrap_ = value; }
  bool SyncBuddy() const { return sync_buddy_; }
  void SetSyncBuddy(bool value);
  // The buddy text box, nullptr when none (or it is gone). Binding writes the value.
  TextBox* Buddy() const;
  void SetBuddy(TextBox* buddy);

  // The person pressed the up (+1) or down (-1) arrow (through ui::input).
  void UserSpin(int direction);

  Event<>& Change() { return change_; }
  Event<>& UpClick() { return up_click_; }
  Event<>& DownClick() { return down_click_; }

 private:
  int Low() const { return min_ < max_ ? min_ : max_; }
  int High() const { return min_ < max_ ? max_ : min_; }
  // The whole number the buddy shows while the value follows it; nothing else.
  std::optional<std::int64_t> Typed() const;
  // After the range changed: `typed` (or Value when nothing was typed) brought into it.
  void Settle(std::optional<std::int64_t> typed);
  // Stores `value` (already in range), writes the buddy, raises Change when it changed.
  void Store(int value);
  void WriteBuddy();

  int value_ = 0;
  int min_ = 0;
  int max_ = 10;
  int increment_ = 1;
  bool wrap_ = false;
  bool sync_buddy_ = true;
  std::weak_ptr<automation::Dispatch> buddy_;
  TextBox* buddy_address_ = nullptr;
  Event<> change_;
  Event<> up_click_;
  Event<> down_click_;
};

}  // namespace feriant::ui
