#include "platform/ui_qt/picture_image.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <unistd.h>

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>

#include "platform/ui/common/errors.h"
#include "qt_test_support.h"
#include "tests/support/scratch_dir.h"

namespace feriant::ui_qt {
namespace {

class PictureImageTest : public testing::QtTest {};

TEST_F(PictureImageTest, PixelsKeepTheirColoursBothWays) {
  const std::vector<ui::OleColor> pixels = {ui::Rgb(255, 0, 0),     ui::Rgb(0, 255, 0),
                                            ui::Rgb(0, 0, 255),     ui::Rgb(1, 2, 3),
                                            ui::Rgb(255, 255, 255), ui::Rgb(0, 0, 0)};
  auto picture = ui::StdPicture::FromPixels(3, 2, pixels);
  ASSERT_TRUE(picture);
  const QImage image = ToQImage(**picture);
  ASSERT_EQ(image.size(), QSize(3, 2));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const ui::OleColor c = pixels[static_cast<size_t>(y) * 3 + x];
      EXPECT_EQ(image.pixelColor(x, y), QColor(ui::RedOf(c), ui::GreenOf(c), ui::BlueOf(c)))
          << x << "," << y;
    }
  }
  auto back = PictureFromImage(image, ui::Rgb(9, 9, 9));
  EXPECT_TRUE(back->SameImage(**picture));
  // Made at 15 twips per pixel: 3 pixels are 45 twips = 79 HIMETRIC.
  EXPECT_EQ(back->Width(), 79);
}

TEST_F(PictureImageTest, TransparencyIsComposedOverTheBackground) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixelColor(0, 0, QColor(0, 0, 0, 0));      // fully transparent
  image.setPixelColor(1, 0, QColor(255, 0, 0, 255));  // opaque red
  auto picture = PictureFromImage(image, ui::Rgb(10, 20, 30));
  EXPECT_EQ(*picture->Pixel(0, 0), ui::Rgb(10, 20, 30));
  EXPECT_EQ(*picture->Pixel(1, 0), ui::Rgb(255, 0, 0));
}

TEST_F(PictureImageTest, EmptyPicturesAndNullImagesStayEmpty) {
  EXPECT_TRUE(ToQImage(ui::StdPicture()).isNull());
  EXPECT_TRUE(PictureFromImage(QImage(), 0)->IsEmpty());
}

TEST_F(PictureImageTest, LoadsPngFilesAndRefusesOthersByName) {
  const feriant::testing::ScratchDir scratch;
  const std::filesystem::path& dir = scratch.path();
  QImage image(4, 3, QImage::Format_RGB32);
  image.fill(QColor(12, 34, 56));
  const std::filesystem::path png = dir / "icon.png";
  ASSERT_TRUE(image.save(QString::fromStdString(png.string()), "PNG"));
  auto loaded = LoadPicture(png, 0);
  ASSERT_TRUE(loaded) << loaded.error().description;
  EXPECT_EQ((*loaded)->PixelWidth(), 4);
  EXPECT_EQ((*loaded)->PixelHeight(), 3);
  EXPECT_EQ(*(*loaded)->Pixel(3, 2), ui::Rgb(12, 34, 56));

  const std::filesystem::path text = dir / "not-a-picture.png";
  {
    std::FILE* file = std::fopen(text.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fputs("hello", file);
    std::fclose(file);
  }
  for (const auto& bad : {text, dir / "missing.png"}) {
    auto refused = LoadPicture(bad, 0);
    ASSERT_FALSE(refused) << bad;
    EXPECT_EQ(refused.error().code, ui::ui_error::kInvalidPicture);
    EXPECT_NE(refused.error().description.find(bad.filename().string()), std::string::npos);
  }
}

}  // namespace
}  // namespace feriant::ui_qt
