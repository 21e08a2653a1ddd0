#pragma once
// The two facts of the screen that the layers below the core need (pictures measure in
// twips and fill with system colours). The current backend (core/backend.h) answers them;
// they are declared here so that the arrows between the folders point one way. The
// user-interface thread only.

#include "platform/ui/common/color.h"

namespace feriant::ui {

// The RGB value of a colour: system colours through the current backend's scheme.
OleColor ResolveColor(OleColor color);
// Twips per screen pixel of the current backend (15 at 96 dpi).
int ScreenTwipsPerPixelX();
int ScreenTwipsPerPixelY();

}  // namespace feriant::ui
