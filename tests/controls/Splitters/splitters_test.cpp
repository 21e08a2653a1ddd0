#include "controls/Splitters/splitters.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "controls/support/identities.h"
#include "platform/automation/events.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/input.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;
namespace input = ui::input;
constexpr int kLeft = ui::mouse_button::kLeft;

class SplittersTest : public ui::testing::ShownFormTest {
 protected:
  void SetUp() override {
    ShownFormTest::SetUp();
    ASSERT_TRUE(form_->SetClientSize(9000, 6000));
    sink_->On("Move", splitter_event::kMove, [this](std::span<Variant>) { ++moves; });
  }
  template <class T>
  ui::Extender& Place(std::shared_ptr<T> bar, const char* name) {
    auto placed = form_->AddUserControl(bar, name);
    EXPECT_TRUE(placed.ok());
    bar->Events().Advise(sink_);
    return **placed;
  }
  // A press, one move by `delta` along the axis, and the release, in the bar's twips.
  void Drag(ui::Extender& bar, bool along_x, int delta) {
    const int x0 = 30, y0 = 30;
    ASSERT_TRUE(input::MouseDown(bar, kLeft, 0, x0, y0));
    ASSERT_TRUE(
        input::MouseMove(bar, kLeft, 0, along_x ? x0 + delta : x0, along_x ? y0 : y0 + delta));
    ASSERT_TRUE(input::MouseUp(bar, kLeft, 0, x0, y0));
  }

  std::shared_ptr<automation::EventSink> sink_ = std::make_shared<automation::EventSink>();
  int moves = 0;
};

TEST_F(SplittersTest, DraggingSidewaysKeepsBothMinimumWidths) {
  struct Case {
    int left_width, right_width, left_min, right_min;
    int drag;      // twips, negative to the left
    int expected;  // how far the bar moves
  };
  const Case cases[] = {
      {2000, 3000, 300, 300, -2000, -1700},
      {2000, 1000, 500, 300, 900, 700},
      {2000, 3000, 300, 300, -500, -500},
      {2000, 3000, 300, 300, 400, 400},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string id = std::to_string(++n);
    auto& left = form_->Add<ui::TextBox>("txtLeft" + id);
    auto& right = form_->Add<ui::TextBox>("txtRight" + id);
    ASSERT_TRUE(left.Move(0, 0, c.left_width, 1000));
    ASSERT_TRUE(right.Move(c.left_width + 60, 0, c.right_width, 1000));
    auto& bar = Place(std::make_shared<HorzSplitter>(), ("hsp" + id).c_str());
    ASSERT_TRUE(bar.Move(c.left_width, 0, 500, 1000));
    EXPECT_EQ(bar.Width(), 60);  // the bar keeps its thickness
    ASSERT_TRUE(bar.PutRef("LeftControl", Variant(left.shared_from_this())));
    ASSERT_TRUE(bar.PutRef("RightControl", Variant(right.shared_from_this())));
    ASSERT_TRUE(bar.Put("LeftControlMinWidth", c.left_min));
    ASSERT_TRUE(bar.Put("RightControlMinWidth", c.right_min));
    Drag(bar, /*along_x=*/true, c.drag);
    EXPECT_EQ(bar.Left(), c.left_width + c.expected) << c.drag;
    EXPECT_EQ(left.Width(), c.left_width + c.expected) << c.drag;
    EXPECT_EQ(right.Width(), c.right_width - c.expected) << c.drag;
    EXPECT_EQ(right.Left(), c.left_width + 60 + c.expected) << c.drag;
  }
}

TEST_F(SplittersTest, VerticalBarResizesTopAndBottomAndWithoutNeighboursOnlyRaisesMove) {
  auto& top = form_->Add<ui::TextBox>("txtTop");
  auto& bottom = form_->Add<ui::TextBox>("txtBottom");
  ASSERT_TRUE(top.Move(0, 0, 3000, 1000));
  ASSERT_TRUE(bottom.Move(0, 1060, 3000, 2000));
  auto& bar = Place(std::make_shared<VertSplitter>(), "vsp");
  ASSERT_TRUE(bar.Move(0, 1000, 3000, 60));
  Drag(bar, /*along_x=*/false, 500);  // no neighbours yet
  EXPECT_EQ(moves, 1);
  EXPECT_EQ(bar.Top(), 1000);
  ASSERT_TRUE(bar.PutRef("TopControl", Variant(top.shared_from_this())));
  ASSERT_TRUE(bar.PutRef("BottomControl", Variant(bottom.shared_from_this())));
  Drag(bar, /*along_x=*/false, 2000);  // the bottom keeps its 300
  EXPECT_EQ(bar.Top(), 2700);
  EXPECT_EQ(top.Height(), 2700);
  EXPECT_EQ(bottom.Top(), 2760);
  EXPECT_EQ(bottom.Height(), 300);
  // A move without the button held ends the drag.
  ASSERT_TRUE(input::MouseDown(bar, kLeft, 0, 30, 30));
  ASSERT_TRUE(input::MouseMove(bar, 0, 0, 30, -500));
  ASSERT_TRUE(input::MouseMove(bar, kLeft, 0, 30, -500));
  EXPECT_EQ(bar.Top(), 2700);
  EXPECT_EQ(moves, 4);
}

TEST_F(SplittersTest, MinimumsPersistAndNeighboursDoNot) {
  auto bar = std::make_shared<HorzSplitter>();
  auto& site = Place(bar, "hsp");
  ASSERT_TRUE(site.Put("LeftControlMinWidth", 450));
  ASSERT_TRUE(site.PutRef("RightControl", Variant(site.shared_from_this())));
  ui::PropertyBag bag;
  ASSERT_TRUE(bar->Save(bag));
  EXPECT_EQ(bag.Keys(), std::vector<std::string>{"LeftControlMinWidth"});
  auto copy = std::make_shared<HorzSplitter>();
  ASSERT_TRUE(form_->SiteUserControl(copy, "hsp2").ok());
  ASSERT_TRUE(copy->Load(bag));
  EXPECT_EQ(*copy->Get("LeftControlMinWidth"), Variant(std::int32_t{450}));
  EXPECT_EQ(*copy->Get("RightControlMinWidth"), Variant(std::int32_t{300}));
  EXPECT_EQ(copy->Bar().after.lock(), nullptr);
}

}  // namespace
}  // namespace feriant::lumatrel
