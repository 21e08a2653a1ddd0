#pragma once
// Captions that fit: a label whose caption needs more room than the label's designed
// size grows into the room its row leaves, so that no caption is ever cut. French and
// Italian captions are often longer than the German ones the dialog was designed for.
//
// Sizes come from the current backend's text metrics, so the Qt renderer's real fonts
// decide. The user-interface thread only.

#include "platform/ui/controls/label.h"

namespace feriant::dialog {

// Sizes `label` for its caption: at least `designed_width` wide and `designed_height`
// high (twips). When the caption is wider than one line of the designed width the label
// first widens, up to `widest`; what is still too wide wraps at blanks and the label
// grows downwards to the height of the wrapped lines. Never smaller than designed.
void FitLabelToCaption(ui::Label& label, int designed_width, int designed_height, int widest);

}  // namespace feriant::dialog
