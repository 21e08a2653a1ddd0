#include "controls/RadioGroup/prp_radio_group.h"

#include <cstdint>
#include <limits>
#include <span>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/core/extender.h"

namespace feriant::lumatrel {

namespace {
constexpr ItemsPageInfo kPage = {"prpRadioGroup", "Radio Buttons", "lstButtons", "RadioButtons",
                                 "ChangedTasks",  "Caption",       "&Caption:",  "txtCaption",
                                 "Button ",       nullptr};
}  // namespace

prpRadioGroup::prpRadioGroup() : ItemsPage(kPage) {
  enabled_ = &Add<ui::CheckBox>("chkEnabled");
  (void)enabled_->SetContainer(&PropertiesFrame());
  enabled_->SetCaption("&Enabled");
  (void)enabled_->Move(kFieldsLeft, kFieldsTop, 2685, 255);
  enabled_->Click().Connect([this] {
    if (!Loading())
      PutOnItem("Enabled", automation::Variant(enabled_->Value() == ui::check_value::kChecked));
  });

  auto& label = Add<ui::Label>("lblSelectedIndex");
  label.SetCaption("&SelectedIndex:");
  (void)label.Move(120, 2820, 1215, 195);
  selected_index_ = std::make_shared<SpinEdit>();
  if (auto placed = AddUserControl(selected_index_, "spnSelectedIndex")) {
    (void)(*placed)->Move(1365, 2760, 1155, 315);
  }
  selected_index_->SetMin(-1);
  selected_index_->SetMax(std::numeric_limits<std::int32_t>::max());
  auto sink = std::make_shared<automation::EventSink>();
  sink->On("Change", spin_edit::event::kChange, [this](std::span<automation::Variant>) {
    if (Loading() || SelectedControls().empty() || !SelectedControls().front()) return;
    (void)SelectedControls().front()->Put("SelectedIndex", selected_index_->Value());
    SetChanged(true);
  });
  selected_index_->Events().Advise(sink);
}

void prpRadioGroup::ShowItemFields(automation::Dispatch* item) {
  bool enabled = false;
  if (item != nullptr)
    enabled = item->Get("Enabled").value_or(automation::Variant()).ToBool().value_or(false);
  (void)enabled_->SetValue(enabled ? ui::check_value::kChecked : ui::check_value::kUnchecked);
  enabled_->SetEnabled(item != nullptr);
}

void prpRadioGroup::ShowControlFields(automation::Dispatch& control) {
  if (auto index = control.Get("SelectedIndex")) {
    if (auto number = index->ToI4()) selected_index_->SetValue(*number);
  }
}

}  // namespace feriant::lumatrel
