// LanguageTable: the four languages of the holiday names, indexed by language index
// (0 German, 1 English, 2 French, 3 Italian). Offer: 0 not offered in the language box,
// 1 offered, 2 offered and the fallback user-interface language. Lcid selects the
// language's user-interface texts.

#include "addin/data/holiday_data.h"

#include <array>

namespace feriant::data {
namespace {

constexpr auto kRows = std::to_array<Language>({
    {1, "Deutsch", 1031},   // 0
    {2, "English", 1033},   // 1
    {1, "Français", 1036},  // 2
    {1, "Italiano", 1040},  // 3
});
static_assert(kRows.size() == kLanguageCount);

}  // namespace

constinit const std::array<Language, kLanguageCount> LanguageTable = kRows;

}  // namespace feriant::data
