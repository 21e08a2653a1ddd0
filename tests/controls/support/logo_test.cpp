#include "controls/support/logo.h"

#include <set>

#include <gtest/gtest.h>

#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

class LogoTest : public ui::testing::UiTest {};

TEST_F(LogoTest, LogoAndMaskAreMatching146By14Bitmaps) {
  auto logo = MakeLogo();
  auto mask = MakeLogoMask();
  for (const auto& picture : {logo, mask}) {
    EXPECT_EQ(picture->Type(), ui::PictureType::kBitmap);
    EXPECT_EQ(picture->PixelWidth(), 146);
    EXPECT_EQ(picture->PixelHeight(), 14);
    // 2190 x 210 twips at 15 twips a pixel.
    EXPECT_EQ(picture->WidthTwips(), 2190);
    EXPECT_EQ(picture->HeightTwips(), 210);
  }
  // Every call draws new objects, so that a bar may blend its own copy.
  EXPECT_NE(MakeLogo(), logo);
  EXPECT_TRUE(MakeLogo()->SameImage(*logo));

  std::set<int> levels;
  for (int y = 0; y < 14; ++y) {
    for (int x = 0; x < 146; ++x) {
      const ui::OleColor m = *mask->Pixel(x, y);
      const int level = ui::RedOf(m);
      // Grey: the three channels agree.
      ASSERT_EQ(ui::GreenOf(m), level) << x << "," << y;
      ASSERT_EQ(ui::BlueOf(m), level) << x << "," << y;
      levels.insert(level);
      // Ink wherever the mask lets the logo show; black elsewhere.
      EXPECT_EQ(*logo->Pixel(x, y) != 0, level != 0) << x << "," << y;
    }
  }
  // Background, solid strokes, and soft levels in between for the blending to blend.
  EXPECT_TRUE(levels.count(0));
  EXPECT_TRUE(levels.count(255));
  EXPECT_GE(levels.size(), 5u);
  // The frame of the bitmap is background: nothing is cut off at the edges.
  for (int x = 0; x < 146; ++x) {
    EXPECT_EQ(*mask->Pixel(x, 0), 0u) << x;
    EXPECT_EQ(*mask->Pixel(x, 13), 0u) << x;
  }
}

}  // namespace
}  // namespace feriant::lumatrel
