#pragma once
// The property pages the platform provides for any control: the standard colour page
// and the standard font page. A control's class description lists them by these class
// ids beside its own pages (components::ClassDescription::property_pages); a container
// creates them with CreateStandardPage instead of through the component registry.
//
// The colour page shows one row per colour property that the first selected control
// answers (BackColor, ForeColor, BorderColor, FillColor, by their standard dispatch ids):
// the colour as text ("&H8000000F&" for a system colour, "&H0000FF&" for red; decimal and
// 0x... are read as well) and a swatch. The font page shows the Font property's face
// name, size in points, and bold, italic, underline and strikeout. Both load the first
// selected control when the selection changes and, on Apply, write what the person
// changed to every selected control (a font as a new font object, put by reference);
// Apply stops at the first value that is refused and reports it, leaving the page
// changed. The user-interface thread only.

#include <memory>

#include "platform/automation/guid.h"
#include "platform/ui/core/property_page.h"

namespace feriant::ui {

// The well-known class ids of the stock font and colour pages.
inline constexpr automation::Guid kStandardFontPage{
    0x7EBDAAE0, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};
inline constexpr automation::Guid kStandardColorPage{
    0x7EBDAAE1, 0x8120, 0x11CF, {0x89, 0x9F, 0x00, 0xAA, 0x00, 0x68, 0x8B, 0x10}};

// A new standard page for `class_id`; nullptr when it names none.
std::shared_ptr<PropertyPage> CreateStandardPage(const automation::Guid& class_id);

// A colour as the colour page writes it, and the colour a text names (an error for
// text that is no colour, or an invalid one).
std::string ColorText(OleColor color);
Result<OleColor> ParseColorText(std::string_view text);

}  // namespace feriant::ui
