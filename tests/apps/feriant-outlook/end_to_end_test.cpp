// The calendar shell with the real add-in and control library, registered with
// feriant-regsvr in a registry of the test's own: the add-in is loaded at start, its
// toolbar button opens the dialog, the dialog's widgets stand where its layout put them,
// Import writes the calendar and the view shows the new appointments.

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>

#include "apps/feriant-outlook/outlook_window.h"
#include "hosts/outlook/explorer.h"
#include "hosts/outlook/outlook.h"
#include "platform/base/clock.h"
#include "platform/components/component_registry.h"
#include "tests/platform/ui_qt/qt_test_support.h"
#include "tests/support/scratch_dir.h"

namespace feriant::outlook_shell {
namespace {

using ui_qt::testing::Settle;

QPushButton* PushButton(QWidget& parent, const QString& text) {
  for (QPushButton* button : parent.findChildren<QPushButton*>()) {
    if (button->text() == text) return button;
  }
  return nullptr;
}

int RunCommand(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class EndToEndTest : public ui_qt::testing::QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    ::setenv("FERIANT_REGISTRY", (dir_.path() / "registry.json").c_str(), 1);
    for (const char* library : {FERIANT_LUMATREL_LIBRARY, FERIANT_ADDIN_LIBRARY}) {
      ASSERT_EQ(RunCommand(std::string(FERIANT_REGSVR) + " '" + library + "'"), 0) << library;
    }
    base::SetCurrentClock(std::make_shared<base::FixedClock>(
        std::chrono::local_days{std::chrono::year(2026) / 1 / 15}));
  }
  void TearDown() override {
    base::SetCurrentClock(nullptr);
    QtTest::TearDown();
    ::unsetenv("FERIANT_REGISTRY");
  }

  testing::ScratchDir dir_;
};

TEST_F(EndToEndTest, TheToolbarButtonOpensTheDialogAndImportFillsTheView) {
  const std::filesystem::path calendar = dir_.path() / "holidays.ics";
  auto bars = office::CommandBars::Create();
  outlook::OutlookOptions options;
  options.active_explorer = std::make_shared<outlook::Explorer>(bars, "Calendar");
  auto application = outlook::CreateOutlookApplication(calendar, options);
  OutlookWindow window(bars, application, calendar);
  window.SetAddInManager(std::make_unique<host_shell::AddInManager>(
      registry::Registry::CurrentUser(), "Software\\Microsoft\\Office\\Outlook", application,
      [](std::string_view prog_id) { return components::CreateObject(prog_id); }));
  window.show();
  window.ConnectAddIns();
  Settle();
  ASSERT_EQ(window.add_ins()->Connected(), std::vector<std::string>{"Feriant.ConnectOutlook"});
  const auto button = window.AddInToolbarButton();
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(window.toolbars().size(), 1u);
  EXPECT_EQ(window.toolbars()[0]->windowTitle(), "Quillmark");
  EXPECT_FALSE(window.ActionOf(*button)->icon().isNull());
  EXPECT_EQ(window.view()->topLevelItemCount(), 0);

  // Inside the dialog's modal loop: check the layout, press Import, answer the message
  // box, then press Alt+L (the language box) and Esc (Close). The dialog lives in the add-in
  // library, so it is reached through its widgets, as a person reaches it.
  enum class Step { kOpen, kImporting, kImported, kDone } step = Step::kOpen;
  int turns = 0;
  QTimer driver;
  driver.setInterval(50);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (++turns > 400) {  // 20 s: give up rather than hang
      ADD_FAILURE() << "the dialog did not get through its steps";
      if (modal != nullptr) modal->close();
      driver.stop();
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      EXPECT_EQ(step, Step::kImporting) << box->text().toStdString();
      box->defaultButton() != nullptr ? box->defaultButton()->click() : box->accept();
      step = Step::kImported;
      return;
    }
    if (modal == nullptr || modal == &window) return;
    QPushButton* import = PushButton(*modal, "&Import");
    ASSERT_NE(import, nullptr);
    if (step == Step::kOpen) {
      // The designed client area (9465 x 7965 twips) at 15 twips per pixel, and the
      // input column from 3720 twips on, 5580 wide, with Import at 6665 twips.
      EXPECT_EQ(modal->size(), QSize(631, 531));
      EXPECT_EQ(import->pos(), QPoint(248, 444));
      const auto boxes = modal->findChildren<QComboBox*>();
      ASSERT_FALSE(boxes.isEmpty());
      EXPECT_EQ(boxes.front()->geometry().left(), 248);
      EXPECT_EQ(boxes.front()->width(), 372);
      const auto trees = modal->findChildren<QTreeView*>();
      ASSERT_EQ(trees.size(), 1);
      EXPECT_EQ(trees.front()->geometry().left(), 248);
      EXPECT_EQ(trees.front()->width(), 372);
      // Posted: the run's message box opens a loop of its own, in which this timer must
      // fire again.
      QTimer::singleShot(0, import, [import] { QTest::mouseClick(import, Qt::LeftButton); });
      step = Step::kImporting;
      return;
    }
    if (step == Step::kImported && import->isVisible()) {
      QTimer::singleShot(0, modal, [modal] {
        // "&Language:" and "C&lose" share L: it moves to the language box and closes
        // nothing. Esc closes.
        QTest::keyClick(modal, Qt::Key_L, Qt::AltModifier);
        EXPECT_TRUE(modal->isVisible());
        EXPECT_NE(qobject_cast<QComboBox*>(modal->focusWidget()), nullptr);
        QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Escape);
      });
      step = Step::kDone;
    }
  });
  driver.start();
  window.Execute(button);  // returns when the dialog is closed
  driver.stop();

  EXPECT_EQ(step, Step::kDone);
  EXPECT_TRUE(std::filesystem::exists(calendar));
  EXPECT_GT(window.view()->topLevelItemCount(), 5);
  window.DisconnectAddIns();
}

}  // namespace
}  // namespace feriant::outlook_shell
