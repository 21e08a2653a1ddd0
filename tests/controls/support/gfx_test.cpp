#include "controls/support/gfx.h"

#include <vector>

#include <gtest/gtest.h>

#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

class GfxTest : public ui::testing::UiTest {};

TEST_F(GfxTest, ReplacesExactlyThePixelsOfTheKeyColour) {
  const ui::OleColor magenta = ui::Rgb(255, 0, 255);
  // Colours that only come close to the key, in every channel, and the key itself.
  const ui::OleColor palette[] = {
      magenta,          ui::Rgb(254, 0, 255),  ui::Rgb(255, 1, 255), ui::Rgb(255, 0, 254),
      ui::Rgb(0, 0, 0), ui::Rgb(212, 208, 200)};
  std::vector<ui::OleColor> pixels;
  for (int i = 0; i < 13 * 17; ++i)
    pixels.push_back(palette[i % 6]);
  auto picture = ui::StdPicture::FromPixels(13, 17, pixels);
  ASSERT_TRUE(picture);
  // The button face as a system colour, resolved through the scheme.
  backend().SetSystemColor(0x0F, ui::Rgb(10, 20, 30));
  ReplaceColor(**picture, magenta, ui::system_color::kButtonFace);
  for (int y = 0; y < 17; ++y) {
    for (int x = 0; x < 13; ++x) {
      const ui::OleColor before = pixels[static_cast<size_t>(y * 13 + x)];
      EXPECT_EQ(*(*picture)->Pixel(x, y), before == magenta ? ui::Rgb(10, 20, 30) : before)
          << x << "," << y;
    }
  }
  // A key given as a system colour is resolved the same way.
  ReplaceColor(**picture, ui::system_color::kButtonFace, magenta);
  EXPECT_EQ(*(*picture)->Pixel(0, 0), magenta);
  ReplaceColor(*ui::StdPicture::Empty(), magenta, 0);  // nothing to do, nothing breaks
}

}  // namespace
}  // namespace feriant::lumatrel
