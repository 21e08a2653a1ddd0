// The standard controls in real widgets: a tree that keeps its expansion and scroll
// position through item changes, ticks and clicks going back through the model, spin
// arrows, an immediate repaint, a real pop-up menu and access keys.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "platform/ui/controls/combo_box.h"
#include "platform/ui/controls/list_box.h"
#include "platform/ui/controls/menu.h"
#include "platform/ui/controls/progress_bar.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/controls/tree_view.h"
#include "platform/ui/controls/up_down.h"
#include "platform/ui_qt/standard_mirrors.h"
#include "qt_test_support.h"

namespace feriant::ui_qt {
namespace {

using testing::Settle;
using namespace ui::tree_relationship;

class StandardControlsTest : public testing::QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    form_ = MakeForm(6000, 4500);
  }
  void Show() {
    ASSERT_TRUE(form_->Show());
    Settle();
  }
  template <class W>
  W* WidgetOf(const ui::Control& control) {
    return dynamic_cast<W*>(backend().WidgetOf(control));
  }
  std::shared_ptr<ui::Form> form_;
};

// Every expanded row of `view`, by its text, depth first.
std::vector<std::string> ExpandedRows(const QTreeView& view, const QModelIndex& parent = {}) {
  std::vector<std::string> rows;
  const QAbstractItemModel& model = *view.model();
  for (int row = 0; row < model.rowCount(parent); ++row) {
    const QModelIndex index = model.index(row, 0, parent);
    if (view.isExpanded(index)) rows.push_back(index.data().toString().toStdString());
    for (std::string& child : ExpandedRows(view, index))
      rows.push_back(std::move(child));
  }
  return rows;
}

TEST_F(StandardControlsTest, ATreeKeepsItsExpansionAndScrollPositionWhileNodesChange) {
  auto& tree = form_->Add<ui::TreeView>("trvRegions");
  ASSERT_TRUE(tree.Move(0, 0, 3000, 1500));
  tree.SetCheckboxes(true);
  Show();
  for (int state = 0; state < 12; ++state) {
    const std::string key = "S" + std::to_string(state);
    ASSERT_TRUE(tree.Add(nullptr, kLast, key, key));
    for (int town = 0; town < 6; ++town) {
      const std::string child = key + "T" + std::to_string(town);
      ASSERT_TRUE(tree.Add(tree.Find(key), kChild, child, child));
    }
    tree.Find(key)->SetExpanded(state % 2 == 0);
  }
  Settle();
  auto* view = WidgetOf<QTreeView>(tree);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(view->model()->rowCount(), 12);
  view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum() / 2);
  const int scrolled = view->verticalScrollBar()->value();
  ASSERT_GT(scrolled, 0);
  const std::vector<std::string> expanded = ExpandedRows(*view);
  ASSERT_EQ(expanded.size(), 6u);

  // Ticks, texts, insertions and removals elsewhere change nothing of that.
  tree.Find("S4T2")->SetChecked(true);
  tree.Find("S3")->SetText("S3");
  ASSERT_TRUE(tree.Add(tree.Find("S5"), kChild, "S5T6", "S5T6"));
  ASSERT_TRUE(tree.Add(tree.Find("S11T0"), kPrevious, "S11Tx", "S11Tx"));
  ASSERT_TRUE(tree.Remove(*tree.Find("S9T3")));
  Settle();
  EXPECT_EQ(ExpandedRows(*view), expanded);
  EXPECT_EQ(view->verticalScrollBar()->value(), scrolled);
  const QModelIndex s11 = view->model()->index(11, 0);
  EXPECT_EQ(view->model()->index(0, 0, s11).data().toString(), "S11Tx");
  EXPECT_EQ(view->model()->rowCount(view->model()->index(9, 0)), 5);
  const QModelIndex s4t2 = view->model()->index(2, 0, view->model()->index(4, 0));
  EXPECT_EQ(s4t2.data(Qt::CheckStateRole).toInt(), Qt::Checked);

  // Collapsing by code shows; the person's collapse goes to the model.
  tree.Find("S0")->SetExpanded(false);
  EXPECT_FALSE(view->isExpanded(view->model()->index(0, 0)));
  view->collapse(view->model()->index(2, 0));
  EXPECT_FALSE(tree.Find("S2")->Expanded());
}

TEST_F(StandardControlsTest, TicksInTheTreeWidgetAreThePersonsAndTicksByCodeAreShown) {
  auto& tree = form_->Add<ui::TreeView>("trvRegions");
  ASSERT_TRUE(tree.Move(0, 0, 3000, 1500));
  tree.SetCheckboxes(true);
  ASSERT_TRUE(tree.Add(nullptr, kLast, "CH", "Schweiz"));
  ASSERT_TRUE(tree.Add(tree.Find("CH"), kChild, "CH|AG", "Aargau"));
  tree.Find("CH")->SetExpanded(true);
  std::vector<std::string> checks;
  tree.NodeCheck().Connect([&](ui::TreeNode& node) {
    checks.push_back(node.Key());
    if (node.Checked() && node.Parent() != nullptr) node.Parent()->SetChecked(true);
  });
  Show();
  auto* view = WidgetOf<QTreeView>(tree);
  const QModelIndex aargau = view->model()->index(0, 0, view->model()->index(0, 0));
  // The view ticks through the model, as a click on the check box does.
  ASSERT_TRUE(view->model()->setData(aargau, Qt::Checked, Qt::CheckStateRole));
  EXPECT_EQ(checks, std::vector<std::string>{"CH|AG"});
  EXPECT_TRUE(tree.Find("CH")->Checked());
  EXPECT_EQ(view->model()->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);
  // A click on the row selects the node.
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(aargau).center());
  EXPECT_EQ(tree.SelectedItem(), tree.Find("CH|AG"));
  ASSERT_TRUE(tree.SetSelectedItem(tree.Find("CH")));
  EXPECT_EQ(view->currentIndex(), view->model()->index(0, 0));
  // A disabled tree refuses the view's tick.
  tree.SetEnabled(false);
  EXPECT_FALSE(view->model()->setData(aargau, Qt::Unchecked, Qt::CheckStateRole));
  EXPECT_TRUE(tree.Find("CH|AG")->Checked());
}

TEST_F(StandardControlsTest, ListsTakeClicksAndKeysThroughTheModel) {
  auto& list = form_->Add<ui::ListBox>("lstCalendars");
  ASSERT_TRUE(list.SetMultiSelect(ui::multi_select::kExtended));
  auto& checks = form_->Add<ui::ListBox>("lstChecks");
  ASSERT_TRUE(checks.SetStyle(ui::list_style::kCheckbox));
  auto& combo = form_->Add<ui::ComboBox>("cboLanguage");
  for (const char* text : {"Standard", "Nachtschicht", "24 Stunden"}) {
    ASSERT_TRUE(list.AddItem(text));
    ASSERT_TRUE(checks.AddItem(text));
    ASSERT_TRUE(combo.AddItem(text));
  }
  ASSERT_TRUE(list.Move(0, 0, 2850, 735));
  ASSERT_TRUE(checks.Move(3000, 0, 2850, 735));
  ASSERT_TRUE(combo.Move(0, 1500, 2895, 315));
  std::vector<int> item_checks;
  checks.ItemCheck().Connect([&](int index) { item_checks.push_back(index); });
  int combo_clicks = 0;
  combo.Click().Connect([&] { ++combo_clicks; });
  Show();

  auto* view = WidgetOf<QListView>(list);
  auto row = [](QListView* v, int r) { return v->visualRect(v->model()->index(r, 0)).center(); };
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, row(view, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, row(view, 2));
  EXPECT_TRUE(*list.Selected(0) && !*list.Selected(1) && *list.Selected(2));
  EXPECT_EQ(view->selectionModel()->selectedRows().size(), 2);
  QTest::keyClick(view, Qt::Key_Up, Qt::ShiftModifier);  // from the anchor 2 to 1
  EXPECT_TRUE(!*list.Selected(0) && *list.Selected(1) && *list.Selected(2));
  // Selection by code shows in the view.
  ASSERT_TRUE(list.SetSelected(0, true));
  EXPECT_EQ(view->selectionModel()->selectedRows().size(), 3);

  auto* check_view = WidgetOf<QListView>(checks);
  const QRect first = check_view->visualRect(check_view->model()->index(1, 0));
  QTest::mouseClick(check_view->viewport(), Qt::LeftButton, {}, first.topLeft() + QPoint(8, 8));
  EXPECT_EQ(item_checks, std::vector<int>{1});
  EXPECT_TRUE(*checks.Selected(1));
  EXPECT_EQ(check_view->model()->index(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Checked);

  auto* qt_combo = WidgetOf<QComboBox>(combo);
  EXPECT_EQ(qt_combo->currentIndex(), -1);  // nothing chosen, whatever Qt would pick
  qt_combo->setFocus();
  QTest::keyClick(qt_combo, Qt::Key_Down);
  EXPECT_EQ(combo.ListIndex(), 0);
  EXPECT_EQ(combo_clicks, 1);
  ASSERT_TRUE(combo.SetListIndex(2));
  EXPECT_EQ(qt_combo->currentText(), "24 Stunden");
}

TEST_F(StandardControlsTest, SpinArrowsStepTheBuddyAndRefreshPaintsAtOnce) {
  auto& text = form_->Add<ui::TextBox>("txtYear1");
  auto& spin = form_->Add<ui::UpDown>("udcYear1");
  ASSERT_TRUE(spin.Move(675, 0, 240, 315));
  spin.SetMax(2049);
  spin.SetMin(1984);
  spin.SetBuddy(&text);
  auto& bar = form_->Add<ui::ProgressBar>("pgb");
  ASSERT_TRUE(bar.Move(0, 600, 2835, 255));
  auto& progress = form_->Add<ui::Label>("lblProgress");
  ASSERT_TRUE(progress.Move(0, 900, 2835, 195));
  Show();
  auto* arrows = WidgetOf<internal::UpDownMirror>(spin);
  ASSERT_NE(arrows, nullptr);
  QTest::mouseClick(&arrows->UpButton(), Qt::LeftButton);
  QTest::mouseClick(&arrows->UpButton(), Qt::LeftButton);
  QTest::mouseClick(&arrows->DownButton(), Qt::LeftButton);
  EXPECT_EQ(spin.Value(), 1985);
  EXPECT_EQ(text.Text(), "1985");

  // A run that keeps the event loop busy: changes wait for the loop, Refresh paints now.
  struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::Paint) ++paints;
      return false;
    }
  } label_paints, bar_paints;
  QWidget* qt_label = backend().WidgetOf(progress);
  auto* qt_bar = WidgetOf<QProgressBar>(bar);
  qt_label->installEventFilter(&label_paints);
  qt_bar->installEventFilter(&bar_paints);
  progress.SetCaption("Feiertage 2007");
  EXPECT_EQ(label_paints.paints, 0);
  progress.Refresh();
  EXPECT_EQ(label_paints.paints, 1);
  ASSERT_TRUE(bar.SetValue(60));
  const int before = bar_paints.paints;
  bar.Refresh();
  EXPECT_EQ(bar_paints.paints, before + 1);
  EXPECT_EQ(qt_bar->value(), 60);
  qt_label->removeEventFilter(&label_paints);
  qt_bar->removeEventFilter(&bar_paints);
}

TEST_F(StandardControlsTest, AnAccessKeySharedWithAUserControlsButtonOnlyMovesTheFocus) {
  // "&Group:" on the form and the panel's "&Go" share G; "&Apply" is the form's alone.
  auto& label = form_->Add<ui::Label>("lblGroup");
  label.SetCaption("&Group:");
  ASSERT_TRUE(label.Move(300, 1140, 1500, 195));
  auto& text = form_->Add<ui::TextBox>("txtGroup");
  ASSERT_TRUE(text.Move(1800, 1080, 1500, 315));
  auto& apply = form_->Add<ui::CommandButton>("cmdApply");
  apply.SetCaption("&Apply");
  ASSERT_TRUE(apply.Move(1800, 1800, 1125, 345));
  int applied = 0;
  apply.Click().Connect([&] { ++applied; });
  auto panel = std::make_shared<testing::PanelControl>(ui::align::kBottom);
  ASSERT_TRUE(form_->AddUserControl(panel, "pnl"));
  Show();
  QWidget* window = backend().FormWidget(*form_);
  window->activateWindow();
  backend().WidgetOf(text)->setFocus();
  Settle();
  const struct {
    Qt::Key key;
    const ui::Control* focused;
  } steps[] = {{Qt::Key_G, &panel->button()}, {Qt::Key_G, &text}, {Qt::Key_A, &apply}};
  for (const auto& step : steps) {
    QTest::keyClick(QApplication::focusWidget(), step.key, Qt::AltModifier);
    Settle();
    EXPECT_EQ(form_->FocusedControl(), step.focused) << step.key;
    EXPECT_EQ(QApplication::focusWidget(), backend().WidgetOf(*step.focused)) << step.key;
  }
  EXPECT_EQ(panel->clicks, 0);
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(text.Text(), "");  // no key was typing
}

TEST_F(StandardControlsTest, APopupMenuIsARealMenuThatReturnsTheChoice) {
  auto& popup = form_->Add<ui::Menu>("mnuPopup");
  std::vector<ui::Menu*> items;
  for (const char* caption : {"&Open", "&Hidden", "&Close"}) {
    auto& item = form_->Add<ui::Menu>(std::string("mnu") + (caption + 1));
    ASSERT_TRUE(item.SetParentMenu(&popup));
    item.SetCaption(caption);
    items.push_back(&item);
  }
  items[1]->SetVisible(false);
  int closes = 0;
  items[2]->Click().Connect([&] { ++closes; });
  Show();
  // The person clicks the second visible entry once the menu is up.
  std::string shown;
  QTimer::singleShot(50, [&] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu == nullptr) return;
    QAction* target = nullptr;
    for (QAction* action : menu->actions()) {
      if (action->isVisible()) shown += action->text().toStdString() + ";";
      if (action->text() == "&Close") target = action;
    }
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(target).center());
  });
  auto chosen = ui::PopupMenu(popup, 0, 300, 300);
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, items[2]);
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(shown, "&Open;&Close;");
}

TEST_F(StandardControlsTest, TheCaretAndSelectionOfATextBoxAreTheModels) {
  auto& text = form_->Add<ui::TextBox>("txtNotes");
  ASSERT_TRUE(text.Move(0, 0, 3000, 315));
  Show();
  auto* edit = WidgetOf<QLineEdit>(text);
  edit->setFocus();
  QTest::keyClicks(edit, "Gruss");
  EXPECT_EQ(text.Text(), "Gruss");
  EXPECT_EQ(text.SelStart(), 5);  // where the person typed, not where a new text starts
  // Typing in the middle keeps the caret there.
  QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClick(edit, Qt::Key_Left);
  QTest::keyClicks(edit, "X");
  EXPECT_EQ(text.Text(), "GruXss");
  EXPECT_EQ(text.SelStart(), 4);
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
  QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(text.SelText(), "ss");
  text.SetSelText("ße");
  EXPECT_EQ(edit->text(), "Gruße");
  EXPECT_EQ(edit->cursorPosition(), 5);
  // The model counts characters; Qt counts a character beyond 16 bits twice.
  text.SetText("a\U0001F600bc");
  ASSERT_TRUE(text.SetSelStart(2));
  ASSERT_TRUE(text.SetSelLength(1));
  EXPECT_EQ(edit->selectedText(), "b");
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClick(edit, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(text.SelStart(), 3);
  EXPECT_EQ(text.SelText(), "c");
}

TEST_F(StandardControlsTest, ALabelsAccessKeyMovesTheFocusInTheWindow) {
  auto& label = form_->Add<ui::Label>("lblCountry");
  label.SetCaption("&Choose a country:");
  ASSERT_TRUE(label.Move(300, 1140, 3315, 195));
  auto& combo = form_->Add<ui::ComboBox>("cboCountry");
  ASSERT_TRUE(combo.Move(3720, 1080, 2835, 315));
  auto& text = form_->Add<ui::TextBox>("txtYear1");
  ASSERT_TRUE(text.Move(3720, 4200, 675, 315));
  Show();
  QWidget* window = backend().FormWidget(*form_);
  window->activateWindow();
  backend().WidgetOf(text)->setFocus();
  Settle();
  QTest::keyClick(backend().WidgetOf(text), Qt::Key_C, Qt::AltModifier);
  Settle();
  EXPECT_TRUE(combo.HasFocus());
  EXPECT_EQ(QApplication::focusWidget(), backend().WidgetOf(combo));
  EXPECT_EQ(text.Text(), "");  // the key was no typing
}

}  // namespace
}  // namespace feriant::ui_qt
