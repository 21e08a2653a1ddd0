#include "hosts/outlook/object_model.h"

#include <string_view>

#include "hosts/outlook/caldav_store.h"
#include "hosts/outlook/dispatch_ids.h"
#include "platform/base/clock.h"
#include "platform/base/environment.h"

namespace feriant::outlook {
namespace {

using automation::ArgumentOf;
using automation::Date;
using automation::MakeError;
using automation::Members;
using automation::NamedArg;
using automation::Variant;
using automation::VariantArray;
namespace hresult = automation::hresult;

constexpr std::string_view kSource = "Outlook";
// What Version answers: Outlook 2003, the newest version the add-in was made for.
constexpr std::string_view kOutlookVersion = "11.0";

// The store's failures as object errors, the way Outlook raises its own.
Error OutlookError(const Error& error) {
  return automation::MakeObjectError(error.code, error.description, std::string(kSource));
}

Variant Number(std::int32_t value) {
  return Variant(value);
}

// Outlook keeps dates from 1601-01-01 up to, not including, 4501-01-01 ("none").
Result<std::chrono::local_seconds> CheckedTime(const Variant& value) {
  Result<Date> date = value.ToDate();
  if (!date) return date.error();
  static const double kFirst = Date::FromDay(std::chrono::year(1601) / 1 / 1).value();
  static const double kNone = Date::FromDay(std::chrono::year(4501) / 1 / 1).value();
  if (!(date->value() >= kFirst && date->value() < kNone)) {
    return MakeError(hresult::kInvalidArg, "a date from 1601 to 4500 is needed");
  }
  return date->ToLocal();
}

Appointment NewAppointment() {
  using HalfHours = std::chrono::duration<std::int64_t, std::ratio<1800>>;
  Appointment a;
  // Like Outlook: the next full half hour, 30 minutes, the default reminder on.
  const auto now = base::CurrentClock().Now();
  a.start = std::chrono::time_point_cast<std::chrono::seconds>(std::chrono::floor<HalfHours>(now) +
                                                               HalfHours(1));
  a.duration = 30;
  a.reminder_set = true;
  return a;
}

FieldSet Differences(const Appointment& a, const Appointment& b) {
  FieldSet fields = 0;
  if (a.subject != b.subject) fields |= kSubject;
  if (a.start != b.start) fields |= kStart;
  if (a.duration != b.duration) fields |= kDuration;
  if (a.all_day != b.all_day) fields |= kAllDay;
  if (a.location != b.location) fields |= kLocation;
  if (a.body != b.body) fields |= kBody;
  if (a.categories != b.categories) fields |= kCategories;
  if (a.reminder_set != b.reminder_set) fields |= kReminderSet;
  return fields;
}

void CopyFields(const Appointment& from, FieldSet fields, Appointment& to) {
  if (fields & kSubject) to.subject = from.subject;
  if (fields & kStart) to.start = from.start;
  if (fields & kDuration) to.duration = from.duration;
  if (fields & kAllDay) to.all_day = from.all_day;
  if (fields & kLocation) to.location = from.location;
  if (fields & kBody) to.body = from.body;
  if (fields & kCategories) to.categories = from.categories;
  if (fields & kReminderSet) to.reminder_set = from.reminder_set;
}

// The end of an appointment as a wall-clock time. Timed ones last their minutes of real
// time, so over a change to or from summer time the wall clock moves by an hour more or
// less.
std::chrono::local_seconds EndOf(const Appointment& a) {
  if (a.all_day) return a.start + std::chrono::minutes(a.duration);
  return base::ToLocal(base::ToUtc(a.start) + std::chrono::minutes(a.duration));
}

// A member that reads one value of the item.
template <class Read>
Members<AppointmentItem>::GetFn Getter(Read read) {
  return [read](AppointmentItem& item, std::span<Variant>) -> Result<Variant> {
    return item.Show(read);
  };
}

// A member that changes the item by `set` (void(Appointment&, const T&)) from the put
// value converted by `convert` (Result<T>(const Variant&)), which refuses what the member
// cannot take.
template <class Convert, class Set>
Members<AppointmentItem>::PutFn Setter(Convert convert, Set set) {
  return [convert, set](AppointmentItem& item, std::span<Variant> args) -> Status {
    auto value = convert(args.back());
    if (!value) return value.error();
    return item.Change([&](Appointment& a) { set(a, *value); });
  };
}

Result<std::string> ToText(const Variant& value) {
  return value.ToString();
}
Result<bool> ToFlag(const Variant& value) {
  return value.ToBool();
}
Result<std::int32_t> ToMinutes(const Variant& value) {
  Result<std::int32_t> minutes = value.ToI4();
  if (minutes && *minutes < 0) {
    return MakeError(hresult::kInvalidArg, "a duration cannot be negative");
  }
  return minutes;
}

}  // namespace

Result<std::shared_ptr<EventStore>> Session::Store() {
  if (store_ == nullptr) {
    StoreOptions options;
    options.new_uid = options_.new_uid;
    options.stamp_time = options_.stamp_time;
    options.note = options_.note;
    options.save_to = options_.save_to;
    if (IsCalendarUrl(path_.native())) {
      ServerStoreOptions server{std::move(options), server_.settings, server_.proceed,
                                server_.progress};
      Result<std::shared_ptr<CalDavStore>> opened =
          CalDavStore::Open(path_.native(), std::move(server));
      if (!opened) return OutlookError(opened.error());
      store_ = std::move(*opened);
    } else {
      Result<std::shared_ptr<CalendarStore>> opened =
          CalendarStore::Open(path_, std::move(options));
      if (!opened) return OutlookError(opened.error());
      store_ = std::move(*opened);
    }
  }
  return store_;
}

const Members<OutlookApplication>& OutlookApplication::Interface() {
  static const Members<OutlookApplication> members = [] {
    Members<OutlookApplication> m;
    m.Method("GetNamespace", dispid::application::kGetNamespace,
             [](OutlookApplication& self, std::span<Variant> args,
                std::span<const NamedArg> named) -> Result<Variant> {
               const Variant type = ArgumentOf(args, named, "Type", 0);
               if (type.IsMissing()) return MakeError(hresult::kParamNotOptional, "Type");
               Result<std::string> name = type.ToString();
               if (!name) return name.error();
               if (!automation::NamesEqual(*name, "MAPI")) {
                 return MakeError(hresult::kInvalidArg,
                                  "the only namespace is \"MAPI\", not \"" + *name + "\"");
               }
               return Variant(std::make_shared<OutlookNamespace>(self.session()));
             });
    m.Method("CreateItem", dispid::application::kCreateItem,
             [](OutlookApplication& self, std::span<Variant> args,
                std::span<const NamedArg> named) -> Result<Variant> {
               const Variant type = ArgumentOf(args, named, "ItemType", 0);
               if (type.IsMissing()) return MakeError(hresult::kParamNotOptional, "ItemType");
               Result<std::int32_t> kind = type.ToI4();
               if (!kind) return kind.error();
               if (*kind != kAppointmentItemType) {
                 return MakeError(hresult::kInvalidArg,
                                  "only appointment items (1) can be created, not items of type " +
                                      std::to_string(*kind));
               }
               return Variant(std::make_shared<AppointmentItem>(self.session(), NewAppointment()));
             });
    m.Get("LanguageSettings", dispid::application::kLanguageSettings,
          [](OutlookApplication&, std::span<Variant>) -> Result<Variant> {
            return Variant(std::make_shared<LanguageSettings>());
          });
    m.Get("ActiveExplorer", dispid::application::kActiveExplorer,
          [](OutlookApplication& self, std::span<Variant>) -> Result<Variant> {
            return Variant(self.session()->options().active_explorer);
          });
    m.Get("Version", dispid::application::kVersion,
          [](OutlookApplication&, std::span<Variant>) -> Result<Variant> {
            return Variant(kOutlookVersion);
          });
    m.Get("Name", dispid::application::kName,
          [](OutlookApplication&, std::span<Variant>) -> Result<Variant> {
            return Variant("Outlook");
          });
    m.Get("Class", dispid::kClass, [](OutlookApplication&, std::span<Variant>) -> Result<Variant> {
      return Number(kApplicationClass);
    });
    return m;
  }();
  return members;
}

const Members<OutlookNamespace>& OutlookNamespace::Interface() {
  static const Members<OutlookNamespace> members = [] {
    Members<OutlookNamespace> m;
    m.Method("GetDefaultFolder", dispid::name_space::kGetDefaultFolder,
             [](OutlookNamespace& self, std::span<Variant> args,
                std::span<const NamedArg> named) -> Result<Variant> {
               const Variant folder = ArgumentOf(args, named, "FolderType", 0);
               if (folder.IsMissing()) return MakeError(hresult::kParamNotOptional, "FolderType");
               Result<std::int32_t> number = folder.ToI4();
               if (!number) return number.error();
               if (*number != kCalendarFolder) {
                 return MakeError(
                     hresult::kInvalidArg,
                     "the only folder is the calendar (9), not " + std::to_string(*number));
               }
               Result<std::shared_ptr<EventStore>> store = self.session()->Store();
               if (!store) return store.error();
               return Variant(std::make_shared<CalendarFolder>(std::move(*store)));
             });
    m.Get("Class", dispid::kClass, [](OutlookNamespace&, std::span<Variant>) -> Result<Variant> {
      return Number(kNamespaceClass);
    });
    return m;
  }();
  return members;
}

const Members<CalendarFolder>& CalendarFolder::Interface() {
  static const Members<CalendarFolder> members = [] {
    Members<CalendarFolder> m;
    m.Get("Items", dispid::folder::kItems,
          [](CalendarFolder& self, std::span<Variant>) -> Result<Variant> {
            return Variant(std::make_shared<CalendarItems>(self.store()));
          });
    m.Method(
        "SaveChanges", dispid::folder::kSaveChanges,
        [](CalendarFolder& self, std::span<Variant>, std::span<const NamedArg>) -> Result<Variant> {
          if (Status saved = self.store()->SaveChanges(); !saved) {
            return OutlookError(saved.error());
          }
          return Variant();
        });
    m.Get(
        "Name", dispid::folder::kName,
        [](CalendarFolder&, std::span<Variant>) -> Result<Variant> { return Variant("Calendar"); });
    m.Get("Class", dispid::kClass, [](CalendarFolder&, std::span<Variant>) -> Result<Variant> {
      return Number(kFolderClass);
    });
    return m;
  }();
  return members;
}

Result<Variant> CalendarItems::Item(const Variant& index) const {
  if (index.IsMissing()) return MakeError(hresult::kParamNotOptional, "Index");
  Result<std::int32_t> position = index.ToI4();
  if (!position) return position.error();
  const size_t count = store_->size();
  if (*position < 1 || static_cast<size_t>(*position) > count) {
    return MakeError(hresult::kBadIndex, "there is no item at position " +
                                             std::to_string(*position) + "; the calendar holds " +
                                             std::to_string(count) + " items");
  }
  return Variant(
      std::make_shared<AppointmentItem>(store_, store_->at(static_cast<size_t>(*position) - 1)));
}

VariantArray CalendarItems::All() const {
  VariantArray items;
  items.reserve(store_->size());
  for (size_t i = 0; i < store_->size(); ++i) {
    items.emplace_back(std::make_shared<AppointmentItem>(store_, store_->at(i)));
  }
  return items;
}

const Members<CalendarItems>& CalendarItems::Interface() {
  static const Members<CalendarItems> members = [] {
    Members<CalendarItems> m;
    m.Get("Item", dispid::items::kItem,
          [](CalendarItems& self, std::span<Variant> args) -> Result<Variant> {
            return self.Item(args.empty() ? Variant::Missing() : args[0]);
          });
    m.Get("Count", dispid::items::kCount,
          [](CalendarItems& self, std::span<Variant>) -> Result<Variant> {
            return Number(static_cast<std::int32_t>(self.store_->size()));
          });
    m.Get("_NewEnum", dispid::items::kNewEnum,
          [](CalendarItems& self, std::span<Variant>) -> Result<Variant> {
            return Variant(self.All());
          });
    m.Get("Class", dispid::kClass, [](CalendarItems&, std::span<Variant>) -> Result<Variant> {
      return Number(kItemsClass);
    });
    return m;
  }();
  return members;
}

AppointmentItem::AppointmentItem(std::shared_ptr<Session> session, Appointment defaults)
    : session_(std::move(session)), pending_(std::move(defaults)) {}

AppointmentItem::AppointmentItem(std::shared_ptr<EventStore> store,
                                 std::shared_ptr<StoredEvent> event)
    : store_(std::move(store)), event_(std::move(event)) {}

Status AppointmentItem::CheckAlive() const {
  if (deleted_ || (event_ != nullptr && event_->deleted())) {
    return OutlookError(Error{kEventDeleted, "The appointment has been deleted.", {}});
  }
  return Ok();
}

Result<Appointment> AppointmentItem::Current() const {
  if (Status alive = CheckAlive(); !alive) return alive.error();
  if (event_ == nullptr) return pending_;
  Appointment current = event_->appointment();
  CopyFields(pending_, changed_, current);
  return current;
}

void AppointmentItem::Apply(Appointment wanted) {
  pending_ = std::move(wanted);
  // A member set back to what the calendar holds is no change.
  if (event_ != nullptr) changed_ = Differences(pending_, event_->appointment());
}

Status AppointmentItem::Save() {
  if (Status alive = CheckAlive(); !alive) return alive;
  if (event_ == nullptr) {
    Result<std::shared_ptr<EventStore>> store = session_->Store();
    if (!store) return store.error();
    Result<std::shared_ptr<StoredEvent>> event = (*store)->Add(pending_);
    if (!event) return OutlookError(event.error());
    store_ = std::move(*store);
    event_ = std::move(*event);
    changed_ = 0;
    return Ok();
  }
  if (changed_ == 0) return Ok();
  if (Status changed = store_->Change(*event_, pending_, changed_); !changed) {
    return OutlookError(changed.error());
  }
  changed_ = 0;
  return Ok();
}

Status AppointmentItem::Delete() {
  if (Status alive = CheckAlive(); !alive) return alive;
  if (event_ != nullptr) {
    if (Status removed = store_->Remove(*event_); !removed) return OutlookError(removed.error());
  }
  deleted_ = true;
  return Ok();
}

const Members<AppointmentItem>& AppointmentItem::Interface() {
  namespace id = dispid::appointment;
  static const Members<AppointmentItem> members = [] {
    Members<AppointmentItem> m;
    m.Get("Class", dispid::kClass, [](AppointmentItem&, std::span<Variant>) -> Result<Variant> {
      return Number(kAppointmentClass);
    });
    m.Get("Subject", id::kSubject, Getter([](const Appointment& a) { return Variant(a.subject); }));
    m.Put("Subject", id::kSubject, Setter(ToText, [](Appointment& a, const std::string& text) {
            a.subject = NormalizeLine(text);
          }));
    m.Get("Start", id::kStart,
          Getter([](const Appointment& a) { return Variant(Date::FromLocal(a.start)); }));
    m.Put("Start", id::kStart,
          Setter(CheckedTime, [](Appointment& a, std::chrono::local_seconds start) {
            // The duration is kept: the end moves with the start.
            a.start = a.all_day ? StartOfDay(start) : start;
          }));
    m.Get("End", id::kEnd,
          Getter([](const Appointment& a) { return Variant(Date::FromLocal(EndOf(a))); }));
    m.Get("AllDayEvent", id::kAllDayEvent,
          Getter([](const Appointment& a) { return Variant(a.all_day); }));
    m.Put("AllDayEvent", id::kAllDayEvent, Setter(ToFlag, [](Appointment& a, bool all_day) {
            if (all_day && !a.all_day) {
              // The whole days the appointment touches, at least one.
              const auto first = StartOfDay(a.start);
              const auto minutes =
                  std::chrono::duration_cast<std::chrono::minutes>(EndOf(a) - first).count();
              a.start = first;
              a.duration = WholeDaysDuration(static_cast<std::int32_t>(minutes));
            }
            a.all_day = all_day;
          }));
    m.Get("Duration", id::kDuration,
          Getter([](const Appointment& a) { return Variant(a.duration); }));
    m.Put("Duration", id::kDuration, Setter(ToMinutes, [](Appointment& a, std::int32_t minutes) {
            a.duration = a.all_day ? WholeDaysDuration(minutes) : minutes;
          }));
    m.Get("Location", id::kLocation,
          Getter([](const Appointment& a) { return Variant(a.location); }));
    m.Put("Location", id::kLocation, Setter(ToText, [](Appointment& a, const std::string& text) {
            a.location = NormalizeLine(text);
          }));
    m.Get("Body", id::kBody, Getter([](const Appointment& a) { return Variant(a.body); }));
    m.Put("Body", id::kBody, Setter(ToText, [](Appointment& a, const std::string& text) {
            a.body = NormalizeBody(text);
          }));
    m.Get("Categories", id::kCategories,
          Getter([](const Appointment& a) { return Variant(a.categories); }));
    m.Put("Categories", id::kCategories,
          Setter(ToText, [](Appointment& a, const std::string& text) {
            a.categories = NormalizeCategories(text);
          }));
    m.Get("ReminderSet", id::kReminderSet,
          Getter([](const Appointment& a) { return Variant(a.reminder_set); }));
    m.Put("ReminderSet", id::kReminderSet,
          Setter(ToFlag, [](Appointment& a, bool on) { a.reminder_set = on; }));
    m.Method("Save", id::kSave,
             [](AppointmentItem& self, std::span<Variant>,
                std::span<const NamedArg>) -> Result<Variant> {
               if (Status saved = self.Save(); !saved) return saved.error();
               return Variant();
             });
    m.Method("Delete", id::kDelete,
             [](AppointmentItem& self, std::span<Variant>,
                std::span<const NamedArg>) -> Result<Variant> {
               if (Status deleted = self.Delete(); !deleted) return deleted.error();
               return Variant();
             });
    return m;
  }();
  return members;
}

const Members<LanguageSettings>& LanguageSettings::Interface() {
  static const Members<LanguageSettings> members = [] {
    Members<LanguageSettings> m;
    // LanguageID(kind): the installation (1), user interface (2), help (3), executable
    // (4) and previous user interface (5) language are all the user's locale here.
    m.Get("LanguageID", dispid::language_settings::kLanguageId,
          [](LanguageSettings&, std::span<Variant> args) -> Result<Variant> {
            if (args.empty() || args[0].IsMissing()) {
              return MakeError(hresult::kParamNotOptional, "Id");
            }
            Result<std::int32_t> kind = args[0].ToI4();
            if (!kind) return kind.error();
            if (*kind < 1 || *kind > 5) {
              return MakeError(hresult::kInvalidArg,
                               "there is no language of kind " + std::to_string(*kind));
            }
            return Number(base::UserLcid());
          });
    return m;
  }();
  return members;
}

}  // namespace feriant::outlook
