#pragma once
// Event<Args...>: the C++ events of the model's objects (a button's Click, a form's
// Unload). Handlers are called in the order of connection; an argument passed by
// reference (a Cancel flag) is seen by every later handler and by the raiser. A handler
// may connect or disconnect handlers while the event is raised; that takes effect from
// the next raise. One thread, the user-interface thread.

#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

namespace feriant::ui {

template <class... Args>
class Event {
 public:
  using Handler = std::function<void(Args...)>;
  using Connection = std::uint32_t;

  Connection Connect(Handler handler) {
    const Connection id = next_++;
    handlers_.emplace_back(id, std::move(handler));
    return id;
  }
  void Disconnect(Connection id) {
    for (auto it = handlers_.begin(); it != handlers_.end(); ++it) {
      if (it->first == id) {
        handlers_.erase(it);
        return;
      }
    }
  }
  bool HasHandlers() const { return !handlers_.empty(); }

  // Raising works on a copy of the handler list: the raiser's object may even be
  // destroyed by a handler (a form unloaded from a button's Click).
  void Raise(Args... args) const {
    const auto handlers = handlers_;
    for (const auto& entry : handlers) {
      entry.second(args...);
    }
  }

 private:
  Connection next_ = 1;
  std::vector<std::pair<Connection, Handler>> handlers_;
};

}  // namespace feriant::ui
