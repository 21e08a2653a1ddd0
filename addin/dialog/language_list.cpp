#include "addin/dialog/language_list.h"

#include "addin/data/holiday_data.h"

namespace feriant::dialog {

std::vector<LanguageItem> LanguageList() {
  std::vector<LanguageItem> items;
  for (std::int32_t index = 0; index < data::kLanguageCount; ++index) {
    const data::Language& language = data::LanguageTable[static_cast<size_t>(index)];
    if (language.Offer != 0) items.push_back(LanguageItem{language.Name, index});
  }
  return items;
}

std::optional<std::size_t> PreselectedLanguage(std::span<const LanguageItem> items,
                                               std::int32_t language_id) {
  for (std::size_t i = 0; i < items.size(); ++i) {
    const std::int32_t index = items[i].ItemData;
    if (index < 0 || index >= data::kLanguageCount) continue;
    if (data::LanguageTable[static_cast<size_t>(index)].Lcid == language_id) return i;
  }
  return std::nullopt;
}

}  // namespace feriant::dialog
