#include "addin/engine/targets/project_target.h"

#include <string>
#include <utility>
#include <vector>

#include "hosts/project/dispatch_ids.h"

namespace feriant::engine {

ProjectTarget::ProjectTarget(std::shared_ptr<automation::Dispatch> application)
    : application_(std::move(application)) {}

Status ProjectTarget::HandleDate(TargetContext& run, const Occurrence& occurrence) {
  // Half days and days that are not statutory anywhere in the country stay working days.
  if (!occurrence.IsDayOff) return Ok();
  const bool removal = run.IsRemoval();
  RunCounters& counters = run.Counters();
  if (removal) {
    ++counters.RemovedCount;
  } else {
    ++counters.AddedCount;
  }

  const automation::Variant day(automation::Date::FromLocal(occurrence.date.Start));
  for (const std::string& calendar : run.Selection().calendars) {
    std::vector<automation::NamedArg> named = {
        {"Name", automation::Variant(calendar)},
        {"StartDate", day},
        {"EndDate", day},
        removal ? automation::NamedArg{"Default", automation::Variant(true)}
                : automation::NamedArg{"Working", automation::Variant(false)},
    };
    auto edited = application_->Call(project::dispid::kBaseCalendarEditDays, {}, std::move(named));
    if (!edited) return edited.error();
  }
  return Ok();
}

}  // namespace feriant::engine
