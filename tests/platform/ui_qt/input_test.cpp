// Input through the renderer's widgets back into the model: clicks, mouse buttons, keys,
// typed text, check box toggles, resizing by the person and the close box.

#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/text_box.h"
#include "qt_test_support.h"

namespace feriant::ui_qt {
namespace {

using testing::PanelControl;
using testing::Settle;

class InputTest : public testing::QtTest {};

TEST_F(InputTest, AClickOnAPushButtonRaisesItsClickOnlyWhileItTakesInput) {
  auto form = MakeForm();
  auto& button = form->Add<ui::CommandButton>("cmdOK");
  ASSERT_TRUE(button.Move(150, 150, 1125, 345));
  int clicks = 0;
  button.Click().Connect([&] { ++clicks; });
  auto panel = std::make_shared<PanelControl>();
  ASSERT_TRUE(form->AddUserControl(panel, "pnl"));
  ASSERT_TRUE(form->Show());
  Settle();

  QTest::mouseClick(backend().WidgetOf(button), Qt::LeftButton);
  EXPECT_EQ(clicks, 1);
  // The button inside a user control too.
  QTest::mouseClick(backend().WidgetOf(panel->button()), Qt::LeftButton);
  EXPECT_EQ(panel->clicks, 1);
  // Space on the focused button is a press as well.
  backend().WidgetOf(button)->setFocus();
  QTest::keyClick(backend().WidgetOf(button), Qt::Key_Space);
  EXPECT_EQ(clicks, 2);

  // The access key of "&Go" presses the button inside the user control.
  QTest::keyClick(backend().FormWidget(*form), Qt::Key_G, Qt::AltModifier);
  QTest::qWait(300);  // Qt animates an access-key press before it clicks
  EXPECT_EQ(panel->clicks, 2);

  button.SetEnabled(false);
  QTest::mouseClick(backend().WidgetOf(button), Qt::LeftButton);
  EXPECT_EQ(clicks, 2);
}

TEST_F(InputTest, AButtonWhoseClickUnloadsTheFormSurvivesItsOwnHandler) {
  auto form = MakeForm();
  auto& button = form->Add<ui::CommandButton>("cmdClose");
  ASSERT_TRUE(button.Move(150, 150, 1125, 345));
  button.Click().Connect([&] { (void)form->Unload(); });
  ASSERT_TRUE(form->Show());
  Settle();
  QWidget* surface = backend().FormWidget(*form);
  QTest::mouseClick(backend().WidgetOf(button), Qt::LeftButton);
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(surface->isVisible());
  Settle();  // the button's widget is deleted only now
}

TEST_F(InputTest, MouseButtonsShiftStateAndPositionReachMouseDown) {
  auto form = MakeForm();
  auto& label = form->Add<ui::Label>("lblTarget");
  ASSERT_TRUE(label.Move(300, 300, 3000, 1500));
  std::vector<std::tuple<int, int, int, int>> downs;
  std::vector<std::string> order;
  label.MouseDown().Connect([&](int button, int shift, int x, int y) {
    downs.emplace_back(button, shift, x, y);
    order.push_back("down");
  });
  label.MouseUp().Connect([&](int, int, int, int) { order.push_back("up"); });
  label.Click().Connect([&] { order.push_back("click"); });
  ASSERT_TRUE(form->Show());
  Settle();

  const struct {
    Qt::MouseButton button;
    Qt::KeyboardModifiers modifiers;
    QPoint at;
    std::tuple<int, int, int, int> expected;
  } cases[] = {
      {Qt::LeftButton, Qt::NoModifier, QPoint(4, 2), {1, 0, 60, 30}},
      {Qt::RightButton, Qt::ShiftModifier, QPoint(10, 20), {2, 1, 150, 300}},
      {Qt::MiddleButton, Qt::ControlModifier | Qt::AltModifier, QPoint(1, 1), {4, 6, 15, 15}},
  };
  for (const auto& c : cases) {
    downs.clear();
    QTest::mousePress(backend().WidgetOf(label), c.button, c.modifiers, c.at);
    QTest::mouseRelease(backend().WidgetOf(label), c.button, c.modifiers, c.at);
    ASSERT_EQ(downs.size(), 1u);
    EXPECT_EQ(downs[0], c.expected);
  }
  // Only the left button clicks, after MouseDown and MouseUp.
  EXPECT_EQ(order, (std::vector<std::string>{"down", "up", "click", "down", "up", "down", "up"}));
}

TEST_F(InputTest, EnterAndEscapeAreRoutedAsTheModelSays) {
  auto form = MakeForm();
  auto& ok = form->Add<ui::CommandButton>("cmdOK");
  ASSERT_TRUE(ok.Move(150, 1500, 1125, 345));
  ok.SetDefault(true);
  auto& cancel = form->Add<ui::CommandButton>("cmdCancel");
  ASSERT_TRUE(cancel.Move(1500, 1500, 1125, 345));
  cancel.SetCancel(true);
  auto& other = form->Add<ui::CommandButton>("cmdOther");
  ASSERT_TRUE(other.Move(3000, 1500, 1125, 345));
  auto& text = form->Add<ui::TextBox>("txtName");
  ASSERT_TRUE(text.Move(150, 150, 2000, 300));
  std::vector<std::string> pressed;
  for (ui::CommandButton* b : {&ok, &cancel, &other})
    b->Click().Connect([&pressed, b] { pressed.push_back(b->Name()); });
  ASSERT_TRUE(form->Show());
  Settle();

  const struct {
    ui::Control* focus;
    Qt::Key key;
    const char* clicked;  // nullptr: none
  } cases[] = {
      {&text, Qt::Key_Return, "cmdOK"},      {&text, Qt::Key_Enter, "cmdOK"},
      {&text, Qt::Key_Escape, "cmdCancel"},  {&other, Qt::Key_Return, "cmdOther"},
      {&other, Qt::Key_Escape, "cmdCancel"}, {&text, Qt::Key_F5, nullptr},
  };
  for (const auto& c : cases) {
    pressed.clear();
    QWidget* target = backend().WidgetOf(*c.focus);
    target->setFocus();
    Settle();
    QTest::keyClick(target, c.key);
    if (c.clicked == nullptr) {
      EXPECT_TRUE(pressed.empty()) << c.key;
    } else {
      EXPECT_EQ(pressed, std::vector<std::string>{c.clicked}) << c.key;
    }
  }
  // A default button that is disabled takes no Enter.
  ok.SetEnabled(false);
  pressed.clear();
  backend().WidgetOf(text)->setFocus();
  QTest::keyClick(backend().WidgetOf(text), Qt::Key_Return);
  EXPECT_TRUE(pressed.empty());
}

TEST_F(InputTest, FocusTakenInQtIsTheModelsFocus) {
  auto form = MakeForm();
  auto& first = form->Add<ui::TextBox>("txtFirst");
  ASSERT_TRUE(first.Move(150, 150, 2000, 300));
  auto& second = form->Add<ui::TextBox>("txtSecond");
  ASSERT_TRUE(second.Move(150, 600, 2000, 300));
  ASSERT_TRUE(form->Show());
  Settle();
  backend().WidgetOf(second)->setFocus();
  Settle();
  EXPECT_TRUE(second.HasFocus());
  EXPECT_EQ(form->ActiveControl(), &second);
  // And the model's SetFocus moves Qt's focus.
  ASSERT_TRUE(first.SetFocus());
  EXPECT_TRUE(backend().WidgetOf(first)->hasFocus());
}

TEST_F(InputTest, TypedTextGoesThroughTheModelsRules) {
  auto form = MakeForm();
  auto& text = form->Add<ui::TextBox>("txtYear");
  ASSERT_TRUE(text.Move(150, 150, 2000, 300));
  ASSERT_TRUE(text.SetMaxLength(4));
  int changes = 0;
  text.Change().Connect([&] { ++changes; });
  ASSERT_TRUE(form->Show());
  Settle();
  auto* edit = static_cast<QLineEdit*>(backend().WidgetOf(text));
  edit->setFocus();
  QTest::keyClicks(edit, "200612");
  EXPECT_EQ(text.Text(), "2006");
  EXPECT_EQ(edit->text(), "2006");
  EXPECT_EQ(changes, 4);
  QTest::keyClick(edit, Qt::Key_Backspace);
  EXPECT_EQ(text.Text(), "200");

  text.SetLocked(true);
  QTest::keyClicks(edit, "9");
  EXPECT_EQ(text.Text(), "200");
  EXPECT_EQ(edit->text(), "200");
}

TEST_F(InputTest, ACheckBoxClickTogglesTheModelsValue) {
  auto form = MakeForm();
  auto& check = form->Add<ui::CheckBox>("chkAll");
  ASSERT_TRUE(check.Move(150, 150, 2500, 255));
  check.SetCaption("&All regions");
  int clicks = 0;
  check.Click().Connect([&] { ++clicks; });
  ASSERT_TRUE(form->Show());
  Settle();
  auto* box = static_cast<QCheckBox*>(backend().WidgetOf(check));
  const struct {
    int before;
    int after;
    Qt::CheckState shown;
  } cases[] = {{0, 1, Qt::Checked}, {1, 0, Qt::Unchecked}, {2, 0, Qt::Unchecked}};
  for (const auto& c : cases) {
    ASSERT_TRUE(check.SetValue(c.before));
    clicks = 0;
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
    EXPECT_EQ(check.Value(), c.after) << c.before;
    EXPECT_EQ(box->checkState(), c.shown) << c.before;
    EXPECT_EQ(clicks, 1) << c.before;
  }
}

TEST_F(InputTest, ResizingTheWindowResizesTheFormAndRedocks) {
  auto form = MakeForm();
  int resizes = 0;
  form->ResizeEvent().Connect([&] { ++resizes; });
  auto top = std::make_shared<PanelControl>(ui::align::kTop);
  auto bottom = std::make_shared<PanelControl>(ui::align::kBottom);
  ASSERT_TRUE(form->AddUserControl(top, "pnlTop"));
  ASSERT_TRUE(form->AddUserControl(bottom, "pnlBottom"));
  ASSERT_TRUE(form->Show());
  Settle();
  resizes = 0;
  QWidget* surface = backend().FormWidget(*form);
  surface->resize(400, 300);
  Settle();
  EXPECT_EQ(form->ScaleWidth(), 6000);
  EXPECT_EQ(form->ScaleHeight(), 4500);
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(backend().WidgetOf(*top->Site())->geometry(), QRect(0, 0, 400, 40));
  EXPECT_EQ(backend().WidgetOf(*bottom->Site())->geometry(), QRect(0, 260, 400, 40));

  // The model's own size change resizes the window without echoing back.
  ASSERT_TRUE(form->SetClientSize(4500, 3000));
  Settle();
  EXPECT_EQ(surface->size(), QSize(300, 200));
  EXPECT_EQ(form->ScaleWidth(), 4500);
}

TEST_F(InputTest, TheCloseBoxAsksQueryUnloadAndACancelKeepsTheFormOpen) {
  auto form = MakeForm();
  std::vector<ui::UnloadMode> modes;
  bool cancel_next = true;
  form->QueryUnloadEvent().Connect([&](bool& cancel, ui::UnloadMode mode) {
    modes.push_back(mode);
    cancel = cancel_next;
  });
  ASSERT_TRUE(form->Show());
  Settle();
  QWidget* window = backend().FormWidget(*form);
  ASSERT_TRUE(window->isVisible());

  EXPECT_FALSE(window->close());
  EXPECT_TRUE(form->IsLoaded());
  EXPECT_TRUE(window->isVisible());

  cancel_next = false;
  EXPECT_TRUE(window->close());
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(modes, (std::vector<ui::UnloadMode>{ui::UnloadMode::kFormControlMenu,
                                                ui::UnloadMode::kFormControlMenu}));
}

TEST_F(InputTest, AModalFormRunsUntilItIsUnloadedOrHidden) {
  for (bool unload : {true, false}) {
    auto form = MakeForm();
    auto& button = form->Add<ui::CommandButton>("cmdDone");
    ASSERT_TRUE(button.Move(150, 150, 1125, 345));
    button.Click().Connect([&] {
      if (unload) {
        (void)form->Unload();
      } else {
        form->Hide();
      }
    });
    std::vector<std::string> steps;
    QTimer::singleShot(0, [&] {
      steps.push_back(form->IsModal() ? "modal" : "not modal");
      QTest::mouseClick(backend().WidgetOf(button), Qt::LeftButton);
    });
    ASSERT_TRUE(form->Show(/*modal=*/true));
    steps.push_back("returned");
    EXPECT_EQ(steps, (std::vector<std::string>{"modal", "returned"})) << unload;
    EXPECT_EQ(form->IsLoaded(), !unload);
    EXPECT_FALSE(backend().FormWidget(*form)->isVisible());
  }
}

}  // namespace
}  // namespace feriant::ui_qt
