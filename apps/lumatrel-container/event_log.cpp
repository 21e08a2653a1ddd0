#include "apps/lumatrel-container/event_log.h"

#include <cstdio>
#include <utility>

#include "platform/automation/errors.h"

namespace feriant::lumatrel_container {
namespace {

// __BottomLine {83C3A269-2EA8-4518-86AA-1D20ED0523B0}. (__WhiteTop declares no events.)
constexpr automation::Guid kBottomLineEvents{
    0x83C3A269, 0x2EA8, 0x4518, {0x86, 0xAA, 0x1D, 0x20, 0xED, 0x05, 0x23, 0xB0}};

struct KnownEvent {
  const automation::Guid* event_interface;
  automation::DispId id;
  EventInfo info;
};

const std::vector<KnownEvent>& KnownEvents() {
  static const std::vector<KnownEvent> events = {
      {&kBottomLineEvents, 1, {"cmdOKClick", {"Cancel"}, 0}},
      {&kBottomLineEvents, 2, {"cmdCancelClick", {"Cancel"}, 0}},
      {&kBottomLineEvents, 3, {"cmdApplyClick", {"Cancel", "CalledByOK"}, 0}},
      {&kBottomLineEvents, 4, {"cmdNextClick", {}, -1}},
      {&kBottomLineEvents, 5, {"cmdBackClick", {}, -1}},
      {&kBottomLineEvents, 6, {"cmdHelpClick", {}, -1}},
  };
  return events;
}

}  // namespace

const EventInfo* EventInfoOf(const automation::Guid& event_interface, automation::DispId id) {
  for (const KnownEvent& event : KnownEvents()) {
    if (*event.event_interface == event_interface && event.id == id) return &event.info;
  }
  return nullptr;
}

std::string FormatValue(const automation::Variant& value) {
  using automation::VarType;
  switch (value.type()) {
    case VarType::kEmpty:
      return "Empty";
    case VarType::kNull:
      return "Null";
    case VarType::kBool:
      return value.ToBool().value_or(false) ? "True" : "False";
    case VarType::kString:
      return "\"" + *value.AsString() + "\"";
    case VarType::kObject:
      return value.AsObject() ? "(" + value.AsObject()->TypeName() + ")" : "Nothing";
    default: {
      auto text = value.ToString();
      return text ? *text : "?";
    }
  }
}

void EventLog::Add(std::string line) {
  lines_.push_back(std::move(line));
  if (listener_) listener_(lines_.back());
}

LogSink::LogSink(std::shared_ptr<EventLog> log, std::string control_name,
                 automation::Guid event_interface)
    : log_(std::move(log)),
      control_name_(std::move(control_name)),
      event_interface_(event_interface) {}

Result<automation::DispId> LogSink::GetIdOfName(std::string_view /*name*/) const {
  return automation::MakeError(automation::hresult::kUnknownName);
}

Result<automation::Variant> LogSink::Invoke(automation::DispId id, automation::InvokeKind /*kind*/,
                                            std::span<automation::Variant> args,
                                            std::span<const automation::NamedArg> /*named*/) {
  const EventInfo* info = EventInfoOf(event_interface_, id);
  std::string line =
      control_name_ + "." + (info != nullptr ? info->name : "Event " + std::to_string(id)) + "(";
  for (size_t i = 0; i < args.size(); ++i) {
    if (i > 0) line += ", ";
    if (info != nullptr && i < info->arguments.size()) line += info->arguments[i] + "=";
    line += FormatValue(args[i]);
  }
  line += ")";
  if (info != nullptr && log_->Cancel() && info->cancel_argument >= 0 &&
      static_cast<size_t>(info->cancel_argument) < args.size()) {
    args[static_cast<size_t>(info->cancel_argument)] = automation::Variant(true);
    line += " -> Cancel=True";
  }
  log_->Add(std::move(line));
  return automation::Variant();
}

}  // namespace feriant::lumatrel_container
