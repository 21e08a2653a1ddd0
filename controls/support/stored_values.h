#pragma once
// Reading and writing a control's persisted settings the way the library's controls do:
// each key on its own, a key that is missing (without a default) or holds a value of
// the wrong kind leaving its setting as it was (fonts: font_keys.h); a keyed collection
// as a whole property bag nested inside one key of the control's bag, as its byte array.
// Writing failures are raised to the container (errors.h). The user-interface thread
// only.

#include <memory>
#include <string_view>
#include <utility>

#include "controls/support/font_keys.h"
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

// A new font object with the face, bold, italic, size, underline and strikethrough of
// `font` (what the controls' Font get hands out: changing it changes nothing else).
std::shared_ptr<ui::StdFont> CopyOfFont(const ui::StdFont& font);

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
