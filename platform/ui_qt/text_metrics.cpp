#include "platform/ui_qt/text_metrics.h"

#include <algorithm>
#include <cmath>

#include <QString>
#include <QStringList>

#include "platform/ui/core/backend.h"

namespace feriant::ui_qt {
namespace {

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string CacheKey(const ui::FontDesc& font) {
  return font.name + '\n' + std::to_string(font.size.scaled) + (font.bold ? "b" : "") +
         (font.italic ? "i" : "") + (font.underline ? "u" : "") + (font.strikethrough ? "s" : "");
}

// Enough for every font a program shows; the cache starts over beyond it.
constexpr size_t kCacheLimit = 64;

// The forms are designed for the narrow Windows dialog faces; the usual Linux sans faces
// are wider and would cut captions off at the designed widths. Narrow faces of Debian's
// font packages stand in, the first one installed.
void SubstituteDialogFaces() {
  static const bool done = [] {
    const QStringList narrow = {"DejaVu Sans Condensed", "Nimbus Sans Narrow", "Nimbus Sans",
                                "Liberation Sans Narrow", "Liberation Sans"};
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "Tahoma"})
      QFont::insertSubstitutions(face, narrow);
    return true;
  }();
  (void)done;
}

}  // namespace

QFont ToQFont(const ui::FontDesc& font) {
  SubstituteDialogFaces();
  QFont result(QString::fromStdString(font.name));
  result.setPointSizeF(std::max(1.0, font.Points()));
  result.setBold(font.bold);
  result.setItalic(font.italic);
  result.setUnderline(font.underline);
  result.setStrikeOut(font.strikethrough);
  return result;
}

TextMetrics::TextMetrics(int twips_per_pixel_x, int twips_per_pixel_y)
    : twips_per_pixel_x_(std::max(1, twips_per_pixel_x)),
      twips_per_pixel_y_(std::max(1, twips_per_pixel_y)) {}

const QFontMetricsF& TextMetrics::Metrics(const ui::FontDesc& font) const {
  const std::string key = CacheKey(font);
  auto it = cache_.find(key);
  if (it != cache_.end()) return it->second;
  if (cache_.size() >= kCacheLimit) cache_.clear();
  return cache_.emplace(key, QFontMetricsF(ToQFont(font))).first->second;
}

int TextMetrics::LineWidth(const ui::FontDesc& font, std::string_view line) const {
  const double pixels = Metrics(font).horizontalAdvance(ToQString(line));
  return static_cast<int>(std::ceil(pixels - 1e-6)) * twips_per_pixel_x_;
}

int TextMetrics::LineHeightPixels(const ui::FontDesc& font) const {
  return std::max(1, static_cast<int>(std::ceil(Metrics(font).height() - 1e-6)));
}

int TextMetrics::LineHeight(const ui::FontDesc& font) const {
  return LineHeightPixels(font) * twips_per_pixel_y_;
}

int TextMetrics::TextWidth(const ui::FontDesc& font, std::string_view text) const {
  int widest = 0;
  for (std::string_view line : ui::SplitLines(text))
    widest = std::max(widest, LineWidth(font, line));
  return widest;
}

int TextMetrics::TextHeight(const ui::FontDesc& font, std::string_view text) const {
  return static_cast<int>(ui::SplitLines(text).size()) * LineHeight(font);
}

std::vector<std::string> TextMetrics::WrapLines(const ui::FontDesc& font, std::string_view text,
                                                int width) const {
  return ui::WrapLines(text, width, [&](std::string_view line) { return LineWidth(font, line); });
}

int TextMetrics::WrappedTextHeight(const ui::FontDesc& font, std::string_view text,
                                   int width) const {
  return static_cast<int>(WrapLines(font, text, width).size()) * LineHeight(font);
}

}  // namespace feriant::ui_qt
