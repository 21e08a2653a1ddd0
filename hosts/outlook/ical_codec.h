#pragma once
// Calendar events through libical: what an event's text means as an Appointment, the
// text of a new event, and changes to an existing event's text that touch only the
// lines of the members that changed.
//
// libical stays inside ical_codec.cpp; each handle it returns is owned by a unique_ptr
// from the moment it exists. TimeZones owns the zones it builds. One thread.

#include <chrono>
#include <cstddef>
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

  // Adds the VTIMEZONE in `text` (BEGIN to END), whose BEGIN line is line `first_line` of
  // its file. The Error says why it cannot be used, a zone beyond the bounds below
  // included.
  Status Add(std::string_view text, int first_line = 1);
  // Notes that the file's definition of `tzid` cannot be read (Add refused it): an event
  // whose start or end names it cannot be read either (ReadEvent).
  void AddUnreadable(std::string tzid);

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

// What reading one event or time zone hands to libical at most: the octets of the lines
// (unfolded) and the parameters of one property. libical takes time that grows with the
// square of a line's length and of its parameter count; within these bounds an event is
// read in milliseconds.
inline constexpr size_t kMaxReadOctets = size_t{1} << 20;
inline constexpr size_t kMaxParameters = 100;

// The meaning of the event in `text` (BEGIN:VEVENT to END:VEVENT), whose BEGIN line is
// line `first_line` of its file. Only the properties an Appointment shows are read (with
// the bounds of nested components); every other line is kept as text and never rewritten,
// so what it holds is no error. The Error (kDamaged) says, in a person's words, which
// line cannot be read or which bound it passes.
Result<Appointment> ReadEvent(std::string_view text, const TimeZones& zones, int first_line = 1);

// A new event: its text, and the Appointment that reading the text gives (ReadEvent).
struct NewEvent {
  std::string text;
  Appointment appointment;
};

// The new event holding `appointment`, whose texts are as the Normalize functions
// (appointment.h) leave them; timed events are written in UTC. The lines are written
// here and the reading is worked out from `appointment`, neither through libical: a
// store adds thousands of events in one run. The Error (kDamaged) is ReadEvent's for an
// event beyond its bounds (kMaxReadOctets), which no store may write.
Result<NewEvent> MakeNewEvent(const Appointment& appointment, const EventStamp& stamp,
                              std::string_view eol);

// `text` with the members named by `fields` set from `appointment`, DTSTAMP and
// LAST-MODIFIED set to the stamp's time, SEQUENCE to the stamp's when it has one, and a
// UID added when it has none. Every other line stays as it was. A timed start keeps the
// TZID it had when the zone is known.
std::string ChangeEventText(std::string_view text, const Appointment& appointment, FieldSet fields,
                            const EventStamp& stamp, std::string_view eol, const TimeZones& zones);

}  // namespace feriant::outlook
