#pragma once
// HostKind and the host application references: which host program the add-in lives in,
// and that program's application object. The host connection sets them in OnConnection
// before anything else runs (and clears the reference of the other host); the dialog and
// the holiday run read them. Process-wide single instances; one thread, the host's
// user-interface thread.
//
// The references keep the host's objects alive; the connection empties them again when
// it disconnects, so that nothing of the host outlives its connection.

#include <cstdint>
#include <memory>

#include "platform/automation/dispatch.h"

namespace feriant::engine {

inline constexpr std::int32_t kHostOutlook = 1;
inline constexpr std::int32_t kHostProject = 2;

// 1 Outlook, 2 Project; any other value means no host (nothing is written anywhere).
extern std::int32_t HostKind;

// Outlook's application object while connected to Outlook; empty otherwise. The Outlook
// calendar target reaches the calendar through it.
extern std::shared_ptr<automation::Dispatch> OutlookApplication;
// Project's application object while connected to Project; empty otherwise. The dialog
// asks it for the open projects, the Organizer and the base calendars; the Project target
// edits the calendars through it.
extern std::shared_ptr<automation::Dispatch> ProjectApplication;

}  // namespace feriant::engine
