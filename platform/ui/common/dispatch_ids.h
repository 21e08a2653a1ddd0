#pragma once
// Dispatch ids of the model's own members: the standard control properties (negative
// ids, the same for every control that has them, so that a container can address e.g.
// Enabled or BackColor without knowing the control), and the container-supplied
// members (Name, position, Align, ...) in a range of their own, 0x80010000 and up, so
// that an extender can tell its own ids from those it forwards to the control.

#include "platform/automation/dispatch.h"

namespace feriant::ui::dispid {

using automation::DispId;

inline constexpr DispId kValue = 0;

// Standard properties.
inline constexpr DispId kAutoSize = -500;
inline constexpr DispId kBackColor = -501;
inline constexpr DispId kBackStyle = -502;
inline constexpr DispId kBorderColor = -503;
inline constexpr DispId kBorderStyle = -504;
inline constexpr DispId kBorderWidth = -505;
inline constexpr DispId kFillColor = -510;
inline constexpr DispId kFont = -512;
inline constexpr DispId kForeColor = -513;
inline constexpr DispId kEnabled = -514;
inline constexpr DispId kHwnd = -515;
inline constexpr DispId kTabStop = -516;
inline constexpr DispId kText = -517;
inline constexpr DispId kCaption = -518;
inline constexpr DispId kMousePointer = -521;
inline constexpr DispId kRefresh = -550;

// Container-supplied members (extender and the common members of standard controls).
inline constexpr DispId Container(int n) {
  return static_cast<DispId>(0x80010000u + static_cast<unsigned>(n));
}
inline constexpr DispId kName = Container(0);
inline constexpr DispId kVisible = Container(7);
inline constexpr DispId kParent = Container(8);
inline constexpr DispId kDefault = Container(0x37);
inline constexpr DispId kCancel = Container(0x38);
inline constexpr DispId kAlign = Container(0x39);
inline constexpr DispId kIndex = Container(0x3A);
inline constexpr DispId kObject = Container(0x3B);
inline constexpr DispId kContainer = Container(0x3C);
inline constexpr DispId kLeft = Container(0x100);
inline constexpr DispId kTop = Container(0x101);
inline constexpr DispId kWidth = Container(0x102);
inline constexpr DispId kHeight = Container(0x103);
inline constexpr DispId kTabIndex = Container(0x104);
inline constexpr DispId kTag = Container(0x105);
inline constexpr DispId kMove = Container(0x106);
inline constexpr DispId kSetFocus = Container(0x107);
inline constexpr DispId kZOrder = Container(0x108);

// Control-specific members below the standard range, shared where the meaning is shared.
inline constexpr DispId kAlignment = 0x1001;
inline constexpr DispId kWordWrap = 0x1002;
inline constexpr DispId kPicture = 0x1003;
inline constexpr DispId kStretch = 0x1004;
inline constexpr DispId kAutoRedraw = 0x1005;
inline constexpr DispId kScaleMode = 0x1006;
inline constexpr DispId kScaleWidth = 0x1007;
inline constexpr DispId kScaleHeight = 0x1008;
inline constexpr DispId kX1 = 0x1009;
inline constexpr DispId kY1 = 0x100A;
inline constexpr DispId kX2 = 0x100B;
inline constexpr DispId kY2 = 0x100C;
inline constexpr DispId kMaxLength = 0x100D;
inline constexpr DispId kLocked = 0x100E;
inline constexpr DispId kInterval = 0x100F;
inline constexpr DispId kPoint = 0x1010;
inline constexpr DispId kPSet = 0x1011;
inline constexpr DispId kShow = 0x1012;
inline constexpr DispId kHide = 0x1013;
inline constexpr DispId kUnload = 0x1014;
inline constexpr DispId kKeyPreview = 0x1015;
inline constexpr DispId kControlCount = 0x1016;
inline constexpr DispId kControls = 0x1017;

// The lower limit of a spin button keeps the id its callers address it by (7); the
// progress bar's limit shares it.
inline constexpr DispId kMin = 7;
inline constexpr DispId kMax = 0x1018;
inline constexpr DispId kIncrement = 0x1019;
inline constexpr DispId kBuddyControl = 0x101A;
inline constexpr DispId kSyncBuddy = 0x101B;
inline constexpr DispId kWrap = 0x101C;
inline constexpr DispId kSelStart = 0x101D;
inline constexpr DispId kSelLength = 0x101E;
inline constexpr DispId kSelText = 0x101F;

// Lists (list box, drop-down list).
inline constexpr DispId kList = 0x1100;
inline constexpr DispId kItemData = 0x1101;
inline constexpr DispId kListCount = 0x1102;
inline constexpr DispId kNewIndex = 0x1103;
inline constexpr DispId kListIndex = 0x1104;
inline constexpr DispId kSorted = 0x1105;
inline constexpr DispId kAddItem = 0x1106;
inline constexpr DispId kRemoveItem = 0x1107;
inline constexpr DispId kClear = 0x1108;
inline constexpr DispId kStyle = 0x1109;
inline constexpr DispId kMultiSelect = 0x110A;
inline constexpr DispId kSelected = 0x110B;
inline constexpr DispId kSelCount = 0x110C;
inline constexpr DispId kTopIndex = 0x110D;
inline constexpr DispId kIntegralHeight = 0x110E;

// Trees, their nodes and keyed collections (nodes, pictures).
inline constexpr DispId kNodes = 0x1200;
inline constexpr DispId kCheckboxes = 0x1201;
inline constexpr DispId kSelectedItem = 0x1202;
inline constexpr DispId kKey = 0x1203;
inline constexpr DispId kChecked = 0x1204;
inline constexpr DispId kExpanded = 0x1205;
inline constexpr DispId kChild = 0x1206;
inline constexpr DispId kNext = 0x1207;
inline constexpr DispId kPrevious = 0x1208;
inline constexpr DispId kFirstSibling = 0x1209;
inline constexpr DispId kLastSibling = 0x120A;
inline constexpr DispId kRoot = 0x120B;
inline constexpr DispId kChildren = 0x120C;
inline constexpr DispId kFullPath = 0x120D;
inline constexpr DispId kSelectedNode = 0x120E;
inline constexpr DispId kCount = 0x120F;
inline constexpr DispId kAdd = 0x1210;
inline constexpr DispId kRemove = 0x1211;
inline constexpr DispId kListImages = 0x1212;
inline constexpr DispId kMaskColor = 0x1213;
inline constexpr DispId kUseMaskColor = 0x1214;
inline constexpr DispId kDraw = 0x1215;

}  // namespace feriant::ui::dispid
