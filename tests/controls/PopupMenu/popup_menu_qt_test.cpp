#include <memory>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "controls/PopupMenu/popup_menu.h"
#include "tests/platform/ui_qt/qt_test_support.h"

namespace feriant::lumatrel {
namespace {

class PopupMenuQtTest : public ui_qt::testing::QtTest {};

// Clicks `caption` of the open menu with `button`; false when no menu is open.
bool ClickEntry(const char* caption, Qt::MouseButton button) {
  auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  if (menu == nullptr) return false;
  for (QAction* action : menu->actions()) {
    if (action->text() == caption)
      QTest::mouseClick(menu, button, {}, menu->actionGeometry(action).center());
  }
  return true;
}

TEST_F(PopupMenuQtTest, TheClickButtonDecidesWhetherTheRightButtonChooses) {
  auto form = MakeForm(6000, 4500);
  auto popup = std::make_shared<PopupMenu>();
  ASSERT_TRUE(form->AddUserControl(popup, "pop").ok());
  for (const char* key : {"cut", "copy", "paste"})
    popup->MenuItems()->Add(key, key);
  ASSERT_TRUE(form->Show());
  ui_qt::testing::Settle();
  struct Case {
    int click_button;
    int chosen;  // a right click on "copy", then a left click on "paste" if still open
  };
  const Case cases[] = {{popup_menu::zentpmLeftButton, 3}, {popup_menu::zentpmRightButton, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click_button);
    bool shown = false;
    QTimer::singleShot(50, [&] {
      shown = ClickEntry("copy", Qt::RightButton);
      if (QApplication::activePopupWidget() != nullptr)
        QTimer::singleShot(50, [] { ClickEntry("paste", Qt::LeftButton); });
    });
    auto chosen = popup->Popup(300, 300, popup_menu::zentpmLeftAlign, c.click_button);
    ASSERT_TRUE(chosen.ok());
    EXPECT_TRUE(shown);
    EXPECT_EQ(*chosen, c.chosen);
    ui_qt::testing::Settle();
  }
}

}  // namespace
}  // namespace feriant::lumatrel
