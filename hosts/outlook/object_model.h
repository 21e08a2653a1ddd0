#pragma once
// The automation objects of the Outlook object model: application, namespace, calendar
// folder, its items collection, appointment items and language settings.
//
// All objects of one application share a Session, which reads the calendar once, when
// it is first needed, and holds its store from then on (a CalendarStore for a file, a
// CalDavStore for a collection on a server). An appointment item
// keeps the changes made to it until Save hands them to the store; reads of members it
// did not change show the store's event as it is. One thread.

#include <filesystem>
#include <memory>
#include <string>
#include <utility>

#include "hosts/outlook/appointment.h"
#include "hosts/outlook/calendar_store.h"
#include "hosts/outlook/event_store.h"
#include "hosts/outlook/outlook.h"
#include "platform/automation/dispatch.h"

namespace feriant::outlook {

// Outlook's numbers for the kinds of objects (the Class member).
enum ObjectClass : std::int32_t {
  kApplicationClass = 0,
  kNamespaceClass = 1,
  kFolderClass = 2,
  kExplorerClass = 34,
  kItemsClass = 16,
  kAppointmentClass = 26,
};

// Outlook's item type of CreateItem and folder number of GetDefaultFolder.
inline constexpr std::int32_t kAppointmentItemType = 1;
inline constexpr std::int32_t kCalendarFolder = 9;

class Session {
 public:
  Session(std::filesystem::path path, OutlookOptions options, ServerOptions server = {})
      : path_(std::move(path)), options_(std::move(options)), server_(std::move(server)) {}

  // The calendar, read on the first call; a file that cannot be read is tried again on
  // the next call.
  Result<std::shared_ptr<EventStore>> Store();
  // The calendar if it was read; nullptr otherwise.
  const std::shared_ptr<EventStore>& loaded() const { return store_; }
  const OutlookOptions& options() const { return options_; }

 private:
  std::filesystem::path path_;
  OutlookOptions options_;
  ServerOptions server_;
  std::shared_ptr<EventStore> store_;
};

class OutlookApplication : public automation::DispatchObject<OutlookApplication> {
 public:
  explicit OutlookApplication(std::shared_ptr<Session> session) : session_(std::move(session)) {}
  static const automation::Members<OutlookApplication>& Interface();
  std::string TypeName() const override { return "Application"; }
  const std::shared_ptr<Session>& session() const { return session_; }

 private:
  std::shared_ptr<Session> session_;
};

class OutlookNamespace : public automation::DispatchObject<OutlookNamespace> {
 public:
  explicit OutlookNamespace(std::shared_ptr<Session> session) : session_(std::move(session)) {}
  static const automation::Members<OutlookNamespace>& Interface();
  std::string TypeName() const override { return "NameSpace"; }
  const std::shared_ptr<Session>& session() const { return session_; }

 private:
  std::shared_ptr<Session> session_;
};

class CalendarFolder : public automation::DispatchObject<CalendarFolder> {
 public:
  explicit CalendarFolder(std::shared_ptr<EventStore> store) : store_(std::move(store)) {}
  static const automation::Members<CalendarFolder>& Interface();
  std::string TypeName() const override { return "MAPIFolder"; }
  const std::shared_ptr<EventStore>& store() const { return store_; }

 private:
  std::shared_ptr<EventStore> store_;
};

class CalendarItems : public automation::DispatchObject<CalendarItems> {
 public:
  explicit CalendarItems(std::shared_ptr<EventStore> store) : store_(std::move(store)) {}
  static const automation::Members<CalendarItems>& Interface();
  std::string TypeName() const override { return "Items"; }

  Result<automation::Variant> Item(const automation::Variant& index) const;
  automation::VariantArray All() const;

 private:
  std::shared_ptr<EventStore> store_;
};

class AppointmentItem : public automation::DispatchObject<AppointmentItem> {
 public:
  // A new item, not in the calendar until it is saved.
  AppointmentItem(std::shared_ptr<Session> session, Appointment defaults);
  // An event of the calendar.
  AppointmentItem(std::shared_ptr<EventStore> store, std::shared_ptr<StoredEvent> event);

  static const automation::Members<AppointmentItem>& Interface();
  std::string TypeName() const override { return "AppointmentItem"; }

  // What the item shows now: the store's event with this item's unsaved changes.
  Result<Appointment> Current() const;
  // What `read` (a Variant(const Appointment&)) gives for Current(), without a copy of it
  // where the item has no unsaved changes to an event of the calendar.
  template <class Read>
  Result<automation::Variant> Show(Read read) const {
    if (Status alive = CheckAlive(); !alive) return alive.error();
    if (event_ == nullptr) return read(pending_);
    if (changed_ == 0) return read(event_->appointment());
    return read(*Current());
  }
  // Changes the item through `edit` (a void(Appointment&) that sets members).
  template <class Edit>
  Status Change(Edit edit) {
    if (Status alive = CheckAlive(); !alive) return alive;
    // A new item is its pending values alone.
    if (event_ == nullptr) {
      edit(pending_);
      return Ok();
    }
    Result<Appointment> current = Current();
    edit(*current);
    Apply(std::move(*current));
    return Ok();
  }
  Status Save();
  Status Delete();

 private:
  Status CheckAlive() const;
  void Apply(Appointment wanted);

  std::shared_ptr<Session> session_;    // new items: where Save puts them
  std::shared_ptr<EventStore> store_;   // once in the calendar
  std::shared_ptr<StoredEvent> event_;  // once in the calendar
  Appointment pending_;                 // unsaved values of the members in changed_
  FieldSet changed_ = 0;                // of an item in the calendar
  bool deleted_ = false;
};

class LanguageSettings : public automation::DispatchObject<LanguageSettings> {
 public:
  static const automation::Members<LanguageSettings>& Interface();
  std::string TypeName() const override { return "LanguageSettings"; }
};

}  // namespace feriant::outlook
