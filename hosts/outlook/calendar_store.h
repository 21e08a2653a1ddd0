#pragma once
// CalendarStore: the events of one iCalendar file, read once, changed in memory and
// written back when asked.
//
// The store keeps the file's text as it was read. Whatever it did not change is written
// back byte for byte: the calendar's own lines, time zones, to-dos, unknown components
// and every event nobody touched. Only an event that was changed or created gets new
// text, and only in the lines that changed. Events keep the order of the file; new ones
// are appended. Saving replaces the file through base::ReplaceIfUnchanged (file.h): under
// the file's lock, only when nobody else changed it since it was read, atomically; a
// symbolic link stays a link and a file its owner made read-only is refused.
//
// The store owns the file's text and its events; events are shared with the item
// objects that show them. One thread.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/outlook/appointment.h"
#include "hosts/outlook/event_store.h"
#include "hosts/outlook/ical_codec.h"
#include "hosts/outlook/ics_text.h"
#include "platform/base/result.h"

namespace feriant::outlook {

// Codes of the store's Errors (object-error codes for the automation callers).
enum StoreError : std::int32_t {
  kUnreadableCalendar = 0x1001,  // the file is not a calendar the store can keep intact
  kCalendarChanged = 0x1002,     // another program changed the file since it was read
  kCalendarNotSaved = 0x1003,    // the file could not be written
  kEventDeleted = 0x1004,        // the event is no longer in the calendar
};

// The time that stamps changed and created events (DTSTAMP, LAST-MODIFIED, CREATED).
using StampClock = std::function<std::chrono::sys_seconds()>;

// The system's clock, to the second. Stamps come from it rather than from the clock a
// person may set for a run (base::CurrentClock, --today): programs that synchronise
// calendars take a stamp that goes back in time for an older version of the event.
std::chrono::sys_seconds SystemStampTime();
// A new event's UID when the options give no maker: a random GUID without its braces.
std::string RandomUid();
// What touching an appointment taken out of its calendar gives.
Error DeletedEventError();

// Receives one line of text for a person (without line ending); standard error when not
// set.
using StoreNote = std::function<void(const std::string&)>;

struct StoreOptions {
  // Makes the UID of a new event; a random GUID when not set.
  std::function<std::string()> new_uid;
  // SystemStampTime when not set.
  StampClock stamp_time;
  // Told of each event of the file that is kept as it stands and left out (see Open).
  StoreNote note;
  // When set, the calendar is no file: it starts empty, nothing is read, and SaveChanges
  // hands this the text it would write, in place of replacing the file. Its Error
  // becomes the save's.
  std::function<Status(std::string text)> save_to;
};

// One event of the calendar.
class StoredEvent {
 public:
  const Appointment& appointment() const { return appointment_; }
  bool deleted() const { return deleted_; }

 private:
  friend class CalendarStore;
  friend class CalDavStore;
  // What both stores do to change an event: writes the members `fields` of `appointment`
  // into its text, stamped with `stamp` and, for an event already written, one version
  // above the one it was read with; then reads the text back, so that the item shows
  // what will be written. When that reading fails, text and item stay as they were.
  Status Rewrite(const Appointment& appointment, FieldSet fields, EventStamp stamp,
                 std::string_view eol, const TimeZones& zones);
  // Takes `event` out of `events` (a store's events by position) and marks it deleted.
  static Status TakeOut(std::vector<std::shared_ptr<StoredEvent>>& events, StoredEvent& event);
  std::string_view original_;  // its text in the file as read; empty when created here
  std::string text_;           // its text once changed or created (edited_)
  bool edited_ = false;
  bool deleted_ = false;
  bool in_file_ = false;  // read from the file, or written to it since
  // The SEQUENCE the next save writes, fixed by the first change after the event was read
  // or written; none before.
  std::optional<std::int64_t> sequence_;
  Appointment appointment_;
};

class CalendarStore : public EventStore {
 public:
  // Reads `path` (unless options.save_to is set). A missing file is an empty calendar,
  // created by the first save that has something to write. A file that is not a calendar the store
  // can keep intact (its structure, its encoding, the bounds of ScanCalendar) is refused with an
  // Error that names the file and the reason. An event that cannot be read (ReadEvent), or whose
  // time zone cannot be, is no item: its text is kept exactly as it stands, like that of
  // the time zone, and the note names each. An
  // interrupt (platform/base/interrupt.h) stops the reading with an Error of kind
  // kInterrupted.
  static Result<std::shared_ptr<CalendarStore>> Open(const std::filesystem::path& path,
                                                     StoreOptions options = {});

  CalendarStore(const CalendarStore&) = delete;
  CalendarStore& operator=(const CalendarStore&) = delete;
  // Writes unsaved changes as SaveChanges would; a failure can only be reported on stderr.
  ~CalendarStore() override;

  const std::filesystem::path& path() const { return path_; }

  // The events by position, 0-based, in file order with new events last.
  size_t size() const override { return events_.size(); }
  const std::shared_ptr<StoredEvent>& at(size_t index) const override { return events_[index]; }

  // Appends a new event.
  Result<std::shared_ptr<StoredEvent>> Add(const Appointment& appointment) override;
  // Sets the members `fields` of `event` from `appointment`.
  Status Change(StoredEvent& event, const Appointment& appointment, FieldSet fields) override;
  // Takes `event` out; the events after it move up by one.
  Status Remove(StoredEvent& event) override;

  // Whether anything was added, changed or removed since the file was read or saved.
  bool HasUnsavedChanges() const override { return dirty_; }
  // Writes the file when an event was added, changed or removed (an event added and
  // removed again is none); otherwise nothing is written, not even the calendar
  // properties a file lacks. An event of the file that was changed is written with its
  // SEQUENCE one above the file's (0 when it had none), however often it was changed.
  // Refused, leaving the file alone, when another program changed it since it was read
  // or it is read-only; the changes stay here for another try. When another program
  // wrote to the file while it was being replaced, the file is saved and its version
  // kept beside it: that is an Error of code kCalendarChanged naming where it is.
  Status SaveChanges() override;
  // The text SaveChanges writes.
  std::string Serialize() const;
  // Gives up the changes not written yet, so that nothing writes them later (the
  // destructor included); the events in memory keep them. For a program about to let go
  // of a calendar whose saving failed or was never reached.
  void AbandonChanges() override { dirty_ = false; }

 private:
  struct Segment {
    ComponentSpan span;
    std::shared_ptr<StoredEvent> event;  // for a VEVENT
  };

  CalendarStore(std::filesystem::path path, StoreOptions options);
  Status Load();
  // Notes that every change is saved now.
  void MarkSaved();
  // An Error of kind kInterrupted once an interrupt arrived.
  Status CheckInterrupt() const;
  void Note(const std::string& text) const;
  EventStamp NewStamp() const;
  // Whether the events differ from those of the file as read.
  bool EventsChanged() const;
  Error Unreadable(const std::string& reason, ErrorKind kind = ErrorKind::kDamaged) const;

  std::filesystem::path path_;  // as given; saving replaces the file a link names
  StoreOptions options_;
  std::string loaded_;                  // the file as read; events point into it
  std::optional<std::string> on_disk_;  // the file as last read or written; none: absent
  CalendarLayout layout_;
  std::string eol_ = "\r\n";
  TimeZones zones_;
  std::vector<Segment> segments_;                     // the file's components, in order
  std::vector<std::shared_ptr<StoredEvent>> added_;   // created here, in order
  std::vector<std::shared_ptr<StoredEvent>> events_;  // by position
  bool dirty_ = false;
};

}  // namespace feriant::outlook
