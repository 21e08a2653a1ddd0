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

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include "addin/dialog/frm_add_in.h"
#include "apps/feriant-outlook/outlook_window.h"
#include "hosts/outlook/explorer.h"
#include "hosts/outlook/outlook.h"
#include "platform/base/clock.h"
#include "platform/components/component_registry.h"
#include "platform/ui/core/extender.h"
#include "platform/ui/core/user_control.h"
#include "tests/platform/ui_qt/qt_test_support.h"
#include "tests/support/scratch_dir.h"

namespace feriant::outlook_shell {
namespace {

using ui_qt::testing::Settle;

int Run(const std::string& command) {
  const int status = std::system((command + " >/dev/null 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class EndToEndTest : public ui_qt::testing::QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    ::setenv("FERIANT_REGISTRY", (dir_.path() / "registry.json").c_str(), 1);
    for (const char* library : {FERIANT_LUMATREL_LIBRARY, FERIANT_ADDIN_LIBRARY}) {
      ASSERT_EQ(Run(std::string(FERIANT_REGSVR) + " '" + library + "'"), 0) << library;
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
  // box, then press Close.
  enum class Step { kOpen, kImported, kDone } step = Step::kOpen;
  int turns = 0;
  QTimer driver;
  driver.setInterval(50);
  QObject::connect(&driver, &QTimer::timeout, [&] {
    if (++turns > 400) {  // 20 s: give up rather than hang
      ADD_FAILURE() << "the dialog did not get through its steps";
      if (auto* dialog = dialog::AddInDialog()) (void)dialog->Unload();
      driver.stop();
      return;
    }
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      box->defaultButton() != nullptr ? box->defaultButton()->click() : box->accept();
      if (step == Step::kOpen) step = Step::kImported;
      return;
    }
    dialog::frmAddIn* dialog = dialog::AddInDialog();
    if (dialog == nullptr || !dialog->Visible()) return;
    QWidget* import = backend().WidgetOf(*dialog->Find("cmdImport"));
    if (step == Step::kOpen) {
      for (const char* name : {"cboCountry", "trvRegions", "cmdImport", "btl", "wto"}) {
        const ui::Control& control = *dialog->Find(name);
        QWidget* widget = backend().WidgetOf(control);
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry(), QRect(control.Left() / 15, control.Top() / 15,
                                            control.Width() / 15, control.Height() / 15))
            << name;
      }
      QTest::mouseClick(import, Qt::LeftButton);
      return;
    }
    if (step == Step::kImported && import->isEnabled()) {
      ui::UserControl* bar = dialog->FindAs<ui::Extender>("btl")->Object();
      QTest::mouseClick(backend().WidgetOf(*bar->Find("cmdCancel")), Qt::LeftButton);
      step = Step::kDone;
      driver.stop();
    }
  });
  driver.start();
  window.Execute(button);  // returns when the dialog is closed
  driver.stop();

  EXPECT_EQ(step, Step::kDone);
  EXPECT_TRUE(std::filesystem::exists(calendar));
  EXPECT_GT(window.view()->topLevelItemCount(), 5);
  EXPECT_EQ(window.view()->topLevelItem(0)->text(0).left(4), "2026");
  window.DisconnectAddIns();
}

}  // namespace
}  // namespace feriant::outlook_shell
