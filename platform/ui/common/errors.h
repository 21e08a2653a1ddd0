#pragma once
// The windowing model's run-time errors. They carry the classic run-time error numbers
// as they are (5, 380, ...), with the standard description and an empty source, so that a
// control that passes one on to its caller (SetFocus on a hidden button) reports what the
// platform reported.

#include <cstdint>
#include <string>

#include "platform/base/result.h"

namespace feriant::ui {

namespace ui_error {
inline constexpr std::int32_t kInvalidProcedureCall = 5;   // "Invalid procedure call or argument"
inline constexpr std::int32_t kArrayElementMissing = 340;  // "Control array element ..."
inline constexpr std::int32_t kAlreadyLoaded = 360;        // "Object already loaded"
inline constexpr std::int32_t kObjectUnloaded = 364;       // "Object was unloaded"
inline constexpr std::int32_t kUnableToUnload = 365;       // "Unable to unload within this context"
inline constexpr std::int32_t kInvalidPropertyValue = 380;  // "Invalid property value"
inline constexpr std::int32_t kInvalidArrayIndex = 381;     // "Invalid property array index"
inline constexpr std::int32_t kReadOnlyProperty = 383;      // "Property is read-only"
inline constexpr std::int32_t kAlreadyShownModally = 400;   // "Form already displayed; ..."
inline constexpr std::int32_t kNotSupported = 438;    // "Object doesn't support this property ..."
inline constexpr std::int32_t kInvalidPicture = 481;  // "Invalid picture"
inline constexpr std::int32_t kCantCreateObject = 429;  // "ActiveX component can't create object"
// The tree view's node collection.
inline constexpr std::int32_t kElementNotFound = 35601;  // "Element not found"
inline constexpr std::int32_t kKeyNotUnique = 35602;     // "Key is not unique in ..."
}  // namespace ui_error

// The Error of a run-time error number; `detail`, when given, follows the description.
Error MakeUiError(std::int32_t code, std::string detail = {});

}  // namespace feriant::ui
