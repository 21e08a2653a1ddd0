#pragma once
// TwoBoxes: a dual-list selector. Available entries on the left (lstLeft), chosen ones on
// the right, and four buttons between them: ">" (cmdAdd) moves the selected entries
// right, ">>" (cmdAddAll) all of them, "<" (cmdRemove) the selected ones back, "<<"
// (cmdRemoveAll) all of them back; a double click on an entry of lstLeft or lstRight
// moves it across. Each entry is a text with an item-data value of any kind that travels
// with it. Both lists sort their entries.
//
// Every single move asks the hosting form first (ValidateAdd, ValidateRemove, with a
// by-reference OK that starts true); after each action the form hears which entries
// moved and which it refused (AfterAdd, AfterRemove), then Change when anything moved.
// The right side is either lstRight (extended selection) or, with RightHasCheckmarks,
// lstRightCheck, a separate list with a check box per entry whose ticks the form may
// refuse too (ValidateCheckRight); there "<" moves the current entry only. In add-only
// mode entries only go right: "<", "<<" and double clicks on the right do nothing.
//
// Item data are kept beside each list (lstLeft, lstRight and lstRightCheck each have
// their own), by list position, in an array one element longer than the list. The control owns its
// constituents; item data that are objects are shared with the form. Lengths are twips. The
// user-interface thread only.

#include <string>
#include <utility>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/base/result.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

// A record of AfterAdd and AfterRemove: typListItemMoved (Text, Data) or
// typListItemBlocked (Text, Data, index: the entry's position when it was refused).
class ListItemRecord final : public automation::DispatchObject<ListItemRecord> {
 public:
  ListItemRecord(bool blocked, std::string text, automation::Variant data, int index)
      : blocked_(blocked), text_(std::move(text)), data_(std::move(data)), index_(index) {}
  static const automation::Members<ListItemRecord>& Interface();
  std::string TypeName() const override {
    return blocked_ ? "typListItemBlocked" : "typListItemMoved";
  }

  bool Blocked() const { return blocked_; }
  const std::string& Text() const { return text_; }
  const automation::Variant& Data() const { return data_; }
  int Index() const { return index_; }

 private:
  bool blocked_;
  std::string text_;
  automation::Variant data_;
  int index_;
};

class TwoBoxes final : public ui::UserControlImpl<TwoBoxes> {
 public:
  enum class Side { kLeft, kRight };

  TwoBoxes();

  // _TwoBoxes in slot order (see identities.h for the dispatch ids).
  static const automation::Members<TwoBoxes>& Interface();

  // The right side means the right list in use. Positions are 0-based; one outside the
  // list is the list's own error.
  Status AddItem(Side side, std::string value, automation::Variant item_data);
  Status RemoveItem(Side side, int index);
  void Clear(Side side);

  const std::string& LeftCaption() const { return lbl_left_->Caption(); }
  void SetLeftCaption(std::string caption);
  const std::string& RightCaption() const { return lbl_right_->Caption(); }
  void SetRightCaption(std::string caption);
  bool AddOnly() const { return add_only_; }
  void SetAddOnly(bool value);
  bool RightHasCheckmarks() const { return right_has_checkmarks_; }
  // Shows lstRightCheck or lstRight; entries stay in the list they are in.
  void SetRightHasCheckmarks(bool value);

  // The list of a side: lstLeft, or the right list in use.
  ui::ListBox& List(Side side) const;
  // ItemDataLeft / ItemDataRight: any element of the side's array, the spare one after
  // the last entry included; beyond that an invalid-index error.
  Result<automation::Variant> ItemData(Side side, int index) const;
  Status SetItemData(Side side, int index, automation::Variant value);

  // The four button actions; a failing list operation ends the action.
  Status MoveRight(bool all);
  Status MoveLeft(bool all);

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;

 private:
  // The item data of `list`, one of the three lists.
  std::vector<automation::Variant>& DataOf(const ui::ListBox& list);
  const std::vector<automation::Variant>& DataOf(const ui::ListBox& list) const;
  // Where the entry of `text` and `data` that was at `index` of `list` is now (a handler
  // may have changed the lists), or -1 when it is gone.
  int Locate(const ui::ListBox& list, int index, const std::string& text,
             const automation::Variant& data) const;
  // Moves entry `index` of `from` to `to` when the form accepts it (`validate`), and
  // records it in `moved` or `blocked`; an entry that the handler took away counts as
  // refused. True when it moved.
  Result<bool> MoveOne(ui::ListBox& from, ui::ListBox& to, int index, automation::DispId validate,
                       automation::VariantArray& moved, automation::VariantArray& blocked);
  void RaiseAfter(automation::DispId id, automation::VariantArray moved,
                  automation::VariantArray blocked, bool changed);
  void CheckClicked(int index);
  Status AskCheck(int index);
  void Layout();

  ui::Label* lbl_left_ = nullptr;
  ui::Label* lbl_right_ = nullptr;
  ui::ListBox* lst_left_ = nullptr;
  ui::ListBox* lst_right_ = nullptr;
  ui::ListBox* lst_right_check_ = nullptr;
  ui::CommandButton* cmd_add_all_ = nullptr;
  ui::CommandButton* cmd_add_ = nullptr;
  ui::CommandButton* cmd_remove_ = nullptr;
  ui::CommandButton* cmd_remove_all_ = nullptr;
  // By list position, one spare element after the last entry; one array per list.
  std::vector<automation::Variant> left_data_{automation::Variant()};
  std::vector<automation::Variant> right_data_{automation::Variant()};
  std::vector<automation::Variant> right_check_data_{automation::Variant()};
  bool add_only_ = false;
  bool right_has_checkmarks_ = false;
};

}  // namespace feriant::lumatrel
