#pragma once
// The Project base-calendar target: importing a holiday makes its day non-working time
// in every base calendar selected in the dialog; removing it gives the day back to each
// calendar's default working time. Only days off (some region of the country has status
// 1 or 2) reach Project; the holiday's name and texts are not written there.
//
// The target holds the host's Project application object, reached late-bound by
// Project's dispatch ids; the edits live in the host until it saves its project. Each
// counted occurrence is counted once, however many calendars it edits. Failures come
// back as Error values. One thread: the run's.

#include <memory>

#include "addin/engine/calendar_target.h"
#include "platform/automation/dispatch.h"

namespace feriant::engine {

class ProjectTarget final : public CalendarTarget {
 public:
  // `application` is the host's Project application object; never null.
  explicit ProjectTarget(std::shared_ptr<automation::Dispatch> application);

  // Edits the day in each selected calendar, in list order. The occurrence is counted
  // before the first edit; an edit that fails ends the occurrence, leaving the later
  // calendars unedited and the count as it is.
  [[nodiscard]] Status HandleDate(TargetContext& run, const Occurrence& occurrence) override;

 private:
  std::shared_ptr<automation::Dispatch> application_;
};

}  // namespace feriant::engine
