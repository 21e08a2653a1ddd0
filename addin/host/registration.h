#pragma once
// What the add-in library libferiant.so serves and registers: the type library Feriant
// 1.0 and the two connection classes, each also registered as an add-in of its host
// (under <host key>\Addins\<program id>: display name, description, load behaviour 3).
// Their identities are part of what hosts and registries rely on, so they never change.
// Constants and one plain function; no thread affinity.

#include <string_view>

#include "platform/automation/guid.h"
#include "platform/components/server_description.h"

namespace feriant::host {

using automation::Guid;

// {CAC16765-908F-4039-A2D8-028D9BF6BC88}, version 1.0.
inline constexpr Guid kLibraryId{
    0xCAC16765, 0x908F, 0x4039, {0xA2, 0xD8, 0x02, 0x8D, 0x9B, 0xF6, 0xBC, 0x88}};
inline constexpr std::string_view kLibraryVersion = "1.0";
inline constexpr std::string_view kLibraryName = "Feriant";

// ConnectOutlook {BF28356D-36A5-4DEB-8C51-995F64EF6A5F}, _ConnectOutlook
// {7FD2AC9B-D3C4-4E1E-96A7-5BE08119612D}.
inline constexpr Guid kConnectOutlookClassId{
    0xBF28356D, 0x36A5, 0x4DEB, {0x8C, 0x51, 0x99, 0x5F, 0x64, 0xEF, 0x6A, 0x5F}};
inline constexpr Guid kConnectOutlookInterfaceId{
    0x7FD2AC9B, 0xD3C4, 0x4E1E, {0x96, 0xA7, 0x5B, 0xE0, 0x81, 0x19, 0x61, 0x2D}};
inline constexpr std::string_view kConnectOutlookProgId = "Feriant.ConnectOutlook";

// ConnectProject {4C8AADC8-45C4-4697-AC44-C82299A928D6}, _ConnectProject
// {D68309B9-991A-4FEF-BC9C-117ED434AD64}.
inline constexpr Guid kConnectProjectClassId{
    0x4C8AADC8, 0x45C4, 0x4697, {0xAC, 0x44, 0xC8, 0x22, 0x99, 0xA9, 0x28, 0xD6}};
inline constexpr Guid kConnectProjectInterfaceId{
    0xD68309B9, 0x991A, 0x4FEF, {0xBC, 0x9C, 0x11, 0x7E, 0xD4, 0x34, 0xAD, 0x64}};
inline constexpr std::string_view kConnectProjectProgId = "Feriant.ConnectProject";

// The hosts' keys under which their add-ins are registered, in the current user's hive.
inline constexpr std::string_view kOutlookAddInsHost = "Software\\Microsoft\\Office\\Outlook";
inline constexpr std::string_view kProjectAddInsHost = "Software\\Microsoft\\Office\\MS Project";

// The library's description for its ComponentServer and its registration.
components::ServerDescription AddInServer();

}  // namespace feriant::host
