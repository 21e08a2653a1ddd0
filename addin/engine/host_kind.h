#pragma once
// HostContext: which host program the add-in lives in, and that program's application
// object. The host connection creates it when it connects and hands it to the dialog,
// which gives the host's kind to its runs (RunSelection) and the application to the
// calendar target. One host per process: the connection that connected last. One
// thread, the host's user-interface thread.
//
// The application reference keeps the host's objects alive; the connection empties its
// context again when it disconnects and releases the dialog, so that nothing of the host
// outlives its connection.

#include <cstdint>
#include <memory>

#include "platform/automation/dispatch.h"

namespace feriant::engine {

inline constexpr std::int32_t kHostOutlook = 1;
inline constexpr std::int32_t kHostProject = 2;

struct HostContext {
  // kHostOutlook or kHostProject; any other value means no host (nothing is written).
  std::int32_t kind = 0;
  // The host's application object while connected, else empty. In Outlook the calendar
  // target reaches the calendar through it; in Project the dialog asks it for the open
  // projects, the Organizer and the base calendars, and the target edits them.
  std::shared_ptr<automation::Dispatch> application;
};

}  // namespace feriant::engine
