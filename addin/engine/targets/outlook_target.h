#pragma once
// The Outlook calendar target: every holiday occurrence becomes an appointment in the
// default calendar folder of the host's Outlook. One appointment stands for one holiday
// name on one date; its Location lists the countries (", " between them), its Body the
// region blocks of each country (a blank line between them), and its Categories mark it
// as a holiday ("Holiday" / "Feiertag" in the run's language) so that later runs find it
// again. World Cup matches are timed appointments of 180 minutes in their own category.
//
// Everything is reached late-bound, by member name, through the application object the
// host connection keeps; the target holds that object for its lifetime. Per run it holds
// the calendar folder (from CacheAppointments until ReleaseCalendarFolder, which writes
// the changes) and AppointmentCache, the holiday appointments of the run's years as they
// stood when the run began, kept in step with what the run itself creates and deletes.
// Failures come back as Error values. One thread: the run's.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "addin/engine/calendar_target.h"
#include "platform/automation/dispatch.h"

namespace feriant::engine {

// The subject and category of the appointment that ProbeNewItemPosition saves and deletes.
inline constexpr std::string_view kProbeSubject = "zent_temp_this will be removed shortly";
inline constexpr std::string_view kProbeCategory = "temp";
// Length of a World Cup match appointment, in minutes.
inline constexpr std::int32_t kMatchDuration = 180;

// One holiday appointment found in the calendar when the run began.
struct CachedAppointment {
  std::string Subject;
  std::string Location;  // as cached; kept, never used for matching
  automation::Date Start;
  // 1-based position in the folder's items; follows the run's own creations and deletions.
  std::int32_t ItemIndex = 0;
  // The run deleted this appointment. The record stays, but it matches nothing any more:
  // its ItemIndex names whatever item moved into that position.
  bool deleted = false;
};

class OutlookTarget final : public CalendarTarget {
 public:
  // `application` is the host's Outlook application object; never null.
  explicit OutlookTarget(std::shared_ptr<automation::Dispatch> application);

  // Saves a temporary appointment, looks whether it shows up as the folder's last item
  // (false) or its first (true), and deletes it again; false when it is at neither end.
  // An error between saving and deleting leaves the temporary appointment in the calendar.
  [[nodiscard]] Result<bool> ProbeNewItemPosition(TargetContext& run) override;
  // Takes the calendar folder and reads its holiday appointments of the years
  // first_year..last_year into AppointmentCache; shows its progress on the run's bar.
  [[nodiscard]] Status CacheAppointments(TargetContext& run, std::int32_t first_year,
                                         std::int32_t last_year) override;
  // Imports or removes one occurrence and raises the run's counters. On an error the
  // occurrence ends there; counters already raised stay raised.
  [[nodiscard]] Status HandleDate(TargetContext& run, const Occurrence& occurrence) override;
  // Writes the calendar's changes (the folder's SaveChanges) and lets go of the folder.
  [[nodiscard]] Status ReleaseCalendarFolder(TargetContext& run) override;

  const std::vector<CachedAppointment>& AppointmentCache() const { return cache_; }
  // True when AppointmentCache holds at least one record; when false it is not searched.
  bool CacheValid() const { return cache_valid_; }
  // The calendar folder while a run holds it; null before CacheAppointments and after
  // ReleaseCalendarFolder.
  const automation::ObjectRef& CalendarFolder() const { return folder_; }

 private:
  // The first record, in cache order, that is not deleted, whose Subject equals `subject`
  // exactly and whose Start lies less than one second from `start`; null for none.
  CachedAppointment* FindCached(std::string_view subject, automation::Date start);
  [[nodiscard]] Result<automation::ObjectRef> CachedItem(const CachedAppointment& record);
  [[nodiscard]] Status Import(TargetContext& run, const Occurrence& occurrence);
  [[nodiscard]] Status Remove(TargetContext& run, const Occurrence& occurrence);
  // Takes the occurrence's country out of the appointment `record` stands for; deletes
  // the appointment when no country is left.
  [[nodiscard]] Status RemoveFrom(TargetContext& run, const Occurrence& occurrence,
                                  CachedAppointment& record);

  std::shared_ptr<automation::Dispatch> application_;
  automation::ObjectRef folder_;
  std::vector<CachedAppointment> cache_;
  bool cache_valid_ = false;
  // Record indexes by Subject, ascending: the records a search has to look at.
  std::unordered_map<std::string, std::vector<size_t>> by_subject_;
};

}  // namespace feriant::engine
