#pragma once
// ReadCalendarNames: fills the dialog's base-calendar list from the active project of
// the host's Project, listing and selecting every base calendar that can take holidays.
// The dialog calls it when it opens with a project open, and again after Project's
// Organizer was shown, so that calendars copied meanwhile appear.
//
// From Project 10.0 on, a calendar whose flag is set (an enterprise calendar in Project)
// is listed only when the project's whole-number property allows it (Calendar filter,
// CalendarListed). Everything is reached late-bound by Project's dispatch ids
// (hosts/project/dispatch_ids.h). The list and the application belong to the dialog.
// One thread: the dialog's.

#include <cstdint>
#include <string_view>

#include "addin/dialog/calendar_list.h"
#include "addin/engine/run_dialog.h"
#include "platform/automation/dispatch.h"

namespace feriant::dialog {

inline constexpr std::string_view kReadCalendarNamesError = "frmAddIn.ReadCalendarNames Error.";

// Whether a calendar whose flag is set is listed, given the project's whole-number
// property `number` and whether its text property is empty: 0 lists it only with an
// empty text; 2, 3 and 7 never; any other value always.
bool CalendarListed(std::int32_t number, bool text_empty);

// Empties `lstCalendars`, then appends and selects the name of every listed base
// calendar of `application`'s active project, in the project's order. A failure outside
// the calendar filter (no active project, a calendar without a name) ends the filling
// and is shown through ShowError on `dialog` with kReadCalendarNamesError; the entries
// added so far stay. A failure inside the filter skips only the failing step: a calendar
// whose flag or whose project's properties cannot be read is listed.
void ReadCalendarNames(automation::Dispatch& application, CalendarList& lstCalendars,
                       engine::RunDialog& dialog);

}  // namespace feriant::dialog
