#pragma once
// The per-user setting by which runs apply the law as it stands in each year (the dated
// amendments of data/amendments.h) in place of the tables' own assignments: the number
// value "Current Law" under the add-in's settings key, 1 for on. The dialog reads it
// before each run; the command line reads it too, and its --current-law and
// --no-current-law override it for one run.
//
// Read through the settings store, so a missing key, a missing value or a registry that
// cannot be read all mean off. One thread, the user-interface thread.

#include <string_view>

namespace feriant::dialog {

inline constexpr std::string_view kSettingsKey = "Software\\Quillmark\\Feriant\\2.0";
inline constexpr std::string_view kCurrentLawValueName = "Current Law";

// Whether the current user's setting asks for the current law: the value reads as the
// number 1. Anything else, or nothing, is off.
bool ReadCurrentLawSetting();

}  // namespace feriant::dialog
