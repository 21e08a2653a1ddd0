#include "controls/PopupMenu/prp_popup_menu.h"

namespace feriant::lumatrel {

namespace {
constexpr ItemsPageInfo kPage = {"prpPopupMenu",     "MenuItems", "lstMenuItems", "MenuItems",
                                 "ChangedMenuItems", "Caption",   "&Caption:",    "txtDisplayname",
                                 "MenuItem ",        "Caption"};
// The check boxes and the entry members they edit.
constexpr const char* kStates[] = {"Checked", "Enabled", "Visible"};
}  // namespace

prpPopupMenu::prpPopupMenu() : ItemsPage(kPage) {
  for (size_t i = 0; i < states_.size(); ++i) {
    auto& box = Add<ui::CheckBox>(std::string("chk") + kStates[i]);
    (void)box.SetContainer(&PropertiesFrame());
    box.SetCaption(kStates[i]);
    (void)box.Move(kFieldsLeft, kFieldsTop + static_cast<int>(i) * 300, 2685, 255);
    box.Click().Connect([this, &box, member = kStates[i]] {
      if (!Loading())
        PutOnItem(member, automation::Variant(box.Value() == ui::check_value::kChecked));
    });
    states_[i] = &box;
  }
}

void prpPopupMenu::ShowItemFields(automation::Dispatch* item) {
  for (size_t i = 0; i < states_.size(); ++i) {
    const bool on = item != nullptr &&
                    item->Get(kStates[i]).value_or(automation::Variant()).ToBool().value_or(false);
    (void)states_[i]->SetValue(on ? ui::check_value::kChecked : ui::check_value::kUnchecked);
    states_[i]->SetEnabled(item != nullptr);
  }
}

}  // namespace feriant::lumatrel
