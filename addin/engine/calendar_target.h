#pragma once
// What the holiday run hands on: one holiday occurrence, and the interfaces of the
// calendar targets that enter occurrences into a host (appointments in a calendar,
// non-working days in base calendars) and of observers that list them.
//
// The run owns the occurrence and the texts it points to; they are valid during the
// call only. Targets and observers are owned by whoever composes the run and outlive
// it. Targets report failures as Error values; nothing crosses this seam as an
// exception. One thread.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "addin/data/holiday_data.h"
#include "addin/engine/localisation.h"
#include "addin/engine/rule.h"
#include "addin/engine/run_dialog.h"
#include "addin/engine/run_selection.h"
#include "platform/base/result.h"

namespace feriant::engine {

// The texts of an occurrence as a run in another language writes them.
struct OccurrenceTexts {
  const data::HolidayName* name = nullptr;  // never null
  std::string_view CountryLine;
  std::string_view RegionsText;
};

// One holiday on one date, with the texts that say where and how it is observed in the
// selected country.
struct Occurrence {
  std::int32_t year = 0;                    // the processed year
  std::int32_t holiday_index = 0;           // 0..data::kAllHolidayCount-1
  RuleDate date;                            // Start is 00:00, or the kick-off of a match
  const data::HolidayName* name = nullptr;  // the name record chosen; never null
  // The country, followed by " (partially)" (in the run's language) when only parts of
  // it observe the holiday.
  std::string_view CountryLine;
  // One line per region of the country that observes the holiday, joined by CR LF.
  std::string_view RegionsText;
  bool IsDayOff = false;  // some region of the country has it with status 1 or 2
  bool IsWorldCupMatch = false;
  // The same occurrence in each of the other languages; given in Outlook removals only,
  // so that a removal takes out what a run in another language entered.
  std::span<const OccurrenceTexts> OtherLanguages;
};

// The counters of a run, reset before the first year and raised only by the targets.
struct RunCounters {
  std::int32_t AddedCount = 0;
  std::int32_t RemovedCount = 0;
  std::int32_t ModifiedCount = 0;
};

// The run as its targets see it.
class TargetContext {
 public:
  virtual ~TargetContext() = default;
  // True when the run removes holidays; read once when the run starts.
  virtual bool IsRemoval() const = 0;
  // Whether the host lists newly saved items first (the answer of ProbeNewItemPosition).
  virtual bool NewItemsFirst() const = 0;
  virtual RunCounters& Counters() = 0;
  // What the run works on (the selected calendars among it).
  virtual const RunSelection& Selection() const = 0;
  // The progress bar and the progress label.
  virtual RunDialog& Dialog() = 0;
  // Texts in the run's language.
  virtual const Localisation& Texts() const = 0;
  // The holiday category in every language there are texts in, the run's own among them:
  // the appointments of a run in any language are found by every other. Empty for a run
  // that knows only its own.
  virtual std::span<const std::string> HolidayCategories() const { return {}; }
};

class CalendarTarget {
 public:
  virtual ~CalendarTarget() = default;

  // Before the busy state: whether the host lists a newly saved item first (true) or
  // last (false). Only the calendar target of a host that appends items needs it.
  [[nodiscard]] virtual Result<bool> ProbeNewItemPosition(TargetContext& /*run*/) { return false; }
  // Before the first year: read what the host already holds for the years
  // first_year..last_year. May use the progress bar and label.
  [[nodiscard]] virtual Status CacheAppointments(TargetContext& /*run*/,
                                                 std::int32_t /*first_year*/,
                                                 std::int32_t /*last_year*/) {
    return Ok();
  }
  // Enters (or removes) one occurrence and raises the counters.
  [[nodiscard]] virtual Status HandleDate(TargetContext& run, const Occurrence& occurrence) = 0;
  // After the last year: let go of the host's calendar. Changes are written to the
  // person's file here, so a failure means they were not saved.
  [[nodiscard]] virtual Status ReleaseCalendarFolder(TargetContext& /*run*/) { return Ok(); }
};

// Sees every occurrence the run hands on, in order, whatever the host.
class OccurrenceObserver {
 public:
  virtual ~OccurrenceObserver() = default;
  virtual void OnOccurrence(const Occurrence& occurrence) = 0;
};

}  // namespace feriant::engine
