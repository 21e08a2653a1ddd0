#pragma once
// ProgressViewer: a checklist of the steps of a longer job. One text line (lbl(k)) per
// task of its colProgressTasks, and in front of each line a status picture from its
// picture list iml: "finished" (a tick), "failed" (a cross), or "active" (an arrow) for
// the task in progress. The form fills the collection and calls GotoNext after each step.
//
// The active task is kept by the viewer; GotoNext marks it finished or failed and makes
// the next one active. The whole collection is persisted as one nested property bag
// under "ProgressTasks"; AutoSize is only kept.
//
// The viewer owns its constituents and its collection (a form may share the collection
// and replace it). Lengths are twips. The user-interface thread only.

#include <memory>

#include "controls/ProgressViewer/col_progress_tasks.h"
#include "controls/support/keyed_collection.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/controls/image_list.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/core/user_control.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class ProgressViewer final : public ui::UserControlImpl<ProgressViewer> {
 public:
  ProgressViewer();

  // _ProgressViewer in slot order (see identities.h for the dispatch ids).
  static const automation::Members<ProgressViewer>& Interface();

  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value) { auto_size_ = value; }
  const std::shared_ptr<colProgressTasks>& ProgressTasks() const { return tasks_; }
  // Replaces the collection; the lines are not rebuilt.
  void SetProgressTasks(std::shared_ptr<colProgressTasks> tasks);
  const std::shared_ptr<clsProgressTask>& ActiveTask() const { return active_; }
  void SetActiveTask(std::shared_ptr<clsProgressTask> task);
  // Marks the active task finished (or failed) and makes the next one active; without
  // an active task the first task becomes active unless it is done already.
  void GotoNext(bool was_successful);
  void ChangedTasks();
  // Font get: a copy of the first line's font; put: every line takes its attributes.
  std::shared_ptr<ui::StdFont> LabelFont() const;
  void SetLabelFont(const ui::StdFont& font);

  // One line per task again (lbl(0) always stays, with its last text).
  void RebuildLabels();
  int LabelCount() const;

 protected:
  void OnReadProperties(ui::PropertyBag& bag) override;
  void OnWriteProperties(ui::PropertyBag& bag) override;
  void OnPaint() override;

 private:
  ui::Label* Line(int index) const;

  OwnerAnchor<ProgressViewer> anchor_{this};
  ui::ImageList* iml_ = nullptr;
  std::shared_ptr<colProgressTasks> tasks_;
  std::shared_ptr<clsProgressTask> active_;
  bool auto_size_ = false;
};

}  // namespace feriant::lumatrel
