#include "apps/lumatrel-container/event_log.h"

#include <cstdio>
#include <utility>

#include "platform/automation/errors.h"

namespace feriant::lumatrel_container {
namespace {

const automation::Guid kBottomLineEvents =
    *automation::Guid::Parse("{83C3A269-2EA8-4518-86AA-1D20ED0523B0}");
const automation::Guid kTwoBoxesEvents =
    *automation::Guid::Parse("{D1F71349-AD86-43CD-971D-9A5015EB389A}");
const automation::Guid kRadioGroupEvents =
    *automation::Guid::Parse("{0984F7C6-A0F2-4947-A996-FCD290CACD0D}");
const automation::Guid kPopupMenuEvents =
    *automation::Guid::Parse("{107C1190-9571-4737-80D2-79F9346A6A17}");
const automation::Guid kSpinEditEvents =
    *automation::Guid::Parse("{E4EB7BFC-B579-4B54-A7CD-57F9C1AC3FDB}");
const automation::Guid kHorzSplitterEvents =
    *automation::Guid::Parse("{EF29BF00-8C40-4C2F-8418-A057A41F9D13}");
const automation::Guid kVertSplitterEvents =
    *automation::Guid::Parse("{D010C7C5-D6C4-4791-9651-FB4AC0F66B17}");
// (__WhiteTop, __ProgressViewer and __SizeConstraint declare no events.)

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
      {&kTwoBoxesEvents, 1, {"Change", {}, -1}},
      {&kTwoBoxesEvents, 2, {"ValidateAdd", {"index", "Text", "ItemData", "OK"}, 3, false}},
      {&kTwoBoxesEvents,
       3,
       {"ValidateCheckRight", {"NewState", "index", "Text", "ItemData", "OK"}, 4, false}},
      {&kTwoBoxesEvents, 4, {"ValidateRemove", {"index", "Text", "ItemData", "OK"}, 3, false}},
      {&kTwoBoxesEvents, 5, {"AfterAdd", {"Moved", "Blocked"}, -1}},
      {&kTwoBoxesEvents, 6, {"AfterRemove", {"Moved", "Blocked"}, -1}},
      {&kTwoBoxesEvents, 7, {"AfterCheckRight", {"NewState", "index", "Text", "ItemData"}, -1}},
      {&kRadioGroupEvents, 1, {"SelectionChanged", {"index", "NewButton"}, -1}},
      {&kPopupMenuEvents, 1, {"PopupItemClick", {"index", "MenuItem"}, -1}},
      {&kSpinEditEvents, 1, {"Change", {}, -1}},
      {&kSpinEditEvents, 2, {"MapForDisplay", {"Value"}, -1}},
      {&kHorzSplitterEvents, 1, {"Move", {}, -1}},
      {&kVertSplitterEvents, 1, {"Move", {}, -1}},
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
    case VarType::kObject: {
      automation::ObjectRef object = value.AsObject();
      if (!object) return "Nothing";
      // Records such as TwoBoxes' moved entries show their text.
      auto text = object->Get("Text");
      if (text && text->AsString())
        return "(" + object->TypeName() + " " + FormatValue(*text) + ")";
      return "(" + object->TypeName() + ")";
    }
    default: {
      if (const automation::VariantArray* items = value.AsArray()) {
        std::string out = "[";
        for (size_t i = 0; i < items->size(); ++i)
          out += (i > 0 ? ", " : "") + FormatValue((*items)[i]);
        return out + "]";
      }
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
    args[static_cast<size_t>(info->cancel_argument)] = automation::Variant(info->cancel_value);
    line += " -> " + info->arguments[static_cast<size_t>(info->cancel_argument)] + "=" +
            (info->cancel_value ? "True" : "False");
  }
  log_->Add(std::move(line));
  return automation::Variant();
}

}  // namespace feriant::lumatrel_container
