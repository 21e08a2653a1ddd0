#include "platform/ui/pages/standard_pages.h"

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/text_box.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::UiTest;

class StandardPagesTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<Form>("frmTest");
    ASSERT_TRUE(form_->Load());
    first_ = &form_->Add<Label>("lblFirst");
    second_ = &form_->Add<Label>("lblSecond");
  }
  std::vector<automation::ObjectRef> Both() {
    return {first_->weak_from_this().lock(), second_->weak_from_this().lock()};
  }
  std::shared_ptr<Form> form_;
  Label* first_ = nullptr;
  Label* second_ = nullptr;
};

TEST(ColorTextTest, ColoursAreWrittenAndReadAsTheColourPageShowsThem) {
  const struct {
    const char* text;
    OleColor color;  // 0xFFFFFFFF: refused
  } cases[] = {
      {"&H8000000F&", system_color::kButtonFace},
      {"&h0000ff&", Rgb(255, 0, 0)},
      {"&HFF0000", Rgb(0, 0, 255)},
      {" 0x00FF00 ", Rgb(0, 255, 0)},
      {"255", Rgb(255, 0, 0)},
      {"-2147483633", system_color::kButtonFace},
      {"&H80000019&", 0xFFFFFFFFu},  // no such system colour
      {"&H1000000&", 0xFFFFFFFFu},   // beyond 24 bits
      {"-5", 0xFFFFFFFFu},
      {"red", 0xFFFFFFFFu},
      {"", 0xFFFFFFFFu},
      {"&H&", 0xFFFFFFFFu},
  };
  for (const auto& c : cases) {
    auto parsed = ParseColorText(c.text);
    if (c.color == 0xFFFFFFFFu) {
      EXPECT_FALSE(parsed.ok()) << c.text;
    } else {
      ASSERT_TRUE(parsed.ok()) << c.text;
      EXPECT_EQ(*parsed, c.color) << c.text;
      EXPECT_EQ(*ParseColorText(ColorText(c.color)), c.color) << c.text;
    }
  }
  EXPECT_EQ(ColorText(system_color::kButtonFace), "&H8000000F&");
  EXPECT_EQ(ColorText(Rgb(255, 0, 0)), "&H0000FF&");
}

TEST_F(StandardPagesTest, TheColourPageWritesTheEditedColoursToEverySelectedControl) {
  auto page = CreateStandardPage(kStandardColorPage);
  ASSERT_NE(page, nullptr);
  ASSERT_TRUE(first_->SetForeColor(Rgb(0, 0, 128)));
  page->SetSelectedControls(Both());
  // A label has BackColor and ForeColor, not BorderColor or FillColor.
  auto* back = page->FindAs<TextBox>("txtBackColor");
  auto* fore = page->FindAs<TextBox>("txtForeColor");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(fore, nullptr);
  EXPECT_EQ(page->Find("txtBorderColor"), nullptr);
  EXPECT_EQ(fore->Text(), "&H800000&");
  EXPECT_FALSE(page->Changed());

  fore->SetText("&H0000FF&");
  EXPECT_TRUE(page->Changed());
  ASSERT_TRUE(page->Apply());
  EXPECT_EQ(first_->ForeColor(), Rgb(255, 0, 0));
  EXPECT_EQ(second_->ForeColor(), Rgb(255, 0, 0));
  EXPECT_EQ(second_->BackColor(), system_color::kButtonFace);  // not edited, not written
  EXPECT_FALSE(page->Changed());

  back->SetText("no colour");
  EXPECT_FALSE(page->Apply().ok());
  EXPECT_TRUE(page->Changed());
  EXPECT_EQ(first_->BackColor(), system_color::kButtonFace);
}

TEST_F(StandardPagesTest, TheFontPageGivesEverySelectedControlAFontOfItsOwn) {
  auto page = CreateStandardPage(kStandardFontPage);
  ASSERT_NE(page, nullptr);
  page->SetSelectedControls(Both());
  auto* name = page->FindAs<TextBox>("txtName");
  auto* size = page->FindAs<TextBox>("txtSize");
  ASSERT_NE(name, nullptr);
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(name->Text(), "MS Sans Serif");
  EXPECT_EQ(size->Text(), "8.25");
  EXPECT_FALSE(page->Changed());

  name->SetText("Arial");
  size->SetText("12");
  ASSERT_TRUE(page->FindAs<CheckBox>("chkBold")->SetValue(check_value::kChecked));
  ASSERT_TRUE(page->Apply());
  for (Label* label : {first_, second_}) {
    EXPECT_EQ(label->Font()->Name(), "Arial") << label->Name();
    EXPECT_EQ(label->Font()->Size().ToDouble(), 12.0) << label->Name();
    EXPECT_TRUE(label->Font()->Bold()) << label->Name();
  }
  EXPECT_NE(first_->Font(), second_->Font());

  size->SetText("0");
  EXPECT_FALSE(page->Apply().ok());
  EXPECT_TRUE(page->Changed());
  EXPECT_EQ(first_->Font()->Size().ToDouble(), 12.0);
  EXPECT_EQ(CreateStandardPage(*automation::Guid::Parse("{7EBDAAE2-8120-11CF-899F-00AA00688B10}")),
            nullptr);
}

}  // namespace
}  // namespace feriant::ui
