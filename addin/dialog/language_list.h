#pragma once
// The dialog's language box: the languages the user may choose for the texts a run
// writes, and which of them is chosen when the dialog opens.
//
// Plain functions over the constant LanguageTable; the item names point into it. One
// thread (the dialog's).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace feriant::dialog {

// One entry of the language box: the language's name and, as its item data, its index
// in LanguageTable, which is the language index a run looks names up with.
struct LanguageItem {
  std::string_view Name;
  std::int32_t ItemData = 0;

  friend bool operator==(const LanguageItem&, const LanguageItem&) = default;
};

// The LanguageTable entries whose Offer is not 0, in table order.
std::vector<LanguageItem> LanguageList();

// The position in `items` of the first item whose language has `Lcid` equal to
// `language_id` (the user-interface language); none when no item does.
std::optional<std::size_t> PreselectedLanguage(std::span<const LanguageItem> items,
                                               std::int32_t language_id);

}  // namespace feriant::dialog
