#include "platform/automation/events.h"

namespace feriant::automation {

EventSource::Cookie EventSource::Advise(std::shared_ptr<Dispatch> sink) {
  const Cookie cookie = next_cookie_++;
  sinks_.emplace_back(cookie, std::move(sink));
  return cookie;
}

Status EventSource::Unadvise(Cookie cookie) {
  for (auto it = sinks_.begin(); it != sinks_.end(); ++it) {
    if (it->first == cookie) {
      sinks_.erase(it);
      return Ok();
    }
  }
  return MakeError(hresult::kInvalidArg,
                   "no sink is connected with cookie " + std::to_string(cookie));
}

void EventSource::Raise(DispId id, std::span<Variant> args) {
  // A handler may connect or disconnect sinks; work on a snapshot.
  const auto sinks = sinks_;
  for (const auto& [cookie, sink] : sinks) {
    (void)sink->Invoke(id, InvokeKind::kMethod, args, {});
  }
}

EventSink& EventSink::On(std::string name, DispId id, Handler handler) {
  handlers_[id] = Entry{std::move(name), std::move(handler)};
  return *this;
}

Result<DispId> EventSink::GetIdOfName(std::string_view name) const {
  for (const auto& [id, entry] : handlers_) {
    if (NamesEqual(entry.name, name)) return id;
  }
  return MakeError(hresult::kUnknownName, std::string(name));
}

Result<Variant> EventSink::Invoke(DispId id, InvokeKind, std::span<Variant> args,
                                  std::span<const NamedArg>) {
  auto it = handlers_.find(id);
  // Events the form has no procedure for are simply not handled.
  if (it != handlers_.end() && it->second.handler) it->second.handler(args);
  return Variant();
}

}  // namespace feriant::automation
