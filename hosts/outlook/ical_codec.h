#pragma once
// Calendar events through libical: what an event's text means as an Appointment, the
// text of a new event, and changes to an existing event's text that touch only the
// lines of the members that changed.
//
// libical stays inside ical_codec.cpp; each handle it returns is owned by a unique_ptr
// from the moment it exists. TimeZones owns the zones it builds. One thread.

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hosts/outlook/appointment.h"
#include "platform/base/result.h"

namespace feriant::outlook {

// The time zones that event times name by TZID: those the calendar defines in its
// VTIMEZONEs (the first definition of a TZID wins), else the zones libical knows by
// location ("Europe/Berlin").
class TimeZones {
 public:
  TimeZones();
  TimeZones(const TimeZones&) = delete;
  TimeZones& operator=(const TimeZones&) = delete;
  ~TimeZones();

  // Adds the VTIMEZONE in `text` (BEGIN to END). The Error says why libical cannot use it.
  Status Add(std::string_view text);

  struct Impl;
  const Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

// What stamps a new or changed event.
struct EventStamp {
  std::string uid;                       // for a new event, or a changed one that has none
  std::chrono::sys_seconds now{};        // DTSTAMP, LAST-MODIFIED and, when new, CREATED
  std::optional<std::int64_t> sequence;  // SEQUENCE of a changed event; none: as it is
};

// The meaning of the event in `text` (BEGIN:VEVENT to END:VEVENT). The Error says which
// line or value libical cannot read; unknown property names are no error, since their
// text is kept as it stands.
Result<Appointment> ReadEvent(std::string_view text, const TimeZones& zones);

// The text of a new event holding `appointment`; timed events are written in UTC.
std::string NewEventText(const Appointment& appointment, const EventStamp& stamp,
                         std::string_view eol);

// `text` with the members named by `fields` set from `appointment`, DTSTAMP and
// LAST-MODIFIED set to the stamp's time, SEQUENCE to the stamp's when it has one, and a
// UID added when it has none. Every other line stays as it was. A timed start keeps the
// TZID it had when the zone is known.
std::string ChangeEventText(std::string_view text, const Appointment& appointment, FieldSet fields,
                            const EventStamp& stamp, std::string_view eol, const TimeZones& zones);

}  // namespace feriant::outlook
