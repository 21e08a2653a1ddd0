#include <memory>

#include <gtest/gtest.h>

#include <QWidget>

#include "controls/SizeConstraint/size_constraint.h"
#include "tests/platform/ui_qt/qt_test_support.h"

namespace feriant::lumatrel {
namespace {

class SizeConstraintQtTest : public ui_qt::testing::QtTest {};

TEST_F(SizeConstraintQtTest, ARealWindowCannotBeDraggedBeyondTheLimits) {
  auto form = MakeForm(6000, 4500);
  auto constraint = std::make_shared<SizeConstraint>();
  ASSERT_TRUE(form->AddUserControl(constraint, "szc").ok());
  constraint->Set(SizeConstraint::kMinWidth, 3000);   // 200 pixels
  constraint->Set(SizeConstraint::kMinHeight, 1500);  // 100 pixels
  constraint->Set(SizeConstraint::kMaxWidth, 7500);   // 500 pixels
  ASSERT_TRUE(form->Show());
  ui_qt::testing::Settle();
  QWidget* window = backend().FormWidget(*form);
  ASSERT_NE(window, nullptr);
  // The limits are of the whole window; the widget is its client area.
  const int frame_w = backend().FrameWidth(form->BorderStyle()) / 15;
  const int frame_h = backend().FrameHeight(form->BorderStyle()) / 15;
  struct Case {
    QSize asked;
    QSize got;
  };
  const Case cases[] = {
      {{50, 40}, {200 - frame_w, 100 - frame_h}},
      {{900, 600}, {500 - frame_w, 600}},
      {{300, 200}, {300, 200}},
  };
  for (const Case& c : cases) {
    window->resize(c.asked);
    ui_qt::testing::Settle();
    EXPECT_EQ(window->size(), c.got) << c.asked.width();
    EXPECT_EQ(form->ScaleWidth(), c.got.width() * 15) << c.asked.width();
  }
}

}  // namespace
}  // namespace feriant::lumatrel
