#pragma once
// colProgressTasks and clsProgressTask: the tasks of a ProgressViewer, a keyed collection
// (keyed_collection.h) of tasks with a Key, a Displayname and the Finished and Failed
// flags, of which at most one is set. Adding or removing a task, or changing a display
// name, rebuilds the text lines of the viewer that owns the collection (the one that
// created it); changing a flag repaints it.
//
// The collection is persisted as a property bag nested in one key of its viewer: "Count",
// then per task i = 1..Count "Key"i, "Displayname"i, "Finished"i and "Failed"i, all
// always written.
//
// The collection owns its tasks; a task refers to its collection weakly and the
// collection to its viewer through an OwnerRef. The user-interface thread only.

#include <memory>
#include <string>

#include "controls/support/keyed_collection.h"
#include "platform/automation/dispatch.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

class colProgressTasks;
class ProgressViewer;

class clsProgressTask final : public automation::DispatchObject<clsProgressTask> {
 public:
  static const automation::Members<clsProgressTask>& Interface();
  std::string TypeName() const override { return "clsProgressTask"; }

  const std::string& Key() const { return key_; }
  void SetKey(std::string key) { key_ = std::move(key); }
  const std::string& Displayname() const { return displayname_; }
  void SetDisplayname(std::string name);
  bool Finished() const { return finished_; }
  // Setting one flag clears the other.
  void SetFinished(bool value);
  bool Failed() const { return failed_; }
  void SetFailed(bool value);
  std::shared_ptr<colProgressTasks> Collection() const { return collection_.lock(); }
  void SetCollection(const std::shared_ptr<colProgressTasks>& collection) {
    collection_ = collection;
  }
  // The 1-based position in its collection; 0 outside one.
  int Index() const;

 private:
  std::string key_;
  std::string displayname_;
  bool finished_ = false;
  bool failed_ = false;
  std::weak_ptr<colProgressTasks> collection_;
};

class colProgressTasks final : public automation::DispatchObject<colProgressTasks> {
 public:
  colProgressTasks() = default;
  explicit colProgressTasks(OwnerRef<ProgressViewer> owner) : owner_(std::move(owner)) {}

  static const automation::Members<colProgressTasks>& Interface();
  std::string TypeName() const override { return "colProgressTasks"; }

  // A new task, appended; the first task of a collection becomes its viewer's active
  // task. The viewer's lines are rebuilt.
  std::shared_ptr<clsProgressTask> Add(std::string key, std::string displayname);
  KeyedItems<clsProgressTask>& Items() { return items_; }
  const KeyedItems<clsProgressTask>& Items() const { return items_; }
  void ItemsRemoved() const { RebuildOwner(); }
  void RebuildOwner() const;
  void RepaintOwner() const;

  ui::PropertyBag Save() const;
  // All tasks replaced by the stored ones (tasks without a stored key are left out).
  void Load(ui::PropertyBag& bag);

 private:
  KeyedItems<clsProgressTask> items_;
  OwnerRef<ProgressViewer> owner_;
};

}  // namespace feriant::lumatrel
