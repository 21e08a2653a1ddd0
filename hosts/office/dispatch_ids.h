#pragma once
// The command bars' numbers that a caller reaching them late-bound needs: dispatch ids,
// control types, button styles, the docking position and the Click event's interface.
// The numbers of types, styles and positions are the hosts' own; the dispatch ids are
// ours and only have to be unique within an interface (members are also reachable by
// the names in the comments; names ignore case). Constants only.

#include <cstdint>

#include "platform/automation/dispatch.h"
#include "platform/automation/guid.h"

namespace feriant::office {

// Control types (Type; the first argument of Controls.Add and FindControl).
inline constexpr std::int32_t kControlButton = 1;
inline constexpr std::int32_t kControlPopup = 10;

// Button styles (Style).
inline constexpr std::int32_t kStyleAutomatic = 0;
inline constexpr std::int32_t kStyleIcon = 1;
inline constexpr std::int32_t kStyleCaption = 2;
inline constexpr std::int32_t kStyleIconAndCaption = 3;

// Docking positions (Position; the second argument of CommandBars.Add).
inline constexpr std::int32_t kBarLeft = 0;
inline constexpr std::int32_t kBarTop = 1;
inline constexpr std::int32_t kBarRight = 2;
inline constexpr std::int32_t kBarBottom = 3;
inline constexpr std::int32_t kBarFloating = 4;
inline constexpr std::int32_t kBarPopup = 5;

// The Id of every control that is not a copy of a built-in one.
inline constexpr std::int32_t kCustomControlId = 1;

// The interface of a control's events: Click(Ctrl, CancelDefault) with CancelDefault
// passed by reference, raised under dispid::event::kClick.
inline constexpr automation::Guid kControlEventsId{
    0x000C0351, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

namespace dispid {

using automation::DispId;

namespace bars {                                           // CommandBars
inline constexpr DispId kItem = automation::kDispIdValue;  // Item(index or name)
inline constexpr DispId kCount = 1;                        // Count
inline constexpr DispId kAdd = 2;          // Add(Name, Position, MenuBar, Temporary)
inline constexpr DispId kFindControl = 3;  // FindControl(Type, Id, Tag, Visible)
inline constexpr DispId kNewEnum = automation::kDispIdNewEnum;  // the bars in order
}  // namespace bars

namespace bar {                                            // CommandBar
inline constexpr DispId kName = automation::kDispIdValue;  // Name
inline constexpr DispId kVisible = 1;                      // Visible
inline constexpr DispId kControls = 2;                     // Controls
inline constexpr DispId kDelete = 3;                       // Delete()
inline constexpr DispId kFindControl = 4;  // FindControl(Type, Id, Tag, Visible, Recursive)
inline constexpr DispId kPosition = 5;     // Position
inline constexpr DispId kBuiltIn = 6;      // BuiltIn
inline constexpr DispId kIndex = 7;        // Index
}  // namespace bar

namespace controls {                                       // CommandBarControls
inline constexpr DispId kItem = automation::kDispIdValue;  // Item(index or caption)
inline constexpr DispId kCount = 1;                        // Count
inline constexpr DispId kAdd = 2;  // Add(Type, Id, Parameter, Before, Temporary)
inline constexpr DispId kNewEnum = automation::kDispIdNewEnum;  // the controls in order
}  // namespace controls

namespace control {                                           // CommandBarControl / Button / Popup
inline constexpr DispId kCaption = automation::kDispIdValue;  // Caption
inline constexpr DispId kTag = 1;                             // Tag
inline constexpr DispId kParameter = 2;                       // Parameter
inline constexpr DispId kStyle = 3;                           // Style
inline constexpr DispId kOnAction = 4;                        // OnAction
inline constexpr DispId kBeginGroup = 5;                      // BeginGroup
inline constexpr DispId kPicture = 6;                         // Picture
inline constexpr DispId kMask = 7;                            // Mask
inline constexpr DispId kPasteFace = 8;                       // PasteFace()
inline constexpr DispId kId = 9;                              // Id
inline constexpr DispId kIndex = 10;                          // Index
inline constexpr DispId kDelete = 11;                         // Delete()
inline constexpr DispId kType = 12;                           // Type
inline constexpr DispId kVisible = 13;                        // Visible
inline constexpr DispId kEnabled = 14;                        // Enabled
inline constexpr DispId kControls = 15;                       // Controls (pop-ups)
inline constexpr DispId kExecute = 16;                        // Execute(): a click
inline constexpr DispId kParent = 17;                         // Parent: the bar
}  // namespace control

namespace event {
inline constexpr DispId kClick = 1;  // Click(Ctrl, CancelDefault)
}  // namespace event

}  // namespace dispid
}  // namespace feriant::office
