#include "platform/ui/controls/list_box.h"

#include <algorithm>

#include "platform/ui/common/errors.h"
#include "platform/ui/core/backend.h"
#include "platform/ui/core/form.h"

namespace feriant::ui {

using automation::Members;
using automation::Variant;

namespace {

// The border above and below the rows, and the least height of a row with a check box,
// in pixels.
constexpr int kBorderPixels = 2;
constexpr int kCheckboxRowPixels = 15;

int BorderHeight() {
  return 2 * kBorderPixels * CurrentBackend().TwipsPerPixelY();
}

}  // namespace

ListBox::ListBox() : ControlImpl(/*windowed=*/true) {}

const Members<ListBox>& ListBox::Interface() {
  static const Members<ListBox> members = [] {
    Members<ListBox> m;
    using members::Getter;
    using members::Setter;
    using T = ListBox;
    using Args = std::span<Variant>;
    members::AddCommonMembers(m);
    members::AddListMembers(m);
    m.Get("Style", dispid::kStyle, Getter<T>(&T::Style))
        .Put("Style", dispid::kStyle, Setter<T, int>(&T::SetStyle))
        .Get("MultiSelect", dispid::kMultiSelect, Getter<T>(&T::MultiSelect))
        .Put("MultiSelect", dispid::kMultiSelect, Setter<T, int>(&T::SetMultiSelect))
        .Get("Selected", dispid::kSelected,
             [](T& c, Args a) -> Result<Variant> {
               if (a.empty()) return MakeUiError(ui_error::kInvalidArrayIndex, "no position");
               auto index = a[0].ToI4();
               if (!index) return index.error();
               auto selected = c.Selected(*index);
               if (!selected) return selected.error();
               return Variant(*selected);
             })
        .Put("Selected", dispid::kSelected,
             [](T& c, Args a) -> Status {
               if (a.size() < 2) return MakeUiError(ui_error::kInvalidArrayIndex, "no position");
               auto index = a[0].ToI4();
               if (!index) return index.error();
               auto value = a.back().ToBool();
               if (!value) return value.error();
               return c.SetSelected(*index, *value);
             })
        .Get("SelCount", dispid::kSelCount, Getter<T>(&T::SelCount))
        .Get("TopIndex", dispid::kTopIndex, Getter<T>(&T::TopIndex))
        .Put("TopIndex", dispid::kTopIndex, Setter<T, int>(&T::SetTopIndex))
        .Get("IntegralHeight", dispid::kIntegralHeight, Getter<T>(&T::IntegralHeight))
        .Put("IntegralHeight", dispid::kIntegralHeight, Setter<T, bool>(&T::SetIntegralHeight));
    return m;
  }();
  return members;
}

Status ListBox::SetStyle(int style) {
  if (style != list_style::kStandard && style != list_style::kCheckbox)
    return MakeUiError(ui_error::kInvalidPropertyValue, "Style " + std::to_string(style));
  if (style == style_) return Ok();
  if (ListCount() > 0)
    return MakeUiError(ui_error::kReadOnlyProperty, "Style is set while the list is empty");
  style_ = style;
  NotifyChanged("Style");
  FitHeight();
  return Ok();
}

Status ListBox::SetMultiSelect(int mode) {
  if (mode < multi_select::kNone || mode > multi_select::kExtended)
    return MakeUiError(ui_error::kInvalidPropertyValue, "MultiSelect " + std::to_string(mode));
  if (mode == multi_select_) return Ok();
  if (ListCount() > 0)
    return MakeUiError(ui_error::kReadOnlyProperty, "MultiSelect is set while the list is empty");
  multi_select_ = mode;
  NotifyChanged("MultiSelect");
  return Ok();
}

std::vector<bool> ListBox::CurrentSelection() const {
  std::vector<bool> selection;
  selection.reserve(Entries().size());
  for (const Entry& entry : Entries())
    selection.push_back(entry.selected);
  return selection;
}

bool ListBox::ApplySelection(const std::vector<bool>& wanted) {
  bool changed = false;
  auto& entries = MutableEntries();
  for (size_t i = 0; i < entries.size() && i < wanted.size(); ++i) {
    if (entries[i].selected == wanted[i]) continue;
    entries[i].selected = wanted[i];
    changed = true;
    NotifyEntry(ItemChange::Kind::kChanged, static_cast<int>(i));
  }
  return changed;
}

void ListBox::Select(int index) {
  bool changed = index != ListIndex();
  if (style_ == list_style::kStandard) {
    std::vector<bool> wanted = CurrentSelection();
    if (multi_select_ == multi_select::kNone) std::fill(wanted.begin(), wanted.end(), false);
    if (index >= 0) wanted[static_cast<size_t>(index)] = true;
    changed = ApplySelection(wanted) || changed;
  }
  MoveListIndex(index);
  ScrollTo(index);
  if (changed) RaiseClick();
}

Status ListBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount())
    return MakeUiError(ui_error::kInvalidPropertyValue, "ListIndex " + std::to_string(index));
  Select(index);
  return Ok();
}

Result<bool> ListBox::Selected(int index) const {
  if (!Contains(index)) return MakeUiError(ui_error::kInvalidArrayIndex, std::to_string(index));
  return Entries()[static_cast<size_t>(index)].selected;
}

Status ListBox::SetSelected(int index, bool value) {
  if (!Contains(index)) return MakeUiError(ui_error::kInvalidArrayIndex, std::to_string(index));
  if (style_ == list_style::kCheckbox) {
    std::vector<bool> wanted = CurrentSelection();
    wanted[static_cast<size_t>(index)] = value;
    ApplySelection(wanted);
    return Ok();
  }
  if (multi_select_ == multi_select::kNone) {
    if (value) {
      Select(index);
    } else if (index == ListIndex()) {
      Select(-1);
    }
    return Ok();
  }
  std::vector<bool> wanted = CurrentSelection();
  wanted[static_cast<size_t>(index)] = value;
  if (ApplySelection(wanted)) RaiseClick();
  return Ok();
}

int ListBox::SelCount() const {
  return static_cast<int>(std::count_if(Entries().begin(), Entries().end(),
                                        [](const Entry& entry) { return entry.selected; }));
}

void ListBox::SetTopIndex(int index) {
  index = std::clamp(index, 0, std::max(0, ListCount() - 1));
  if (index == top_index_) return;
  top_index_ = index;
  NotifyChanged("TopIndex");
}

void ListBox::SetIntegralHeight(bool value) {
  if (value == integral_height_) return;
  integral_height_ = value;
  NotifyChanged("IntegralHeight");
  FitHeight();
}

int ListBox::RowHeight() const {
  const Backend& backend = CurrentBackend();
  const int line = backend.TextHeight(Font()->Desc(), "A");
  if (style_ != list_style::kCheckbox) return line;
  return std::max(line, kCheckboxRowPixels * backend.TwipsPerPixelY());
}

void ListBox::UserClick(int index, int shift_state) {
  if (!Contains(index)) return;
  if (SingleSelection()) {
    Select(index);
    return;
  }
  std::vector<bool> wanted = CurrentSelection();
  const size_t at = static_cast<size_t>(index);
  if (multi_select_ == multi_select::kSimple) {
    wanted[at] = !wanted[at];
  } else {
    const bool ctrl = (shift_state & shift::kCtrl) != 0;
    const bool range = (shift_state & shift::kShift) != 0 && anchor_ >= 0 && anchor_ < ListCount();
    if (range) {
      if (!ctrl) std::fill(wanted.begin(), wanted.end(), false);
      const auto [from, to] = std::minmax(anchor_, index);
      std::fill(wanted.begin() + from, wanted.begin() + to + 1, true);
    } else {
      if (ctrl) {
        wanted[at] = !wanted[at];
      } else {
        std::fill(wanted.begin(), wanted.end(), false);
        wanted[at] = true;
      }
      anchor_ = index;
    }
  }
  const bool moved = index != ListIndex();
  const bool changed = ApplySelection(wanted);
  MoveListIndex(index);
  ScrollTo(index);
  if (changed || moved) RaiseClick();
}

void ListBox::UserMoveTo(int index, int shift_state) {
  if (!Contains(index)) return;
  if (multi_select_ == multi_select::kSimple && style_ == list_style::kStandard) {
    MoveListIndex(index);
    ScrollTo(index);
    return;
  }
  UserClick(index, shift_state & shift::kShift);
}

void ListBox::UserToggleCheck(int index) {
  if (style_ != list_style::kCheckbox || !Contains(index)) return;
  auto keep = KeepAlive();
  std::vector<bool> wanted = CurrentSelection();
  wanted[static_cast<size_t>(index)] = !wanted[static_cast<size_t>(index)];
  ApplySelection(wanted);
  item_check_.Raise(index);
  // The handler may have emptied the list.
  if (Contains(index)) Select(index);
}

Status ListBox::InputDblClick() {
  dbl_click_.Raise();
  return Ok();
}

void ListBox::UserScroll(int top_index) {
  SetTopIndex(top_index);
}

void ListBox::OnEntryRemoved(int /*index*/) {
  if (anchor_ >= ListCount()) anchor_ = -1;
  SetTopIndex(top_index_);
}

void ListBox::OnCleared() {
  anchor_ = -1;
  SetTopIndex(0);
}

void ListBox::OnBoundsChanged(const Rect& old_bounds) {
  if (Height() != old_bounds.height) FitHeight();
}

void ListBox::ScrollTo(int index) {
  if (index < 0) return;
  const int shown = std::max(1, (Height() - BorderHeight()) / std::max(1, RowHeight()));
  if (index < top_index_) {
    SetTopIndex(index);
  } else if (index >= top_index_ + shown) {
    SetTopIndex(index - shown + 1);
  }
}

void ListBox::FitHeight() {
  if (!integral_height_) return;
  const int border = BorderHeight();
  const int row = std::max(1, RowHeight());
  const int rows = std::max(1, (Height() - border) / row);
  Rect bounds = Bounds();
  bounds.height = rows * row + border;
  SetBoundsInternal(bounds);
}

}  // namespace feriant::ui
