#pragma once
// The public identities of the control library Lumatrel: its type library, and for each
// class its class id, program id, interface ids and the dispatch ids of its members and
// events. Containers and the library's own registration read them from here; they are
// part of what stored forms and late-bound callers rely on, so they never change.
// Constants only; no thread affinity.

#include <string_view>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"
#include "platform/ui/common/dispatch_ids.h"

namespace feriant::lumatrel {

using automation::DispId;
using automation::Guid;

// {A8FC043F-2ECC-4715-9724-E62009698500}, version 4.10.
inline constexpr Guid kLibraryId{
    0xA8FC043F, 0x2ECC, 0x4715, {0x97, 0x24, 0xE6, 0x20, 0x09, 0x69, 0x85, 0x00}};
inline constexpr std::string_view kLibraryVersion = "4.10";
inline constexpr std::string_view kLibraryName = "Lumatrel";

namespace white_top {
// {7821D12D-EEB5-46F9-9049-D3EEB56902E5}
inline constexpr Guid kClassId{
    0x7821D12D, 0xEEB5, 0x46F9, {0x90, 0x49, 0xD3, 0xEE, 0xB5, 0x69, 0x02, 0xE5}};
// _WhiteTop {18838B95-0864-4754-8106-91FB75732BC3}
inline constexpr Guid kInterfaceId{
    0x18838B95, 0x0864, 0x4754, {0x81, 0x06, 0x91, 0xFB, 0x75, 0x73, 0x2B, 0xC3}};
// __WhiteTop {82620B95-44D1-403F-AC5E-B2469D073998}; it declares no events.
inline constexpr Guid kEventInterfaceId{
    0x82620B95, 0x44D1, 0x403F, {0xAC, 0x5E, 0xB2, 0x46, 0x9D, 0x07, 0x39, 0x98}};
inline constexpr std::string_view kProgId = "Lumatrel.WhiteTop";

namespace dispid {
inline constexpr DispId kAutoSize = 1;
inline constexpr DispId kTitle = 2;
inline constexpr DispId kMsg = 3;
inline constexpr DispId kRightIcon = 4;
// The standard Font id, so that a container reaches it without knowing the control.
inline constexpr DispId kFont = ui::dispid::kFont;
}  // namespace dispid
}  // namespace white_top

// The property page of WhiteTop.
namespace prp_white_top {
// {DD07983A-8363-45B7-957A-C3155B4B38AC}
inline constexpr Guid kClassId{
    0xDD07983A, 0x8363, 0x45B7, {0x95, 0x7A, 0xC3, 0x15, 0x5B, 0x4B, 0x38, 0xAC}};
// _prpWhiteTop {80157E15-C656-49AA-997D-A00C1D25E852}
inline constexpr Guid kInterfaceId{
    0x80157E15, 0xC656, 0x49AA, {0x99, 0x7D, 0xA0, 0x0C, 0x1D, 0x25, 0xE8, 0x52}};
inline constexpr std::string_view kProgId = "Lumatrel.prpWhiteTop";
}  // namespace prp_white_top

namespace bottom_line {
// {71B34D9D-3F41-4639-87C9-62211099F0D9}
inline constexpr Guid kClassId{
    0x71B34D9D, 0x3F41, 0x4639, {0x87, 0xC9, 0x62, 0x21, 0x10, 0x99, 0xF0, 0xD9}};
// _BottomLine {D955AB66-449B-4582-B39B-CD6B5BC5A2B6}
inline constexpr Guid kInterfaceId{
    0xD955AB66, 0x449B, 0x4582, {0xB3, 0x9B, 0xCD, 0x6B, 0x5B, 0xC5, 0xA2, 0xB6}};
// __BottomLine {83C3A269-2EA8-4518-86AA-1D20ED0523B0}
inline constexpr Guid kEventInterfaceId{
    0x83C3A269, 0x2EA8, 0x4518, {0x86, 0xAA, 0x1D, 0x20, 0xED, 0x05, 0x23, 0xB0}};
inline constexpr std::string_view kProgId = "Lumatrel.BottomLine";

// Members of _BottomLine. The three properties of one button have consecutive ids:
// Visible, Enabled, Caption.
namespace dispid {
inline constexpr DispId kAutoOKCancelApply = 1;
inline constexpr DispId kCmdOKVisible = 2;
inline constexpr DispId kCmdOKEnabled = 3;
inline constexpr DispId kCmdOKCaption = 4;
inline constexpr DispId kCmdCancelVisible = 5;
inline constexpr DispId kCmdCancelEnabled = 6;
inline constexpr DispId kCmdCancelCaption = 7;
inline constexpr DispId kCmdApplyVisible = 8;
inline constexpr DispId kCmdApplyEnabled = 9;
inline constexpr DispId kCmdApplyCaption = 10;
inline constexpr DispId kCmdNextVisible = 11;
inline constexpr DispId kCmdNextEnabled = 12;
inline constexpr DispId kCmdNextCaption = 13;
inline constexpr DispId kCmdBackVisible = 14;
inline constexpr DispId kCmdBackEnabled = 15;
inline constexpr DispId kCmdBackCaption = 16;
inline constexpr DispId kSimulateApplyClick = 17;
inline constexpr DispId kSimulateBackClick = 18;
inline constexpr DispId kSimulateCancelClick = 19;
inline constexpr DispId kSimulateNextClick = 20;
inline constexpr DispId kSimulateOKClick = 21;
inline constexpr DispId kCmdHelpVisible = 22;
inline constexpr DispId kCmdHelpEnabled = 23;
inline constexpr DispId kCmdHelpCaption = 24;
inline constexpr DispId kSimulateHelpClick = 25;
inline constexpr DispId kFont = ui::dispid::kFont;
inline constexpr DispId kSetFocusOK = 26;
inline constexpr DispId kSetFocusCancel = 27;
inline constexpr DispId kSetFocusHelp = 28;
inline constexpr DispId kSetFocusBack = 29;
inline constexpr DispId kSetFocusNext = 30;
inline constexpr DispId kSetFocusApply = 31;
}  // namespace dispid

// Events of __BottomLine. cmdApplyClick(ByRef Cancel, CalledByOK); cmdOKClick and
// cmdCancelClick(ByRef Cancel); the other three take no arguments.
namespace event {
inline constexpr DispId kCmdOKClick = 1;
inline constexpr DispId kCmdCancelClick = 2;
inline constexpr DispId kCmdApplyClick = 3;
inline constexpr DispId kCmdNextClick = 4;
inline constexpr DispId kCmdBackClick = 5;
inline constexpr DispId kCmdHelpClick = 6;
}  // namespace event
}  // namespace bottom_line

}  // namespace feriant::lumatrel
