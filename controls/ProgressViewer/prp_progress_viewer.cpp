#include "controls/ProgressViewer/prp_progress_viewer.h"

namespace feriant::lumatrel {

namespace {
constexpr ItemsPageInfo kPage = {
    "prpProgressViewer", "ProgressTasks", "lstTasks",       "ProgressTasks", "ChangedTasks",
    "Displayname",       "&Displayname:", "txtDisplayname", "task ",         "displayname"};
}  // namespace

prpProgressViewer::prpProgressViewer() : ItemsPage(kPage) {
  struct State {
    const char* name;
    const char* caption;
    bool finished;
    bool failed;
    ui::OptionButton** slot;
  };
  const State states[] = {{"optNormal", "&Normal", false, false, &normal_},
                          {"optFinished", "&Finished", true, false, &finished_},
                          {"optFailed", "Fa&iled", false, true, &failed_}};
  int top = kFieldsTop;
  for (const State& s : states) {
    auto& option = Add<ui::OptionButton>(s.name);
    (void)option.SetContainer(&PropertiesFrame());
    option.SetCaption(s.caption);
    (void)option.Move(kFieldsLeft, top, 2685, 255);
    top += 300;
    *s.slot = &option;
    // Finished first when clearing, Failed first when setting: each put clears the other.
    option.Click().Connect([this, finished = s.finished, failed = s.failed] {
      if (Loading()) return;
      PutOnItem("Finished", automation::Variant(finished));
      PutOnItem("Failed", automation::Variant(failed));
    });
  }
}

void prpProgressViewer::ShowItemFields(automation::Dispatch* item) {
  auto flag = [item](const char* member) {
    return item != nullptr &&
           item->Get(member).value_or(automation::Variant()).ToBool().value_or(false);
  };
  ui::OptionButton* chosen = flag("Finished") ? finished_ : flag("Failed") ? failed_ : normal_;
  chosen->SetValue(true);
  for (ui::OptionButton* option : {normal_, finished_, failed_})
    option->SetEnabled(item != nullptr);
}

}  // namespace feriant::lumatrel
