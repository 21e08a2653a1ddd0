// The container's "Standard controls" form in real widgets: every standard control is
// there with its widget, and what the form wires up works.

#include "apps/lumatrel-container/standard_controls_form.h"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeView>

#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/progress_bar.h"
#include "platform/ui/controls/timer.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/controls/up_down.h"
#include "tests/platform/ui_qt/qt_test_support.h"

namespace feriant::lumatrel_container {
namespace {

using ui_qt::testing::Settle;

class StandardControlsFormTest : public ui_qt::testing::QtTest {};

TEST_F(StandardControlsFormTest, EveryStandardControlIsShownInItsWidget) {
  auto form = std::make_shared<StandardControlsForm>();
  form->SetRunPause(std::chrono::milliseconds(0));
  ASSERT_TRUE(form->Show());
  Settle();
  const struct {
    const char* name;
    int index;
    const char* qt_class;  // nullptr: a control without a widget
  } cases[] = {
      {"lblCountry", -1, "QWidget"},     {"cboCountry", -1, "QComboBox"},
      {"trvRegions", -1, "QTreeView"},   {"lstCalendars", -1, "QListView"},
      {"lstLanguages", -1, "QListView"}, {"txtYear1", -1, "QLineEdit"},
      {"udcYear1", -1, "QWidget"},       {"pgb", -1, "QProgressBar"},
      {"fraMode", -1, "QGroupBox"},      {"optMode", 2, "QRadioButton"},
      {"lblURL", -1, "QWidget"},         {"picStatus", -1, "QWidget"},
      {"cmdMenu", -1, "QPushButton"},    {"imlStatus", -1, nullptr},
      {"mnuPopup", -1, nullptr},         {"chkTimer", -1, "QCheckBox"},
      {"imgMark", -1, "QWidget"},        {"linLog", -1, "QWidget"},
      {"timClock", -1, nullptr},
  };
  for (const auto& c : cases) {
    ui::Control* control = form->Find(c.name, c.index);
    ASSERT_NE(control, nullptr) << c.name;
    QWidget* widget = backend().WidgetOf(*control);
    if (c.qt_class == nullptr) {
      EXPECT_EQ(widget, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(widget, nullptr) << c.name;
    EXPECT_TRUE(widget->inherits(c.qt_class)) << c.name;
    EXPECT_TRUE(widget->isVisible()) << c.name;
  }
  // Loading chose the first country by code, and its Click filled the tree.
  EXPECT_EQ(form->FindAs<ui::ComboBox>("cboCountry")->ListIndex(), 0);
  auto* tree = form->FindAs<ui::TreeView>("trvRegions");
  EXPECT_EQ(tree->NodeCount(), 5);
  EXPECT_TRUE(tree->Find("Deutschland")->Checked());
  EXPECT_EQ(static_cast<QTreeView*>(backend().WidgetOf(*tree))->model()->rowCount(), 1);

  // Another country, the spin coupling and a run.
  ASSERT_TRUE(form->FindAs<ui::ComboBox>("cboCountry")->SetText("Schweiz"));
  EXPECT_NE(tree->Find("Schweiz|Aargau|Baden"), nullptr);
  auto* first_year = form->FindAs<ui::UpDown>("udcYear1");
  ASSERT_TRUE(first_year->SetValue(2008));
  EXPECT_EQ(form->FindAs<ui::UpDown>("udcYear2")->Min(), 2008);
  form->FindAs<ui::CommandButton>("cmdImport")->PerformClick();
  EXPECT_EQ(form->FindAs<ui::ProgressBar>("pgb")->Value(), 2010);
  EXPECT_EQ(form->LogLines().back(), "cmdImport_Click: ran 2008 to 2010");

  // The check box starts and stops the timer, which counts its ticks in a label.
  auto* timer = form->FindAs<ui::Timer>("timClock");
  for (bool ticking : {true, false}) {
    ASSERT_TRUE(form->FindAs<ui::CheckBox>("chkTimer")->InputClick());
    EXPECT_EQ(timer->IsRunning(), ticking);
  }
  EXPECT_EQ(form->LogLines().back(), "chkTimer_Click: Value 0");
  ASSERT_TRUE(form->Unload());
}

}  // namespace
}  // namespace feriant::lumatrel_container
