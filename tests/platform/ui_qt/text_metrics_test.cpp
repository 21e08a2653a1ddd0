#include "platform/ui_qt/text_metrics.h"

#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "qt_test_support.h"

namespace feriant::ui_qt {
namespace {

class TextMetricsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { testing::Application(); }
  TextMetrics metrics_{15, 15};
  ui::FontDesc font_;  // MS Sans Serif 8.25, whatever the desktop substitutes
};

TEST_F(TextMetricsTest, WidthsAreWholePixelsOfTheRealAdvance) {
  const QFontMetricsF real(ToQFont(font_));
  for (const char* text : {"OK", "Cancel", "Apply", "Hello, world", "Übergröße"}) {
    const int expected =
        static_cast<int>(std::ceil(real.horizontalAdvance(QString::fromUtf8(text)) - 1e-6)) * 15;
    EXPECT_EQ(metrics_.LineWidth(font_, text), expected) << text;
    EXPECT_GT(metrics_.LineWidth(font_, text), 0) << text;
  }
  EXPECT_EQ(metrics_.LineWidth(font_, ""), 0);
  EXPECT_EQ(metrics_.LineHeight(font_) % 15, 0);
  EXPECT_GT(metrics_.LineHeight(font_), 0);
}

TEST_F(TextMetricsTest, BoldAndLargerFontsMeasureWider) {
  ui::FontDesc bold = font_;
  bold.bold = true;
  ui::FontDesc large = font_;
  large.size = automation::Currency::FromDouble(16);
  const std::string text = "Feiertage eintragen";
  EXPECT_GE(metrics_.LineWidth(bold, text), metrics_.LineWidth(font_, text));
  EXPECT_GT(metrics_.LineWidth(large, text), metrics_.LineWidth(font_, text));
  EXPECT_GT(metrics_.LineHeight(large), metrics_.LineHeight(font_));
}

// The designed dialog faces get a narrow stand-in, so that the dialog's German captions
// fit the designed widths: narrower than the desktop's ordinary sans face.
TEST_F(TextMetricsTest, DialogFacesMeasureNarrowerThanTheOrdinarySansFace) {
  ui::FontDesc ordinary = font_;
  ordinary.name = "DejaVu Sans";
  const std::string caption = "W\u00e4hlen Sie die zu importierenden Regionen:";
  for (const char* face : {"MS Sans Serif", "Tahoma"}) {
    ui::FontDesc dialog = font_;
    dialog.name = face;
    EXPECT_LT(metrics_.LineWidth(dialog, caption), metrics_.LineWidth(ordinary, caption)) << face;
  }
}

TEST_F(TextMetricsTest, TextBreaksAtEveryKindOfLineEnd) {
  const int line = metrics_.LineHeight(font_);
  const struct {
    const char* text;
    int lines;
  } cases[] = {{"", 1}, {"one", 1}, {"a\r\nb", 2}, {"a\nb\rc", 3}, {"a\r\n", 2}, {"\n\n", 3}};
  for (const auto& c : cases)
    EXPECT_EQ(metrics_.TextHeight(font_, c.text), c.lines * line);
  EXPECT_EQ(metrics_.TextWidth(font_, "short\r\na much longer line"),
            metrics_.LineWidth(font_, "a much longer line"));
}

TEST_F(TextMetricsTest, WrappingIsGreedyAtBlanksAndNeverBreaksAWord) {
  const int two_words = metrics_.LineWidth(font_, "alpha beta");
  const struct {
    const char* text;
    int width;
    std::vector<std::string> lines;
  } cases[] = {
      {"alpha beta gamma", two_words, {"alpha beta", "gamma"}},
      {"alpha beta gamma", two_words - 1, {"alpha", "beta", "gamma"}},
      {"alpha beta gamma", 100000, {"alpha beta gamma"}},
      // A word wider than the width stands alone instead of being cut.
      {"Donaudampfschifffahrt x", 15, {"Donaudampfschifffahrt", "x"}},
      {"alpha  beta", 100000, {"alpha beta"}},
      {"alpha\r\n\r\nbeta", 100000, {"alpha", "", "beta"}},
      {"", 100, {""}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(metrics_.WrapLines(font_, c.text, c.width), c.lines) << c.text << " at " << c.width;
    EXPECT_EQ(metrics_.WrappedTextHeight(font_, c.text, c.width),
              static_cast<int>(c.lines.size()) * metrics_.LineHeight(font_));
  }
}

TEST_F(TextMetricsTest, TheScaleMultipliesPixels) {
  const TextMetrics large(12, 12);
  const int pixels = metrics_.LineWidth(font_, "Cancel") / 15;
  EXPECT_EQ(large.LineWidth(font_, "Cancel"), pixels * 12);
}

}  // namespace
}  // namespace feriant::ui_qt
