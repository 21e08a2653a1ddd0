#include "controls/SpinEdit/prp_spin_edit.h"

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/core/input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

using automation::Variant;

class prpSpinEditTest : public ui::testing::UiTest {};

TEST_F(prpSpinEditTest, LoadsTheFirstSelectedControlAndAppliesToAll) {
  std::vector<std::shared_ptr<SpinEdit>> spins = {std::make_shared<SpinEdit>(),
                                                  std::make_shared<SpinEdit>()};
  spins[0]->SetMin(-50);
  spins[0]->SetMax(5000);
  spins[0]->SetStepSmall(3);
  spins[0]->SetStepBig(300);
  spins[0]->SetValue(1234);
  prpSpinEdit page;
  page.Show();
  page.SetSelectedControls({spins[0], spins[1]});
  const std::int32_t loaded[] = {3, 300, -50, 5000, 1234};
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(page.Field(i).Value(), loaded[i]) << i;
  EXPECT_FALSE(page.Changed());

  // Typing into a field marks the page changed. Min above the old Max: the order of the
  // writes (limits before the value) decides what the controls end up with.
  auto type = [&](size_t field, const char* text) {
    ASSERT_TRUE(ui::input::EditText(*page.Field(field).FindAs<ui::TextBox>("txt"), text));
  };
  type(2, "200");
  EXPECT_TRUE(page.Changed());
  type(3, "900");
  type(4, "700");
  ASSERT_TRUE(page.Apply());
  EXPECT_FALSE(page.Changed());
  for (const auto& spin : spins) {
    EXPECT_EQ(spin->StepSmall(), 3);
    EXPECT_EQ(spin->StepBig(), 300);
    EXPECT_EQ(spin->Min(), 200);
    EXPECT_EQ(spin->Max(), 900);
    EXPECT_EQ(spin->Value(), 700);
  }
  // Page Up is an edit of the field as well.
  ASSERT_TRUE(ui::input::KeyDown(*page.Field(1).FindAs<ui::TextBox>("txt"), 33, 0));
  EXPECT_TRUE(page.Changed());
}

}  // namespace
}  // namespace feriant::lumatrel
