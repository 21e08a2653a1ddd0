#include "hosts/project/calendar_exceptions.h"

#include <algorithm>

namespace feriant::project {
namespace {

using std::chrono::days;

// The parts of `e` outside `cut`: none, one or two pieces that keep its other fields.
void AppendRemainder(const CalendarException& e, const DaySpan& cut,
                     std::vector<CalendarException>& out) {
  if (e.days.first < cut.first) {
    CalendarException before = e;
    before.days.last = cut.first - days{1};
    out.push_back(before);
  }
  if (e.days.last > cut.last) {
    CalendarException after = e;
    after.days.first = cut.last + days{1};
    out.push_back(after);
  }
}

}  // namespace

bool ApplyDayEdit(std::vector<CalendarException>& exceptions, DaySpan span, DayEdit edit) {
  bool changed = false;
  std::vector<CalendarException> result;
  result.reserve(exceptions.size() + 2);
  for (const CalendarException& e : exceptions) {
    const bool keep = e.recurring || !Overlaps(e.days, span) ||
                      (edit == DayEdit::kNonWorking ? !e.working : !e.own);
    if (keep) {
      result.push_back(e);
      continue;
    }
    AppendRemainder(e, span, result);
    changed = true;
  }

  if (edit == DayEdit::kNonWorking) {
    std::vector<DaySpan> covered;
    for (const CalendarException& e : result) {
      if (!e.working && !e.recurring && Overlaps(e.days, span)) covered.push_back(e.days);
    }
    std::sort(covered.begin(), covered.end(),
              [](const DaySpan& a, const DaySpan& b) { return a.first < b.first; });
    Day next = span.first;  // first requested day not known to be covered
    auto add_gap = [&](Day last) {
      result.push_back(CalendarException{DaySpan{next, last}, false, false, -1, true});
      changed = true;
    };
    for (const DaySpan& c : covered) {
      if (next > span.last) break;
      if (c.first > next) add_gap(std::min(c.first - days{1}, span.last));
      if (c.last >= next) next = c.last + days{1};
    }
    if (next <= span.last) add_gap(span.last);
  }

  if (changed) {
    std::stable_sort(result.begin(), result.end(),
                     [](const CalendarException& a, const CalendarException& b) {
                       return a.days.first < b.days.first;
                     });
    exceptions = std::move(result);
  }
  return changed;
}

}  // namespace feriant::project
