#include "controls/SizeConstraint/size_constraint.h"

#include <memory>

#include <gtest/gtest.h>

#include "platform/ui/core/extender.h"
#include "platform/ui/core/form.h"
#include "platform/ui/core/input.h"
#include "platform/ui/persistence/property_bag.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::lumatrel {
namespace {

namespace window = ui::window;
using automation::Variant;

int form_procedure_calls = 0;
std::intptr_t CountingProcedure(window::Handle w, std::uint32_t m, std::intptr_t wp,
                                std::intptr_t lp) {
  if (m == window::kGetMinMaxInfo) ++form_procedure_calls;
  return window::DefaultProcedure(w, m, wp, lp);
}

class SizeConstraintTest : public ui::testing::ShownFormTest {};

TEST_F(SizeConstraintTest, LimitsTheFormsSizeWhileItRuns) {
  ASSERT_NE(window::SetProcedure(form_->hWnd(), &CountingProcedure), nullptr);
  auto constraint = std::make_shared<SizeConstraint>();
  auto placed = form_->AddUserControl(constraint, "szc");
  ASSERT_TRUE(placed.ok());
  // 32 x 32 pixels, whatever size it is given.
  ASSERT_TRUE((*placed)->Move(0, 0, 2000, 100));
  EXPECT_EQ((*placed)->Width(), 32 * 15);
  EXPECT_EQ((*placed)->Height(), 32 * 15);
  EXPECT_EQ(constraint->HookedWindow(), form_->hWnd());

  // 3000 twips at 15 twips a pixel: 200 pixels of the whole window.
  ASSERT_TRUE((*placed)->Put("MinWidth", 3000));
  ASSERT_TRUE((*placed)->Put("MaxHeight", 4500));
  const int frame_w = backend().FrameWidth(form_->BorderStyle());
  const int frame_h = backend().FrameHeight(form_->BorderStyle());
  form_procedure_calls = 0;
  ASSERT_TRUE(form_->SetClientSize(100, 9000));
  EXPECT_EQ(form_->Width(), 3000);
  EXPECT_EQ(form_->Height(), 4500);
  EXPECT_EQ(form_->ScaleWidth(), 3000 - frame_w);
  EXPECT_EQ(form_->ScaleHeight(), 4500 - frame_h);
  EXPECT_EQ(form_procedure_calls, 0);  // answered by the constraint alone

  // A new, smaller maximum takes effect at once.
  ASSERT_TRUE((*placed)->Put("MaxHeight", 3000));
  EXPECT_EQ(form_->Height(), 3000);
  // Its limits survive a save; unloading the form lets the window go.
  ui::PropertyBag bag;
  ASSERT_TRUE(constraint->Save(bag));
  EXPECT_EQ(*bag.ReadProperty("MinWidth"), Variant(std::int32_t{3000}));
  EXPECT_FALSE(bag.Contains("MaxWidth"));
  ASSERT_TRUE(form_->Unload());
  EXPECT_EQ(constraint->HookedWindow(), 0);
}

TEST_F(SizeConstraintTest, OnADesignSurfaceItHooksNothing) {
  auto designed = std::make_shared<ui::Form>("frmDesign");
  designed->SetUserMode(false);
  ASSERT_TRUE(designed->Load());
  auto constraint = std::make_shared<SizeConstraint>();
  ASSERT_TRUE(designed->AddUserControl(constraint, "szc").ok());
  constraint->Set(SizeConstraint::kMinWidth, 6000);
  EXPECT_EQ(constraint->HookedWindow(), 0);
  ASSERT_TRUE(designed->SetClientSize(1000, 1000));
  EXPECT_EQ(designed->ScaleWidth(), 1000);
  // Its box is drawn there, and on a running form not at all.
  auto running = std::make_shared<SizeConstraint>();
  ASSERT_TRUE(form_->AddUserControl(running, "szc").ok());
  for (SizeConstraint* c : {constraint.get(), running.get()})
    c->Paint();
  EXPECT_FALSE(constraint->Drawing().Commands().empty());
  EXPECT_TRUE(running->Drawing().Commands().empty());
}

}  // namespace
}  // namespace feriant::lumatrel
