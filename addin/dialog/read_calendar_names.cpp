#include "addin/dialog/read_calendar_names.h"

#include <string>
#include <utility>

#include "addin/engine/holiday_run.h"
#include "addin/engine/version.h"
#include "hosts/project/dispatch_ids.h"

namespace feriant::dialog {
namespace {

namespace dispid = project::dispid;
using automation::Dispatch;
using automation::ObjectRef;

// The Project version from which calendars carry the flag the filter reads.
constexpr std::string_view kFilterVersion = "10.0";

Result<ObjectRef> GetObject(Dispatch& object, automation::DispId id, std::string_view what) {
  Result<automation::Variant> value = object.Get(id);
  if (!value) return value.error();
  ObjectRef result = value->AsObject();
  if (result == nullptr) {
    return Error{automation::hresult::kFail, std::string(what) + " is not an object",
                 "ReadCalendarNames"};
  }
  return result;
}

Result<std::string> GetText(Dispatch& object, automation::DispId id) {
  Result<automation::Variant> value = object.Get(id);
  if (!value) return value.error();
  return value->ToString();
}

// The calendar filter. Each read that fails is a step skipped: nothing it could have
// decided is decided, so the calendar stays listed.
bool PassesFilter(Dispatch& project, Dispatch& calendar) {
  Result<automation::Variant> flag = calendar.Get(dispid::kCalendarEnterprise);
  if (!flag) return true;
  Result<bool> set = flag->ToBool();
  if (!set || !*set) return true;

  Result<automation::Variant> number = project.Get(dispid::kProjectDefaultTaskType);
  if (!number) return true;
  Result<std::int32_t> value = number->ToI4();
  if (!value) return true;
  bool text_empty = true;
  if (*value == 0) {
    Result<std::string> text = GetText(project, dispid::kProjectTitle);
    if (!text) return true;
    text_empty = text->empty();
  }
  return CalendarListed(*value, text_empty);
}

Status FillCalendarNames(Dispatch& application, CalendarList& lstCalendars) {
  Result<ObjectRef> project = GetObject(application, dispid::kActiveProject, "the active project");
  if (!project) return project.error();
  Result<ObjectRef> calendars = GetObject(**project, dispid::kBaseCalendars, "the base calendars");
  if (!calendars) return calendars.error();
  Result<automation::VariantArray> elements = (*calendars)->Enumerate();
  if (!elements) return elements.error();

  for (const automation::Variant& element : *elements) {
    const ObjectRef calendar = element.AsObject();
    if (calendar == nullptr) {
      return Error{automation::hresult::kFail, "a base calendar is not an object",
                   "ReadCalendarNames"};
    }
    Result<std::string> version = GetText(application, dispid::kVersion);
    if (!version) return version.error();
    const bool listed =
        !engine::IsVersionAtLeast(*version, kFilterVersion) || PassesFilter(**project, *calendar);
    if (!listed) continue;
    Result<std::string> name = GetText(*calendar, dispid::kCalendarName);
    if (!name) return name.error();
    lstCalendars.SetSelected(lstCalendars.AddItem(std::move(*name)), true);
  }
  return Ok();
}

}  // namespace

bool CalendarListed(std::int32_t number, bool text_empty) {
  switch (number) {
    case 0:
      return text_empty;
    case 2:
    case 3:
    case 7:
      return false;
    default:
      return true;
  }
}

void ReadCalendarNames(automation::Dispatch& application, CalendarList& lstCalendars,
                       engine::RunDialog& dialog) {
  lstCalendars.Clear();
  if (Status filled = FillCalendarNames(application, lstCalendars); !filled) {
    engine::ShowError(dialog, kReadCalendarNamesError, filled.error().description);
  }
}

}  // namespace feriant::dialog
