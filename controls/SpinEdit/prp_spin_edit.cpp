#include "controls/SpinEdit/prp_spin_edit.h"

#include <limits>
#include <string>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/extender.h"

namespace feriant::lumatrel {
namespace {

struct FieldInfo {
  const char* name;
  const char* caption;
  const char* member;  // of the selected controls
};

// In the order in which Apply writes them.
constexpr FieldInfo kFields[] = {
    {"spnSmallStep", "&Small step:", "StepSmall"},
    {"spnLargeStep", "&Large step:", "StepBig"},
    {"spnMinimum", "&Minimum:", "Min"},
    {"spnMaximum", "M&aximum:", "Max"},
    {"spnInitialValue", "&Initial value:", "Value"},
};

constexpr int kLeft = 120;
constexpr int kLabelWidth = 1500;
constexpr int kFieldWidth = 2000;
constexpr int kRowHeight = 480;

}  // namespace

prpSpinEdit::prpSpinEdit() : PropertyPage("prpSpinEdit", "General") {
  for (size_t i = 0; i < fields_.size(); ++i) {
    const FieldInfo& info = kFields[i];
    const int top = 120 + static_cast<int>(i) * kRowHeight;
    auto& label = Add<ui::Label>(std::string("lbl") + (info.name + 3));
    label.SetCaption(info.caption);
    (void)label.Move(kLeft, top + 60, kLabelWidth, 195);
    auto field = std::make_shared<SpinEdit>();
    auto placed = AddUserControl(field, info.name);
    if (!placed) continue;
    (void)(*placed)->Move(kLeft + kLabelWidth, top, kFieldWidth, 315);
    // Any whole number: the page must take whatever the selected control holds.
    field->SetMin(std::numeric_limits<std::int32_t>::min());
    field->SetMax(std::numeric_limits<std::int32_t>::max());
    fields_[i] = field;
  }
  for (auto& field : fields_) {
    if (!field) continue;
    auto sink = std::make_shared<automation::EventSink>();
    sink->On("Change", spin_edit::event::kChange,
             [this](std::span<automation::Variant>) { SetChanged(true); });
    field->Events().Advise(sink);
  }
}

void prpSpinEdit::OnSelectionChanged() {
  if (SelectedControls().empty() || !SelectedControls().front()) return;
  automation::Dispatch& control = *SelectedControls().front();
  // A member that cannot be read leaves its field as it was.
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (!fields_[i]) continue;
    if (auto value = control.Get(kFields[i].member)) {
      if (auto number = value->ToI4()) fields_[i]->SetValue(*number);
    }
  }
  SetChanged(false);
}

Status prpSpinEdit::OnApplyChanges() {
  for (const automation::ObjectRef& control : SelectedControls()) {
    if (!control) continue;
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (!fields_[i]) continue;
      if (Status s = control->Put(kFields[i].member, fields_[i]->Value()); !s) return s;
    }
  }
  return Ok();
}

}  // namespace feriant::lumatrel
