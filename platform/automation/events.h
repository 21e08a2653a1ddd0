#pragma once
// Events: an object raises an event by dispatch id to every sink connected to it. A sink
// is any Dispatch; the event arrives as a method call with the event's arguments, and a
// sink may change arguments passed by reference (a Cancel flag), which the raiser then
// reads back from the same argument array.
//
// An object that raises events also implements ConnectionPointContainer so that a client
// holding only its Dispatch can find the source for an event interface.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"

namespace feriant::automation {

class EventSource {
 public:
  using Cookie = std::uint32_t;

  explicit EventSource(Guid event_interface = {}) : interface_(event_interface) {}

  const Guid& EventInterface() const { return interface_; }

  // Connects a sink; the cookie disconnects it again. Sinks are held strongly.
  Cookie Advise(std::shared_ptr<Dispatch> sink);
  Status Unadvise(Cookie cookie);
  size_t SinkCount() const { return sinks_.size(); }

  // Calls every sink in the order of connection. A sink's failure does not stop the
  // event and is not reported to the raiser. Sinks connected or disconnected by a
  // handler take effect from the next event.
  void Raise(DispId id, std::span<Variant> args = {});

 private:
  Guid interface_;
  Cookie next_cookie_ = 1;
  std::vector<std::pair<Cookie, std::shared_ptr<Dispatch>>> sinks_;
};

class ConnectionPointContainer {
 public:
  virtual ~ConnectionPointContainer() = default;
  // The source of the given event interface; nullptr when the object raises none.
  virtual EventSource* FindConnectionPoint(const Guid& event_interface) = 0;
};

// A sink made of handlers by dispatch id, what a form's event procedures are.
class EventSink final : public Dispatch {
 public:
  using Handler = std::function<void(std::span<Variant> args)>;

  EventSink& On(std::string name, DispId id, Handler handler);

  std::string TypeName() const override { return "EventSink"; }
  Result<DispId> GetIdOfName(std::string_view name) const override;
  Result<Variant> Invoke(DispId id, InvokeKind kind, std::span<Variant> args,
                         std::span<const NamedArg> named) override;

 private:
  struct Entry {
    std::string name;
    Handler handler;
  };
  std::map<DispId, Entry> handlers_;
};

}  // namespace feriant::automation
