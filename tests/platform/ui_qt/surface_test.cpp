// The renderer's side of windows, input on a user control's own surface, and drawing:
// real widgets under Qt's offscreen platform.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QWidget>

#include "platform/ui/core/window.h"
#include "qt_test_support.h"

namespace feriant::ui_qt {
namespace {

using testing::Settle;
namespace win = ui::window;

// Answers WM_GETMINMAXINFO: the whole window at least 200 x 100 and at most 400 x 300
// pixels.
std::intptr_t LimitTo200To400(win::Handle, std::uint32_t message, std::intptr_t,
                              std::intptr_t lparam) {
  if (message == win::kGetMinMaxInfo) {
    auto* info = reinterpret_cast<win::MinMaxInfo*>(lparam);
    info->min_track_size = {200, 100};
    info->max_track_size = {400, 300};
  }
  return 0;
}

class SurfaceTest : public testing::QtTest {};

TEST_F(SurfaceTest, AWindowCannotBeResizedPastTheLimitsItsProcedureAnswers) {
  auto form = MakeForm(4500, 3000);
  ASSERT_NE(win::SetProcedure(form->hWnd(), &LimitTo200To400), nullptr);
  ASSERT_TRUE(form->Show());
  Settle();
  QWidget* window = backend().FormWidget(*form);
  // The sizable frame takes 8 x 27 pixels of the whole window.
  EXPECT_EQ(window->minimumSize(), QSize(192, 73));
  EXPECT_EQ(window->maximumSize(), QSize(392, 273));
  struct Case {
    QSize asked;
    QSize got;
  };
  const Case cases[] = {
      {{50, 40}, {192, 73}},
      {{1000, 1000}, {392, 273}},
      {{250, 150}, {250, 150}},
  };
  for (const Case& c : cases) {
    window->resize(c.asked);
    Settle();
    EXPECT_EQ(window->size(), c.got) << c.asked.width();
    // The model follows the window.
    EXPECT_EQ(form->ScaleWidth(), c.got.width() * 15) << c.asked.width();
    EXPECT_EQ(form->ScaleHeight(), c.got.height() * 15) << c.asked.width();
  }
}

}  // namespace
}  // namespace feriant::ui_qt
