#pragma once
// The dispatch ids of the Outlook object model's members, one namespace per interface.
// Callers reach members by name; the ids are ours and only have to be unique within an
// interface. kDispIdValue (0) marks a default member, kDispIdNewEnum the enumeration.

#include "platform/automation/dispatch.h"

namespace feriant::outlook::dispid {

using automation::DispId;

// Every object answers its kind (an Outlook object class number) under the same id.
inline constexpr DispId kClass = 0xF00A;

namespace application {
inline constexpr DispId kGetNamespace = 1;
inline constexpr DispId kCreateItem = 2;
inline constexpr DispId kLanguageSettings = 3;
inline constexpr DispId kActiveExplorer = 4;
inline constexpr DispId kVersion = 5;
inline constexpr DispId kName = 6;
}  // namespace application

namespace name_space {
inline constexpr DispId kGetDefaultFolder = 1;
}  // namespace name_space

namespace folder {
inline constexpr DispId kItems = 1;
inline constexpr DispId kSaveChanges = 2;
inline constexpr DispId kName = 3;
}  // namespace folder

namespace items {
inline constexpr DispId kItem = automation::kDispIdValue;
inline constexpr DispId kCount = 1;
inline constexpr DispId kNewEnum = automation::kDispIdNewEnum;
}  // namespace items

namespace appointment {
inline constexpr DispId kSubject = 1;
inline constexpr DispId kStart = 2;
inline constexpr DispId kEnd = 3;
inline constexpr DispId kAllDayEvent = 4;
inline constexpr DispId kDuration = 5;
inline constexpr DispId kLocation = 6;
inline constexpr DispId kBody = 7;
inline constexpr DispId kCategories = 8;
inline constexpr DispId kReminderSet = 9;
inline constexpr DispId kSave = 10;
inline constexpr DispId kDelete = 11;
}  // namespace appointment

namespace explorer {
inline constexpr DispId kCommandBars = 1;
inline constexpr DispId kCaption = 2;
}  // namespace explorer

namespace language_settings {
inline constexpr DispId kLanguageId = 1;
}  // namespace language_settings

}  // namespace feriant::outlook::dispid
