#pragma once
// prpWhiteTop: the property page of the header banner, one tab "General" with the
// banner's title (txtTitle), message (txtMsg) and automatic sizing (chkAutoSize).
//
// A new selection loads the first selected banner into the page; applying writes the
// page to every selected banner (Msg, Title, AutoSize, in that order). The page reaches
// the banners late-bound, as any container's selection of controls. The page owns its
// controls; the selection belongs to the container. The user-interface thread only.

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/property_page.h"

namespace feriant::lumatrel {

class prpWhiteTop final : public ui::PropertyPage {
 public:
  prpWhiteTop();

 protected:
  void OnSelectionChanged() override;
  // Stops at the first banner that refuses a value and reports its error; the page then
  // stays changed.
  Status OnApplyChanges() override;

 private:
  ui::TextBox* title_ = nullptr;
  ui::TextBox* msg_ = nullptr;
  ui::CheckBox* auto_size_ = nullptr;
};

}  // namespace feriant::lumatrel
