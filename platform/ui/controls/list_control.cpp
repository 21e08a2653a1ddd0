#include "platform/ui/controls/list_control.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"

namespace feriant::ui {
namespace {

// The order of a sorted list: ASCII letters without regard to case, then byte order.
bool SortsBefore(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    auto lower = [](char c) {
      return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    };
    return lower(x) < lower(y);
  });
}

Error BadIndex(int index) {
  return MakeUiError(ui_error::kInvalidArrayIndex, std::to_string(index));
}

}  // namespace

ListControl::ListControl(bool windowed)
    : Control(windowed), font_([this] {
        NotifyChanged("Font");
        OnFontChanged();
      }) {}

Result<std::string> ListControl::List(int index) const {
  if (!Contains(index)) return BadIndex(index);
  return entries_[static_cast<size_t>(index)].text;
}

Status ListControl::SetList(int index, std::string text) {
  if (!Contains(index)) return BadIndex(index);
  std::string& current = entries_[static_cast<size_t>(index)].text;
  if (current == text) return Ok();
  current = std::move(text);
  NotifyEntry(ItemChange::Kind::kChanged, index);
  return Ok();
}

Result<std::int32_t> ListControl::ItemData(int index) const {
  if (!Contains(index)) return BadIndex(index);
  return entries_[static_cast<size_t>(index)].data;
}

Status ListControl::SetItemData(int index, std::int32_t data) {
  if (!Contains(index)) return BadIndex(index);
  entries_[static_cast<size_t>(index)].data = data;
  return Ok();
}

std::string ListControl::Text() const {
  return Contains(list_index_) ? entries_[static_cast<size_t>(list_index_)].text : std::string();
}

Status ListControl::SetSorted(bool value) {
  if (value == sorted_) return Ok();
  if (!entries_.empty())
    return MakeUiError(ui_error::kReadOnlyProperty, "Sorted is set while the list is empty");
  sorted_ = value;
  return Ok();
}

Status ListControl::AddItem(std::string text, int index) {
  if (index < -1 || index > ListCount())
    return MakeUiError(ui_error::kInvalidProcedureCall, "AddItem at " + std::to_string(index));
  if (index == -1) {
    if (sorted_) {
      auto place = std::upper_bound(
          entries_.begin(), entries_.end(), text,
          [](const std::string& t, const Entry& entry) { return SortsBefore(t, entry.text); });
      index = static_cast<int>(place - entries_.begin());
    } else {
      index = ListCount();
    }
  }
  entries_.insert(entries_.begin() + index, Entry{std::move(text), 0, false});
  new_index_ = index;
  if (list_index_ >= index) ++list_index_;
  NotifyEntry(ItemChange::Kind::kInserted, index);
  OnEntryInserted(index);
  return Ok();
}

Status ListControl::RemoveItem(int index) {
  if (!Contains(index))
    return MakeUiError(ui_error::kInvalidProcedureCall, "RemoveItem at " + std::to_string(index));
  entries_.erase(entries_.begin() + index);
  new_index_ = -1;
  NotifyEntry(ItemChange::Kind::kRemoved, index);
  if (list_index_ == index) {
    MoveListIndex(-1);
  } else if (list_index_ > index) {
    --list_index_;
  }
  OnEntryRemoved(index);
  return Ok();
}

void ListControl::Clear() {
  const bool had_current = list_index_ != -1;
  entries_.clear();
  new_index_ = -1;
  list_index_ = -1;
  NotifyEntry(ItemChange::Kind::kCleared, -1);
  if (had_current) NotifyChanged("ListIndex");
  OnCleared();
}

void ListControl::MoveListIndex(int index) {
  if (index == list_index_) return;
  list_index_ = index;
  NotifyChanged("ListIndex");
}

void ListControl::RaiseClick() {
  auto keep = KeepAlive();
  click_.Raise();
}

void ListControl::NotifyEntry(ItemChange::Kind kind, int index) {
  NotifyItems(ItemChange{kind, index, nullptr});
}

void ListControl::OnAttached() {
  if (Host() != nullptr) font_.Inherit(Host()->SurfaceFont());
}

}  // namespace feriant::ui
