#pragma once
// HostKind: which host program the add-in lives in, set by the host connection before
// anything else runs and read by the dialog and the holiday run. Process-wide; one
// thread.

#include <cstdint>

namespace feriant::engine {

inline constexpr std::int32_t kHostOutlook = 1;
inline constexpr std::int32_t kHostProject = 2;

// 1 Outlook, 2 Project; any other value means no host (nothing is written anywhere).
extern std::int32_t HostKind;

}  // namespace feriant::engine
