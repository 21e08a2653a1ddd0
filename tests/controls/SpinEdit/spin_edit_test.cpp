#include "controls/SpinEdit/spin_edit.h"

#include <chrono>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/input.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
using std::chrono::milliseconds;
namespace input = ui::input;
using ::testing::ElementsAre;

class SpinEditTest : public ui::testing::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    auto placed = form_->AddUserControl(spin_, "spn");
    ASSERT_TRUE(placed.ok());
    site_ = *placed;
    sink_
        ->On("Change", spin_edit::event::kChange,
             [this](std::span<Variant>) { log.push_back("Change " + spin_->Text()); })
        .On("MapForDisplay", spin_edit::event::kMapForDisplay, [this](std::span<Variant> args) {
          log.push_back("Map " + *args[0].ToString());
          if (map) args[0] = Variant(map(*args[0].ToString()));
        });
    spin_->Events().Advise(sink_);
  }
  ui::TextBox& Txt() { return *spin_->FindAs<ui::TextBox>("txt"); }
  // A point in the upper (or lower) half of the button, in the control's twips.
  int ButtonX() { return spin_->ButtonLeft() + 30; }
  int ButtonY(bool upper) { return spin_->ButtonTop() + (upper ? 15 : 240); }

  std::shared_ptr<SpinEdit> spin_ = std::make_shared<SpinEdit>();
  ui::Extender* site_ = nullptr;
  std::shared_ptr<automation::EventSink> sink_ = std::make_shared<automation::EventSink>();
  std::vector<std::string> log;
  std::function<std::string(const std::string&)> map;
};

TEST_F(SpinEditTest, ValueIsClampedAndShownAsTheFormMapsIt) {
  struct Case {
    std::int32_t put;
    std::int32_t value;
  };
  for (const Case& c : {Case{50, 50}, Case{-5, 0}, Case{101, 100}, Case{100, 100}}) {
    spin_->SetValue(c.put);
    EXPECT_EQ(spin_->Value(), c.value) << c.put;
    EXPECT_EQ(spin_->Text(), std::to_string(c.value)) << c.put;
  }
  // Lowering Max re-clamps and redisplays; Change is for the person's edits only.
  log.clear();
  map = [](const std::string& s) { return s + " %"; };
  ASSERT_TRUE(site_->Put("Max", 40));
  EXPECT_EQ(spin_->Value(), 40);
  EXPECT_EQ(spin_->Text(), "40 %");
  EXPECT_THAT(log, ElementsAre("Map 40"));
  EXPECT_EQ(*site_->Get("Value"), Variant(std::int32_t{40}));
  EXPECT_EQ(*site_->Call("IsValid"), Variant(std::int32_t{3}));  // the display is no number
}

TEST_F(SpinEditTest, TypingSetsTheValueWithoutRewritingTheText) {
  struct Case {
    const char* typed;
    std::int32_t value;
    std::int32_t valid;
  };
  const Case cases[] = {
      {"42", 42, text_valid::kYes},
      {" 7 ", 7, text_valid::kYes},
      {"150", 100, text_valid::kOutOfBounds},
      {"-3", 0, text_valid::kOutOfBounds},
      {"abc", 0, text_valid::kNotNumeric},
      {"", 0, text_valid::kNotNumeric},
      {"0x10", 0, text_valid::kNotNumeric},
      {"12.5", 12, text_valid::kYes},  // half to even
      {"13.5", 14, text_valid::kYes},
      {"1e1", 10, text_valid::kYes},
      {"+8", 8, text_valid::kYes},
      {"1.2.3", 0, text_valid::kNotNumeric},
      // Beyond 32 bits is beyond Max all the same.
      {"99999999999", 100, text_valid::kOutOfBounds},
      {"-99999999999", 0, text_valid::kOutOfBounds},
  };
  for (const Case& c : cases) {
    spin_->SetValue(55);
    log.clear();
    ASSERT_TRUE(input::EditText(Txt(), c.typed));
    EXPECT_EQ(spin_->Value(), c.value) << c.typed;
    EXPECT_EQ(spin_->Text(), c.typed);
    EXPECT_EQ(spin_->IsValid(), c.valid) << c.typed;
    EXPECT_THAT(log, ElementsAre(std::string("Change ") + c.typed));
  }
}

TEST_F(SpinEditTest, KeysStepByTheSmallOrBigStepAndPageKeysJumpToTheLimits) {
  spin_->SetMax(1000);
  spin_->SetStepBig(250);
  struct Case {
    int key;
    int shift;
    std::int32_t value;
  };
  const Case cases[] = {
      {38, 0, 501},
      {38, ui::shift::kShift, 751},
      {40, 0, 750},
      {38, ui::shift::kShift, 1000},
      {40, ui::shift::kShift, 750},
      {33, 0, 1000},
      {34, 0, 0},
      {40, 0, 0},
  };
  spin_->SetValue(500);
  for (const Case& c : cases) {
    log.clear();
    Result<bool> taken = input::KeyDown(Txt(), c.key, c.shift);
    ASSERT_TRUE(taken.ok());
    EXPECT_TRUE(*taken) << c.key;
    ASSERT_TRUE(input::KeyUp(Txt(), c.key, c.shift));
    EXPECT_EQ(spin_->Value(), c.value) << c.key << " " << c.shift;
    // Every key that changes the value is an edit the form hears of.
    EXPECT_THAT(log,
                ElementsAre("Map " + std::to_string(c.value), "Change " + std::to_string(c.value)))
        << c.key;
  }
  // The smallest 32-bit step, negated for the Down key, is the largest step upwards.
  spin_->SetStepSmall(std::numeric_limits<std::int32_t>::min());
  spin_->SetValue(50);
  for (auto [key, value] : {std::pair{40, 1000}, std::pair{38, 0}}) {
    ASSERT_TRUE(input::KeyDown(Txt(), key, 0));
    ASSERT_TRUE(input::KeyUp(Txt(), key, 0));
    EXPECT_EQ(spin_->Value(), value) << key;
  }
  // Disabled: the disabled image, the value as it was.
  ASSERT_TRUE(site_->Put("Enabled", false));
  EXPECT_EQ(spin_->FrontFace(), SpinEdit::Face::kDisabled);
  EXPECT_EQ(spin_->Text(), "0");
}

TEST_F(SpinEditTest, HoldingTheUpperHalfRepeatsAfter300ThenEvery80MillisecondsUpToMax) {
  spin_->SetMax(6);
  ASSERT_TRUE(input::MouseDown(*site_, ui::mouse_button::kLeft, 0, ButtonX(), ButtonY(true)));
  EXPECT_EQ(spin_->Value(), 1);  // at once
  EXPECT_EQ(spin_->FrontFace(), SpinEdit::Face::kUpperPressed);
  EXPECT_EQ(Txt().SelStart(), 1);
  struct Step {
    int advance_ms;
    std::int32_t value;
  };
  for (const Step& s :
       {Step{299, 1}, Step{1, 2}, Step{79, 2}, Step{1, 3}, Step{80, 4}, Step{400, 6}}) {
    backend().Advance(milliseconds(s.advance_ms));
    EXPECT_EQ(spin_->Value(), s.value) << s.advance_ms;
  }
  ASSERT_TRUE(input::MouseUp(*site_, ui::mouse_button::kLeft, 0, ButtonX(), ButtonY(true)));
  EXPECT_EQ(spin_->FrontFace(), SpinEdit::Face::kNormal);
  EXPECT_EQ(backend().RunningTimers(), 0u);
  // The lower half with Shift steps down by the big step; a double click steps once more.
  ASSERT_TRUE(input::MouseDown(*site_, ui::mouse_button::kLeft, ui::shift::kShift, ButtonX(),
                               ButtonY(false)));
  ASSERT_TRUE(input::MouseUp(*site_, ui::mouse_button::kLeft, 0, ButtonX(), ButtonY(false)));
  EXPECT_EQ(spin_->Value(), 0);
  spin_->SetValue(5);
  ASSERT_TRUE(input::MouseDown(*site_, ui::mouse_button::kLeft, 0, ButtonX(), ButtonY(false)));
  ASSERT_TRUE(input::MouseUp(*site_, ui::mouse_button::kLeft, 0, ButtonX(), ButtonY(false)));
  ASSERT_TRUE(input::DblClick(*site_));
  EXPECT_EQ(spin_->Value(), 3);
  // The text box is no button.
  ASSERT_TRUE(input::MouseDown(*site_, ui::mouse_button::kLeft, 0, 100, ButtonY(true)));
  EXPECT_EQ(spin_->Value(), 3);
}

TEST_F(SpinEditTest, ButtonImagesBlendWithTheButtonFaceAndTheLayoutFollowsThem) {
  for (int i = 0; i < 4; ++i) {
    const auto& face = spin_->FaceImage(static_cast<SpinEdit::Face>(i));
    ASSERT_EQ(face->PixelWidth(), 13);
    ASSERT_EQ(face->PixelHeight(), 17);
    int blended = 0;
    for (int y = 0; y < 17; ++y) {
      for (int x = 0; x < 13; ++x) {
        EXPECT_NE(*face->Pixel(x, y), ui::Rgb(255, 0, 255)) << i << " " << x << "," << y;
        blended += *face->Pixel(x, y) == ui::ResolveColor(ui::system_color::kButtonFace);
      }
    }
    EXPECT_GT(blended, 20) << i;
  }
  ASSERT_TRUE(site_->SetWidth(3000));
  EXPECT_EQ(spin_->Height(), 255 + 60);  // 17 pixels at 15 twips, and the frame
  EXPECT_EQ(Txt().Left(), 15);
  EXPECT_EQ(Txt().Top(), 30);
  EXPECT_EQ(Txt().Width(), 3000 - 195 - 75);
  EXPECT_EQ(spin_->ButtonLeft(), 15 + 3000 - 195 - 75);
}

TEST_F(SpinEditTest, PropertiesSurviveASaveAndLoad) {
  spin_->SetMin(-20);
  spin_->SetMax(20);
  spin_->SetStepSmall(2);
  spin_->SetStepBig(1);
  spin_->SetValue(-7);
  spin_->SetEditEnabled(false);
  spin_->SetEditBoxEnabled(false);
  ASSERT_TRUE(spin_->SetEditBackColor(ui::Rgb(1, 2, 3)));
  spin_->EditFont()->SetBold(true);
  ui::PropertyBag bag;
  ASSERT_TRUE(spin_->Save(bag));
  auto copy = std::make_shared<SpinEdit>();
  ASSERT_TRUE(form_->SiteUserControl(copy, "spn2").ok());
  ASSERT_TRUE(copy->Load(bag));
  for (const char* name : {"Min", "Max", "StepSmall", "StepBig", "Value", "Text", "EditEnabled",
                           "BackColor", "Enabled"})
    EXPECT_EQ(*copy->Get(name), *spin_->Get(name)) << name;
  EXPECT_TRUE(copy->EditFont()->Bold());
  EXPECT_EQ(copy->FrontFace(), SpinEdit::Face::kDisabled);
  // Defaults are left out of the store; a fresh one reads them back.
  ui::PropertyBag fresh;
  auto plain = std::make_shared<SpinEdit>();
  ASSERT_TRUE(form_->AddUserControl(plain, "spn3").ok());
  ASSERT_TRUE(plain->Save(fresh));
  for (const char* key :
       {"Min", "Max", "StepSmall", "StepBig", "Value", "EditEnabled", "BackColor", "Enabled"})
    EXPECT_FALSE(fresh.Contains(key)) << key;
}

}  // namespace
}  // namespace feriant::lumatrel
