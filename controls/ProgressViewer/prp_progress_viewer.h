#pragma once
// prpProgressViewer: the property page of ProgressViewer, tab "ProgressTasks"
// (items_page.h): the tasks in lstTasks, each with its key, display name and state,
// "&Normal" (optNormal), "&Finished" (optFinished) or "Fa&iled" (optFailed). New tasks
// are keyed "task " and a number, named "displayname". The user-interface thread only.

#include "controls/support/items_page.h"
#include "platform/ui/controls/option_button.h"

namespace feriant::lumatrel {

class prpProgressViewer final : public ItemsPage {
 public:
  prpProgressViewer();

 protected:
  void ShowItemFields(automation::Dispatch* item) override;

 private:
  ui::OptionButton* normal_ = nullptr;
  ui::OptionButton* finished_ = nullptr;
  ui::OptionButton* failed_ = nullptr;
};

}  // namespace feriant::lumatrel
