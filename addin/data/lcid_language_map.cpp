// LcidLanguageMap: host locale identifier -> language index. Scanned in row order by
// MapHostLanguage; locales of languages that are not offered fall through to the
// fallback language.

#include "addin/data/holiday_data.h"

#include <array>

namespace feriant::data {
namespace {

constexpr auto kRows = std::to_array<LcidLanguagePair>({
    {1031, kGerman},    // 0 Germany
    {1033, kEnglish},   // 1 United States
    {3079, kGerman},    // 2 Austria
    {4103, kGerman},    // 3 Luxembourg
    {2055, kGerman},    // 4 Switzerland
    {5127, kGerman},    // 5 Liechtenstein
    {9, kEnglish},      // 6 neutral English
    {3081, kEnglish},   // 7 Australia
    {10249, kEnglish},  // 8 Belize
    {2057, kEnglish},   // 9 United Kingdom
    {4105, kEnglish},   // 10 Canada
    {9225, kEnglish},   // 11 Caribbean
    {6153, kEnglish},   // 12 Ireland
    {8201, kEnglish},   // 13 Jamaica
    {5129, kEnglish},   // 14 New Zealand
    {7177, kEnglish},   // 15 South Africa
    {11273, kEnglish},  // 16 Trinidad
    {2060, kFrench},    // 17 Belgium
    {3084, kFrench},    // 18 Canada
    {1036, kFrench},    // 19 France
    {5132, kFrench},    // 20 Luxembourg
    {4108, kFrench},    // 21 Switzerland
    {1040, kItalian},   // 22 Italy
    {2064, kItalian},   // 23 Switzerland
});
static_assert(kRows.size() == kLcidLanguagePairCount);

}  // namespace

constinit const std::array<LcidLanguagePair, kLcidLanguagePairCount> LcidLanguageMap = kRows;

}  // namespace feriant::data
