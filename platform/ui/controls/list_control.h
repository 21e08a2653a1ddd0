#pragma once
// ListControl: what a list box and a drop-down list share: their entries, each a text with
// a 32-bit ItemData, in list order (positions 0-based), the current entry ListIndex (-1:
// none), their colours and font, and Click.
//
// AddItem puts an entry at the position given, else in a Sorted list at its place in
// case-insensitive (ASCII) order after the entries that sort equal to it, else at the
// end; NewIndex is where the last added entry went (-1 after a removal or Clear). Entries
// after an inserted or removed one move, and ListIndex moves with its entry; removing the
// current entry leaves none current, without a Click. A position outside the list is an
// "Invalid property array index" for List and ItemData and an "Invalid procedure call"
// for AddItem and RemoveItem.
//
// Every change of the entries reaches the renderer as an item change (inserted, removed,
// changed at a position, cleared), so that a renderer's list changes in place; ListIndex
// and the other properties as ControlChanged. The user-interface thread only.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/common/event.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/control.h"
#include "platform/ui/core/member_helpers.h"
#include "platform/ui/drawing/font_slot.h"

namespace feriant::ui {

class ListControl : public Control {
 public:
  int ListCount() const { return static_cast<int>(entries_.size()); }
  Result<std::string> List(int index) const;
  Status SetList(int index, std::string text);
  Result<std::int32_t> ItemData(int index) const;
  Status SetItemData(int index, std::int32_t data);
  int NewIndex() const { return new_index_; }
  int ListIndex() const { return list_index_; }
  // The current entry's text; empty when there is none.
  std::string Text() const;
  bool Sorted() const { return sorted_; }
  // Set while the list is empty: the order of entries already there is never changed.
  Status SetSorted(bool value);

  // `index` -1: the sorted place, or the end.
  Status AddItem(std::string text, int index = -1);
  Status RemoveItem(int index);
  void Clear();

  OleColor BackColor() const { return back_color_; }
  Status SetBackColor(OleColor color) { return AssignColor(back_color_, color, "BackColor"); }
  OleColor ForeColor() const { return fore_color_; }
  Status SetForeColor(OleColor color) { return AssignColor(fore_color_, color, "ForeColor"); }
  const std::shared_ptr<StdFont>& Font() const { return font_.Get(); }
  void SetFont(std::shared_ptr<StdFont> font) { font_.Set(std::move(font)); }

  Event<>& Click() { return click_; }

 protected:
  struct Entry {
    std::string text;
    std::int32_t data = 0;
    bool selected = false;
  };

  explicit ListControl(bool windowed);

  bool Contains(int index) const { return index >= 0 && index < ListCount(); }
  const std::vector<Entry>& Entries() const { return entries_; }
  std::vector<Entry>& MutableEntries() { return entries_; }
  // Makes `index` (-1 or a position) current and tells the renderer; no Click.
  void MoveListIndex(int index);
  // Raises Click, keeping the control alive for its handlers.
  void RaiseClick();
  // Reports `change` at `index` to the renderer.
  void NotifyEntry(ItemChange::Kind kind, int index);

  // After an entry was inserted at `index` (ListIndex already moved), or removed from it.
  virtual void OnEntryInserted(int /*index*/) {}
  virtual void OnEntryRemoved(int /*index*/) {}
  virtual void OnCleared() {}
  virtual void OnFontChanged() {}
  void OnAttached() override;

 private:
  std::vector<Entry> entries_;
  int list_index_ = -1;
  int new_index_ = -1;
  bool sorted_ = false;
  OleColor back_color_ = system_color::kWindowBackground;
  OleColor fore_color_ = system_color::kWindowText;
  FontSlot font_;
  Event<> click_;
};

namespace members {

// The members every list control has. T has SetListIndex(int) -> Status.
template <class T>
void AddListMembers(automation::Members<T>& m) {
  using Args = std::span<Variant>;
  using Named = std::span<const automation::NamedArg>;
  // The position argument of List(i) and ItemData(i).
  auto position = [](Args args) -> Result<int> {
    if (args.empty()) return MakeUiError(ui_error::kInvalidArrayIndex, "no position");
    return args[0].ToI4();
  };
  m.Get("List", dispid::kList,
        [position](T& c, Args a) -> Result<Variant> {
          auto index = position(a);
          if (!index) return index.error();
          auto text = c.List(*index);
          if (!text) return text.error();
          return Variant(*text);
        })
      .Put("List", dispid::kList,
           [position](T& c, Args a) -> Status {
             auto index = position(a.first(a.size() - 1));
             if (!index) return index.error();
             auto text = a.back().ToString();
             if (!text) return text.error();
             return c.SetList(*index, std::move(*text));
           })
      .Get("ItemData", dispid::kItemData,
           [position](T& c, Args a) -> Result<Variant> {
             auto index = position(a);
             if (!index) return index.error();
             auto data = c.ItemData(*index);
             if (!data) return data.error();
             return Variant(*data);
           })
      .Put("ItemData", dispid::kItemData,
           [position](T& c, Args a) -> Status {
             auto index = position(a.first(a.size() - 1));
             if (!index) return index.error();
             auto data = a.back().ToI4();
             if (!data) return data.error();
             return c.SetItemData(*index, *data);
           })
      .Get("ListCount", dispid::kListCount, Getter<T>([](T& c) { return c.ListCount(); }))
      .Get("NewIndex", dispid::kNewIndex, Getter<T>([](T& c) { return c.NewIndex(); }))
      .Get("ListIndex", dispid::kListIndex, Getter<T>([](T& c) { return c.ListIndex(); }))
      .Put("ListIndex", dispid::kListIndex,
           Setter<T, int>([](T& c, int v) { return c.SetListIndex(v); }))
      .Get("Sorted", dispid::kSorted, Getter<T>([](T& c) { return c.Sorted(); }))
      .Put("Sorted", dispid::kSorted, Setter<T, bool>([](T& c, bool v) { return c.SetSorted(v); }))
      .Get("Text", dispid::kText, Getter<T>([](T& c) { return c.Text(); }))
      .Method("AddItem", dispid::kAddItem,
              [](T& c, Args args, Named named) -> Result<Variant> {
                auto text = automation::ArgumentOf(args, named, "Item", 0).ToString();
                if (!text) return text.error();
                Variant where = automation::ArgumentOf(args, named, "Index", 1);
                int index = -1;
                if (!where.IsMissing()) {
                  auto value = where.ToI4();
                  if (!value) return value.error();
                  index = *value;
                }
                if (Status s = c.AddItem(std::move(*text), index); !s) return s.error();
                return Variant();
              })
      .Method("RemoveItem", dispid::kRemoveItem,
              [](T& c, Args args, Named named) -> Result<Variant> {
                auto index = automation::ArgumentOf(args, named, "Index", 0).ToI4();
                if (!index) return index.error();
                if (Status s = c.RemoveItem(*index); !s) return s.error();
                return Variant();
              })
      .Method("Clear", dispid::kClear, [](T& c, Args, Named) -> Result<Variant> {
        c.Clear();
        return Variant();
      });
  AddLookMembers(m);
}

}  // namespace members
}  // namespace feriant::ui
