#pragma once
// EventStore: the events of one calendar as the object model sees them, whatever keeps
// them: a file (CalendarStore, calendar_store.h) or a collection on a CalDAV server
// (CalDavStore, caldav_store.h).
//
// Events are read once, changed in memory and written back by SaveChanges; an event
// nobody changed is never written. Events are shared with the item objects that show
// them. One thread.

#include <cstddef>
#include <memory>

#include "hosts/outlook/appointment.h"
#include "platform/base/result.h"

namespace feriant::outlook {

class StoredEvent;

class EventStore {
 public:
  virtual ~EventStore() = default;

  // The events by position, 0-based, in the store's stable order with new events last.
  virtual size_t size() const = 0;
  virtual const std::shared_ptr<StoredEvent>& at(size_t index) const = 0;

  // Appends a new event.
  virtual Result<std::shared_ptr<StoredEvent>> Add(const Appointment& appointment) = 0;
  // Sets the members `fields` of `event` from `appointment`.
  virtual Status Change(StoredEvent& event, const Appointment& appointment, FieldSet fields) = 0;
  // Takes `event` out; the events after it move up by one.
  virtual Status Remove(StoredEvent& event) = 0;

  // Whether anything was added, changed or removed since the events were read or saved.
  virtual bool HasUnsavedChanges() const = 0;
  // Writes what was added, changed or removed; nothing else.
  virtual Status SaveChanges() = 0;
  // Gives up the changes not written yet, so that nothing writes them later.
  virtual void AbandonChanges() = 0;
};

}  // namespace feriant::outlook
