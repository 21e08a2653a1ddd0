#pragma once
// The container's event log: a sink connected to each placed control's event source
// writes one line per event ("BottomLine1.cmdOKClick(Cancel=False)"), and, while the
// person has "Cancel" ticked, sets the Cancel argument of the events that have one, so
// that a control which would close the form leaves it open, and clears the OK argument
// of the events that ask the form's consent (TwoBoxes' ValidateAdd), so that it refuses.
//
// Events arrive by dispatch id without names; the container knows the names and
// arguments of Lumatrel's event interfaces (EventInfoOf) and writes "Event <id>" with
// bare values for any other. The user-interface thread only.

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"

namespace feriant::lumatrel_container {

struct EventInfo {
  std::string name;
  std::vector<std::string> arguments;
  int cancel_argument = -1;  // the position of Cancel or OK (by reference); -1: none
  // What the "Cancel" box puts there: true for a Cancel argument, false for an OK one
  // (the form refuses a move or a tick).
  bool cancel_value = true;
};

// The event `id` of `event_interface`; nullptr when the container does not know it.
const EventInfo* EventInfoOf(const automation::Guid& event_interface, automation::DispId id);

// A value as the log shows it: True/False, "text", numbers, Empty, Null, (object), an
// object with a Text member as (type "text"), arrays as [a, b].
std::string FormatValue(const automation::Variant& value);

class EventLog {
 public:
  using Listener = std::function<void(const std::string& line)>;

  void Add(std::string line);
  const std::vector<std::string>& Lines() const { return lines_; }
  void Clear() { lines_.clear(); }
  // Called with every line added.
  void SetListener(Listener listener) { listener_ = std::move(listener); }

  bool Cancel() const { return cancel_; }
  void SetCancel(bool cancel) { cancel_ = cancel; }

 private:
  std::vector<std::string> lines_;
  Listener listener_;
  bool cancel_ = false;
};

// The sink of one control.
class LogSink final : public automation::Dispatch {
 public:
  LogSink(std::shared_ptr<EventLog> log, std::string control_name,
          automation::Guid event_interface);

  std::string TypeName() const override { return "LogSink"; }
  Result<automation::DispId> GetIdOfName(std::string_view name) const override;
  Result<automation::Variant> Invoke(automation::DispId id, automation::InvokeKind kind,
                                     std::span<automation::Variant> args,
                                     std::span<const automation::NamedArg> named) override;

 private:
  std::shared_ptr<EventLog> log_;
  std::string control_name_;
  automation::Guid event_interface_;
};

}  // namespace feriant::lumatrel_container
