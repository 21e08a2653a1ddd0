#pragma once
// Drawing routines (the module modGfx): replacing a key colour in a picture, by which a
// control makes the background of its artwork take the colour it is shown on (the spin
// button's images take the button face).
// The user-interface thread only (pictures raise Changed; system colours are resolved
// through the current backend).

#include "platform/ui/common/color.h"
#include "platform/ui/drawing/picture.h"

namespace feriant::lumatrel {

// Every pixel of `picture` whose colour is `key` becomes `replacement`; all others stay
// as they are. Either colour may be a system colour. An empty picture is left alone.
void ReplaceColor(ui::StdPicture& picture, ui::OleColor key, ui::OleColor replacement);

}  // namespace feriant::lumatrel
