#include "platform/ui_qt/pixels.h"

#include <climits>

#include <gtest/gtest.h>

namespace feriant::ui_qt {
namespace {

TEST(PixelsTest, EdgesGoToTheNearestPixelHalvesUp) {
  const struct {
    long long twips;
    int twips_per_pixel;
    int pixels;
  } cases[] = {
      {0, 15, 0},
      {15, 15, 1},
      {795, 15, 53},
      {7, 15, 0},
      {8, 15, 1},
      {22, 15, 1},
      {23, 15, 2},
      {-7, 15, 0},
      {-8, 15, -1},
      {-15, 15, -1},
      {-22, 15, -1},
      {-23, 15, -2},
      {6, 12, 1},
      {5, 12, 0},
      {100, 1, 100},
      {100, 0, 100},  // a nonsense scale counts as 1
      {LLONG_MAX / 4, 15, INT_MAX},
      {-(LLONG_MAX / 4), 15, INT_MIN},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PixelsFromTwips(c.twips, c.twips_per_pixel), c.pixels)
        << c.twips << " twips at " << c.twips_per_pixel;
  }
}

TEST(PixelsTest, RectanglesConvertEdgeByEdgeSoNeighboursStillTouch) {
  const struct {
    ui::Rect twips;
    QRect pixels;
  } cases[] = {
      {{3720, 300, 1125, 345}, QRect(248, 20, 75, 23)},
      {{0, 0, 4680, 3195}, QRect(0, 0, 312, 213)},
      // 20 -> 1.33 px and 60 -> 4 px: three pixels wide, not round(40 / 15) = 3 by luck.
      {{20, 20, 40, 40}, QRect(1, 1, 3, 3)},
      // Two neighbours meeting at 37 twips (2.47 px) share the edge at pixel 2.
      {{0, 0, 37, 10}, QRect(0, 0, 2, 1)},
      {{37, 0, 37, 10}, QRect(2, 0, 3, 1)},
      {{-30, -30, 15, 15}, QRect(-2, -2, 1, 1)},
      {{100, 100, 0, 0}, QRect(7, 7, 0, 0)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PixelRect(c.twips, 15, 15), c.pixels)
        << c.twips.left << "," << c.twips.top << " " << c.twips.width << "x" << c.twips.height;
  }
}

TEST(PixelsTest, TwipsPerPixelFollowsTheLogicalDpi) {
  const struct {
    double dpi;
    int twips_per_pixel;
  } cases[] = {{96, 15}, {120, 12}, {144, 10}, {192, 8}, {72, 20}, {0, 15}, {-5, 15}, {5000, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(TwipsPerPixelForDpi(c.dpi), c.twips_per_pixel) << c.dpi;
}

}  // namespace
}  // namespace feriant::ui_qt
