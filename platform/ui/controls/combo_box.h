#pragma once
// ComboBox: a drop-down list (style 2): the person picks one of its entries and cannot
// type a text of their own. Text is the chosen entry's text; setting Text chooses the
// first entry with exactly that text, and any other text is refused as read-only.
//
// Click is raised whenever the choice changes, by the person or by code (ListIndex,
// Text), and only then; a removal or Clear that leaves nothing chosen raises none. The
// entries, ItemData, NewIndex and sorting are those of every list (list_control.h).
// The user-interface thread only.

#include <string>
#include <string_view>

#include "platform/ui/controls/list_control.h"

namespace feriant::ui {

class ComboBox final : public ControlImpl<ComboBox, ListControl> {
 public:
  // The drop-down list style, the only one this control has.
  static constexpr int kDropdownList = 2;

  ComboBox();
  static const automation::Members<ComboBox>& Interface();
  std::string ClassName() const override { return "ComboBox"; }
  bool CanFocus() const override { return true; }

  int Style() const { return kDropdownList; }
  // -1 (nothing chosen) or a position; anything else is an invalid property value.
  Status SetListIndex(int index);
  Status SetText(std::string_view text);
};

}  // namespace feriant::ui
