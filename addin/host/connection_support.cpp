#include "addin/host/connection_support.h"

#include <cmath>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "addin/dialog/frm_add_in.h"
#include "hosts/office/dispatch_ids.h"

namespace feriant::host {

using automation::NamedArg;
using automation::Variant;

Status ButtonBinding::Bind(ObjectRef button) {
  if (source_ != nullptr) (void)source_->Unadvise(cookie_);
  source_ = nullptr;
  button_.reset();
  if (!button) return Ok();
  auto* container = dynamic_cast<automation::ConnectionPointContainer*>(button.get());
  automation::EventSource* source =
      container ? container->FindConnectionPoint(office::kControlEventsId) : nullptr;
  if (source == nullptr) {
    return automation::MakeError(automation::hresult::kNoInterface,
                                 "the object does not raise command-bar events");
  }
  auto sink = std::make_shared<automation::EventSink>();
  sink->On("Click", office::dispid::event::kClick,
           [host = &host_](std::span<Variant>) { ShowDialogOnClick(*host); });
  cookie_ = source->Advise(std::move(sink));
  source_ = source;
  button_ = std::move(button);
  return Ok();
}

void ShowDialogOnClick(const engine::HostContext& host) {
  (void)dialog::ShowAddInDialog(host);
}

std::int32_t RemoveModeOf(const Variant& mode) {
  Result<double> number = mode.ToDouble();
  if (!number || !std::isfinite(*number) || std::trunc(*number) != *number ||
      *number < std::numeric_limits<std::int32_t>::min() ||
      *number > std::numeric_limits<std::int32_t>::max()) {
    return kUnknownRemoveMode;
  }
  return static_cast<std::int32_t>(*number);
}

std::string AddInAction(std::string_view prog_id) {
  return "!<" + std::string(prog_id) + ">";
}

Result<std::string> ProgIdOf(const ObjectRef& add_in_inst) {
  if (!add_in_inst) return automation::MakeError(automation::hresult::kInvalidArg, "AddInInst");
  return TextOf(add_in_inst->Get("ProgId"));
}

std::string ErrorReportText(std::int32_t number, std::string_view description) {
  return "Application : " + std::string(kApplicationTitle) +
         "\r\nError Number : " + std::to_string(number) +
         "\r\nError Description : " + std::string(description);
}

Result<ObjectRef> ObjectOf(Result<Variant> value) {
  if (!value) return value.error();
  return value->ToObject();
}

Result<std::string> TextOf(Result<Variant> value) {
  if (!value) return value.error();
  return value->ToString();
}

Result<ObjectRef> FindByTag(automation::Dispatch& bars_or_bar, std::string_view tag) {
  return ObjectOf(bars_or_bar.Call("FindControl", {}, {NamedArg{"Tag", Variant(tag)}}));
}

Result<ObjectRef> AddTemporaryButton(automation::Dispatch& bar, std::string_view parameter,
                                     std::int32_t before) {
  Result<ObjectRef> controls = ObjectOf(bar.Get("Controls"));
  if (!controls) return controls.error();
  if (!*controls) return automation::MakeError(automation::hresult::kFail, "Controls");
  std::vector<NamedArg> named = {NamedArg{"Type", Variant(office::kControlButton)},
                                 NamedArg{"Temporary", Variant(true)}};
  if (!parameter.empty()) named.push_back(NamedArg{"Parameter", Variant(parameter)});
  if (before > 0) named.push_back(NamedArg{"Before", Variant(before)});
  Result<ObjectRef> added = ObjectOf((*controls)->Call("Add", {}, std::move(named)));
  if (added && !*added) return automation::MakeError(automation::hresult::kFail, "Controls.Add");
  return added;
}

Result<ObjectRef> FindBarNamed(automation::Dispatch& bars, std::string_view name) {
  Result<automation::VariantArray> all = bars.Enumerate();
  if (!all) return all.error();
  for (const Variant& element : *all) {
    ObjectRef bar = element.AsObject();
    if (!bar) continue;
    Result<std::string> bar_name = TextOf(bar->Get("Name"));
    if (!bar_name) return bar_name.error();
    if (*bar_name == name) return bar;
  }
  return ObjectRef();
}

Result<ObjectRef> AddTemporaryBar(automation::Dispatch& bars, std::string_view name, bool visible) {
  Result<ObjectRef> bar = ObjectOf(
      bars.Call("Add", {},
                {NamedArg{"Name", Variant(name)}, NamedArg{"Position", Variant(office::kBarTop)},
                 NamedArg{"Temporary", Variant(true)}}));
  if (!bar) return bar.error();
  if (!*bar) return automation::MakeError(automation::hresult::kFail, "CommandBars.Add");
  if (Status shown = (*bar)->Put("Visible", Variant(visible)); !shown) return shown.error();
  return bar;
}

}  // namespace feriant::host
