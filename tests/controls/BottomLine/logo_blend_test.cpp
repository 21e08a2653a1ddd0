#include "controls/BottomLine/logo_blend.h"

#include <gtest/gtest.h>

#include "platform/ui/drawing/picture.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using ui::OleColor;
using ui::Rgb;

constexpr OleColor kFace = Rgb(212, 208, 200);  // the classic button face

TEST(BlendPixelTest, MixesByTheMaskLowByteTruncatingTheUpperChannelsAndRoundingTheLowest) {
  struct Case {
    const char* what;
    OleColor logo;
    OleColor mask;
    OleColor expected;  // worked out by hand
  };
  const Case cases[] = {
      {"no coverage shows the face", Rgb(0, 0, 99), Rgb(0, 0, 0), kFace},
      // 255 / 256 x 1.5 is over 1: capped, the logo shows unchanged.
      {"full coverage shows the logo", Rgb(0, 0, 99), Rgb(255, 255, 255), Rgb(0, 0, 99)},
      // a = 0.5625: red 92.75 rounds up, green 91, blue 87.5 + 55.6875 truncates to 143.
      {"soft edge", Rgb(0, 0, 99), Rgb(96, 96, 96), Rgb(93, 91, 143)},
      // a = 0.75: red 53 + 1.5 = 54.5 rounds to even; green 127; blue 80.
      {"half rounds to even", Rgb(2, 100, 40), Rgb(128, 128, 128), Rgb(54, 127, 80)},
      // a = 0.375: red 132.5 rounds to even; green 130; blue 125 + 37.125 truncates.
      {"three eighths", Rgb(0, 0, 99), Rgb(64, 64, 64), Rgb(132, 130, 162)},
      // Only the low byte of the mask counts: a = 100 / 256 x 1.5 = 0.5859375.
      {"low byte only", Rgb(255, 255, 255), Rgb(100, 255, 255), Rgb(237, 235, 232)},
      {"low byte only, upper bytes clear", Rgb(255, 255, 255), Rgb(100, 0, 0), Rgb(237, 235, 232)},
      // a = 1.5 x 171 / 256 = 1.0019...: capped.
      {"cap just reached", Rgb(10, 20, 30), Rgb(171, 0, 0), Rgb(10, 20, 30)},
      // a = 1.5 x 170 / 256 = 0.99609375: blue 0.78125 + 29.8828125 truncates to 30,
      // red 0.828125 + 9.9609375 rounds to 11, green 0.8125 + 19.921875 truncates to 20.
      {"just below the cap", Rgb(10, 20, 30), Rgb(170, 0, 0), Rgb(11, 20, 30)},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BlendPixel(c.logo, c.mask, kFace), c.expected) << c.what;
  }
}

class BlendLogoTest : public ui::testing::UiTest {};

TEST_F(BlendLogoTest, BlendsTheGivenColumnsAndRowsInsideBothBitmapsOnly) {
  struct Case {
    const char* what;
    int columns;
    int rows;
    int blended_columns;  // expected, within the 4 x 3 bitmaps
    int blended_rows;
  };
  const Case cases[] = {
      {"all", 4, 3, 4, 3},  {"part", 2, 1, 2, 1},       {"more than the bitmap", 9, 9, 4, 3},
      {"none", 0, 3, 0, 0}, {"negative", -1, -5, 0, 0},
  };
  const OleColor ink = Rgb(0, 0, 99);
  for (const Case& c : cases) {
    auto logo = ui::StdPicture::CreateBitmap(4, 3, ink);
    auto mask = ui::StdPicture::CreateBitmap(4, 3, Rgb(96, 96, 96));
    BlendLogo(*logo, *mask, kFace, c.columns, c.rows);
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 4; ++x) {
        const bool blended = x < c.blended_columns && y < c.blended_rows;
        EXPECT_EQ(*logo->Pixel(x, y), blended ? Rgb(93, 91, 143) : ink)
            << c.what << " at " << x << "," << y;
      }
    }
  }
  // A mask smaller than the logo limits the blending to the mask.
  auto logo = ui::StdPicture::CreateBitmap(4, 3, ink);
  BlendLogo(*logo, *ui::StdPicture::CreateBitmap(2, 2, Rgb(255, 255, 255)), kFace, 4, 3);
  EXPECT_EQ(*logo->Pixel(3, 2), ink);
  BlendLogo(*logo, *ui::StdPicture::Empty(), kFace, 4, 3);
  EXPECT_EQ(*logo->Pixel(0, 0), ink);
}

}  // namespace
}  // namespace feriant::lumatrel
