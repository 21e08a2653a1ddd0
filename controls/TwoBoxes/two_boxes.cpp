#include "controls/TwoBoxes/two_boxes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>

#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "controls/support/stored_values.h"
#include "platform/automation/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::DispId;
using automation::Variant;
using automation::VariantArray;
using Side = TwoBoxes::Side;
namespace ids = two_boxes::dispid;
namespace events = two_boxes::event;

// Geometry, twips.
constexpr int kWidth = 5640;
constexpr int kHeight = 2415;
constexpr int kListsReserve = 900;  // the width that is not list: buttons and gaps
constexpr int kRightListGap = 885;  // from lstLeft's left edge past its width to lstRight
constexpr int kButtonGap = 105;     // from lstLeft's right edge to the buttons
constexpr int kLabelGap = 120;      // below the taller label
constexpr int kAddAllBelowAdd = 360;
constexpr int kRemoveBelowAddAll = 600;
constexpr int kRemoveAllBelowRemove = 360;

constexpr char kCheckError[] = "Lumatrel::TwoBoxes::lstRightCheck_ItemCheck Error.";

// Index arguments arrive as 32-bit numbers but name 16-bit list positions.
Result<int> Position(const Variant& value) {
  auto index = value.ToI4();
  if (!index) return index.error();
  if (*index < std::numeric_limits<std::int16_t>::min() ||
      *index > std::numeric_limits<std::int16_t>::max())
    return automation::MakeError(automation::hresult::kOverflow, "list position");
  return static_cast<int>(*index);
}

// Item-data arrays hold one element more than their list.
void InsertData(std::vector<Variant>& data, int position, Variant value) {
  const auto at = static_cast<size_t>(std::clamp(position, 0, static_cast<int>(data.size())));
  data.insert(data.begin() + static_cast<std::ptrdiff_t>(at), std::move(value));
}
void RemoveData(std::vector<Variant>& data, int position) {
  if (data.size() <= 1) {
    data.assign(1, Variant::Null());
    return;
  }
  if (position >= 0 && static_cast<size_t>(position) < data.size() - 1)
    data.erase(data.begin() + position);
}

Variant Record(bool blocked, std::string text, Variant data, int index) {
  return Variant(automation::ObjectRef(
      std::make_shared<ListItemRecord>(blocked, std::move(text), std::move(data), index)));
}

// Item data are compared by value; a NaN, unequal to itself, still names its own entry.
bool SameData(const Variant& a, const Variant& b) {
  if (a == b) return true;
  return a.type() == automation::VarType::kR8 && b.type() == automation::VarType::kR8 &&
         std::isnan(a.ToDouble().value_or(0)) && std::isnan(b.ToDouble().value_or(0));
}

bool Accepted(const Variant& ok) {
  return ok.ToBool().value_or(true);
}

using Members = automation::Members<TwoBoxes>;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;

constexpr const char* SideName(Side side) {
  return side == Side::kLeft ? "Left" : "Right";
}

// A member that reads a side's list at a position: ListLeft(index), SelectedRight(index).
template <class Read>
Members::GetFn PositionGetter(Side side, Read read) {
  return [side, read](TwoBoxes& c, Args a) -> Result<Variant> {
    if (a.empty()) return ui::MakeUiError(ui::ui_error::kInvalidArrayIndex, "no position");
    auto index = Position(a[0]);
    if (!index) return index.error();
    auto value = read(c.List(side), *index);
    if (!value) return value.error();
    return Variant(*value);
  };
}

// AddItemLeft / AddItemRight(Value, ItemData).
void AddAddItem(Members& m, Side side, DispId id) {
  m.Method(std::string("AddItem") + SideName(side), id,
           [side](TwoBoxes& c, Args a, Named n) -> Result<Variant> {
             auto value = automation::ArgumentOf(a, n, "Value", 0).ToString();
             if (!value) return value.error();
             Variant data = automation::ArgumentOf(a, n, "ItemData", 1);
             if (data.IsMissing()) data = Variant();
             if (Status s = c.AddItem(side, std::move(*value), std::move(data)); !s)
               return s.error();
             return Variant();
           });
}

}  // namespace

const automation::Members<ListItemRecord>& ListItemRecord::Interface() {
  namespace rec = two_boxes::record;
  static const automation::Members<ListItemRecord> members = [] {
    automation::Members<ListItemRecord> m;
    m.Get("Text", rec::kText,
          [](ListItemRecord& r, Args) -> Result<Variant> { return Variant(r.text_); })
        .Put("Text", rec::kText,
             [](ListItemRecord& r, Args a) -> Status {
               auto text = a.back().ToString();
               if (!text) return text.error();
               r.text_ = std::move(*text);
               return Ok();
             })
        .Get("Data", rec::kData, [](ListItemRecord& r, Args) -> Result<Variant> { return r.data_; })
        .Put("Data", rec::kData,
             [](ListItemRecord& r, Args a) -> Status {
               r.data_ = a.back();
               return Ok();
             })
        .Get("index", rec::kIndex, [](ListItemRecord& r, Args) -> Result<Variant> {
          if (!r.blocked_)
            return automation::MakeError(automation::hresult::kMemberNotFound, "index");
          return Variant(static_cast<std::int32_t>(r.index_));
        });
    return m;
  }();
  return members;
}

TwoBoxes::TwoBoxes()
    : UserControlImpl("TwoBoxes", two_boxes::kClassId, two_boxes::kEventInterfaceId) {
  SetInitialSize(kWidth, kHeight);

  auto label = [this](const char* name, int left) {
    ui::Label& l = Add<ui::Label>(name);
    (void)l.Move(left, 0, 2355, 195);
    (void)l.SetBackStyle(ui::back_style::kTransparent);
    l.SetWordWrap(true);
    l.SetAutoSize(true);
    return &l;
  };
  lbl_left_ = label("lblLeft", 0);
  lbl_right_ = label("lblRight", 3240);

  auto list = [this](const char* name, int style, int multi_select) {
    ui::ListBox& l = Add<ui::ListBox>(name);
    (void)l.SetStyle(style);
    (void)l.SetMultiSelect(multi_select);
    (void)l.SetSorted(true);
    return &l;
  };
  lst_left_ = list("lstLeft", ui::list_style::kStandard, ui::multi_select::kExtended);
  lst_left_->SetIntegralHeight(false);
  (void)lst_left_->Move(0, 540, 2355, 1620);
  lst_right_ = list("lstRight", ui::list_style::kStandard, ui::multi_select::kExtended);
  (void)lst_right_->Move(3240, 1200, 2355, 1035);
  lst_right_check_ = list("lstRightCheck", ui::list_style::kCheckbox, ui::multi_select::kNone);
  (void)lst_right_check_->Move(3240, 360, 2355, 735);
  lst_right_check_->SetVisible(false);

  auto button = [this](const char* name, const char* caption, int top) {
    ui::CommandButton& b = Add<ui::CommandButton>(name);
    b.SetCaption(caption);
    (void)b.Move(2460, top, 675, 315);
    return &b;
  };
  cmd_add_all_ = button("cmdAddAll", ">>", 540);
  cmd_add_ = button("cmdAdd", ">", 900);
  cmd_remove_ = button("cmdRemove", "<", 1500);
  cmd_remove_all_ = button("cmdRemoveAll", "<<", 1860);

  // A failing list operation ends the action; there is no one to tell.
  cmd_add_->Click().Connect([this] { (void)MoveRight(false); });
  cmd_add_all_->Click().Connect([this] { (void)MoveRight(true); });
  cmd_remove_->Click().Connect([this] { (void)MoveLeft(false); });
  cmd_remove_all_->Click().Connect([this] { (void)MoveLeft(true); });
  lst_left_->DblClick().Connect([this] { (void)MoveRight(false); });
  lst_right_->DblClick().Connect([this] { (void)MoveLeft(false); });
  lst_right_check_->ItemCheck().Connect([this](int index) { CheckClicked(index); });
}

const Members& TwoBoxes::Interface() {
  static const Members members = [] {
    using ui::members::Getter;
    using ui::members::Setter;
    Members m;
    AddAddItem(m, Side::kLeft, ids::kAddItemLeft);
    AddAddItem(m, Side::kRight, ids::kAddItemRight);
    for (auto [side, id] : {std::pair{Side::kLeft, ids::kRemoveItemLeft},
                            std::pair{Side::kRight, ids::kRemoveItemRight}}) {
      m.Method(std::string("RemoveItem") + SideName(side), id,
               [side](TwoBoxes& c, Args a, Named n) -> Result<Variant> {
                 auto index = Position(automation::ArgumentOf(a, n, "index", 0));
                 if (!index) return index.error();
                 if (Status s = c.RemoveItem(side, *index); !s) return s.error();
                 return Variant();
               });
    }
    for (auto [side, id] :
         {std::pair{Side::kLeft, ids::kClearLeft}, std::pair{Side::kRight, ids::kClearRight}}) {
      m.Method(std::string("Clear") + SideName(side), id,
               [side](TwoBoxes& c, Args, Named) -> Result<Variant> {
                 c.Clear(side);
                 return Variant();
               });
    }
    m.Get("LeftCaption", ids::kLeftCaption, Getter<TwoBoxes>(&TwoBoxes::LeftCaption))
        .Put("LeftCaption", ids::kLeftCaption,
             Setter<TwoBoxes, std::string>(&TwoBoxes::SetLeftCaption))
        .Get("AddOnly", ids::kAddOnly, Getter<TwoBoxes>(&TwoBoxes::AddOnly))
        .Put("AddOnly", ids::kAddOnly, Setter<TwoBoxes, bool>(&TwoBoxes::SetAddOnly))
        .Get("RightHasCheckmarks", ids::kRightHasCheckmarks,
             Getter<TwoBoxes>(&TwoBoxes::RightHasCheckmarks))
        .Put("RightHasCheckmarks", ids::kRightHasCheckmarks,
             Setter<TwoBoxes, bool>(&TwoBoxes::SetRightHasCheckmarks))
        .Get("RightCaption", ids::kRightCaption, Getter<TwoBoxes>(&TwoBoxes::RightCaption))
        .Put("RightCaption", ids::kRightCaption,
             Setter<TwoBoxes, std::string>(&TwoBoxes::SetRightCaption));
    for (auto [side, id] : {std::pair{Side::kLeft, ids::kListIndexLeft},
                            std::pair{Side::kRight, ids::kListIndexRight}}) {
      m.Get(std::string("ListIndex") + SideName(side), id,
            Getter<TwoBoxes>([side](TwoBoxes& c) { return c.List(side).ListIndex(); }));
    }
    for (auto [side, id] :
         {std::pair{Side::kLeft, ids::kListLeft}, std::pair{Side::kRight, ids::kListRight}}) {
      const std::string name = std::string("List") + SideName(side);
      m.Get(name, id, PositionGetter(side, [](ui::ListBox& l, int i) { return l.List(i); }))
          .Put(name, id, [side](TwoBoxes& c, Args a) -> Status {
            auto index = Position(a.front());
            if (!index) return index.error();
            auto text = a.back().ToString();
            if (!text) return text.error();
            return c.List(side).SetList(*index, std::move(*text));
          });
    }
    for (auto [side, id] : {std::pair{Side::kLeft, ids::kItemDataLeft},
                            std::pair{Side::kRight, ids::kItemDataRight}}) {
      const std::string name = std::string("ItemData") + SideName(side);
      auto put = [side](TwoBoxes& c, Args a) -> Status {
        if (a.size() < 2)
          return automation::MakeError(automation::hresult::kBadParamCount, "index");
        auto index = Position(a.front());
        if (!index) return index.error();
        return c.SetItemData(side, *index, a.back());
      };
      m.Get(name, id,
            [side](TwoBoxes& c, Args a) -> Result<Variant> {
              if (a.empty()) return automation::MakeError(automation::hresult::kBadParamCount);
              auto index = Position(a[0]);
              if (!index) return index.error();
              return c.ItemData(side, *index);
            })
          .Put(name, id, put)
          .PutRef(name, id, put);
    }
    for (auto [side, id] : {std::pair{Side::kRight, ids::kSelectedRight},
                            std::pair{Side::kLeft, ids::kSelectedLeft}}) {
      const std::string name = std::string("Selected") + SideName(side);
      m.Get(name, id, PositionGetter(side, [](ui::ListBox& l, int i) { return l.Selected(i); }))
          .Put(name, id, [side](TwoBoxes& c, Args a) -> Status {
            auto index = Position(a.front());
            if (!index) return index.error();
            auto value = a.back().ToBool();
            if (!value) return value.error();
            return c.List(side).SetSelected(*index, *value);
          });
    }
    for (auto [side, id] : {std::pair{Side::kLeft, ids::kSelCountLeft},
                            std::pair{Side::kRight, ids::kSelCountRight}}) {
      m.Get(std::string("SelCount") + SideName(side), id,
            Getter<TwoBoxes>([side](TwoBoxes& c) { return c.List(side).SelCount(); }));
    }
    // 16-bit answers, as the lists give them.
    for (auto [side, id] : {std::pair{Side::kLeft, ids::kListCountLeft},
                            std::pair{Side::kRight, ids::kListCountRight}}) {
      m.Get(std::string("ListCount") + SideName(side), id,
            [side](TwoBoxes& c, Args) -> Result<Variant> {
              return Variant(static_cast<std::int16_t>(c.List(side).ListCount()));
            });
    }
    for (auto [side, id] : {std::pair{Side::kLeft, ids::kNewIndexLeft},
                            std::pair{Side::kRight, ids::kNewIndexRight}}) {
      m.Get(std::string("NewIndex") + SideName(side), id,
            [side](TwoBoxes& c, Args) -> Result<Variant> {
              return Variant(static_cast<std::int16_t>(c.List(side).NewIndex()));
            });
    }
    return m;
  }();
  return members;
}

ui::ListBox& TwoBoxes::List(Side side) const {
  if (side == Side::kLeft) return *lst_left_;
  return right_has_checkmarks_ ? *lst_right_check_ : *lst_right_;
}

std::vector<Variant>& TwoBoxes::DataOf(const ui::ListBox& list) {
  if (&list == lst_left_) return left_data_;
  return &list == lst_right_check_ ? right_check_data_ : right_data_;
}

const std::vector<Variant>& TwoBoxes::DataOf(const ui::ListBox& list) const {
  if (&list == lst_left_) return left_data_;
  return &list == lst_right_check_ ? right_check_data_ : right_data_;
}

int TwoBoxes::Locate(const ui::ListBox& list, int index, const std::string& text,
                     const Variant& data) const {
  const std::vector<Variant>& all = DataOf(list);
  auto is_it = [&](int i) {
    auto at = list.List(i);
    return at && *at == text && static_cast<size_t>(i) < all.size() &&
           SameData(all[static_cast<size_t>(i)], data);
  };
  if (index >= 0 && index < list.ListCount() && is_it(index)) return index;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (is_it(i)) return i;
  }
  return -1;
}

Status TwoBoxes::AddItem(Side side, std::string value, Variant item_data) {
  ui::ListBox& list = List(side);
  if (Status added = list.AddItem(std::move(value)); !added) return added;
  InsertData(DataOf(list), list.NewIndex(), std::move(item_data));
  return Ok();
}

Status TwoBoxes::RemoveItem(Side side, int index) {
  ui::ListBox& list = List(side);
  if (Status removed = list.RemoveItem(index); !removed) return removed;
  RemoveData(DataOf(list), index);
  return Ok();
}

void TwoBoxes::Clear(Side side) {
  ui::ListBox& list = List(side);
  list.Clear();
  DataOf(list).assign(1, Variant::Null());
}

Result<Variant> TwoBoxes::ItemData(Side side, int index) const {
  const auto& data = DataOf(List(side));
  if (index < 0 || static_cast<size_t>(index) >= data.size())
    return automation::MakeError(automation::hresult::kBadIndex, std::to_string(index));
  return data[static_cast<size_t>(index)];
}

Status TwoBoxes::SetItemData(Side side, int index, Variant value) {
  auto& data = DataOf(List(side));
  if (index < 0 || static_cast<size_t>(index) >= data.size())
    return automation::MakeError(automation::hresult::kBadIndex, std::to_string(index));
  data[static_cast<size_t>(index)] = std::move(value);
  return Ok();
}

void TwoBoxes::SetLeftCaption(std::string caption) {
  lbl_left_->SetCaption(std::move(caption));
  PropertyChanged();
  Layout();
}

void TwoBoxes::SetRightCaption(std::string caption) {
  lbl_right_->SetCaption(std::move(caption));
  PropertyChanged();
  Layout();
}

void TwoBoxes::SetAddOnly(bool value) {
  add_only_ = value;
  PropertyChanged();
  Layout();
}

void TwoBoxes::SetRightHasCheckmarks(bool value) {
  right_has_checkmarks_ = value;
  PropertyChanged();
  lst_right_check_->SetVisible(value);
  lst_right_->SetVisible(!value);
}

Result<bool> TwoBoxes::MoveOne(ui::ListBox& from, ui::ListBox& to, int index, DispId validate,
                               VariantArray& moved, VariantArray& blocked) {
  auto text = from.List(index);
  if (!text) return text.error();
  const std::vector<Variant>& from_data = DataOf(from);
  if (static_cast<size_t>(index) >= from_data.size())
    return automation::MakeError(automation::hresult::kBadIndex, std::to_string(index));
  const Variant data = from_data[static_cast<size_t>(index)];
  Variant args[] = {Variant(static_cast<std::int32_t>(index)), Variant(*text), data, Variant(true)};
  RaiseEvent(validate, args);
  // The handler may have added or removed entries: move this one, wherever it is now.
  const int now = Locate(from, index, *text, data);
  if (!Accepted(args[3]) || now == -1) {
    blocked.push_back(Record(true, *text, data, index));
    return false;
  }
  moved.push_back(Record(false, *text, data, 0));
  if (Status added = to.AddItem(*text); !added) return added.error();
  InsertData(DataOf(to), to.NewIndex(), data);
  RemoveData(DataOf(from), now);
  if (Status removed = from.RemoveItem(now); !removed) return removed.error();
  return true;
}

Status TwoBoxes::MoveRight(bool all) {
  auto keep = weak_from_this().lock();
  VariantArray moved;
  VariantArray blocked;
  bool changed = false;
  ui::ListBox& right = List(Side::kRight);
  // The entries that arrive are not to land in a selection the form did not make.
  if (all || right.SelCount() != 1) {
    (void)right.SetListIndex(-1);
    if (!right_has_checkmarks_) {
      for (int i = 0; i < right.ListCount(); ++i)
        (void)right.SetSelected(i, false);
    }
  }
  for (int i = 0; i < lst_left_->ListCount();) {
    if (!all) {
      auto selected = lst_left_->Selected(i);
      if (!selected) return selected.error();
      if (!*selected) {
        ++i;
        continue;
      }
    }
    auto went = MoveOne(*lst_left_, right, i, events::kValidateAdd, moved, blocked);
    if (!went) return went.error();
    if (*went) {
      changed = true;  // the next entry has moved up to i
    } else {
      ++i;
    }
  }
  RaiseAfter(events::kAfterAdd, std::move(moved), std::move(blocked), changed);
  return Ok();
}

Status TwoBoxes::MoveLeft(bool all) {
  if (add_only_) return Ok();
  auto keep = weak_from_this().lock();
  VariantArray moved;
  VariantArray blocked;
  bool changed = false;
  ui::ListBox& right = List(Side::kRight);
  if (right_has_checkmarks_ && !all) {
    // One entry at a time: the current one (its box is what a click ticks).
    const int current = right.ListIndex();
    if (current != -1) {
      auto went = MoveOne(right, *lst_left_, current, events::kValidateRemove, moved, blocked);
      if (!went) return went.error();
      changed = *went;
    }
  } else {
    for (int i = 0; i < right.ListCount();) {
      if (!all) {
        auto selected = right.Selected(i);
        if (!selected) return selected.error();
        if (!*selected) {
          ++i;
          continue;
        }
      }
      auto went = MoveOne(right, *lst_left_, i, events::kValidateRemove, moved, blocked);
      if (!went) return went.error();
      if (*went) {
        changed = true;
      } else {
        ++i;
      }
    }
  }
  RaiseAfter(events::kAfterRemove, std::move(moved), std::move(blocked), changed);
  return Ok();
}

void TwoBoxes::RaiseAfter(DispId id, VariantArray moved, VariantArray blocked, bool changed) {
  // An empty list goes out as one blank record, never as an empty array.
  if (moved.empty()) moved.push_back(Record(false, "", Variant(), 0));
  if (blocked.empty()) blocked.push_back(Record(true, "", Variant(), 0));
  Variant args[] = {Variant(std::move(moved)), Variant(std::move(blocked))};
  RaiseEvent(id, args);
  if (changed) RaiseEvent(events::kChange);
}

void TwoBoxes::CheckClicked(int index) {
  auto keep = weak_from_this().lock();
  if (Status asked = AskCheck(index); !asked)
    ui::MsgBox(kCheckError, ui::msgbox::kCritical, "Error");
}

Status TwoBoxes::AskCheck(int index) {
  // The list has toggled the tick already.
  auto state = lst_right_check_->Selected(index);
  if (!state) return state.error();
  auto text = lst_right_check_->List(index);
  if (!text) return text.error();
  const std::vector<Variant>& all = DataOf(*lst_right_check_);
  if (static_cast<size_t>(index) >= all.size())
    return automation::MakeError(automation::hresult::kBadIndex, std::to_string(index));
  const Variant data = all[static_cast<size_t>(index)];
  const bool new_state = *state;
  Variant args[] = {Variant(new_state), Variant(static_cast<std::int32_t>(index)), Variant(*text),
                    data, Variant(true)};
  RaiseEvent(events::kValidateCheckRight, args);
  if (!Accepted(args[4])) {
    // Back to the tick it had, on the entry wherever the handler left it.
    const int now = Locate(*lst_right_check_, index, *text, data);
    return now == -1 ? Ok() : lst_right_check_->SetSelected(now, !new_state);
  }
  Variant after[] = {Variant(new_state), Variant(static_cast<std::int32_t>(index)), Variant(*text),
                     data};
  RaiseEvent(events::kAfterCheckRight, after);
  RaiseEvent(events::kChange);
  return Ok();
}

void TwoBoxes::Layout() {
  // Each step stands alone: one that fails (a control too small for the lists) leaves
  // its part as it was.
  const int list_width = (Width() - kListsReserve) / 2;
  (void)lst_left_->SetWidth(list_width);
  (void)lst_right_->SetWidth(list_width);
  (void)lst_right_->SetLeft(list_width + kRightListGap);
  (void)lst_right_check_->SetWidth(lst_right_->Width());
  (void)lst_right_check_->SetLeft(lst_right_->Left());

  (void)lbl_left_->SetWidth(lst_left_->Width());
  (void)lbl_right_->SetWidth(lbl_left_->Width());
  (void)lbl_right_->SetLeft(lst_right_->Left());

  const int top = std::max(lbl_left_->Height(), lbl_right_->Height()) + kLabelGap;
  (void)lst_right_->SetTop(top);
  (void)lst_left_->SetTop(top);
  (void)lst_right_check_->SetTop(top);

  // The right lists keep whole rows; the left one matches what the one in use took.
  (void)lst_right_->SetHeight(Height() - top);
  (void)lst_right_check_->SetHeight(lst_right_->Height());
  (void)lst_left_->SetHeight(List(Side::kRight).Height());

  const int buttons_left = lst_left_->Width() + kButtonGap;
  for (ui::CommandButton* b : {cmd_add_, cmd_add_all_, cmd_remove_, cmd_remove_all_})
    (void)b->SetLeft(buttons_left);
  if (add_only_) {
    (void)cmd_add_->SetTop(lst_left_->Top() + lst_left_->Height() / 2 - cmd_add_->Height() / 2);
    for (ui::CommandButton* b : {cmd_add_all_, cmd_remove_, cmd_remove_all_})
      b->SetVisible(false);
    return;
  }
  (void)cmd_add_->SetTop(lst_left_->Top());
  (void)cmd_add_all_->SetTop(cmd_add_->Top() + kAddAllBelowAdd);
  (void)cmd_remove_->SetTop(cmd_add_all_->Top() + kRemoveBelowAddAll);
  (void)cmd_remove_all_->SetTop(cmd_remove_->Top() + kRemoveAllBelowRemove);
  for (ui::CommandButton* b : {cmd_add_, cmd_add_all_, cmd_remove_, cmd_remove_all_})
    b->SetVisible(true);
}

void TwoBoxes::OnResize() {
  Layout();
}

void TwoBoxes::OnInitProperties() {
  lbl_left_->SetCaption("Left");
  lbl_right_->SetCaption("Right");
  add_only_ = false;
  SetRightHasCheckmarks(false);
}

void TwoBoxes::OnReadProperties(ui::PropertyBag& bag) {
  ReadSetting<std::string>(bag, "LeftCaption", "Left",
                           [this](std::string v) { lbl_left_->SetCaption(std::move(v)); });
  ReadSetting<std::string>(bag, "RightCaption", "Right",
                           [this](std::string v) { lbl_right_->SetCaption(std::move(v)); });
  ReadSetting<bool>(bag, "AddOnly", false, [this](bool v) { add_only_ = v; });
  ReadSetting<bool>(bag, "RightHasCheckmarks", false, [this](bool v) { SetRightHasCheckmarks(v); });
  // A stored caption or AddOnly changes the layout even when the size stays the same.
  Layout();
}

void TwoBoxes::OnWriteProperties(ui::PropertyBag& bag) {
  RaiseIfFailed(bag.WriteProperty("LeftCaption", LeftCaption(), "Left"));
  RaiseIfFailed(bag.WriteProperty("RightCaption", RightCaption(), "Right"));
  RaiseIfFailed(bag.WriteProperty("AddOnly", add_only_, false));
  RaiseIfFailed(bag.WriteProperty("RightHasCheckmarks", right_has_checkmarks_, false));
}

}  // namespace feriant::lumatrel
