#pragma once
// The public identities of the control library Lumatrel: its type library, and for each
// class its class id, program id, interface ids and the dispatch ids of its members and
// events. Containers and the library's own registration read them from here; they are
// part of what stored forms and late-bound callers rely on, so they never change.
// Constants only; no thread affinity.

#include <cstdint>
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

// The members every keyed collection of the library has (colRadioButtons,
// colProgressTasks, colPopupMenu), in slot order: Add, Item (the default member), count,
// Remove and the hidden enumerator. Add's arguments differ by collection.
namespace keyed_collection::dispid {
inline constexpr DispId kAdd = 1;
inline constexpr DispId kItem = automation::kDispIdValue;
inline constexpr DispId kCount = 2;
inline constexpr DispId kRemove = 3;
inline constexpr DispId kNewEnum = automation::kDispIdNewEnum;
}  // namespace keyed_collection::dispid

namespace two_boxes {
// {8859A4B4-4740-46EC-AF5D-B85BEC5FCAE0}
inline constexpr Guid kClassId{
    0x8859A4B4, 0x4740, 0x46EC, {0xAF, 0x5D, 0xB8, 0x5B, 0xEC, 0x5F, 0xCA, 0xE0}};
// _TwoBoxes {2A0BD50C-5DA6-44EA-A2CE-0407718A484C}
inline constexpr Guid kInterfaceId{
    0x2A0BD50C, 0x5DA6, 0x44EA, {0xA2, 0xCE, 0x04, 0x07, 0x71, 0x8A, 0x48, 0x4C}};
// __TwoBoxes {D1F71349-AD86-43CD-971D-9A5015EB389A}
inline constexpr Guid kEventInterfaceId{
    0xD1F71349, 0xAD86, 0x43CD, {0x97, 0x1D, 0x9A, 0x50, 0x15, 0xEB, 0x38, 0x9A}};
inline constexpr std::string_view kProgId = "Lumatrel.TwoBoxes";

// Members of _TwoBoxes, in slot order. Index arguments are list positions (0-based).
namespace dispid {
inline constexpr DispId kAddItemLeft = 1;
inline constexpr DispId kAddItemRight = 2;
inline constexpr DispId kRemoveItemLeft = 3;
inline constexpr DispId kRemoveItemRight = 4;
inline constexpr DispId kClearLeft = 5;
inline constexpr DispId kClearRight = 6;
inline constexpr DispId kLeftCaption = 7;
inline constexpr DispId kAddOnly = 8;
inline constexpr DispId kRightHasCheckmarks = 9;
inline constexpr DispId kRightCaption = 10;
inline constexpr DispId kListIndexLeft = 11;
inline constexpr DispId kListIndexRight = 12;
inline constexpr DispId kListLeft = 13;
inline constexpr DispId kListRight = 14;
inline constexpr DispId kItemDataLeft = 15;
inline constexpr DispId kItemDataRight = 16;
inline constexpr DispId kSelectedRight = 17;
inline constexpr DispId kSelectedLeft = 18;
inline constexpr DispId kSelCountLeft = 19;
inline constexpr DispId kSelCountRight = 20;
inline constexpr DispId kListCountLeft = 21;
inline constexpr DispId kListCountRight = 22;
inline constexpr DispId kNewIndexLeft = 23;
inline constexpr DispId kNewIndexRight = 24;
}  // namespace dispid

// Events of __TwoBoxes. ValidateAdd and ValidateRemove(index, Text, ItemData, ByRef OK);
// ValidateCheckRight(NewState, index, Text, ItemData, ByRef OK); AfterCheckRight(NewState,
// index, Text, ItemData); AfterAdd and AfterRemove(ByRef Moved, ByRef Blocked), arrays of
// typListItemMoved and typListItemBlocked records.
namespace event {
inline constexpr DispId kChange = 1;
inline constexpr DispId kValidateAdd = 2;
inline constexpr DispId kValidateCheckRight = 3;
inline constexpr DispId kValidateRemove = 4;
inline constexpr DispId kAfterAdd = 5;
inline constexpr DispId kAfterRemove = 6;
inline constexpr DispId kAfterCheckRight = 7;
}  // namespace event

// The fields of the records passed with AfterAdd and AfterRemove.
namespace record {
inline constexpr DispId kText = 1;
inline constexpr DispId kData = 2;
inline constexpr DispId kIndex = 3;  // typListItemBlocked only
}  // namespace record
}  // namespace two_boxes

namespace radio_group {
// {367655DE-3664-4F5D-8320-B19A64455C14}
inline constexpr Guid kClassId{
    0x367655DE, 0x3664, 0x4F5D, {0x83, 0x20, 0xB1, 0x9A, 0x64, 0x45, 0x5C, 0x14}};
// _RadioGroup {5C110A9F-D8DD-4A3C-A6A9-4F318E8AAF48}
inline constexpr Guid kInterfaceId{
    0x5C110A9F, 0xD8DD, 0x4A3C, {0xA6, 0xA9, 0x4F, 0x31, 0x8E, 0x8A, 0xAF, 0x48}};
// __RadioGroup {0984F7C6-A0F2-4947-A996-FCD290CACD0D}
inline constexpr Guid kEventInterfaceId{
    0x0984F7C6, 0xA0F2, 0x4947, {0xA9, 0x96, 0xFC, 0xD2, 0x90, 0xCA, 0xCD, 0x0D}};
inline constexpr std::string_view kProgId = "Lumatrel.RadioGroup";

// Members of _RadioGroup, in slot order; Caption and Font are the standard ones.
namespace dispid {
inline constexpr DispId kCaption = ui::dispid::kCaption;
inline constexpr DispId kRadioButtons = 1;
inline constexpr DispId kActiveButton = 2;
inline constexpr DispId kSelectedIndex = 3;
inline constexpr DispId kChangedTasks = 4;
inline constexpr DispId kFont = ui::dispid::kFont;
}  // namespace dispid

// Events of __RadioGroup: SelectionChanged(index, ByRef NewButton).
namespace event {
inline constexpr DispId kSelectionChanged = 1;
}  // namespace event
}  // namespace radio_group

namespace col_radio_buttons {
// {7CB9B5F4-AF40-47F0-9A2A-798C464694B7}
inline constexpr Guid kClassId{
    0x7CB9B5F4, 0xAF40, 0x47F0, {0x9A, 0x2A, 0x79, 0x8C, 0x46, 0x46, 0x94, 0xB7}};
// _colRadioButtons {381E4140-CDCC-4E50-A838-339B9431F14F}
inline constexpr Guid kInterfaceId{
    0x381E4140, 0xCDCC, 0x4E50, {0xA8, 0x38, 0x33, 0x9B, 0x94, 0x31, 0xF1, 0x4F}};
inline constexpr std::string_view kProgId = "Lumatrel.colRadioButtons";
namespace dispid = keyed_collection::dispid;
}  // namespace col_radio_buttons

namespace cls_radio_button {
// {52E5B824-5BE3-41AB-8F6E-F86C6BD56217}
inline constexpr Guid kClassId{
    0x52E5B824, 0x5BE3, 0x41AB, {0x8F, 0x6E, 0xF8, 0x6C, 0x6B, 0xD5, 0x62, 0x17}};
// _clsRadioButton {7AC04D48-1AF5-4823-9E9D-9FC72E4F34C2}
inline constexpr Guid kInterfaceId{
    0x7AC04D48, 0x1AF5, 0x4823, {0x9E, 0x9D, 0x9F, 0xC7, 0x2E, 0x4F, 0x34, 0xC2}};
inline constexpr std::string_view kProgId = "Lumatrel.clsRadioButton";

// Members of _clsRadioButton, in slot order.
namespace dispid {
inline constexpr DispId kCollection = 1;
inline constexpr DispId kKey = 2;
inline constexpr DispId kEnabled = 3;
inline constexpr DispId kCaption = 4;
}  // namespace dispid
}  // namespace cls_radio_button

// The property page of RadioGroup; its identities are the library's own.
namespace prp_radio_group {
// {654813A4-C1A1-4891-B24F-0185BDFC93EE}
inline constexpr Guid kClassId{
    0x654813A4, 0xC1A1, 0x4891, {0xB2, 0x4F, 0x01, 0x85, 0xBD, 0xFC, 0x93, 0xEE}};
// _prpRadioGroup {B0272AF4-FE80-4007-962C-3C1F62674653}
inline constexpr Guid kInterfaceId{
    0xB0272AF4, 0xFE80, 0x4007, {0x96, 0x2C, 0x3C, 0x1F, 0x62, 0x67, 0x46, 0x53}};
inline constexpr std::string_view kProgId = "Lumatrel.prpRadioGroup";
}  // namespace prp_radio_group

namespace progress_viewer {
// {780B7F33-066B-4B2B-815E-7AAF18277D3B}
inline constexpr Guid kClassId{
    0x780B7F33, 0x066B, 0x4B2B, {0x81, 0x5E, 0x7A, 0xAF, 0x18, 0x27, 0x7D, 0x3B}};
// _ProgressViewer {F972C2A4-572B-4DB3-BA37-72A344C96618}
inline constexpr Guid kInterfaceId{
    0xF972C2A4, 0x572B, 0x4DB3, {0xBA, 0x37, 0x72, 0xA3, 0x44, 0xC9, 0x66, 0x18}};
// __ProgressViewer {06425C37-B827-4FB1-9C03-ABAEF43E03C9}
inline constexpr Guid kEventInterfaceId{
    0x06425C37, 0xB827, 0x4FB1, {0x9C, 0x03, 0xAB, 0xAE, 0xF4, 0x3E, 0x03, 0xC9}};
inline constexpr std::string_view kProgId = "Lumatrel.ProgressViewer";

// Members of _ProgressViewer, in slot order; AutoSize and Font are the standard ones.
namespace dispid {
inline constexpr DispId kAutoSize = ui::dispid::kAutoSize;
inline constexpr DispId kProgressTasks = 1;
inline constexpr DispId kActiveTask = 2;
inline constexpr DispId kGotoNext = 3;
inline constexpr DispId kChangedTasks = 4;
inline constexpr DispId kFont = ui::dispid::kFont;
}  // namespace dispid
}  // namespace progress_viewer

namespace col_progress_tasks {
// {C427D6B1-1709-45C4-A9C1-0C13974C1CFB}
inline constexpr Guid kClassId{
    0xC427D6B1, 0x1709, 0x45C4, {0xA9, 0xC1, 0x0C, 0x13, 0x97, 0x4C, 0x1C, 0xFB}};
// _colProgressTasks {BCFFA3F0-F794-4B00-B685-EF0EB72D2BFC}
inline constexpr Guid kInterfaceId{
    0xBCFFA3F0, 0xF794, 0x4B00, {0xB6, 0x85, 0xEF, 0x0E, 0xB7, 0x2D, 0x2B, 0xFC}};
inline constexpr std::string_view kProgId = "Lumatrel.colProgressTasks";
namespace dispid = keyed_collection::dispid;
}  // namespace col_progress_tasks

namespace cls_progress_task {
// {B3A19879-4BE5-4E94-935E-05BDE38AD6C5}
inline constexpr Guid kClassId{
    0xB3A19879, 0x4BE5, 0x4E94, {0x93, 0x5E, 0x05, 0xBD, 0xE3, 0x8A, 0xD6, 0xC5}};
// _clsProgressTask {17D665CB-A276-4529-BB73-F688C209D32A}
inline constexpr Guid kInterfaceId{
    0x17D665CB, 0xA276, 0x4529, {0xBB, 0x73, 0xF6, 0x88, 0xC2, 0x09, 0xD3, 0x2A}};
inline constexpr std::string_view kProgId = "Lumatrel.clsProgressTask";

// Members of _clsProgressTask, in slot order.
namespace dispid {
inline constexpr DispId kKey = 1;
inline constexpr DispId kCollection = 2;
inline constexpr DispId kDisplayname = 3;
inline constexpr DispId kFinished = 4;
inline constexpr DispId kFailed = 5;
inline constexpr DispId kIndex = 6;
}  // namespace dispid
}  // namespace cls_progress_task

// The property page of ProgressViewer; its identities are the library's own.
namespace prp_progress_viewer {
// {EFAFD521-4F65-41A3-BB40-4AD803DCC9C0}
inline constexpr Guid kClassId{
    0xEFAFD521, 0x4F65, 0x41A3, {0xBB, 0x40, 0x4A, 0xD8, 0x03, 0xDC, 0xC9, 0xC0}};
// _prpProgressViewer {A79DF46E-7B3D-4C24-89B9-360ED42C9F9E}
inline constexpr Guid kInterfaceId{
    0xA79DF46E, 0x7B3D, 0x4C24, {0x89, 0xB9, 0x36, 0x0E, 0xD4, 0x2C, 0x9F, 0x9E}};
inline constexpr std::string_view kProgId = "Lumatrel.prpProgressViewer";
}  // namespace prp_progress_viewer

namespace popup_menu {
// {53D37E63-EE17-44BC-A01A-78A967F556B6}
inline constexpr Guid kClassId{
    0x53D37E63, 0xEE17, 0x44BC, {0xA0, 0x1A, 0x78, 0xA9, 0x67, 0xF5, 0x56, 0xB6}};
// _PopupMenu {FF10FCD9-312F-4A3C-9ADA-599BF78BC65A}
inline constexpr Guid kInterfaceId{
    0xFF10FCD9, 0x312F, 0x4A3C, {0x9A, 0xDA, 0x59, 0x9B, 0xF7, 0x8B, 0xC6, 0x5A}};
// __PopupMenu {107C1190-9571-4737-80D2-79F9346A6A17}
inline constexpr Guid kEventInterfaceId{
    0x107C1190, 0x9571, 0x4737, {0x80, 0xD2, 0x79, 0xF9, 0x34, 0x6A, 0x6A, 0x17}};
inline constexpr std::string_view kProgId = "Lumatrel.PopupMenu";

// Members of _PopupMenu, in slot order.
namespace dispid {
inline constexpr DispId kChangedMenuItems = 1;
inline constexpr DispId kPopup = 2;
inline constexpr DispId kMenuItems = 3;
}  // namespace dispid

// Events of __PopupMenu: PopupItemClick(index, MenuItem).
namespace event {
inline constexpr DispId kPopupItemClick = 1;
}  // namespace event

// enuAlign: where the menu lies against X.
inline constexpr std::int32_t zentpmLeftAlign = 0;
inline constexpr std::int32_t zentpmCenterAlign = 4;
inline constexpr std::int32_t zentpmRightAlign = 8;
// enuClickButton: the mouse button that may choose an entry.
inline constexpr std::int32_t zentpmLeftButton = 0;
inline constexpr std::int32_t zentpmRightButton = 2;
}  // namespace popup_menu

namespace col_popup_menu {
// {EAADCFDA-9343-4366-BE71-313A5BACEB31}
inline constexpr Guid kClassId{
    0xEAADCFDA, 0x9343, 0x4366, {0xBE, 0x71, 0x31, 0x3A, 0x5B, 0xAC, 0xEB, 0x31}};
// _colPopupMenu {0A62FB57-13F3-43E3-BB54-C9B79F98EA60}
inline constexpr Guid kInterfaceId{
    0x0A62FB57, 0x13F3, 0x43E3, {0xBB, 0x54, 0xC9, 0xB7, 0x9F, 0x98, 0xEA, 0x60}};
inline constexpr std::string_view kProgId = "Lumatrel.colPopupMenu";
namespace dispid = keyed_collection::dispid;
}  // namespace col_popup_menu

namespace cls_popup_menu_item {
// {41D957DB-F841-4516-A1FE-1BD70DB863A9}
inline constexpr Guid kClassId{
    0x41D957DB, 0xF841, 0x4516, {0xA1, 0xFE, 0x1B, 0xD7, 0x0D, 0xB8, 0x63, 0xA9}};
// _clsPopupMenuItem {BC63E78D-4467-43D8-9F2C-75A8A62DDA4F}
inline constexpr Guid kInterfaceId{
    0xBC63E78D, 0x4467, 0x43D8, {0x9F, 0x2C, 0x75, 0xA8, 0xA6, 0x2D, 0xDA, 0x4F}};
inline constexpr std::string_view kProgId = "Lumatrel.clsPopupMenuItem";

// The fields of clsPopupMenuItem, in slot order.
namespace dispid {
inline constexpr DispId kCaption = 1;
inline constexpr DispId kKey = 2;
inline constexpr DispId kChecked = 3;
inline constexpr DispId kVisible = 4;
inline constexpr DispId kEnabled = 5;
}  // namespace dispid
}  // namespace cls_popup_menu_item

// The property page of PopupMenu; its identities are the library's own.
namespace prp_popup_menu {
// {8985305A-AE34-4B8D-8EA0-8CD8FB9F0A2D}
inline constexpr Guid kClassId{
    0x8985305A, 0xAE34, 0x4B8D, {0x8E, 0xA0, 0x8C, 0xD8, 0xFB, 0x9F, 0x0A, 0x2D}};
// _prpPopupMenu {89C1EDF6-5E4B-4ADE-A91E-25C1B6065A8C}
inline constexpr Guid kInterfaceId{
    0x89C1EDF6, 0x5E4B, 0x4ADE, {0xA9, 0x1E, 0x25, 0xC1, 0xB6, 0x06, 0x5A, 0x8C}};
inline constexpr std::string_view kProgId = "Lumatrel.prpPopupMenu";
}  // namespace prp_popup_menu
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
