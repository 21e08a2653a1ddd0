#include "platform/ui/controls/combo_box.h"

#include "platform/ui/common/errors.h"

namespace feriant::ui {

using automation::Members;

ComboBox::ComboBox() : ControlImpl(/*windowed=*/true) {}

const Members<ComboBox>& ComboBox::Interface() {
  static const Members<ComboBox> members = [] {
    Members<ComboBox> m;
    using T = ComboBox;
    members::AddCommonMembers(m);
    members::AddListMembers(m);
    m.Put("Text", dispid::kText,
          members::Setter<T, std::string>([](T& c, std::string v) { return c.SetText(v); }))
        .Get("Style", dispid::kStyle, members::Getter<T>(&T::Style));
    return m;
  }();
  return members;
}

Status ComboBox::SetListIndex(int index) {
  if (index < -1 || index >= ListCount())
    return MakeUiError(ui_error::kInvalidPropertyValue, "ListIndex " + std::to_string(index));
  if (index == ListIndex()) return Ok();
  MoveListIndex(index);
  RaiseClick();
  return Ok();
}

Status ComboBox::SetText(std::string_view text) {
  for (int i = 0; i < ListCount(); ++i) {
    if (Entries()[static_cast<size_t>(i)].text == text) return SetListIndex(i);
  }
  return MakeUiError(ui_error::kReadOnlyProperty,
                     "a drop-down list takes only the text of one of its entries");
}

}  // namespace feriant::ui
