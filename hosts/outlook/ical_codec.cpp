#include "hosts/outlook/ical_codec.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <utility>
#include <vector>

#include <libical/ical.h>

#include "hosts/outlook/ics_text.h"
#include "platform/base/clock.h"
#include "platform/base/text.h"

namespace feriant::outlook {
namespace {

using std::chrono::days;
using std::chrono::local_days;
using std::chrono::local_seconds;
using std::chrono::seconds;
using std::chrono::sys_seconds;

struct ComponentDeleter {
  void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
struct PropertyDeleter {
  void operator()(icalproperty* property) const { icalproperty_free(property); }
};
struct ZoneDeleter {
  void operator()(icaltimezone* zone) const { icaltimezone_free(zone, 1); }
};
struct BufferDeleter {
  void operator()(char* buffer) const { icalmemory_free_buffer(buffer); }
};
using ComponentPtr = std::unique_ptr<icalcomponent, ComponentDeleter>;
using PropertyPtr = std::unique_ptr<icalproperty, PropertyDeleter>;
using ZonePtr = std::unique_ptr<icaltimezone, ZoneDeleter>;
using BufferPtr = std::unique_ptr<char, BufferDeleter>;

// Outlook's "no date" (4501-01-01), the start of an event that has none.
constexpr local_days kNoDate = local_days(std::chrono::year(4501) / 1 / 1);
constexpr std::string_view kAllDayProperty = "X-MICROSOFT-CDO-ALLDAYEVENT";

Error Damaged(std::string what) {
  return ErrorOf(ErrorKind::kDamaged, std::move(what));
}

ComponentPtr Parse(std::string_view text) {
  // A copy, for the terminating NUL libical needs.
  const std::string terminated(text);
  return ComponentPtr(icalparser_parse_string(terminated.c_str()));
}

// Whether libical reports a line or value it could not read, in the component or those
// nested in it. Unknown property and parameter names are left out: their lines are kept
// as text and never re-written.
bool HasReadError(icalcomponent* component) {
  for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
    icalparameter* type = icalproperty_get_first_parameter(p, ICAL_XLICERRORTYPE_PARAMETER);
    const icalparameter_xlicerrortype kind =
        type != nullptr ? icalparameter_get_xlicerrortype(type) : ICAL_XLICERRORTYPE_NONE;
    if (kind == ICAL_XLICERRORTYPE_COMPONENTPARSEERROR ||
        kind == ICAL_XLICERRORTYPE_VALUEPARSEERROR) {
      return true;
    }
  }
  for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT);
       c != nullptr; c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
    if (HasReadError(c)) return true;
  }
  return false;
}

// The parameters of a content line: its ';' before the value, outside double quotes.
size_t ParameterCount(std::string_view logical) {
  size_t count = 0;
  bool quoted = false;
  for (const char c : logical) {
    if (c == '"') {
      quoted = !quoted;
    } else if (!quoted && c == ':') {
      break;
    } else if (!quoted && c == ';') {
      ++count;
    }
  }
  return count;
}

// The event's own properties that an Appointment is read from.
bool IsReadProperty(std::string_view upper_name) {
  for (const std::string_view name :
       {"SUMMARY", "LOCATION", "DESCRIPTION", "CATEGORIES", "DTSTART", "DTEND", "DURATION"}) {
    if (upper_name == name) return true;
  }
  return false;
}

std::string AtLine(const std::string& name, int line) {
  return name + " at line " + std::to_string(line);
}

Error TooManyParameters(const std::string& name, int line) {
  return Damaged("its " + AtLine(name, line) + " has more than " + std::to_string(kMaxParameters) +
                 " parameters");
}

Error TooLong(std::string_view what) {
  return Damaged(std::string(what) + " more than " + std::to_string(kMaxReadOctets >> 20) + " MiB");
}

// The lines of an event that libical is given, each property with where it stands.
struct EventLines {
  struct Property {
    std::string name;  // upper case
    int line = 0;      // in the file
    std::string logical;
  };
  std::string text;
  std::vector<Property> properties;
};

Result<EventLines> LinesToRead(std::string_view text, int first_line) {
  EventLines lines;
  ContentLineReader reader(text);
  int depth = 0;  // 1: the event's own properties
  while (reader.Next()) {
    std::string name = base::ToUpperAscii(reader.name());
    const bool bound = name == "BEGIN" || name == "END";
    if (name == "END" && depth > 0) --depth;
    const bool read = bound || (depth == 1 && IsReadProperty(name));
    if (name == "BEGIN") ++depth;
    if (!read) continue;
    const int line = first_line + reader.line_number() - 1;
    if (!bound && ParameterCount(reader.logical()) > kMaxParameters) {
      return TooManyParameters(name, line);
    }
    if (lines.text.size() + reader.logical().size() + 2 > kMaxReadOctets) {
      return TooLong("the lines it is read from hold");
    }
    lines.text.append(reader.logical()).append("\r\n");
    if (!bound) lines.properties.push_back({std::move(name), line, reader.logical()});
  }
  return lines;
}

// Why libical could not read `lines`: the first property it cannot read on its own.
Error WhyUnreadable(const EventLines& lines) {
  for (const EventLines::Property& property : lines.properties) {
    if (PropertyPtr(icalproperty_new_from_string(property.logical.c_str())) != nullptr) continue;
    const size_t colon = property.logical.find(':');
    const bool blank = colon == std::string::npos ||
                       base::Trim(std::string_view(property.logical).substr(colon + 1)).empty();
    return Damaged("its " + AtLine(property.name, property.line) +
                   (blank ? " has no value" : " holds a value that cannot be read"));
  }
  return Damaged("it cannot be read as an event");
}

std::string TextOf(icalcomponent* component, icalproperty_kind kind) {
  icalproperty* p = icalcomponent_get_first_property(component, kind);
  if (p == nullptr) return {};
  icalvalue* value = icalproperty_get_value(p);
  const char* text = value != nullptr ? icalvalue_get_text(value) : nullptr;
  return text != nullptr ? text : "";
}

std::string TzidOf(icalproperty* property) {
  icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER);
  const char* text = tzid != nullptr ? icalparameter_get_tzid(tzid) : nullptr;
  return text != nullptr ? text : "";
}

local_seconds FieldsOf(const icaltimetype& time) {
  const local_days day(std::chrono::year(time.year) / time.month / time.day);
  if (time.is_date) return day;
  return day + std::chrono::hours(time.hour) + std::chrono::minutes(time.minute) +
         seconds(time.second);
}

// A time of the file as the user's wall clock and, unless it is floating, as a moment.
struct Moment {
  local_seconds wall{};
  std::optional<sys_seconds> utc;
};

}  // namespace

struct TimeZones::Impl {
  std::map<std::string, ZonePtr, std::less<>> defined;
  // TZIDs whose definition in the file cannot be read: times in them have no known moment.
  std::set<std::string, std::less<>> unreadable;
  // Lookups of libical's own zones (a linear search there), found or not. Those zones
  // live as long as the process.
  mutable std::map<std::string, icaltimezone*, std::less<>> builtin;

  // The zone `tzid` names; nullptr when nobody knows it (its times are then floating).
  icaltimezone* Find(const std::string& tzid) const {
    if (tzid.empty()) return nullptr;
    if (auto it = defined.find(tzid); it != defined.end()) return it->second.get();
    if (auto it = builtin.find(tzid); it != builtin.end()) return it->second;
    icaltimezone* zone = icaltimezone_get_builtin_timezone(tzid.c_str());
    if (zone == nullptr) zone = icaltimezone_get_builtin_timezone_from_tzid(tzid.c_str());
    builtin.emplace(tzid, zone);
    return zone;
  }

  Moment MomentOf(icalproperty* property, const icaltimetype& time) const {
    Moment moment;
    if (time.is_date) {
      moment.wall = FieldsOf(time);
      return moment;
    }
    icaltimezone* zone =
        icaltime_is_utc(time) ? icaltimezone_get_utc_timezone() : Find(TzidOf(property));
    if (zone == nullptr) {
      moment.wall = FieldsOf(time);
      return moment;
    }
    moment.utc = sys_seconds(seconds(icaltime_as_timet_with_zone(time, zone)));
    moment.wall = base::ToLocal(*moment.utc);
    return moment;
  }
};

TimeZones::TimeZones() : impl_(std::make_unique<Impl>()) {}
TimeZones::~TimeZones() = default;

Status TimeZones::Add(std::string_view text, int first_line) {
  if (text.size() > kMaxReadOctets) return TooLong("it holds");
  ContentLineReader reader(text);
  while (reader.Next()) {
    if (ParameterCount(reader.logical()) > kMaxParameters) {
      return TooManyParameters(base::ToUpperAscii(reader.name()),
                               first_line + reader.line_number() - 1);
    }
  }
  ComponentPtr component = Parse(text);
  if (component == nullptr || icalcomponent_isa(component.get()) != ICAL_VTIMEZONE_COMPONENT ||
      HasReadError(component.get())) {
    return Damaged("its definition cannot be read");
  }
  icalproperty* tzid = icalcomponent_get_first_property(component.get(), ICAL_TZID_PROPERTY);
  const char* name = tzid != nullptr ? icalproperty_get_tzid(tzid) : nullptr;
  if (name == nullptr || *name == '\0') return Damaged("the time zone has no TZID");
  const std::string key = name;
  if (impl_->defined.count(key) != 0) return Ok();
  ZonePtr zone(icaltimezone_new());
  if (zone == nullptr || icaltimezone_set_component(zone.get(), component.get()) == 0) {
    return Damaged("the time zone " + key + " cannot be used");
  }
  component.release();  // the zone owns it now
  impl_->defined.emplace(key, std::move(zone));
  return Ok();
}

void TimeZones::AddUnreadable(std::string tzid) {
  if (!tzid.empty()) impl_->unreadable.insert(std::move(tzid));
}

Result<Appointment> ReadEvent(std::string_view text, const TimeZones& zones, int first_line) {
  Result<EventLines> lines = LinesToRead(text, first_line);
  if (!lines) return lines.error();
  ComponentPtr event = Parse(lines->text);
  if (event == nullptr || icalcomponent_isa(event.get()) != ICAL_VEVENT_COMPONENT) {
    return Damaged("it cannot be read as an event");
  }
  if (HasReadError(event.get())) return WhyUnreadable(*lines);
  icalcomponent* c = event.get();

  Appointment a;
  a.subject = NormalizeLine(TextOf(c, ICAL_SUMMARY_PROPERTY));
  a.location = NormalizeLine(TextOf(c, ICAL_LOCATION_PROPERTY));
  a.body = NormalizeBody(TextOf(c, ICAL_DESCRIPTION_PROPERTY));
  // libical splits "CATEGORIES:A,B" into one property per value.
  std::string categories;
  for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_CATEGORIES_PROPERTY);
       p != nullptr; p = icalcomponent_get_next_property(c, ICAL_CATEGORIES_PROPERTY)) {
    const char* value = icalproperty_get_categories(p);
    if (value == nullptr) continue;
    if (!categories.empty()) categories += ',';
    categories += value;
  }
  a.categories = NormalizeCategories(categories);
  a.reminder_set = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT) != nullptr;

  icalproperty* dtstart = icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY);
  if (dtstart == nullptr) {
    a.start = kNoDate;
    a.duration = 0;
    return a;
  }
  const icaltimetype start_time = icalproperty_get_dtstart(dtstart);
  const TimeZones::Impl& impl = zones.impl();
  // A time in a zone the file defines but that cannot be read is no time to rely on.
  for (icalproperty* p : {dtstart, icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)}) {
    const std::string tzid = p != nullptr ? TzidOf(p) : std::string();
    if (tzid.empty() || impl.unreadable.count(tzid) == 0) continue;
    const std::string name = p == dtstart ? "DTSTART" : "DTEND";
    const auto read = std::find_if(lines->properties.begin(), lines->properties.end(),
                                   [&](const EventLines::Property& q) { return q.name == name; });
    return Damaged("its " +
                   AtLine(name, read != lines->properties.end() ? read->line : first_line) +
                   " names the time zone " + tzid + ", whose definition cannot be read");
  }
  const Moment start = impl.MomentOf(dtstart, start_time);
  a.all_day = start_time.is_date != 0;
  a.start = start.wall;

  std::int64_t length = 0;  // seconds
  if (icalproperty* dtend = icalcomponent_get_first_property(c, ICAL_DTEND_PROPERTY)) {
    const icaltimetype end_time = icalproperty_get_dtend(dtend);
    const Moment end = impl.MomentOf(dtend, end_time);
    length =
        start.utc && end.utc ? (*end.utc - *start.utc).count() : (end.wall - start.wall).count();
  } else if (icalproperty* duration = icalcomponent_get_first_property(c, ICAL_DURATION_PROPERTY)) {
    length = icaldurationtype_as_int(icalproperty_get_duration(duration));
  } else if (a.all_day) {
    length = 86400;  // a DATE start alone lasts its one day
  }
  const std::int64_t minutes =
      std::clamp<std::int64_t>(length / 60, 0, std::numeric_limits<std::int32_t>::max());
  a.duration = static_cast<std::int32_t>(minutes);
  if (a.all_day) a.duration = WholeDaysDuration(a.duration);
  return a;
}

namespace {

// The content line of `property` as libical writes it, unfolded, without line ending.
std::string LineOf(PropertyPtr property) {
  const BufferPtr text(icalproperty_as_ical_string_r(property.get()));
  ContentLineReader reader(text ? std::string_view(text.get()) : std::string_view());
  return reader.Next() ? reader.logical() : std::string();
}

// A text value as it is written and read: libical drops blanks at either end of a value,
// and takes a value of blanks alone for none, which an event must not hold.
std::string_view WrittenText(std::string_view text) {
  return base::Trim(text);
}

// The bytes a TEXT value does not hold as they are (AppendTextValue).
constexpr std::array<bool, 256> kEscapedInText = [] {
  std::array<bool, 256> escaped{};
  for (const char c : {'\n', ',', ';', '\\', '\r', '\b', '\f'})
    escaped[static_cast<unsigned char>(c)] = true;
  return escaped;
}();

// Appends `text` as a TEXT value, escaped as libical escapes it, so that the lines
// written here and those it wrote before are the same bytes: a line feed as "\n", the
// separators ',' ';' and '\' behind a backslash; CR, BS and FF, which a content line
// cannot hold, are dropped. Every other byte is kept.
void AppendTextValue(std::string& line, std::string_view text) {
  size_t kept = 0;  // text before it is in `line`
  for (size_t i = 0; i < text.size(); ++i) {
    // Words without a byte to escape are passed over whole.
    for (; i + 8 <= text.size(); i += 8) {
      const std::uint64_t word = word8::Load(text.data() + i);
      const std::uint64_t marks = word8::Below(word, 0x20) | word8::Equal(word, ',') |
                                  word8::Equal(word, ';') | word8::Equal(word, '\\');
      if (marks != 0) {
        i += word8::FirstMarked(marks);
        break;
      }
    }
    if (i == text.size()) break;
    const char c = text[i];
    if (!kEscapedInText[static_cast<unsigned char>(c)]) continue;
    line.append(text.substr(kept, i - kept));
    kept = i + 1;
    if (c == '\n') {
      line += "\\n";
    } else if (c == ',' || c == ';' || c == '\\') {
      line += '\\';
      line += c;
    }
  }
  line.append(text.substr(kept));
}

// Makes `line` a property of a TEXT value.
void SetTextLine(std::string& line, std::string_view name, std::string_view text) {
  line.assign(name).append(":");
  AppendTextValue(line, text);
}

std::string TextLine(std::string_view name, std::string_view text) {
  std::string line;
  line.reserve(name.size() + 1 + text.size() + text.size() / 16);
  SetTextLine(line, name, text);
  return line;
}

// `value` as `width` decimal digits from `at` on; value < 10 to the power of width.
void PutDigits(char* at, unsigned value, int width) {
  for (int i = width - 1; i >= 0; --i) {
    at[i] = static_cast<char>('0' + value % 10);
    value /= 10;
  }
}

// YYYYMMDD at `at`. The years the object model lets an event reach, 1601 to some 8600
// (a start before 4501 and a duration of up to 2^31 minutes), all have four digits.
void PutDate(char* at, local_days day) {
  const std::chrono::year_month_day ymd(day);
  PutDigits(at, static_cast<unsigned>(static_cast<int>(ymd.year())), 4);
  PutDigits(at + 4, static_cast<unsigned>(ymd.month()), 2);
  PutDigits(at + 6, static_cast<unsigned>(ymd.day()), 2);
}

// Makes `line` NAME;VALUE=DATE:YYYYMMDD.
void SetDateLine(std::string& line, std::string_view name, local_days day) {
  char date[8];
  PutDate(date, day);
  line.assign(name).append(";VALUE=DATE:").append(date, sizeof date);
}

std::string DateLine(std::string_view name, local_days day) {
  std::string line;
  SetDateLine(line, name, day);
  return line;
}

// Makes `line` NAME:YYYYMMDDTHHMMSSZ, for every moment of the years 0 to 9999 (libical
// writes a time after the year 3000 as 00000000T000000, which no reader takes for that
// moment).
void SetUtcLine(std::string& line, std::string_view name, sys_seconds time) {
  const std::chrono::sys_days day = std::chrono::floor<days>(time);
  const std::chrono::hh_mm_ss<seconds> clock(time - day);
  char moment[16];
  PutDate(moment, local_days(day.time_since_epoch()));
  moment[8] = 'T';
  PutDigits(moment + 9, static_cast<unsigned>(clock.hours().count()), 2);
  PutDigits(moment + 11, static_cast<unsigned>(clock.minutes().count()), 2);
  PutDigits(moment + 13, static_cast<unsigned>(clock.seconds().count()), 2);
  moment[15] = 'Z';
  line.assign(name).append(":").append(moment, sizeof moment);
}

std::string UtcLine(std::string_view name, sys_seconds time) {
  std::string line;
  SetUtcLine(line, name, time);
  return line;
}

// Makes `line` one CATEGORIES property listing every name. libical would either split the
// names over several properties or escape the separating commas, so the line is written
// here.
void SetCategoriesLine(std::string& line, std::string_view categories) {
  line.assign("CATEGORIES:");
  bool first = true;
  size_t pos = 0;
  while (pos <= categories.size()) {
    size_t next = categories.find(", ", pos);
    if (next == std::string_view::npos) next = categories.size();
    if (!first) line += ',';
    first = false;
    for (char c : categories.substr(pos, next - pos)) {
      if (c == '\\' || c == ';' || c == ',') line += '\\';
      line += c;
    }
    pos = next + 2;
  }
}

std::string CategoriesLine(std::string_view categories) {
  std::string line;
  SetCategoriesLine(line, categories);
  return line;
}

std::vector<std::string> AlarmLines() {
  return {"BEGIN:VALARM", "ACTION:DISPLAY", "TRIGGER:-PT15M", "DESCRIPTION:Reminder", "END:VALARM"};
}

// The first and the following day of an all-day appointment.
std::pair<local_days, local_days> AllDays(const Appointment& a) {
  const local_days first = std::chrono::floor<days>(a.start);
  return {first, first + days(WholeDaysDuration(a.duration) / kMinutesPerDay)};
}

// DTSTART and DTEND of `a`. Whole days for an all-day event; else in `zone` with its
// TZID when one is given, otherwise in UTC, so every program shows the same wall clock.
std::vector<std::string> TimeLines(const Appointment& a, icaltimezone* zone,
                                   const std::string& tzid) {
  if (a.all_day) {
    const auto [first, after] = AllDays(a);
    return {DateLine("DTSTART", first), DateLine("DTEND", after)};
  }
  const sys_seconds begin = base::ToUtc(a.start);
  const sys_seconds end = begin + std::chrono::minutes(a.duration);
  if (zone == nullptr) return {UtcLine("DTSTART", begin), UtcLine("DTEND", end)};
  const auto zoned = [&](sys_seconds time, icalproperty* (*make)(icaltimetype)) {
    icaltimetype local = icaltime_from_timet_with_zone(time.time_since_epoch().count(), 0, zone);
    local.zone = nullptr;  // the TZID parameter names the zone; no "Z"
    PropertyPtr property(make(local));
    icalproperty_add_parameter(property.get(), icalparameter_new_tzid(tzid.c_str()));
    return LineOf(std::move(property));
  };
  return {zoned(begin, icalproperty_new_dtstart), zoned(end, icalproperty_new_dtend)};
}

// Sets or, for a text of blanks or none, removes a text property.
void SetText(ComponentText& event, std::string_view name, std::string_view text) {
  text = WrittenText(text);
  if (text.empty()) {
    event.RemoveProperty(name);
  } else {
    event.SetProperty(name, {TextLine(name, text)});
  }
}

// What ReadEvent gives for the text MakeNewEvent writes for `a`: the texts as written
// (escaping and reading them are inverses on normalised texts), the times as the lines
// hold them.
Appointment ReadingOfNewEvent(const Appointment& a) {
  Appointment read = a;
  for (std::string* text : {&read.subject, &read.location, &read.body}) {
    const std::string_view written = WrittenText(*text);
    if (written.size() != text->size()) *text = std::string(written);
  }
  if (a.all_day) {
    read.start = AllDays(a).first;
    read.duration = WholeDaysDuration(a.duration);
  } else {
    // Written in UTC, read as the wall clock of that moment: a time that a change to
    // summer time skips reads as the hour after.
    read.start = base::ToLocal(base::ToUtc(a.start));
    read.duration = std::max<std::int32_t>(a.duration, 0);
  }
  return read;
}

}  // namespace

Result<NewEvent> MakeNewEvent(const Appointment& appointment, const EventStamp& stamp,
                              std::string_view eol) {
  NewEvent event;
  std::string& text = event.text;
  text.reserve(512 + appointment.subject.size() + appointment.location.size() +
               appointment.body.size() + appointment.categories.size());
  // The octets ReadEvent hands to libical: the BEGIN and END lines and those it reads,
  // unfolded, each with CR LF.
  size_t read_octets = 0;
  const auto put = [&](std::string_view line, bool read) {
    AppendFolded(text, line, eol);
    if (read) read_octets += line.size() + 2;
  };
  // Each line in turn is made here, so that its room serves the next.
  std::string line;
  line.reserve(kMaxLineOctets);
  // A text property, unless the text is none as written (SetText).
  const auto put_text = [&](std::string_view name, std::string_view value) {
    if (const std::string_view written = WrittenText(value); !written.empty()) {
      SetTextLine(line, name, written);
      put(line, true);
    }
  };
  put("BEGIN:VEVENT", true);
  SetTextLine(line, "UID", stamp.uid);
  put(line, false);
  for (const std::string_view name : {"DTSTAMP", "CREATED", "LAST-MODIFIED"}) {
    SetUtcLine(line, name, stamp.now);
    put(line, false);
  }
  put_text("SUMMARY", appointment.subject);
  if (appointment.all_day) {
    const auto [first, after] = AllDays(appointment);
    SetDateLine(line, "DTSTART", first);
    put(line, true);
    SetDateLine(line, "DTEND", after);
    put(line, true);
    line.assign(kAllDayProperty).append(":TRUE");
    put(line, false);
    put("TRANSP:TRANSPARENT", false);  // Outlook shows a new all-day event as free
  } else {
    for (const std::string& time : TimeLines(appointment, nullptr, {}))
      put(time, true);
  }
  put_text("LOCATION", appointment.location);
  put_text("DESCRIPTION", appointment.body);
  if (!appointment.categories.empty()) {
    SetCategoriesLine(line, appointment.categories);
    put(line, true);
  }
  if (appointment.reminder_set) {
    for (const std::string& alarm : AlarmLines())
      put(alarm, alarm.starts_with("BEGIN:") || alarm.starts_with("END:"));
  }
  put("END:VEVENT", true);
  if (read_octets > kMaxReadOctets) return TooLong("the lines it is read from hold");
  event.appointment = ReadingOfNewEvent(appointment);
  return event;
}

std::string ChangeEventText(std::string_view text, const Appointment& a, FieldSet fields,
                            const EventStamp& stamp, std::string_view eol, const TimeZones& zones) {
  ComponentText event(text);
  if (fields & kSubject) SetText(event, "SUMMARY", a.subject);
  if (fields & kLocation) SetText(event, "LOCATION", a.location);
  // DESCRIPTION holds line breaks as LF: the escaping drops the CR of each CR LF.
  if (fields & kBody) SetText(event, "DESCRIPTION", a.body);
  if (fields & kCategories) {
    if (a.categories.empty()) {
      event.RemoveProperty("CATEGORIES");
    } else {
      event.SetProperty("CATEGORIES", {CategoriesLine(a.categories)});
    }
  }
  if (fields & kTimeFields) {
    std::string tzid;
    icaltimezone* zone = nullptr;
    const std::string dtstart = event.Property("DTSTART");
    if (!a.all_day && !dtstart.empty()) {
      const PropertyPtr old(icalproperty_new_from_string(dtstart.c_str()));
      if (old != nullptr) tzid = TzidOf(old.get());
      zone = zones.impl().Find(tzid);
    }
    std::vector<std::string> lines = TimeLines(a, zone, tzid);
    event.SetProperty("DTSTART", {std::move(lines[0])});
    event.SetProperty("DTEND", {std::move(lines[1])});
    event.RemoveProperty("DURATION");
    if (a.all_day) {
      event.SetProperty(kAllDayProperty, {std::string(kAllDayProperty) + ":TRUE"});
    } else if (event.HasProperty(kAllDayProperty)) {
      event.SetProperty(kAllDayProperty, {std::string(kAllDayProperty) + ":FALSE"});
    }
  }
  if (fields & kReminderSet) {
    if (!a.reminder_set) {
      event.RemoveComponents("VALARM");
    } else if (!event.HasComponent("VALARM")) {
      event.AddComponent(AlarmLines());
    }
  }
  if (!event.HasProperty("UID")) event.SetProperty("UID", {TextLine("UID", stamp.uid)});
  event.SetProperty("DTSTAMP", {UtcLine("DTSTAMP", stamp.now)});
  event.SetProperty("LAST-MODIFIED", {UtcLine("LAST-MODIFIED", stamp.now)});
  if (stamp.sequence)
    event.SetProperty("SEQUENCE", {"SEQUENCE:" + std::to_string(*stamp.sequence)});
  return event.Text(eol);
}

}  // namespace feriant::outlook
