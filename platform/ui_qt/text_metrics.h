#pragma once
// Fonts and text metrics with Qt's real font machinery, in twips, so that the model's
// auto-sizing and a control's own layout (button widths fitted to captions) agree with
// what the renderer paints.
//
// A line is as wide as its advance, rounded up to whole pixels, and as high as the font's
// ascent plus descent, rounded up. Text breaks into lines at CR LF, LF and CR; wrapping
// is greedy at blanks, and a word wider than the width stands on a line of its own, never
// broken. The renderer paints labels with WrapLines, so painted lines are exactly the
// lines the model measured. Needs a QGuiApplication; the user-interface thread only.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <QFont>
#include <QFontMetricsF>

#include "platform/ui/drawing/font.h"

namespace feriant::ui_qt {

// The Qt font of a model font: family, point size, weight, italic, underline, strike-out.
QFont ToQFont(const ui::FontDesc& font);

class TextMetrics {
 public:
  TextMetrics(int twips_per_pixel_x, int twips_per_pixel_y);

  // One line, no line breaks looked at.
  int LineWidth(const ui::FontDesc& font, std::string_view line) const;
  int LineHeight(const ui::FontDesc& font) const;
  int LineHeightPixels(const ui::FontDesc& font) const;

  // The widest line; the line count times the line height (an empty text is one line).
  int TextWidth(const ui::FontDesc& font, std::string_view text) const;
  int TextHeight(const ui::FontDesc& font, std::string_view text) const;
  // The lines of `text` wrapped to `width` twips, and their height.
  std::vector<std::string> WrapLines(const ui::FontDesc& font, std::string_view text,
                                     int width) const;
  int WrappedTextHeight(const ui::FontDesc& font, std::string_view text, int width) const;

 private:
  const QFontMetricsF& Metrics(const ui::FontDesc& font) const;

  int twips_per_pixel_x_;
  int twips_per_pixel_y_;
  // Metrics by font; a program uses a handful of fonts.
  mutable std::map<std::string, QFontMetricsF> cache_;
};

}  // namespace feriant::ui_qt
