#pragma once
// RadioGroup: a framed group of option buttons defined by data. The form (or the
// property page) fills the group's colRadioButtons; the group keeps one option button
// per item inside its frame (opt(0) always exists, further elements are loaded and
// unloaded at run time), spreads them evenly down the control, and reports the person's
// choice as SelectionChanged(index, item) with a 1-based index. Caption is the frame's.
//
// The selected index (1-based, -1: none) is kept by the group and put back on the
// options after every rebuild; choosing an option by code raises nothing. The whole
// collection is persisted as one nested property bag under "RadioButtons".
//
// The group owns its constituents and its collection (a form may share the collection
// and replace it). Lengths are twips. The user-interface thread only.

#include <memory>
#include <string>

#include "controls/RadioGroup/col_radio_buttons.h"
#include "controls/support/keyed_collection.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/controls/frame.h"
#include "platform/ui/controls/option_button.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class RadioGroup final : public ui::UserControlImpl<RadioGroup> {
 public:
  RadioGroup();

  // _RadioGroup in slot order (see identities.h for the dispatch ids).
  static const automation::Members<RadioGroup>& Interface();

  const std::string& Caption() const { return frame_->Caption(); }
  void SetCaption(std::string caption);
  const std::shared_ptr<colRadioButtons>& RadioButtons() const { return buttons_; }
  // Replaces the collection; the options are not rebuilt.
  void SetRadioButtons(std::shared_ptr<colRadioButtons> buttons);
  // The item at the selected index; nullptr when none is selected or no item is there.
  std::shared_ptr<clsRadioButton> ActiveButton() const;
  int SelectedIndex() const { return selected_index_; }
  // Stores the index and chooses its option without an event; -1 leaves none chosen, an
  // index without an option leaves the options as they are.
  void SetSelectedIndex(int index);
  // Tells the container that the collection changed (after the form edited it).
  void ChangedTasks();
  // Font get: a copy of the first option's font. Font put: the frame shares `font`, the
  // options take its attributes.
  std::shared_ptr<ui::StdFont> OptionFont() const;
  void SetOptionFont(const std::shared_ptr<ui::StdFont>& font);

  // One option per item again, spread down the control; the stored index is put back.
  void Rebuild();

  // The number of option buttons that exist (opt(0) included).
  int OptionCount() const;

 protected:
  void OnInitProperties() override;
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnResize() override;

 private:
  ui::OptionButton* Option(int index) const;
  void Arrange();
  void OptionClicked(int index);

  OwnerAnchor<RadioGroup> anchor_{this};
  ui::Frame* frame_ = nullptr;
  std::shared_ptr<colRadioButtons> buttons_;
  int selected_index_ = -1;
  // Set while the group itself changes the options: their Click is not the person's.
  bool rebuilding_ = false;
};

}  // namespace feriant::lumatrel
