#pragma once
// A control's font in its persisted properties: the six keys FontName, FontSize,
// FontItalic, FontBold, FontUnderline and FontStrikethrough, stored without defaults.
// The user-interface thread only.

#include <memory>

#include "platform/ui/drawing/font.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

// A new font object with what the store holds; a key that is missing or unusable leaves
// that attribute as a new font has it.
std::shared_ptr<ui::StdFont> ReadFontKeys(ui::PropertyBag& bag);
// Writes all six keys of `font`; a refused write is thrown (RaiseIfFailed).
void WriteFontKeys(ui::PropertyBag& bag, const ui::StdFont& font);

}  // namespace feriant::lumatrel
