#include "hosts/outlook/calendar_store.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <system_error>

#include "platform/automation/guid.h"
#include "platform/base/file.h"
#include "platform/base/interrupt.h"

namespace feriant::outlook {
namespace {

constexpr std::string_view kProductId = "PRODID:-//Quillmark//Feriant 2.0//EN";
constexpr std::string_view kVersion = "VERSION:2.0";

// The value of a content line, unfolded: what follows the first ':' outside double quotes.
std::string ValueOf(const std::string& logical) {
  ContentLineReader reader(logical);
  std::string_view value;
  return reader.Next() && reader.Value(value) ? std::string(value) : std::string();
}

}  // namespace

std::string RandomUid() {
  std::string text = automation::Guid::Generate().ToString();  // "{...}"
  text.pop_back();
  text.erase(0, 1);
  return text;
}

Error DeletedEventError() {
  return Error{kEventDeleted, "The appointment has been deleted.", {}, ErrorKind::kNotFound};
}

std::chrono::sys_seconds SystemStampTime() {
  return std::chrono::floor<std::chrono::seconds>(std::chrono::system_clock::now());
}

CalendarStore::CalendarStore(std::filesystem::path path, StoreOptions options)
    : path_(std::move(path)), options_(std::move(options)) {}

CalendarStore::~CalendarStore() {
  if (!dirty_) return;
  if (Status saved = SaveChanges(); !saved) {
    std::fprintf(stderr, "%s\n", saved.error().description.c_str());
  }
}

Result<std::shared_ptr<CalendarStore>> CalendarStore::Open(const std::filesystem::path& path,
                                                           StoreOptions options) {
  // The store is never moved: its events point into the text it holds.
  std::shared_ptr<CalendarStore> store(new CalendarStore(path, std::move(options)));
  if (Status loaded = store->Load(); !loaded) return loaded.error();
  return store;
}

Error CalendarStore::Unreadable(const std::string& reason, ErrorKind kind) const {
  return Error{kUnreadableCalendar,
               "The calendar file " + path_.string() + " cannot be read: " + reason + ".",
               {},
               kind};
}

Status CalendarStore::Load() {
  // A calendar handed to save_to starts as a missing file does: empty.
  if (!options_.save_to) {
    Result<std::string> bytes = base::ReadFile(path_);
    if (bytes) {
      loaded_ = std::move(*bytes);
      on_disk_ = loaded_;
    } else if (const Error& failure = bytes.error(); failure.kind != ErrorKind::kNotFound) {
      return Unreadable(failure.code != 0 ? std::strerror(failure.code) : failure.description,
                        failure.kind);
    }
  }

  if (Status going_on = CheckInterrupt(); !going_on) return going_on;
  Result<CalendarLayout> layout = ScanCalendar(loaded_);
  if (!layout) return Unreadable(layout.error().description);
  layout_ = std::move(*layout);
  eol_ = layout_.line_ending;

  const std::string_view text = loaded_;
  const auto text_of = [&](const ComponentSpan& span) {
    return text.substr(span.begin, span.end - span.begin);
  };
  // Time zones first: an event may come before the zone it names.
  for (const ComponentSpan& span : layout_.components) {
    if (span.name != "VTIMEZONE") continue;
    if (Status going_on = CheckInterrupt(); !going_on) return going_on;
    if (Status added = zones_.Add(text_of(span), span.line); !added) {
      // Kept as the file has it; so are the events that name it (ReadEvent).
      const std::string tzid = ValueOf(ComponentText(text_of(span)).Property("TZID"));
      zones_.AddUnreadable(tzid);
      Note("The calendar file " + path_.string() + ": the time zone " +
           (tzid.empty() ? std::string() : tzid + " ") + "at line " + std::to_string(span.line) +
           " is kept as it stands, and the events in it are left out of this run: " +
           added.error().description + ".");
    }
  }
  segments_.reserve(layout_.components.size());
  for (const ComponentSpan& span : layout_.components) {
    Segment segment{span, nullptr};
    if (span.name == "VEVENT") {
      if (Status going_on = CheckInterrupt(); !going_on) return going_on;
      Result<Appointment> appointment = ReadEvent(text_of(span), zones_, span.line);
      if (!appointment) {
        // Kept as the file has it, like a component the store does not know.
        Note("The calendar file " + path_.string() + ": the event at line " +
             std::to_string(span.line) + " is kept as it stands and left out of this run: " +
             appointment.error().description + ".");
        segments_.push_back(std::move(segment));
        continue;
      }
      segment.event = std::make_shared<StoredEvent>();
      segment.event->original_ = text_of(span);
      segment.event->in_file_ = true;
      segment.event->appointment_ = std::move(*appointment);
      events_.push_back(segment.event);
    }
    segments_.push_back(std::move(segment));
  }
  return Ok();
}

void CalendarStore::MarkSaved() {
  dirty_ = false;
  for (const auto& event : events_) {
    event->in_file_ = true;
    event->sequence_.reset();
  }
}

Status CalendarStore::CheckInterrupt() const {
  const int signal = base::InterruptSignal();
  if (signal == 0) return Ok();
  return Error{
      signal, "reading " + path_.string() + " was interrupted", {}, ErrorKind::kInterrupted};
}

void CalendarStore::Note(const std::string& text) const {
  if (options_.note) {
    options_.note(text);
  } else {
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

EventStamp CalendarStore::NewStamp() const {
  return EventStamp{options_.new_uid ? options_.new_uid() : RandomUid(),
                    options_.stamp_time ? options_.stamp_time() : SystemStampTime(), std::nullopt};
}

bool CalendarStore::EventsChanged() const {
  for (const Segment& segment : segments_) {
    if (segment.event != nullptr && (segment.event->edited_ || segment.event->deleted_)) {
      return true;
    }
  }
  // An event created here counts unless it was deleted before it ever reached the file
  // (a probe); one deleted after a save must leave the file too.
  return std::any_of(added_.begin(), added_.end(),
                     [](const auto& event) { return !event->deleted_ || event->in_file_; });
}

Result<std::shared_ptr<StoredEvent>> CalendarStore::Add(const Appointment& appointment) {
  // The item shows what the file holds: the event as reading its text gives it.
  Result<NewEvent> made = MakeNewEvent(appointment, NewStamp(), eol_);
  if (!made) return Error{kCalendarNotSaved, made.error().description, {}, ErrorKind::kInvalid};
  auto event = std::make_shared<StoredEvent>();
  event->text_ = std::move(made->text);
  event->appointment_ = std::move(made->appointment);
  event->edited_ = true;
  added_.push_back(event);
  events_.push_back(event);
  dirty_ = true;
  return event;
}

Status StoredEvent::Rewrite(const Appointment& appointment, FieldSet fields, EventStamp stamp,
                            std::string_view eol, const TimeZones& zones) {
  const std::string_view current = edited_ ? text_ : original_;
  // An event of the calendar goes up one version however often it changes before a save;
  // one not written yet is new to it and has none.
  if (in_file_ && !sequence_) {
    const std::int64_t sequence = SequenceOf(current);
    sequence_ = sequence < std::numeric_limits<std::int32_t>::max() ? sequence + 1 : sequence;
  }
  stamp.sequence = sequence_;
  std::string text = ChangeEventText(current, appointment, fields, stamp, eol, zones);
  Result<Appointment> written = ReadEvent(text, zones);
  if (!written)
    return Error{kCalendarNotSaved, written.error().description, {}, ErrorKind::kInvalid};
  text_ = std::move(text);
  appointment_ = std::move(*written);
  edited_ = true;
  return Ok();
}

Status CalendarStore::Change(StoredEvent& event, const Appointment& appointment, FieldSet fields) {
  if (event.deleted_) return DeletedEventError();
  if (fields == 0) return Ok();
  Status rewritten = event.Rewrite(appointment, fields, NewStamp(), eol_, zones_);
  if (rewritten) dirty_ = true;
  return rewritten;
}

Status StoredEvent::TakeOut(std::vector<std::shared_ptr<StoredEvent>>& events, StoredEvent& event) {
  if (event.deleted_) return DeletedEventError();
  const auto it = std::find_if(events.begin(), events.end(),
                               [&](const auto& candidate) { return candidate.get() == &event; });
  if (it != events.end()) events.erase(it);
  event.deleted_ = true;
  return Ok();
}

Status CalendarStore::Remove(StoredEvent& event) {
  Status taken = StoredEvent::TakeOut(events_, event);
  if (taken) dirty_ = true;
  return taken;
}

std::string CalendarStore::Serialize() const {
  std::string out;
  size_t added_size = 0;
  for (const auto& event : added_) {
    if (!event->deleted_) added_size += event->text_.size();
  }
  // Made once at its size: a calendar of thousands of new events is megabytes.
  out.reserve(loaded_.size() + added_size + 256);
  if (layout_.empty) {
    for (std::string_view line : {std::string_view("BEGIN:VCALENDAR"), kProductId, kVersion}) {
      out.append(line).append(eol_);
    }
    for (const auto& event : added_) {
      if (!event->deleted_) out += event->text_;
    }
    out.append("END:VCALENDAR").append(eol_);
    return out;
  }

  size_t cursor = 0;
  bool header_done = false;
  // Copies the file's own text up to `pos`, adding the calendar properties every file
  // must have where the file lacks them.
  const auto copy_to = [&](size_t pos) {
    if (!header_done && layout_.calendar_body <= pos) {
      out.append(loaded_, cursor, layout_.calendar_body - cursor);
      cursor = layout_.calendar_body;
      if (!layout_.has_prodid) out.append(kProductId).append(eol_);
      if (!layout_.has_version) out.append(kVersion).append(eol_);
      header_done = true;
    }
    out.append(loaded_, cursor, pos - cursor);
    cursor = pos;
  };
  for (const Segment& segment : segments_) {
    copy_to(segment.span.begin);
    const StoredEvent* event = segment.event.get();
    if (event == nullptr) {
      out.append(loaded_, segment.span.begin, segment.span.end - segment.span.begin);
    } else if (!event->deleted_) {
      out.append(event->edited_ ? std::string_view(event->text_) : event->original_);
    }
    cursor = segment.span.end;
  }
  copy_to(layout_.calendar_end);
  for (const auto& event : added_) {
    if (!event->deleted_) out += event->text_;
  }
  copy_to(loaded_.size());
  return out;
}

Status CalendarStore::SaveChanges() {
  if (!dirty_) return Ok();
  // Nothing to write, even where the file lacks what every calendar should have; a
  // calendar that was empty or absent and still has no event needs no file.
  if (!EventsChanged()) {
    dirty_ = false;
    return Ok();
  }
  std::string bytes = Serialize();
  if (on_disk_ && bytes == *on_disk_) {
    dirty_ = false;
    return Ok();
  }

  if (options_.save_to) {
    // Handed over whole: with no file there is nothing to compare the next save with.
    if (Status handed = options_.save_to(std::move(bytes)); !handed) {
      return Error{kCalendarNotSaved, handed.error().description, {}, handed.error().kind};
    }
    MarkSaved();
    return Ok();
  }
  const Result<base::Replaced> saved = base::ReplaceIfUnchanged(path_, on_disk_, bytes);
  if (!saved) {
    const Error& cause = saved.error();
    if (cause.kind == ErrorKind::kConflict) {
      return Error{kCalendarChanged,
                   "The calendar file " + path_.string() +
                       " was changed by another program since it was read; nothing was saved.",
                   {},
                   ErrorKind::kConflict};
    }
    const bool read_only = cause.kind == ErrorKind::kRefused && cause.code == EACCES;
    return Error{kCalendarNotSaved,
                 "The calendar file " + path_.string() + " could not be saved: " +
                     (read_only ? "the file is read-only" : cause.description) + ".",
                 {},
                 cause.kind};
  }
  on_disk_ = std::move(bytes);
  MarkSaved();
  if (saved->displaced) {
    // Saved, yet someone's edit is not in the file: that must not pass for success.
    return Error{kCalendarChanged,
                 "The calendar file " + base::DisplacedMessage(path_, *saved->displaced) + ".",
                 {},
                 ErrorKind::kConflict};
  }
  return Ok();
}

}  // namespace feriant::outlook
