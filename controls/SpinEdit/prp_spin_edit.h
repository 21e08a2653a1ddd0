#pragma once
// prpSpinEdit: the property page of SpinEdit, one tab "General" with five SpinEdit
// fields: small step, large step, minimum, maximum and initial value.
//
// A new selection loads the first selected control into the fields; applying writes
// StepSmall, StepBig, Min, Max and Value, in that order, to every selected control. The
// page reaches the controls late-bound. The page owns its fields; the selection belongs
// to the container. The user-interface thread only.

#include <array>
#include <memory>

#include "controls/SpinEdit/spin_edit.h"
#include "platform/ui/core/property_page.h"

namespace feriant::lumatrel {

class prpSpinEdit final : public ui::PropertyPage {
 public:
  prpSpinEdit();

  // The fields in the order of the members they edit (see kMembers in the .cpp).
  SpinEdit& Field(size_t index) { return *fields_[index]; }

 protected:
  void OnSelectionChanged() override;
  // Stops at the first control that refuses a value and reports its error; the page then
  // stays changed.
  Status OnApplyChanges() override;

 private:
  std::array<std::shared_ptr<SpinEdit>, 5> fields_;
};

}  // namespace feriant::lumatrel
