#pragma once
// CalDavStore: the events of one calendar collection on a CalDAV server, read once,
// changed in memory and written back when asked, resource by resource.
//
// Reading is one calendar-query REPORT (Depth 1) for the collection's VEVENTs with their
// ETags and calendar data. The store's order is stable: resources by their href in byte
// order, the events of one resource in the order of its text; new events come last.
//
// Saving writes only the resources whose events were added, changed or removed, each by a
// conditional request: a new event is PUT with If-None-Match: * to
// <collection>/<percent-encoded UID>.ics, a changed resource is PUT with If-Match: its
// ETag, a resource whose last event was removed is DELETEd with If-Match. There is no
// unconditional write. A resource that changed on the server since it was read is
// answered 412 and left as the server has it; the others are still written. The text a
// store writes keeps every line of a resource that it did not change (calendar_store.h
// explains the same rule for files). One thread.

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "hosts/outlook/caldav_http.h"
#include "hosts/outlook/calendar_store.h"
#include "hosts/outlook/event_store.h"

namespace feriant::outlook {

// Codes of the store's Errors beyond those of calendar_store.h.
enum ServerStoreError : std::int32_t {
  kChangedOnServer = 0x1005,  // some appointments changed on the server meanwhile
};

struct ServerStoreOptions {
  StoreOptions store;
  ServerSettings server;
  // Asked before each request of a save is sent; once false (an interrupt), nothing more
  // is sent and the save ends when the requests in flight have.
  std::function<bool()> proceed;
  // Told how many of a save's requests have been answered, of how many.
  std::function<void(size_t done, size_t total)> progress;
};

// Whether `calendar` names a calendar on a server (an http or https URL).
bool IsCalendarUrl(std::string_view calendar);

class CalDavStore : public EventStore {
 public:
  // Reads the collection at `url`; the Error names the URL (never its credentials) and
  // what the server said.
  static Result<std::shared_ptr<CalDavStore>> Open(const std::string& url,
                                                   ServerStoreOptions options);

  CalDavStore(const CalDavStore&) = delete;
  CalDavStore& operator=(const CalDavStore&) = delete;
  // Writes nothing: unsaved changes are lost unless SaveChanges was called, since a
  // server's answers cannot be reported from a destructor.
  ~CalDavStore() override;

  // The collection's URL, without credentials, ending in "/".
  const std::string& url() const { return collection_; }

  size_t size() const override { return events_.size(); }
  const std::shared_ptr<StoredEvent>& at(size_t index) const override { return events_[index]; }
  Result<std::shared_ptr<StoredEvent>> Add(const Appointment& appointment) override;
  Status Change(StoredEvent& event, const Appointment& appointment, FieldSet fields) override;
  Status Remove(StoredEvent& event) override;
  bool HasUnsavedChanges() const override { return dirty_; }
  // Writes the changed resources in parallel. Refused (an Error that says how many
  // appointments were saved, how many not and why) when a resource changed on the
  // server meanwhile, when the server failed or could not be reached, or when `proceed`
  // stopped the save; whatever was answered with success is saved all the same.
  Status SaveChanges() override;
  void AbandonChanges() override { dirty_ = false; }

 private:
  struct Resource {
    std::string href;  // absolute URL
    std::string etag;  // empty: not on the server yet (or its ETag is unknown)
    std::string text;  // the resource as on the server, or as created here
    std::string eol = "\r\n";
    bool on_server = false;
    bool conflicted = false;  // changed on the server meanwhile: never written again
    std::unique_ptr<TimeZones> zones;
    std::vector<ComponentSpan> spans;                  // of its components, in order
    std::vector<std::shared_ptr<StoredEvent>> events;  // one per VEVENT span, else null
  };
  enum class WriteKind { kCreate, kUpdate, kDelete };

  CalDavStore(std::string collection, ServerStoreOptions options);
  Status Load();
  // Reads `text` into `resource`, keeping the event objects it had (same order).
  Status Parse(Resource& resource, std::string text, bool keep_events);
  std::string Serialize(const Resource& resource) const;
  bool NeedsWrite(const Resource& resource) const;
  Error Unreadable(const std::string& reason) const;

  std::string collection_;
  ServerStoreOptions options_;
  HttpSession http_;
  std::vector<std::unique_ptr<Resource>> resources_;  // by href, then created here
  std::unordered_map<const StoredEvent*, Resource*> owner_;
  std::vector<std::shared_ptr<StoredEvent>> events_;  // by position
  bool dirty_ = false;
};

}  // namespace feriant::outlook
