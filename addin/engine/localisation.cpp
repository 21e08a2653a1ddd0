#include "addin/engine/localisation.h"

namespace feriant::engine {

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

}  // namespace feriant::engine
