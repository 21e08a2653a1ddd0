#pragma once
// Host version texts ("9.0", "10.0", "14.0", and with a build number "11.0.0.8312"), as
// the hosts' Version members give them, and the one comparison the add-in makes on them:
// whether a host is at least a given version (10.0 brought the calendar flag and the
// button pictures the add-in relies on). Shared by the dialog and the host connection.
// Plain function; no state, any thread.

#include <string_view>

namespace feriant::engine {

// True when `version` is `required` or later. Each text is two or more whole numbers
// joined by "." (major.minor, then any further parts such as a build number), every part
// decimal digits only (any length; "10" and "10.x" are not versions). The parts are
// compared in order, a missing part counting as 0, so "11.0.0.8312" is later than "10.0"
// and "10.0.0" equals it. False whenever either text is not of that form: a text that
// holds no version is below every version.
bool IsVersionAtLeast(std::string_view version, std::string_view required);

}  // namespace feriant::engine
