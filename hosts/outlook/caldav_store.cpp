#include "hosts/outlook/caldav_store.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "hosts/outlook/caldav_xml.h"
#include "platform/automation/guid.h"

namespace feriant::outlook {
namespace {

constexpr std::string_view kNewCalendarHead =
    "BEGIN:VCALENDAR\r\nPRODID:-//Quillmark//Feriant 2.0//EN\r\nVERSION:2.0\r\n";
constexpr std::string_view kNewCalendarEnd = "END:VCALENDAR\r\n";
// A person reads at most this many refused appointments by name; the rest are counted.
constexpr size_t kNamedConflicts = 10;

constexpr std::string_view kEventQuery =
    R"(<?xml version="1.0" encoding="utf-8"?>)"
    R"(<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
    R"(<D:prop><D:getetag/><C:calendar-data/></D:prop>)"
    R"(<C:filter><C:comp-filter name="VCALENDAR"><C:comp-filter name="VEVENT"/>)"
    R"(</C:comp-filter></C:filter></C:calendar-query>)";

// What a failed answer means, with a word on the usual cause.
std::string Explain(const HttpResponse& response) {
  std::string text = DescribeResponse(response);
  switch (response.status) {
    case 401:
      return text + ": the user name or password was not accepted";
    case 403:
      return text + ": the account may not use this calendar";
    case 404:
      return text + ": there is no calendar at this address";
    case 405:
      return text + ": this address is not a calendar collection";
    default:
      return text;
  }
}

std::string Plural(size_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// "Neujahr (2025-01-01)"
std::string Describe(const Appointment& appointment) {
  const std::chrono::year_month_day day(std::chrono::floor<std::chrono::days>(appointment.start));
  char date[16];
  std::snprintf(date, sizeof date, "%04d-%02u-%02u", static_cast<int>(day.year()),
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return "\"" + appointment.subject + "\" (" + date + ")";
}

}  // namespace

bool IsCalendarUrl(std::string_view calendar) {
  const auto starts = [&](std::string_view scheme) {
    if (calendar.size() < scheme.size()) return false;
    for (size_t i = 0; i < scheme.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(calendar[i])) != scheme[i]) return false;
    }
    return true;
  };
  return starts("http://") || starts("https://");
}

CalDavStore::CalDavStore(std::string collection, ServerStoreOptions options)
    : collection_(std::move(collection)), options_(std::move(options)), http_(options_.server) {}

CalDavStore::~CalDavStore() = default;

Result<std::shared_ptr<CalDavStore>> CalDavStore::Open(const std::string& url,
                                                       ServerStoreOptions options) {
  std::string collection = UrlWithoutCredentials(url);
  if (!collection.ends_with('/')) collection += '/';
  std::shared_ptr<CalDavStore> store(new CalDavStore(std::move(collection), std::move(options)));
  if (Status loaded = store->Load(); !loaded) return loaded.error();
  return store;
}

Error CalDavStore::Unreadable(const std::string& reason) const {
  return Error{kUnreadableCalendar,
               "The calendar " + collection_ + " cannot be read: " + reason + ".",
               {},
               ErrorKind::kDamaged};
}

Status CalDavStore::Load() {
  HttpRequest query{"REPORT",
                    collection_,
                    {{"Depth", "1"}, {"Content-Type", "application/xml; charset=utf-8"}},
                    std::string(kEventQuery)};
  std::string answered_at;
  const HttpResponse response = http_.Send(std::move(query), &answered_at);
  if (response.status != 207) {
    if (response.ok()) return Unreadable("the server does not answer as a CalDAV server");
    return Unreadable(Explain(response));
  }
  if (!answered_at.ends_with('/')) answered_at += '/';
  collection_ = answered_at;
  Result<std::vector<DavResponse>> answers = ParseMultistatus(response.body);
  if (!answers) return Unreadable(answers.error().description);

  for (DavResponse& answer : *answers) {
    DavProperty* data = answer.Find("{urn:ietf:params:xml:ns:caldav}calendar-data");
    if (data == nullptr || answer.href.empty()) continue;
    auto resource = std::make_unique<Resource>();
    resource->href = ResolveUrl(collection_, answer.href);
    const DavProperty* etag = answer.Find("{DAV:}getetag");
    if (etag != nullptr) resource->etag = etag->text;
    resource->on_server = true;
    if (Status parsed = Parse(*resource, std::move(data->text), false); !parsed) {
      return Unreadable("the resource " + resource->href + " is damaged (" +
                        parsed.error().description + ")");
    }
    resources_.push_back(std::move(resource));
  }
  std::sort(resources_.begin(), resources_.end(),
            [](const auto& a, const auto& b) { return a->href < b->href; });
  for (const auto& resource : resources_) {
    for (const auto& event : resource->events) {
      if (event == nullptr) continue;
      owner_[event.get()] = resource.get();
      events_.push_back(event);
    }
  }
  return Ok();
}

Status CalDavStore::Parse(Resource& resource, std::string text, bool keep_events) {
  std::vector<std::shared_ptr<StoredEvent>> kept;
  if (keep_events) {
    for (auto& event : resource.events) {
      if (event != nullptr && !event->deleted_) kept.push_back(event);
    }
  }
  Result<CalendarLayout> layout = ScanCalendar(text);
  if (!layout) return layout.error();
  resource.text = std::move(text);
  resource.eol = layout->line_ending;
  resource.zones = std::make_unique<TimeZones>();
  resource.spans = std::move(layout->components);
  resource.events.assign(resource.spans.size(), nullptr);
  const std::string_view whole = resource.text;
  for (const ComponentSpan& span : resource.spans) {
    if (span.name != "VTIMEZONE") continue;
    if (Status added = resource.zones->Add(whole.substr(span.begin, span.end - span.begin));
        !added) {
      return added.error();
    }
  }
  size_t next_kept = 0;
  for (size_t i = 0; i < resource.spans.size(); ++i) {
    const ComponentSpan& span = resource.spans[i];
    if (span.name != "VEVENT") continue;
    const std::string_view event_text = whole.substr(span.begin, span.end - span.begin);
    Result<Appointment> appointment = ReadEvent(event_text, *resource.zones);
    if (!appointment) return appointment.error();
    std::shared_ptr<StoredEvent> event =
        next_kept < kept.size() ? kept[next_kept++] : std::make_shared<StoredEvent>();
    event->original_ = event_text;
    event->text_.clear();
    event->edited_ = false;
    event->in_file_ = true;
    event->sequence_.reset();
    event->appointment_ = std::move(*appointment);
    resource.events[i] = std::move(event);
  }
  return Ok();
}

Result<std::shared_ptr<StoredEvent>> CalDavStore::Add(const Appointment& appointment) {
  const std::string uid = options_.store.new_uid ? options_.store.new_uid() : RandomUid();
  const EventStamp stamp{
      uid, options_.store.stamp_time ? options_.store.stamp_time() : SystemStampTime(),
      std::nullopt};
  auto resource = std::make_unique<Resource>();
  resource->href = collection_ + PercentEncode(uid) + ".ics";
  resource->zones = std::make_unique<TimeZones>();
  // The item shows what the server will hold: the event as reading its text gives it.
  Result<NewEvent> made = MakeNewEvent(appointment, stamp, resource->eol);
  if (!made) return Error{kCalendarNotSaved, made.error().description, {}, ErrorKind::kInvalid};
  auto event = std::make_shared<StoredEvent>();
  event->text_ = std::move(made->text);
  event->appointment_ = std::move(made->appointment);
  event->edited_ = true;
  resource->events.push_back(event);
  owner_[event.get()] = resource.get();
  resources_.push_back(std::move(resource));
  events_.push_back(event);
  dirty_ = true;
  return event;
}

Status CalDavStore::Change(StoredEvent& event, const Appointment& appointment, FieldSet fields) {
  if (event.deleted_) return DeletedEventError();
  if (fields == 0) return Ok();
  const Resource& resource = *owner_.at(&event);
  const EventStamp stamp{
      {},
      options_.store.stamp_time ? options_.store.stamp_time() : SystemStampTime(),
      std::nullopt};
  Status rewritten = event.Rewrite(appointment, fields, stamp, resource.eol, *resource.zones);
  if (rewritten) dirty_ = true;
  return rewritten;
}

Status CalDavStore::Remove(StoredEvent& event) {
  Status taken = StoredEvent::TakeOut(events_, event);
  if (taken) dirty_ = true;
  return taken;
}

std::string CalDavStore::Serialize(const Resource& resource) const {
  std::string out;
  if (!resource.on_server) {
    out = kNewCalendarHead;
    for (const auto& event : resource.events) {
      if (event != nullptr && !event->deleted_) out += event->text_;
    }
    out += kNewCalendarEnd;
    return out;
  }
  size_t cursor = 0;
  for (size_t i = 0; i < resource.spans.size(); ++i) {
    const StoredEvent* event = resource.events[i].get();
    if (event == nullptr) continue;
    const ComponentSpan& span = resource.spans[i];
    out.append(resource.text, cursor, span.begin - cursor);
    if (!event->deleted_)
      out.append(event->edited_ ? std::string_view(event->text_) : event->original_);
    cursor = span.end;
  }
  out.append(resource.text, cursor);
  return out;
}

bool CalDavStore::NeedsWrite(const Resource& resource) const {
  if (resource.conflicted) return false;
  for (const auto& event : resource.events) {
    if (event == nullptr) continue;
    if (event->deleted_ ? resource.on_server : event->edited_) return true;
  }
  return false;
}

Status CalDavStore::SaveChanges() {
  if (!dirty_) return Ok();
  struct Write {
    Resource* resource;
    WriteKind kind;
    std::string text;
    size_t events;  // the appointments it carries
  };
  std::vector<Write> writes;
  std::vector<HttpRequest> requests;
  std::vector<std::string> conflicts;
  const auto refuse = [&](Resource& resource) {
    resource.conflicted = true;
    for (const auto& event : resource.events) {
      if (event != nullptr && (event->edited_ || event->deleted_))
        conflicts.push_back(Describe(event->appointment()));
    }
  };
  for (const auto& owned : resources_) {
    Resource& resource = *owned;
    if (!NeedsWrite(resource)) continue;
    const size_t left = static_cast<size_t>(
        std::count_if(resource.events.begin(), resource.events.end(),
                      [](const auto& event) { return event != nullptr && !event->deleted_; }));
    Write write{&resource, WriteKind::kUpdate, {}, 0};
    HttpRequest request{{}, resource.href, {}, {}};
    if (left == 0) {
      write.kind = WriteKind::kDelete;
      write.events =
          resource.events.size() -
          static_cast<size_t>(std::count(resource.events.begin(), resource.events.end(), nullptr));
      request.method = "DELETE";
    } else {
      write.text = Serialize(resource);
      if (resource.on_server && write.text == resource.text) {
        // Changed and changed back: nothing to write, and nothing left to save.
        for (const auto& event : resource.events) {
          if (event != nullptr) event->edited_ = false;
        }
        continue;
      }
      write.kind = resource.on_server ? WriteKind::kUpdate : WriteKind::kCreate;
      write.events = left;
      request.method = "PUT";
      request.headers.emplace_back("Content-Type", "text/calendar; charset=utf-8");
      request.body = write.text;
    }
    if (write.kind == WriteKind::kCreate) {
      request.headers.emplace_back("If-None-Match", "*");
    } else if (!resource.etag.empty()) {
      request.headers.emplace_back("If-Match", resource.etag);
    } else {
      // Without an ETag there is no safe way to write it: as if changed meanwhile.
      refuse(resource);
      continue;
    }
    writes.push_back(std::move(write));
    requests.push_back(std::move(request));
  }

  size_t added = 0;
  size_t changed = 0;
  size_t removed = 0;
  size_t answered = 0;
  size_t unsaved = 0;
  std::optional<std::string> failure;
  std::vector<Resource*> without_etag;
  std::vector<Resource*> gone;
  bool stopped = false;
  const auto on_answer = [&](size_t index, HttpResponse response) {
    Write& write = writes[index];
    Resource& resource = *write.resource;
    ++answered;
    if (options_.progress) options_.progress(answered, writes.size());
    const bool vanished = response.status == 404 || response.status == 410;
    if (response.ok() || (write.kind == WriteKind::kDelete && vanished)) {
      if (write.kind == WriteKind::kDelete) {
        removed += write.events;
        gone.push_back(&resource);
        return;
      }
      (write.kind == WriteKind::kCreate ? added : changed) += write.events;
      resource.on_server = true;
      resource.etag = response.etag;
      // The server holds what was sent; reading it back keeps the events' identities.
      (void)Parse(resource, std::move(write.text), true);
      if (resource.etag.empty()) without_etag.push_back(&resource);
      return;
    }
    if (response.status == 412 || vanished) {
      refuse(resource);
      return;
    }
    unsaved += write.events;
    if (!failure) failure = Explain(response);
  };
  const size_t sent = http_.SendAll(requests, on_answer, [&] {
    if (failure) return false;
    if (options_.proceed && !options_.proceed()) stopped = true;
    return !stopped;
  });
  for (size_t i = sent; i < writes.size(); ++i)
    unsaved += writes[i].events;

  // A server that changed what it was sent gives no ETag: read the resource back.
  if (!without_etag.empty()) {
    std::vector<HttpRequest> reads;
    for (const Resource* resource : without_etag)
      reads.push_back(HttpRequest{"GET", resource->href, {}, {}});
    (void)http_.SendAll(
        reads,
        [&](size_t index, HttpResponse response) {
          Resource& resource = *without_etag[index];
          if (response.ok() && !response.etag.empty() &&
              Parse(resource, std::move(response.body), true)) {
            resource.etag = response.etag;
          }
        },
        [] { return true; });
  }
  for (Resource* resource : gone) {
    for (const auto& event : resource->events) {
      if (event != nullptr) owner_.erase(event.get());
    }
    std::erase_if(resources_, [&](const auto& owned) { return owned.get() == resource; });
  }
  dirty_ = std::any_of(resources_.begin(), resources_.end(),
                       [&](const auto& owned) { return NeedsWrite(*owned); });
  if (conflicts.empty() && !failure && !stopped) return Ok();

  const std::string saved =
      Plural(added + changed + removed, "appointment was", "appointments were") + " saved (" +
      std::to_string(added) + " added, " + std::to_string(changed) + " changed, " +
      std::to_string(removed) + " removed)";
  std::string text;
  ErrorKind kind = ErrorKind::kConflict;
  std::int32_t code = kChangedOnServer;
  if (failure) {
    text = "The calendar " + collection_ + " could not be saved completely: " + *failure + ". " +
           saved + "; " + Plural(unsaved, "was", "were") + " not.";
    kind = ErrorKind::kSystem;
    code = kCalendarNotSaved;
  } else if (stopped) {
    text = "Saving to the calendar " + collection_ + " was interrupted: " + saved + "; " +
           Plural(unsaved, "was", "were") + " not sent.";
    kind = ErrorKind::kInterrupted;
    code = kCalendarNotSaved;
  } else {
    text = "The calendar " + collection_ + ": " + saved + ".";
  }
  if (!conflicts.empty()) {
    text += " " + Plural(conflicts.size(), "appointment was", "appointments were") +
            " not saved because it changed on the server meanwhile:";
    if (conflicts.size() != 1) text.replace(text.rfind(" it "), 4, " they ");
    for (size_t i = 0; i < conflicts.size() && i < kNamedConflicts; ++i)
      text += (i == 0 ? " " : ", ") + conflicts[i];
    if (conflicts.size() > kNamedConflicts)
      text += " and " + std::to_string(conflicts.size() - kNamedConflicts) + " more";
    text += ".";
  }
  return Error{code, text, {}, kind};
}

}  // namespace feriant::outlook
