#pragma once
// prpRadioGroup: the property page of RadioGroup, tab "Radio Buttons" (items_page.h):
// the buttons in lstButtons, each with its key, caption and "&Enabled" (chkEnabled), and
// "&SelectedIndex:" (spnSelectedIndex), which sets the control's SelectedIndex at once.
// New buttons are keyed and captioned "Button " and a number. The user-interface thread
// only.

#include <memory>

#include "controls/SpinEdit/spin_edit.h"
#include "controls/support/items_page.h"
#include "platform/ui/controls/check_box.h"

namespace feriant::lumatrel {

class prpRadioGroup final : public ItemsPage {
 public:
  prpRadioGroup();
  SpinEdit& SelectedIndexField() { return *selected_index_; }

 protected:
  void ShowItemFields(automation::Dispatch* item) override;
  void ShowControlFields(automation::Dispatch& control) override;

 private:
  ui::CheckBox* enabled_ = nullptr;
  std::shared_ptr<SpinEdit> selected_index_;
};

}  // namespace feriant::lumatrel
