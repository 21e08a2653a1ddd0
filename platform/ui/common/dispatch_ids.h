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

}  // namespace feriant::ui::dispid
