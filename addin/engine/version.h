#pragma once
// Host version texts of the form major.minor ("9.0", "10.0", "14.0"), as the hosts'
// Version members give them, and the one comparison the add-in makes on them: whether a
// host is at least a given version (10.0 brought the calendar flag and the button
// pictures the add-in relies on). Shared by the dialog and the host connection. Plain
// function; no state, any thread.

#include <string_view>

namespace feriant::engine {

// True when `version` is `required` or later. Each text is major "." minor, both parts
// whole numbers written as decimal digits only (any length; "10" and "10.x" are not
// versions). The major parts decide; equal majors are decided by the minor parts. False
// whenever either text is not of that form.
bool IsVersionAtLeast(std::string_view version, std::string_view required);

}  // namespace feriant::engine
