#pragma once
// Dispatch ids of the Project object model stand-in, in one place: callers reach the
// application, its projects and their base calendars late-bound by these numbers.
//
// The ids the add-in relies on are Project's own. The members Project does not fix for
// us (calendar flag, collection members) use the ids given here; members are also
// reachable by the names in the comments through GetIdOfName (names ignore case).
//
// What the three calendar-filter members mean over a Project XML file:
//   - Calendar.Enterprise (kCalendarEnterprise): whether the calendar is an enterprise
//     calendar kept on a project server. A Project XML file carries no such flag, so it
//     is always false and every base calendar is listed.
//   - Project.DefaultTaskType (kProjectDefaultTaskType, 6039): the file's DefaultTaskType
//     element, 0 fixed units, 1 fixed duration, 2 fixed work; 0 when the element is absent.
//   - Project.Title (kProjectTitle, 93): the file's Title element; empty when absent.
// Constants only; no thread affinity.

#include "platform/automation/dispatch.h"

namespace feriant::project::dispid {

using automation::DispId;

// Application.
inline constexpr DispId kVersion = 5020;              // Version: text "major.minor"
inline constexpr DispId kCommandBars = 5041;          // CommandBars: the host's (SetCommandBars)
inline constexpr DispId kProjects = 5000;             // Projects: the open projects
inline constexpr DispId kOrganizer = 126;             // Organizer(5): returns when closed
inline constexpr DispId kActiveProject = 5002;        // ActiveProject: error when none open
inline constexpr DispId kBaseCalendarEditDays = 615;  // BaseCalendarEditDays(...)

// Collections (Projects, BaseCalendars).
inline constexpr DispId kCount = 65525;                         // Count: whole number
inline constexpr DispId kItem = automation::kDispIdValue;       // Item(1-based index or name)
inline constexpr DispId kNewEnum = automation::kDispIdNewEnum;  // _NewEnum: the elements

// Project.
inline constexpr DispId kBaseCalendars = 10;             // BaseCalendars
inline constexpr DispId kProjectDefaultTaskType = 6039;  // DefaultTaskType: whole number
inline constexpr DispId kProjectTitle = 93;              // Title: text
inline constexpr DispId kProjectName = 1;                // Name: the file's name

// Calendar.
inline constexpr DispId kCalendarName = automation::kDispIdValue;  // Name: text
inline constexpr DispId kCalendarEnterprise = 1;                   // Enterprise: Boolean

}  // namespace feriant::project::dispid
