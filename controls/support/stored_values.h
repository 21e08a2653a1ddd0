#pragma once
// Reading and writing a control's persisted settings the way the library's controls do:
// each key on its own, a key that is missing (without a default) or holds a value of
// the wrong kind leaving its setting as it was; fonts as six keys; a keyed collection as
// a whole property bag nested inside one key of the control's bag, as its byte array.
// Writing failures are raised to the container (errors.h). The user-interface thread
// only.

#include <memory>
#include <string_view>
#include <utility>

#include "platform/automation/variant.h"
#include "platform/base/result.h"
#include "platform/ui/core/member_helpers.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/persistence/property_bag.h"

namespace feriant::lumatrel {

// Reads `key` (with `default_value`, Missing for none) and hands the value, coerced to
// T, to `apply`; nothing happens when either step fails.
template <class T, class Apply>
void ReadSetting(ui::PropertyBag& bag, std::string_view key,
                 const automation::Variant& default_value, Apply&& apply) {
  auto stored = bag.ReadProperty(key, default_value);
  if (!stored) return;
  auto value = ui::members::FromVariant<T>(*stored);
  if (value) std::forward<Apply>(apply)(std::move(*value));
}

// "FontName", "FontSize", "FontItalic", "FontBold", "FontUnderline" and
// "FontStrikethrough" into a new font object; a key that cannot be read leaves that
// attribute as a new font has it.
std::shared_ptr<ui::StdFont> ReadFontKeys(ui::PropertyBag& bag);
// The same six keys from `font`, in that order, without defaults (always stored).
void WriteFontKeys(ui::PropertyBag& bag, const ui::StdFont& font);
// A new font object with the face, bold, italic, size, underline and strikethrough of
// `font` (what the controls' Font get hands out: changing it changes nothing else).
std::shared_ptr<ui::StdFont> CopyOfFont(const ui::StdFont& font);
// Bold, italic, face, size, strikethrough and underline of `source` into `target`, one
// by one (a font object's face is never empty and its size never out of range).
void CopyFontAttributes(const ui::FontDesc& source, ui::StdFont& target);

// The bag stored as a byte array under `key`; an error when the key is missing, holds
// no byte array, or its bytes are damaged.
Result<ui::PropertyBag> ReadNestedBag(ui::PropertyBag& bag, std::string_view key);
// The "Count" of a nested collection bag (0 when missing or unreadable), never more than
// the bag has entries: every stored item has at least its key, so a damaged count cannot
// send a reader through millions of missing items.
int ReadItemCount(ui::PropertyBag& nested);
// `nested` as a byte array under `key`, always stored.
void WriteNestedBag(ui::PropertyBag& bag, std::string_view key, const ui::PropertyBag& nested);

}  // namespace feriant::lumatrel
