#pragma once
// GetMSPLanguage: Microsoft Project's user-interface language, as Project records it in
// the current user's registry ("CurrentUI" under Software\Microsoft\Office\<version>\MS
// Project). The host connection maps it to the add-in's language when Project connects.
// Reads the registry through the settings store; no state. One thread.

#include <cstdint>
#include <string_view>

namespace feriant::host {

// The locale identifier that an unreadable "CurrentUI" gives: German.
inline constexpr std::int32_t kDefaultMSPLanguage = 1031;

// The "CurrentUI" value of Project version `sVersion` ("11.0") taken as text: a number
// gives that number as a 32-bit integer (rounded half to even, as the automation runtime
// converts); a missing, empty or non-numeric value, or one beyond 32 bits, gives
// kDefaultMSPLanguage. Never fails.
std::int32_t GetMSPLanguage(std::string_view sVersion);

}  // namespace feriant::host
