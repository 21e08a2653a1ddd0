#include "platform/ui/drawing/picture.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/ui/controls/image.h"
#include "platform/ui/core/form.h"
#include "platform/ui/drawing/font.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using automation::Variant;
using testing::UiTest;

class PictureTest : public UiTest {};

TEST_F(PictureTest, SizesAreReportedInHimetric) {
  struct Case {
    int width, height, twips_per_pixel;
    std::int32_t himetric_width, himetric_height;
    int twips_width;
  };
  const Case cases[] = {
      {146, 14, 15, 3863, 370, 2190},  // the button bar's logo at 96 dpi
      {13, 17, 15, 344, 450, 195},
      {1, 1, 15, 26, 26, 15},
      {146, 14, 12, 3090, 296, 1752},  // 120 dpi: fewer HIMETRIC per pixel
  };
  for (const Case& c : cases) {
    backend().SetTwipsPerPixel(c.twips_per_pixel, c.twips_per_pixel);
    auto picture = StdPicture::CreateBitmap(c.width, c.height);
    EXPECT_EQ(picture->Width(), c.himetric_width) << c.width;
    EXPECT_EQ(picture->Height(), c.himetric_height) << c.height;
    EXPECT_EQ(picture->WidthTwips(), c.twips_width) << c.width;
    // Late-bound: Width is dispatch id 4, Height 5, Type 3, Handle 0.
    EXPECT_EQ(*picture->Get(4), Variant(c.himetric_width));
    EXPECT_EQ(*picture->Get("Height"), Variant(c.himetric_height));
    EXPECT_EQ(*picture->Get("Type"), Variant(std::int16_t{1}));
    EXPECT_NE(*picture->Get(automation::DispId{0}), Variant(std::int32_t{0}));
  }
  auto empty = StdPicture::Empty();
  EXPECT_TRUE(empty->IsEmpty());
  EXPECT_EQ(*empty->Get("Handle"), Variant(std::int32_t{0}));
  EXPECT_EQ(*empty->Get("Width"), Variant(std::int32_t{0}));
}

TEST_F(PictureTest, PixelsAreReadAndWrittenByPosition) {
  auto picture = StdPicture::CreateBitmap(146, 14, system_color::kButtonFace);
  EXPECT_EQ(*picture->Pixel(0, 0), Rgb(212, 208, 200));
  int changes = 0;
  picture->Changed().Connect([&] { ++changes; });
  ASSERT_TRUE(picture->SetPixel(145, 13, Rgb(1, 2, 3)));
  ASSERT_TRUE(picture->SetPixel(145, 13, Rgb(1, 2, 3)));  // same colour: no change
  ASSERT_TRUE(picture->SetPixel(0, 13, system_color::kWindowBackground));
  EXPECT_EQ(*picture->Pixel(145, 13), Rgb(1, 2, 3));
  EXPECT_EQ(*picture->Pixel(0, 13), Rgb(255, 255, 255));
  EXPECT_EQ(changes, 2);
  const struct {
    int x, y;
  } outside[] = {{-1, 0}, {0, -1}, {146, 0}, {0, 14}, {2147483647, 2147483647}};
  for (const auto& p : outside) {
    EXPECT_FALSE(picture->Pixel(p.x, p.y).ok()) << p.x << "," << p.y;
    EXPECT_FALSE(picture->SetPixel(p.x, p.y, 0).ok()) << p.x << "," << p.y;
  }
  EXPECT_FALSE(picture->SetPixel(0, 0, 0x01000000));
  EXPECT_FALSE(StdPicture::FromPixels(2, 2, {0, 0, 0}).ok());
  EXPECT_FALSE(StdPicture::FromPixels(0, 2, {}).ok());
}

TEST_F(PictureTest, PictureBoxReadsAndWritesInItsScale) {
  auto form = std::make_shared<Form>("frmTest");
  PictureBox& box = form->Add<PictureBox>("imgLogo");
  ASSERT_TRUE(box.Move(240, 30, 2190, 210));
  box.SetPicture(StdPicture::CreateBitmap(146, 14, Rgb(0, 0, 0)));
  int picture_changes = 0;
  backend().RecordNotifications(true);
  ASSERT_TRUE(box.PSet(15 * 10, 15 * 2, Rgb(9, 8, 7)));  // twips
  EXPECT_EQ(*box.Picture()->Pixel(10, 2), Rgb(9, 8, 7));
  for (const std::string& line : backend().Notifications())
    picture_changes += line == "changed imgLogo Picture";
  EXPECT_EQ(picture_changes, 1);
  ASSERT_TRUE(box.SetScaleMode(scale_mode::kPixels));
  EXPECT_EQ(*box.Point(10, 2), Rgb(9, 8, 7));
  EXPECT_DOUBLE_EQ(box.ScaleWidth(), 146.0);
  EXPECT_FALSE(box.Point(146, 0).ok());
  EXPECT_EQ(*box.Call("Point", {Variant(146.0), Variant(0.0)}), Variant(std::int32_t{-1}));
  EXPECT_FALSE(box.SetScaleMode(2));
}

TEST_F(PictureTest, ImageTakesThePictureSizeUnlessStretched) {
  auto form = std::make_shared<Form>("frmTest");
  Image& image = form->Add<Image>("imgIcon");
  ASSERT_TRUE(image.Move(5640, 240, 555, 495));
  image.SetStretch(true);
  image.SetPicture(StdPicture::CreateBitmap(32, 32));
  EXPECT_EQ(image.Bounds(), (Rect{5640, 240, 555, 495}));
  image.SetStretch(false);
  EXPECT_EQ(image.Bounds(), (Rect{5640, 240, 480, 480}));
  image.SetPicture(nullptr);  // Nothing: an empty picture, the size stays
  EXPECT_TRUE(image.Picture()->IsEmpty());
  EXPECT_EQ(image.Bounds(), (Rect{5640, 240, 480, 480}));
  ASSERT_TRUE(image.PutRef("Picture", Variant(StdPicture::CreateBitmap(2, 2))));
  EXPECT_EQ(image.Width(), 30);
  EXPECT_FALSE(image.PutRef("Picture", Variant(StdFont::Create())));
}

TEST_F(PictureTest, ReadsUncompressedBitmaps) {
  // A 2 x 2, 24-bit bottom-up bitmap: rows padded to 8 bytes.
  std::string bmp = "BM";
  auto le32 = [&](std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
      bmp += static_cast<char>((v >> (8 * i)) & 0xFF);
  };
  auto le16 = [&](std::uint16_t v) {
    bmp += static_cast<char>(v & 0xFF);
    bmp += static_cast<char>(v >> 8);
  };
  le32(54 + 16);
  le32(0);
  le32(54);
  le32(40);
  le32(2);
  le32(2);
  le16(1);
  le16(24);
  le32(0);
  le32(16);
  le32(2835);
  le32(2835);
  le32(0);
  le32(0);
  // Bottom row first: blue, green; then top row: red, white (bytes are B, G, R).
  const unsigned char rows[] = {255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
  bmp.append(reinterpret_cast<const char*>(rows), sizeof rows);
  auto picture = StdPicture::DecodeBmp(bmp);
  ASSERT_TRUE(picture.ok()) << picture.error().description;
  EXPECT_EQ(*(*picture)->Pixel(0, 0), Rgb(255, 0, 0));
  EXPECT_EQ(*(*picture)->Pixel(1, 0), Rgb(255, 255, 255));
  EXPECT_EQ(*(*picture)->Pixel(0, 1), Rgb(0, 0, 255));
  EXPECT_EQ(*(*picture)->Pixel(1, 1), Rgb(0, 255, 0));

  const struct {
    const char* what;
    std::string bytes;
  } damaged[] = {
      {"empty", ""},
      {"no signature", "XX" + bmp.substr(2)},
      {"cut pixel data", bmp.substr(0, bmp.size() - 1)},
      {"header only", bmp.substr(0, 54)},
  };
  for (const auto& d : damaged) {
    EXPECT_FALSE(StdPicture::DecodeBmp(d.bytes).ok()) << d.what;
  }
}

TEST(FontTest, AttributesAreSetOneByOneAndReported) {
  auto font = StdFont::Create();
  EXPECT_EQ(font->Name(), "MS Sans Serif");
  EXPECT_EQ(font->Size(), automation::Currency{82500});
  int changes = 0;
  font->Changed().Connect([&] { ++changes; });
  // Late-bound through the standard font dispatch ids.
  ASSERT_TRUE(font->Put(automation::DispId{0}, "Tahoma"));
  ASSERT_TRUE(font->Put(automation::DispId{2}, 9.75));
  ASSERT_TRUE(font->Put("Bold", true));
  ASSERT_TRUE(font->Put("Italic", std::int32_t{-1}));
  ASSERT_TRUE(font->Put("Underline", false));  // unchanged: no event
  ASSERT_TRUE(font->Put("Strikethrough", "True"));
  EXPECT_EQ(changes, 5);
  EXPECT_EQ(font->Desc(),
            (FontDesc{"Tahoma", automation::Currency{97500}, true, true, false, true}));
  EXPECT_EQ(*font->Get("Size"), Variant(automation::Currency{97500}));
  EXPECT_EQ(*font->Get("Weight"), Variant(std::int16_t{700}));
  EXPECT_FALSE(font->Put("Name", ""));
  EXPECT_FALSE(font->Put("Size", 0));
  EXPECT_FALSE(font->Put("Size", 5000));
  EXPECT_EQ(font->Name(), "Tahoma");
}

}  // namespace
}  // namespace feriant::ui
