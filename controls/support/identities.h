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

// The system information class, creatable but no control; it raises no events.
namespace cls_sys_info {
// {9E021959-30EB-4537-9202-4EBCDDCE500A}
inline constexpr Guid kClassId{
    0x9E021959, 0x30EB, 0x4537, {0x92, 0x02, 0x4E, 0xBC, 0xDD, 0xCE, 0x50, 0x0A}};
// _clsSysInfo {B74D98EF-E0FC-40F4-9F17-A0768CBD6205}
inline constexpr Guid kInterfaceId{
    0xB74D98EF, 0xE0FC, 0x40F4, {0x9F, 0x17, 0xA0, 0x76, 0x8C, 0xBD, 0x62, 0x05}};
inline constexpr std::string_view kProgId = "Lumatrel.clsSysInfo";

namespace dispid {
inline constexpr DispId kOS = 1;
inline constexpr DispId kIntSettings = 2;
inline constexpr DispId kGetMSPLanguage = 3;
inline constexpr DispId kGetUserName = 4;
inline constexpr DispId kGetDomainName = 5;
inline constexpr DispId kFolders = 6;
}  // namespace dispid
}  // namespace cls_sys_info

namespace spin_edit {
// {59FEB801-EF05-4253-9523-66B3E278731F}
inline constexpr Guid kClassId{
    0x59FEB801, 0xEF05, 0x4253, {0x95, 0x23, 0x66, 0xB3, 0xE2, 0x78, 0x73, 0x1F}};
// _SpinEdit {B491F9BB-5ECA-4088-A6CC-B0EA0546D69C}
inline constexpr Guid kInterfaceId{
    0xB491F9BB, 0x5ECA, 0x4088, {0xA6, 0xCC, 0xB0, 0xEA, 0x05, 0x46, 0xD6, 0x9C}};
// __SpinEdit {E4EB7BFC-B579-4B54-A7CD-57F9C1AC3FDB}
inline constexpr Guid kEventInterfaceId{
    0xE4EB7BFC, 0xB579, 0x4B54, {0xA7, 0xCD, 0x57, 0xF9, 0xC1, 0xAC, 0x3F, 0xDB}};
inline constexpr std::string_view kProgId = "Lumatrel.SpinEdit";

// Members of _SpinEdit; BackColor, Enabled and Font keep the standard ids.
namespace dispid {
inline constexpr DispId kValue = 1;
inline constexpr DispId kMin = 2;
inline constexpr DispId kMax = 3;
inline constexpr DispId kStepSmall = 4;
inline constexpr DispId kStepBig = 5;
inline constexpr DispId kText = 6;
inline constexpr DispId kEditEnabled = 7;
inline constexpr DispId kIsValid = 8;
inline constexpr DispId kBackColor = ui::dispid::kBackColor;
inline constexpr DispId kEnabled = ui::dispid::kEnabled;
inline constexpr DispId kFont = ui::dispid::kFont;
}  // namespace dispid

// Events of __SpinEdit: Change(); MapForDisplay(ByRef Value As String).
namespace event {
inline constexpr DispId kChange = 1;
inline constexpr DispId kMapForDisplay = 2;
}  // namespace event
}  // namespace spin_edit

// The property page of SpinEdit. Its identities are the library's own (generated once for
// it, and fixed since).
namespace prp_spin_edit {
// {24B7BA8C-2F47-4AD5-8C45-04F01A1D0344}
inline constexpr Guid kClassId{
    0x24B7BA8C, 0x2F47, 0x4AD5, {0x8C, 0x45, 0x04, 0xF0, 0x1A, 0x1D, 0x03, 0x44}};
// _prpSpinEdit {ABDBBE87-BA92-404B-A777-5E6297C4F1ED}
inline constexpr Guid kInterfaceId{
    0xABDBBE87, 0xBA92, 0x404B, {0xA7, 0x77, 0x5E, 0x62, 0x97, 0xC4, 0xF1, 0xED}};
inline constexpr std::string_view kProgId = "Lumatrel.prpSpinEdit";
}  // namespace prp_spin_edit

namespace horz_splitter {
// {01727E5D-22C2-4D4A-BE0D-BECD37CA3DF6}
inline constexpr Guid kClassId{
    0x01727E5D, 0x22C2, 0x4D4A, {0xBE, 0x0D, 0xBE, 0xCD, 0x37, 0xCA, 0x3D, 0xF6}};
// _HorzSplitter {0FBA6E46-51D9-467D-A570-DD5CD75A388F}
inline constexpr Guid kInterfaceId{
    0x0FBA6E46, 0x51D9, 0x467D, {0xA5, 0x70, 0xDD, 0x5C, 0xD7, 0x5A, 0x38, 0x8F}};
// __HorzSplitter {EF29BF00-8C40-4C2F-8418-A057A41F9D13}
inline constexpr Guid kEventInterfaceId{
    0xEF29BF00, 0x8C40, 0x4C2F, {0x84, 0x18, 0xA0, 0x57, 0xA4, 0x1F, 0x9D, 0x13}};
inline constexpr std::string_view kProgId = "Lumatrel.HorzSplitter";

namespace dispid {
inline constexpr DispId kLeftControl = 1;
inline constexpr DispId kRightControl = 2;
inline constexpr DispId kRightControlMinWidth = 3;
inline constexpr DispId kLeftControlMinWidth = 4;
}  // namespace dispid
}  // namespace horz_splitter

namespace vert_splitter {
// {122E4C41-702A-48B5-BCCD-E1F128CD4610}
inline constexpr Guid kClassId{
    0x122E4C41, 0x702A, 0x48B5, {0xBC, 0xCD, 0xE1, 0xF1, 0x28, 0xCD, 0x46, 0x10}};
// _VertSplitter {58609B5E-CD2E-4E5D-829C-6C793689BFE5}
inline constexpr Guid kInterfaceId{
    0x58609B5E, 0xCD2E, 0x4E5D, {0x82, 0x9C, 0x6C, 0x79, 0x36, 0x89, 0xBF, 0xE5}};
// __VertSplitter {D010C7C5-D6C4-4791-9651-FB4AC0F66B17}
inline constexpr Guid kEventInterfaceId{
    0xD010C7C5, 0xD6C4, 0x4791, {0x96, 0x51, 0xFB, 0x4A, 0xC0, 0xF6, 0x6B, 0x17}};
inline constexpr std::string_view kProgId = "Lumatrel.VertSplitter";

namespace dispid {
inline constexpr DispId kTopControl = 1;
inline constexpr DispId kBottomControl = 2;
inline constexpr DispId kBottomControlMinHeight = 3;
inline constexpr DispId kTopControlMinHeight = 4;
}  // namespace dispid
}  // namespace vert_splitter

// The one event of both splitters: Move(), raised by every mouse move over the bar.
namespace splitter_event {
inline constexpr DispId kMove = 1;
}  // namespace splitter_event

namespace size_constraint {
// {176C447D-4D82-4F4F-8BD3-FB724B9E160C}
inline constexpr Guid kClassId{
    0x176C447D, 0x4D82, 0x4F4F, {0x8B, 0xD3, 0xFB, 0x72, 0x4B, 0x9E, 0x16, 0x0C}};
// _SizeConstraint {A25468DD-09B3-46C8-8756-845B219585D5}
inline constexpr Guid kInterfaceId{
    0xA25468DD, 0x09B3, 0x46C8, {0x87, 0x56, 0x84, 0x5B, 0x21, 0x95, 0x85, 0xD5}};
// __SizeConstraint; it declares no events. {2DC6CA34-1619-462D-86AE-96147BCBB185}
inline constexpr Guid kEventInterfaceId{
    0x2DC6CA34, 0x1619, 0x462D, {0x86, 0xAE, 0x96, 0x14, 0x7B, 0xCB, 0xB1, 0x85}};
inline constexpr std::string_view kProgId = "Lumatrel.SizeConstraint";

namespace dispid {
inline constexpr DispId kMinWidth = 1;
inline constexpr DispId kMaxWidth = 2;
inline constexpr DispId kMinHeight = 3;
inline constexpr DispId kMaxHeight = 4;
}  // namespace dispid
}  // namespace size_constraint

}  // namespace feriant::lumatrel
