#include "controls/ProgressViewer/col_progress_tasks.h"

#include <span>
#include <utility>

#include "controls/ProgressViewer/progress_viewer.h"
#include "controls/support/errors.h"
#include "controls/support/identities.h"
#include "controls/support/stored_values.h"
#include "platform/ui/core/member_helpers.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using Args = std::span<Variant>;
using Named = std::span<const automation::NamedArg>;

}  // namespace

const automation::Members<clsProgressTask>& clsProgressTask::Interface() {
  namespace ids = cls_progress_task::dispid;
  using ui::members::Getter;
  using ui::members::Setter;
  using T = clsProgressTask;
  static const automation::Members<T> members = [] {
    automation::Members<T> m;
    m.Get("Key", ids::kKey, Getter<T>(&T::Key))
        .Put("Key", ids::kKey, Setter<T, std::string>(&T::SetKey));
    AddCollectionMember<T, colProgressTasks>(m, ids::kCollection);
    m.Get("Displayname", ids::kDisplayname, Getter<T>(&T::Displayname))
        .Put("Displayname", ids::kDisplayname, Setter<T, std::string>(&T::SetDisplayname))
        .Get("Finished", ids::kFinished, Getter<T>(&T::Finished))
        .Put("Finished", ids::kFinished, Setter<T, bool>(&T::SetFinished))
        .Get("Failed", ids::kFailed, Getter<T>(&T::Failed))
        .Put("Failed", ids::kFailed, Setter<T, bool>(&T::SetFailed))
        .Get("index", ids::kIndex, Getter<T>(&T::Index));
    return m;
  }();
  return members;
}

void clsProgressTask::SetDisplayname(std::string name) {
  displayname_ = std::move(name);
  if (auto collection = Collection()) collection->RebuildOwner();
}

void clsProgressTask::SetFinished(bool value) {
  finished_ = value;
  if (value) failed_ = false;
  if (auto collection = Collection()) collection->RepaintOwner();
}

void clsProgressTask::SetFailed(bool value) {
  failed_ = value;
  if (value) finished_ = false;
  if (auto collection = Collection()) collection->RepaintOwner();
}

int clsProgressTask::Index() const {
  auto collection = Collection();
  return collection ? collection->Items().PositionOf(*this) : 0;
}

const automation::Members<colProgressTasks>& colProgressTasks::Interface() {
  static const automation::Members<colProgressTasks> members = [] {
    automation::Members<colProgressTasks> m;
    m.Method("Add", keyed_collection::dispid::kAdd,
             [](colProgressTasks& c, Args a, Named n) -> Result<Variant> {
               auto key = automation::ArgumentOf(a, n, "sKey", 0).ToString();
               if (!key) return key.error();
               auto name = automation::ArgumentOf(a, n, "sDisplayname", 1).ToString();
               if (!name) return name.error();
               return Variant(automation::ObjectRef(c.Add(std::move(*key), std::move(*name))));
             });
    AddKeyedMembers(m);
    return m;
  }();
  return members;
}

std::shared_ptr<clsProgressTask> colProgressTasks::Add(std::string key, std::string displayname) {
  auto task = std::make_shared<clsProgressTask>();
  task->SetKey(std::move(key));
  task->SetDisplayname(std::move(displayname));  // not in the collection yet: no rebuild
  task->SetCollection(std::static_pointer_cast<colProgressTasks>(shared_from_this()));
  items_.Append(task);
  ProgressViewer* viewer = owner_.Get();
  if (viewer != nullptr && items_.Count() == 1) viewer->SetActiveTask(task);
  RebuildOwner();
  return task;
}

void colProgressTasks::RebuildOwner() const {
  if (ProgressViewer* viewer = owner_.Get()) viewer->RebuildLabels();
}

void colProgressTasks::RepaintOwner() const {
  if (ProgressViewer* viewer = owner_.Get()) viewer->Refresh();
}

ui::PropertyBag colProgressTasks::Save() const {
  ui::PropertyBag bag;
  RaiseIfFailed(bag.WriteProperty("Count", static_cast<std::int32_t>(items_.Count())));
  for (int i = 1; i <= items_.Count(); ++i) {
    const clsProgressTask& task = *items_.At(i);
    const std::string n = std::to_string(i);
    RaiseIfFailed(bag.WriteProperty("Key" + n, task.Key()));
    RaiseIfFailed(bag.WriteProperty("Displayname" + n, task.Displayname()));
    RaiseIfFailed(bag.WriteProperty("Finished" + n, task.Finished()));
    RaiseIfFailed(bag.WriteProperty("Failed" + n, task.Failed()));
  }
  return bag;
}

void colProgressTasks::Load(ui::PropertyBag& bag) {
  const int count = ReadItemCount(bag);
  items_.Clear();
  auto self = std::static_pointer_cast<colProgressTasks>(shared_from_this());
  for (int i = 1; i <= count; ++i) {
    const std::string n = std::to_string(i);
    auto task = std::make_shared<clsProgressTask>();
    bool keyed = false;
    ReadSetting<std::string>(bag, "Key" + n, Variant::Missing(), [&](std::string key) {
      task->SetKey(std::move(key));
      keyed = true;
    });
    if (!keyed) continue;
    ReadSetting<std::string>(bag, "Displayname" + n, Variant::Missing(),
                             [&](std::string name) { task->SetDisplayname(std::move(name)); });
    ReadSetting<bool>(bag, "Finished" + n, false, [&](bool v) { task->SetFinished(v); });
    ReadSetting<bool>(bag, "Failed" + n, false, [&](bool v) { task->SetFailed(v); });
    task->SetCollection(self);
    items_.Append(std::move(task));
  }
}

}  // namespace feriant::lumatrel
