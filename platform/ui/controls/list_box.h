#pragma once
// ListBox: a list of entries (list_control.h) with a selection.
//
// Selection by MultiSelect: 0 none (one entry at most, the current one), 1 simple (a
// click adds or removes the entry clicked), 2 extended (a click selects that entry only;
// with Ctrl it adds or removes it, with Shift it selects the run from the anchor, the
// entry last clicked without Shift, to it; with both it adds that run). ListIndex is the
// current entry; setting it selects that entry too.
//
// Style 1 gives every entry a check box. Selected(i) is then the tick, and the current
// entry is chosen one at a time. A tick set by the person raises ItemCheck(i) after the
// tick changed; ticks set by code raise nothing, so an ItemCheck handler can put a tick
// back without being called again.
//
// Click is raised whenever the selection or the current entry changes, by the person or
// by code; DblClick when the person double-clicks an entry. TopIndex is the first entry
// shown; the person's scrolling sets it, and a new current entry is scrolled into view.
//
// IntegralHeight (on by default) keeps the height at whole rows: a border of 2 pixels at
// the top and the bottom and as many rows as fit, at least one. A row is as high as a
// line of the font; with check boxes at least 15 pixels.
//
// Style and MultiSelect are chosen while the list is empty. The user-interface thread only.

#include <string>
#include <vector>

#include "platform/ui/controls/list_control.h"

namespace feriant::ui {

namespace list_style {
inline constexpr int kStandard = 0;
inline constexpr int kCheckbox = 1;
}  // namespace list_style

namespace multi_select {
inline constexpr int kNone = 0;
inline constexpr int kSimple = 1;
inline constexpr int kExtended = 2;
}  // namespace multi_select

class ListBox final : public ControlImpl<ListBox, ListControl> {
 public:
  ListBox();
  static const automation::Members<ListBox>& Interface();
  std::string ClassName() const override { return "ListBox"; }
  bool CanFocus() const override { return true; }

  int Style() const { return style_; }
  Status SetStyle(int style);
  int MultiSelect() const { return multi_select_; }
  Status SetMultiSelect(int mode);
  // -1 or a position; anything else is an invalid property value.
  Status SetListIndex(int index);
  // The selection, or with check boxes the tick, of entry `index`.
  Result<bool> Selected(int index) const;
  Status SetSelected(int index, bool value);
  // The number of selected (ticked) entries.
  int SelCount() const;
  int TopIndex() const { return top_index_; }
  // Kept within the entries (0 when the list is empty).
  void SetTopIndex(int index);
  bool IntegralHeight() const { return integral_height_; }
  void SetIntegralHeight(bool value);
  // The height of one row in twips.
  int RowHeight() const;

  // What the person does (through ui::input): a click on entry `index` with shift::*
  // bits; moving to an entry with the keyboard (simple selection only moves the current
  // entry then); a click on an entry's check box; scrolling; a double click (on the
  // entry the first click chose).
  void UserClick(int index, int shift_state);
  void UserMoveTo(int index, int shift_state);
  void UserToggleCheck(int index);
  void UserScroll(int top_index);
  Status InputDblClick() override;

  Event<>& DblClick() { return dbl_click_; }
  Event<int>& ItemCheck() { return item_check_; }

 protected:
  void OnEntryRemoved(int index) override;
  void OnCleared() override;
  void OnBoundsChanged(const Rect& old_bounds) override;
  void OnFontChanged() override { FitHeight(); }

 private:
  bool SingleSelection() const {
    return multi_select_ == multi_select::kNone || style_ == list_style::kCheckbox;
  }
  // Sets the flags of the entries to `wanted`, telling the renderer of each change;
  // true when any changed.
  bool ApplySelection(const std::vector<bool>& wanted);
  std::vector<bool> CurrentSelection() const;
  // Moves the current entry and, in a standard single-selection list, the selection with
  // it; Click when anything changed.
  void Select(int index);
  void FitHeight();
  // Scrolls so that entry `index` is among the rows shown.
  void ScrollTo(int index);

  int style_ = list_style::kStandard;
  int multi_select_ = multi_select::kNone;
  int top_index_ = 0;
  int anchor_ = -1;
  bool integral_height_ = true;
  Event<> dbl_click_;
  Event<int> item_check_;
};

}  // namespace feriant::ui
