#include "addin/engine/localisation.h"

#include <charconv>
#include <iterator>

namespace feriant::engine {

TextLanguage TextLanguageOf(std::int16_t language_id) {
  switch (language_id) {
    case kGermanLanguageID:
      return TextLanguage::kGerman;
    case 12:
    case 1036:
    case 2060:
    case 3084:
    case 4108:
    case 5132:
    case 6156:
      return TextLanguage::kFrench;
    case 16:
    case 1040:
    case 2064:
      return TextLanguage::kItalian;
    default:
      return TextLanguage::kEnglish;
  }
}

std::string StatusText(const Localisation& texts, std::int32_t status) {
  constexpr MessageKey kStatusKeys[5] = {
      MessageKey::OutlookMessages_Status1, MessageKey::OutlookMessages_Status2,
      MessageKey::OutlookMessages_Status3, MessageKey::OutlookMessages_Status4,
      MessageKey::OutlookMessages_Status5};
  if (status < 1 || status > 5) return std::string();
  return texts.Message(kStatusKeys[status - 1]);
}

std::string FillPlaceholder(std::string text, std::string_view marker, std::string_view value) {
  if (marker.empty()) return text;
  for (size_t at = text.find(marker); at != std::string::npos;
       at = text.find(marker, at + value.size())) {
    text.replace(at, marker.size(), value);
  }
  return text;
}

std::string FillPlaceholder(std::string text, std::string_view marker, std::int64_t value) {
  return FillPlaceholder(std::move(text), marker, std::string_view(std::to_string(value)));
}

PlaceholderFill::PlaceholderFill(std::string_view text, std::string_view marker) {
  if (marker.empty()) {
    pieces_.emplace_back(text);
    return;
  }
  for (size_t at = text.find(marker); at != std::string_view::npos; at = text.find(marker)) {
    pieces_.emplace_back(text.substr(0, at));
    text.remove_prefix(at + marker.size());
  }
  pieces_.emplace_back(text);
}

const std::string& PlaceholderFill::Fill(std::int64_t value) {
  char digits[24];
  const auto end = std::to_chars(std::begin(digits), std::end(digits), value).ptr;
  filled_.assign(pieces_.front());
  for (size_t i = 1; i < pieces_.size(); ++i)
    filled_.append(digits, end).append(pieces_[i]);
  return filled_;
}

}  // namespace feriant::engine
