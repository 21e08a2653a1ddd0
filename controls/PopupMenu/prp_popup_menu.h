#pragma once
// prpPopupMenu: the property page of PopupMenu, tab "MenuItems" (items_page.h): the
// entries in lstMenuItems, each with its key, caption and the states "Checked"
// (chkChecked), "Enabled" (chkEnabled) and "Visible" (chkVisible). New entries are keyed
// "MenuItem " and a number, captioned "Caption". The user-interface thread only.

#include <array>

#include "controls/support/items_page.h"
#include "platform/ui/controls/check_box.h"

namespace feriant::lumatrel {

class prpPopupMenu final : public ItemsPage {
 public:
  prpPopupMenu();

 protected:
  void ShowItemFields(automation::Dispatch* item) override;

 private:
  std::array<ui::CheckBox*, 3> states_{};
};

}  // namespace feriant::lumatrel
