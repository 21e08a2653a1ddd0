#pragma once
// Appointment: what one calendar event means to the Outlook object model, as plain
// values, and the rules that turn the texts callers put into the texts an item holds.
//
// Times are wall-clock times in the user's time zone (the process's TZ). Plain value
// types; no thread affinity.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace feriant::outlook {

struct Appointment {
  std::string subject;
  // The first moment of the appointment; midnight of its first day when all_day.
  std::chrono::local_seconds start{};
  // Minutes from start to end, >= 0; a whole number of days (1440 each) when all_day.
  std::int32_t duration = 30;
  bool all_day = false;
  std::string location;
  std::string body;        // lines separated by CR LF
  std::string categories;  // "A, B": the category names joined with ", "
  bool reminder_set = false;

  friend bool operator==(const Appointment&, const Appointment&) = default;
};

// Which members of an Appointment a change sets; a bit set of Field values.
enum Field : unsigned {
  kSubject = 1u << 0,
  kStart = 1u << 1,
  kDuration = 1u << 2,
  kAllDay = 1u << 3,
  kLocation = 1u << 4,
  kBody = 1u << 5,
  kCategories = 1u << 6,
  kReminderSet = 1u << 7,
};
using FieldSet = unsigned;
inline constexpr FieldSet kAllFields = 0xFFu;
// The members that decide DTSTART and DTEND together.
inline constexpr FieldSet kTimeFields = kStart | kDuration | kAllDay;

inline constexpr std::int32_t kMinutesPerDay = 1440;

// A one-line text as an item keeps it: valid UTF-8 (bad sequences become U+FFFD), line
// breaks become blanks and other control characters except TAB are dropped, since a
// calendar file cannot carry them.
std::string NormalizeLine(std::string_view text);
// A body: like NormalizeLine, but every line break (CR LF, LF or CR) becomes CR LF.
std::string NormalizeBody(std::string_view text);
// A category list: the names between commas, trimmed of blanks, empty names dropped,
// joined with ", " ("Holiday,Private " gives "Holiday, Private").
std::string NormalizeCategories(std::string_view text);

// All-day appointments start at midnight and last whole days, at least one.
std::chrono::local_seconds StartOfDay(std::chrono::local_seconds time);
std::int32_t WholeDaysDuration(std::int32_t minutes);

}  // namespace feriant::outlook
