#include "addin/engine/targets/outlook_target.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>
#include <span>
#include <utility>

#include "addin/data/holiday_data.h"
#include "addin/engine/date_arithmetic.h"
#include "addin/engine/delimited_list.h"
#include "platform/base/clock.h"

namespace feriant::engine {
namespace {

using automation::Date;
using automation::Dispatch;
using automation::ObjectRef;
using automation::Variant;

// Outlook's numbers: the appointment item type of CreateItem, the calendar of
// GetDefaultFolder, and the Class of an appointment item.
constexpr std::int32_t kAppointmentItemType = 1;
constexpr std::int32_t kCalendarFolderType = 9;
constexpr std::int32_t kAppointmentClass = 26;

constexpr std::string_view kLocationDelimiter = ", ";
constexpr std::string_view kBodyDelimiter = "\r\n\r\n";
constexpr double kSecondsPerDay = 86400.0;

Error Failure(std::string description) {
  return Error{automation::hresult::kFail, std::move(description), "OutlookTarget"};
}

Result<ObjectRef> ObjectOf(Result<Variant> value, std::string_view what) {
  if (!value) return value.error();
  ObjectRef object = value->AsObject();
  if (object == nullptr) return Failure(std::string(what) + " is not an object");
  return object;
}

Result<ObjectRef> GetObject(Dispatch& object, std::string_view name,
                            std::vector<Variant> args = {}) {
  return ObjectOf(object.Get(name, std::move(args)), name);
}

Result<ObjectRef> CallObject(Dispatch& object, std::string_view name,
                             std::vector<Variant> args = {}) {
  return ObjectOf(object.Call(name, std::move(args)), name);
}

Result<std::string> GetText(Dispatch& object, std::string_view name) {
  Result<Variant> value = object.Get(name);
  if (!value) return value.error();
  return value->ToString();
}

Result<bool> GetFlag(Dispatch& object, std::string_view name) {
  Result<Variant> value = object.Get(name);
  if (!value) return value.error();
  return value->ToBool();
}

Result<Date> GetDate(Dispatch& object, std::string_view name) {
  Result<Variant> value = object.Get(name);
  if (!value) return value.error();
  return value->ToDate();
}

// A member of an object and the value to set it to.
using MemberValue = std::pair<std::string_view, Variant>;

// Sets the members `values` of `object`, in order, handing the values over; the first that
// fails ends it.
Status PutAll(Dispatch& object, std::span<MemberValue> values) {
  for (auto& [name, value] : values) {
    if (Status set = object.Put(name, std::move(value)); !set) return set;
  }
  return Ok();
}

Status CallMethod(Dispatch& object, std::string_view name) {
  Result<Variant> result = object.Call(name);
  if (!result) return result.error();
  return Ok();
}

// The type test: an object whose Class says appointment item. It never fails; an object
// that cannot say its class is no appointment.
bool IsAppointment(const ObjectRef& item) {
  if (item == nullptr) return false;
  Result<Variant> kind = item->Get("Class");
  if (!kind) return false;
  Result<std::int32_t> number = kind->ToI4();
  return number && *number == kAppointmentClass;
}

// The calendar folder of the "MAPI" namespace.
Result<ObjectRef> DefaultCalendarFolder(Dispatch& application) {
  Result<ObjectRef> name_space = CallObject(application, "GetNamespace", {Variant("MAPI")});
  if (!name_space) return name_space.error();
  return CallObject(**name_space, "GetDefaultFolder", {Variant(kCalendarFolderType)});
}

// Whether the item at `position` is an appointment with the probe's subject.
Result<bool> IsProbeAt(Dispatch& items, std::int32_t position) {
  Result<ObjectRef> item = GetObject(items, "Item", {Variant(position)});
  if (!item) return item.error();
  if (!IsAppointment(*item)) return false;
  Result<std::string> subject = GetText(**item, "Subject");
  if (!subject) return subject.error();
  return *subject == kProbeSubject;
}

// Automation dates count whole days backwards before 1899-12-30 while their fraction
// still counts forwards; this is the same instant on a line that runs forwards throughout.
double LinearDays(Date date) {
  const double value = date.value();
  if (value >= 0) return value;
  const double whole = std::trunc(value);
  return whole + (whole - value);
}

bool WithinOneSecond(Date a, Date b) {
  return std::fabs(LinearDays(a) - LinearDays(b)) * kSecondsPerDay < 1.0;
}

// The appointment's start in the host's local time. A match's kick-off is a German
// local time: the same instant wherever, and in whatever time zone, the calendar is kept.
Date StartOf(const Occurrence& occurrence) {
  if (!occurrence.IsWorldCupMatch) return Date::FromLocal(occurrence.date.Start);
  return Date::FromLocal(base::ToLocal(GermanTimeToUtc(occurrence.date.Start)));
}

// The progress bar's value one step further; the bar saturates rather than overflows.
void StepProgress(RunDialog& dialog) {
  const std::int32_t value = dialog.ProgressValue();
  if (value < std::numeric_limits<std::int32_t>::max()) dialog.SetProgressValue(value + 1);
}

}  // namespace

OutlookTarget::OutlookTarget(std::shared_ptr<automation::Dispatch> application)
    : application_(std::move(application)) {}

Result<bool> OutlookTarget::ProbeNewItemPosition(TargetContext& /*run*/) {
  Result<ObjectRef> probe =
      CallObject(*application_, "CreateItem", {Variant(kAppointmentItemType)});
  if (!probe) return probe.error();
  Dispatch& item = **probe;
  const auto tomorrow = base::CurrentClock().Now() + std::chrono::days(1);
  MemberValue probe_values[] = {{"Subject", Variant(kProbeSubject)},
                                {"Categories", Variant(kProbeCategory)},
                                {"Start", Variant(Date::FromLocal(tomorrow))}};
  if (Status set = PutAll(item, probe_values); !set) {
    return set.error();
  }
  if (Status saved = CallMethod(item, "Save"); !saved) return saved.error();

  Result<ObjectRef> folder = DefaultCalendarFolder(*application_);
  if (!folder) return folder.error();
  Result<ObjectRef> items = GetObject(**folder, "Items");
  if (!items) return items.error();
  Result<Variant> count = (*items)->Get("Count");
  if (!count) return count.error();
  Result<std::int32_t> n = count->ToI4();
  if (!n) return n.error();

  // Last wins over first: with a single item both are the probe, and that is "last".
  bool first = false;
  if (*n >= 1) {
    Result<bool> last = IsProbeAt(**items, *n);
    if (!last) return last.error();
    if (!*last) {
      Result<bool> at_first = IsProbeAt(**items, 1);
      if (!at_first) return at_first.error();
      first = *at_first;
    }
  }
  if (Status deleted = CallMethod(item, "Delete"); !deleted) return deleted.error();
  return first;
}

Status OutlookTarget::CacheAppointments(TargetContext& run, std::int32_t first_year,
                                        std::int32_t last_year) {
  cache_.clear();
  by_subject_.clear();
  cache_valid_ = false;

  Result<ObjectRef> folder = DefaultCalendarFolder(*application_);
  if (!folder) return folder.error();
  folder_ = std::move(*folder);

  RunDialog& dialog = run.Dialog();
  dialog.SetProgressLabel(run.Texts().Message(MessageKey::OutlookMessages_CachingAppointments));

  Result<ObjectRef> items = GetObject(*folder_, "Items");
  if (!items) return items.error();
  Result<Variant> count = (*items)->Get("Count");
  if (!count) return count.error();
  Result<std::int32_t> n = count->ToI4();
  if (!n) return n.error();
  if (*n <= 0) return Ok();

  dialog.SetProgressMin(0);
  dialog.SetProgressMax(*n < std::numeric_limits<std::int32_t>::max() ? *n + 1 : *n);
  dialog.SetProgressValue(0);

  Result<automation::VariantArray> all = (*items)->Enumerate();
  if (!all) return all.error();
  cache_.reserve(all->size());
  const std::string holiday_category =
      run.Texts().Message(MessageKey::OutlookMessages_HolidayCategory);
  const std::span<const std::string> categories_of_all = run.HolidayCategories();
  const auto is_holiday_category = [&](const std::string& categories) {
    return categories == holiday_category ||
           std::find(categories_of_all.begin(), categories_of_all.end(), categories) !=
               categories_of_all.end();
  };

  std::int32_t position = 0;
  for (const Variant& element : *all) {
    ++position;
    const ObjectRef item = element.AsObject();
    if (IsAppointment(item)) {
      Result<bool> all_day = GetFlag(*item, "AllDayEvent");
      if (!all_day) return all_day.error();
      Result<std::string> categories = GetText(*item, "Categories");
      if (!categories) return categories.error();
      // Exact comparisons of the whole category text: an appointment the person gave a
      // further category is theirs now and is left alone. The category of any language
      // counts, so that runs in different languages find each other's appointments.
      const bool match = *categories == data::kWorldCupCountry;
      if ((match || *all_day) && (match || is_holiday_category(*categories))) {
        Result<Date> start = GetDate(*item, "Start");
        if (!start) return start.error();
        const int year = static_cast<int>(start->Day().year());
        if (year >= first_year && year <= last_year) {
          Result<std::string> subject = GetText(*item, "Subject");
          if (!subject) return subject.error();
          Result<std::string> location = GetText(*item, "Location");
          if (!location) return location.error();
          by_subject_[*subject].push_back(cache_.size());
          cache_.push_back(
              CachedAppointment{std::move(*subject), std::move(*location), *start, position});
        }
      }
    }
    StepProgress(dialog);
  }
  cache_.shrink_to_fit();
  cache_valid_ = !cache_.empty();
  return Ok();
}

CachedAppointment* OutlookTarget::FindCached(std::string_view subject, Date start) {
  const auto found = by_subject_.find(std::string(subject));
  if (found == by_subject_.end()) return nullptr;
  for (const size_t index : found->second) {
    CachedAppointment& record = cache_[index];
    if (!record.deleted && WithinOneSecond(record.Start, start)) return &record;
  }
  return nullptr;
}

Result<ObjectRef> OutlookTarget::CachedItem(const CachedAppointment& record) {
  if (folder_ == nullptr) return Failure("the calendar folder is not open");
  Result<ObjectRef> items = GetObject(*folder_, "Items");
  if (!items) return items.error();
  return GetObject(**items, "Item", {Variant(record.ItemIndex)});
}

Status OutlookTarget::HandleDate(TargetContext& run, const Occurrence& occurrence) {
  return run.IsRemoval() ? Remove(run, occurrence) : Import(run, occurrence);
}

Status OutlookTarget::Import(TargetContext& run, const Occurrence& occurrence) {
  const std::string_view name = occurrence.name->Name;
  const Date start = StartOf(occurrence);
  RunCounters& counters = run.Counters();
  const Localisation& texts = run.Texts();

  ObjectRef item;
  if (cache_valid_) {
    if (const CachedAppointment* record = FindCached(name, start)) {
      Result<ObjectRef> found = CachedItem(*record);
      if (!found) return found.error();
      item = std::move(*found);
    }
  }
  const bool existed = item != nullptr;
  if (!existed) {
    Result<ObjectRef> created =
        CallObject(*application_, "CreateItem", {Variant(kAppointmentItemType)});
    if (!created) return created.error();
    item = std::move(*created);
    MemberValue values[] = {{"Subject", Variant(name)}, {"Start", Variant(start)}};
    if (Status set = PutAll(*item, values); !set) {
      return set;
    }
    // A host that lists new items first moves every cached appointment down one place.
    if (cache_valid_ && run.NewItemsFirst()) {
      for (CachedAppointment& record : cache_)
        ++record.ItemIndex;
    }
    ++counters.AddedCount;
  }

  if (occurrence.IsWorldCupMatch) {
    // The body is emptied before it is set, as the location is.
    MemberValue values[] = {{"AllDayEvent", Variant(false)},
                            {"Duration", Variant(kMatchDuration)},
                            {"Body", Variant("")},
                            {"Location", Variant("")},
                            {"Body", Variant(texts.Message(MessageKey::OutlookMessages_Status5))},
                            {"Categories", Variant(occurrence.CountryLine)},
                            {"ReminderSet", Variant(false)}};
    if (Status set = PutAll(*item, values); !set) return set;
  } else {
    Result<std::string> location = GetText(*item, "Location");
    if (!location) return location.error();
    Result<std::string> body = GetText(*item, "Body");
    if (!body) return body.error();
    if (existed && !IsInList(*location, occurrence.CountryLine, kLocationDelimiter,
                             CaseSensitivity::kInsensitive)) {
      ++counters.ModifiedCount;
    }
    MemberValue values[] = {
        {"AllDayEvent", Variant(true)},
        {"Location", Variant(AddToList(*location, occurrence.CountryLine, kLocationDelimiter,
                                       CaseSensitivity::kInsensitive))},
        {"Body", Variant(AddToList(*body, occurrence.RegionsText, kBodyDelimiter,
                                   CaseSensitivity::kInsensitive))},
        {"Categories", Variant(texts.Message(MessageKey::OutlookMessages_HolidayCategory))},
        {"ReminderSet", Variant(false)}};
    if (Status set = PutAll(*item, values); !set) return set;
  }
  return CallMethod(*item, "Save");
}

Status OutlookTarget::Remove(TargetContext& run, const Occurrence& occurrence) {
  // What the cache does not know cannot be removed.
  if (!cache_valid_) return Ok();
  // The holiday under the name of the run's language first, then under the names runs
  // in other languages gave it.
  std::vector<std::string_view> names = {occurrence.name->Name};
  for (const OccurrenceTexts& other : occurrence.OtherLanguages) {
    if (std::find(names.begin(), names.end(), other.name->Name) == names.end())
      names.push_back(other.name->Name);
  }
  const Date start = StartOf(occurrence);
  for (const std::string_view name : names) {
    CachedAppointment* record = FindCached(name, start);
    if (record == nullptr) continue;
    if (Status removed = RemoveFrom(run, occurrence, *record); !removed) return removed;
  }
  return Ok();
}

Status OutlookTarget::RemoveFrom(TargetContext& run, const Occurrence& occurrence,
                                 CachedAppointment& found_record) {
  CachedAppointment* const record = &found_record;
  Result<ObjectRef> found = CachedItem(*record);
  if (!found) return found.error();
  Dispatch& item = **found;

  bool was_listed = false;
  if (!occurrence.IsWorldCupMatch) {
    Result<std::string> location = GetText(item, "Location");
    if (!location) return location.error();
    Result<std::string> body = GetText(item, "Body");
    if (!body) return body.error();
    // The country's line and region texts in the run's language and in every other one:
    // whichever language entered them, the country is taken out.
    std::string new_location = std::move(*location);
    std::string new_body = std::move(*body);
    const auto take_out = [&](std::string_view country_line, std::string_view regions_text) {
      if (IsInList(new_location, country_line, kLocationDelimiter, CaseSensitivity::kInsensitive))
        was_listed = true;
      new_location = RemoveFromList(new_location, country_line, kLocationDelimiter,
                                    CaseSensitivity::kInsensitive);
      new_body =
          RemoveFromList(new_body, regions_text, kBodyDelimiter, CaseSensitivity::kInsensitive);
    };
    take_out(occurrence.CountryLine, occurrence.RegionsText);
    for (const OccurrenceTexts& other : occurrence.OtherLanguages)
      take_out(other.CountryLine, other.RegionsText);
    MemberValue values[] = {{"Location", Variant(std::move(new_location))},
                            {"Body", Variant(std::move(new_body))}};
    if (Status set = PutAll(item, values); !set) return set;
  }

  Result<std::string> location = GetText(item, "Location");
  if (!location) return location.error();
  if (location->empty()) {
    if (Status deleted = CallMethod(item, "Delete"); !deleted) return deleted;
    // The items after the deleted one move up one place.
    const std::int32_t deleted_index = record->ItemIndex;
    record->deleted = true;
    for (CachedAppointment& other : cache_) {
      if (other.ItemIndex > deleted_index) --other.ItemIndex;
    }
    ++run.Counters().RemovedCount;
    return Ok();
  }
  if (was_listed) ++run.Counters().ModifiedCount;
  return CallMethod(item, "Save");
}

Status OutlookTarget::ReleaseCalendarFolder(TargetContext& /*run*/) {
  if (folder_ == nullptr) return Ok();
  const ObjectRef folder = std::move(folder_);
  folder_ = nullptr;
  return CallMethod(*folder, "SaveChanges");
}

}  // namespace feriant::engine
