#include "platform/ui/controls/label.h"

#include <string>

#include <gtest/gtest.h>

#include "platform/ui/core/form.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::UiTest;

class LabelTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    backend().SetCharWidth(100);  // every character 100 twips wide
    backend().SetLineHeight(195);
    form_ = std::make_shared<Form>("frmTest");
  }
  std::shared_ptr<Form> form_;
};

TEST_F(LabelTest, AutoSizeFollowsTheText) {
  struct Case {
    const char* caption;
    bool word_wrap;
    int width;  // before fitting
    Rect expected;
  };
  const Case cases[] = {
      {"Title", false, 50, {330, 150, 500, 195}},
      {"", false, 500, {330, 150, 0, 195}},
      {"two\r\nlines!", false, 50, {330, 150, 600, 390}},
      // Wrapped at 1000 twips (10 characters a line).
      {"aaaa bbbb cccc", true, 1000, {330, 150, 1000, 390}},
      {"aaaa bbbb cccc dddd eeee", true, 1000, {330, 150, 1000, 585}},
      {"aaaaaaaaaaaaaaa b", true, 1000, {330, 150, 1000, 390}},  // a long word stands alone
      {"", true, 1000, {330, 150, 1000, 195}},
      {"one\ntwo three", true, 1000, {330, 150, 1000, 390}},
  };
  for (const Case& c : cases) {
    Label& label = form_->Add<Label>("lbl");
    ASSERT_TRUE(label.Move(330, 150, c.width, 100));
    label.SetWordWrap(c.word_wrap);
    label.SetCaption(c.caption);
    label.SetAutoSize(true);
    EXPECT_EQ(label.Bounds(), c.expected) << c.caption;
    ASSERT_TRUE(form_->Remove(label));
  }
}

TEST_F(LabelTest, WrappedLabelReflowsWithItsWidthButKeepsAHeightSetFromOutside) {
  Label& label = form_->Add<Label>("lblMsg");
  label.SetWordWrap(true);
  label.SetAutoSize(true);
  ASSERT_TRUE(label.Move(660, 375, 2000, 195));
  label.SetCaption("aaaa bbbb cccc dddd eeee ffff");  // 6 words of 4: two per 1000 twips line
  EXPECT_EQ(label.Height(), 390);
  ASSERT_TRUE(label.SetWidth(1000));
  EXPECT_EQ(label.Height(), 585);
  ASSERT_TRUE(label.SetHeight(200));  // clipped by its container's code
  EXPECT_EQ(label.Height(), 200);
  label.SetCaption("short");
  EXPECT_EQ(label.Height(), 195);
  // Without AutoSize nothing follows the text.
  label.SetAutoSize(false);
  label.SetCaption("aaaa bbbb cccc dddd eeee ffff");
  EXPECT_EQ(label.Bounds(), (Rect{660, 375, 1000, 195}));
}

TEST_F(LabelTest, FontChangesRefitThroughTheLiveFontObject) {
  backend().SetCharWidth(0);  // width from the font size: round(0.6 x points) pixels
  backend().SetLineHeight(0);
  Label& label = form_->Add<Label>("lblTitle");
  label.SetAutoSize(true);
  label.SetCaption("Title");
  EXPECT_EQ(label.Bounds(), (Rect{0, 0, 5 * 75, 195}));  // MS Sans Serif 8.25: 5 x 13 pixels
  std::shared_ptr<StdFont> font = label.Font();
  ASSERT_TRUE(font->Put("Size", automation::Currency{120000}));  // 12 points: 7 x 19 pixels
  EXPECT_EQ(label.Bounds(), (Rect{0, 0, 5 * 105, 285}));
  // Exact widths may be set per string and per font.
  backend().SetTextWidth("Title", 999, "Tahoma");
  ASSERT_TRUE(font->SetName("Tahoma"));
  EXPECT_EQ(label.Width(), 999);
}

TEST_F(LabelTest, ControlsTakeTheFontOfTheirSurfaceUnlessGivenOne) {
  form_->SetFont(StdFont::Create(FontDesc{"Tahoma", automation::Currency{82500}}));
  Label& inherits = form_->Add<Label>("a");
  EXPECT_EQ(inherits.Font()->Name(), "Tahoma");
  EXPECT_NE(inherits.Font().get(), form_->Font().get());  // a copy, not the form's object
}

TEST_F(LabelTest, RefusesBadValuesAndTakesColoursAsLongs) {
  Label& label = form_->Add<Label>("lblCopyright");
  EXPECT_FALSE(label.SetBackStyle(2));
  EXPECT_FALSE(label.SetAlignment(3));
  EXPECT_FALSE(label.SetForeColor(0x01000000));
  EXPECT_FALSE(label.SetBackColor(0x80000019));  // index 25 is not in the scheme
  EXPECT_TRUE(label.SetForeColor(Rgb(0, 0, 99)));
  EXPECT_EQ(*label.Get("ForeColor"), automation::Variant(std::int32_t{99 << 16}));
  EXPECT_TRUE(label.Put("BackColor", std::int32_t{-2147483643}));  // 0x80000005 as a Long
  EXPECT_EQ(label.BackColor(), system_color::kWindowBackground);
}

}  // namespace
}  // namespace feriant::ui
