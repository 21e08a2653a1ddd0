// The control test container's window with stand-in controls: placing, docking, the
// event log and its Cancel box, property pages, saving and opening forms.

#include "apps/lumatrel-container/container_window.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "platform/ui/common/errors.h"
#include "test_controls.h"
#include "tests/platform/ui_qt/qt_test_support.h"
#include "tests/support/scratch_dir.h"

namespace feriant::lumatrel_container {
namespace {

using ui_qt::testing::Settle;

class ContainerWindowTest : public ui_qt::testing::QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    window_ = std::make_unique<ContainerWindow>(backend(), testing::TestCatalog(),
                                                testing::TestFactory());
    window_->show();
    Settle();
  }
  void TearDown() override {
    window_.reset();
    QtTest::TearDown();
  }

  ContainerWindow& window() { return *window_; }
  template <class T>
  T& Placed(const std::string& name) {
    auto* extender = window().form().FindAs<ui::Extender>(name);
    EXPECT_NE(extender, nullptr) << name;
    return static_cast<T&>(*extender->Object());
  }
  bool Logged(const std::string& line) const {
    const auto& lines = window_->log().Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  feriant::testing::ScratchDir scratch_;
  const std::filesystem::path& dir_ = scratch_.path();

 private:
  std::unique_ptr<ContainerWindow> window_;
};

TEST_F(ContainerWindowTest, PlacedControlsGetNumberedNamesAndDockTopAndBottom) {
  const struct {
    const char* class_name;
    const char* name;
  } places[] = {{"Lumatrel.TestBanner", "TestBanner1"},
                {"lumatrel.testbar", "TestBar1"},
                {"{5A000001-0000-4000-8000-000000000002}", "TestBanner2"}};
  for (const auto& p : places) {
    auto placed = window().Place(p.class_name);
    ASSERT_TRUE(placed) << p.class_name << ": " << placed.error().description;
    EXPECT_EQ((*placed)->Name(), p.name);
  }
  auto refused = window().Place("Lumatrel.Nothing");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().code, ui::ui_error::kCantCreateObject);
  Settle();

  // The form fills its area, and the model's client size is the widget's.
  QWidget* surface = window().FormWidget();
  ASSERT_TRUE(surface->isVisible());
  const QSize size = surface->size();
  EXPECT_EQ(window().form().ScaleWidth(), size.width() * 15);
  EXPECT_EQ(window().form().ScaleHeight(), size.height() * 15);
  EXPECT_GT(size.width(), 400);

  auto geometry = [&](const char* name) {
    return backend().WidgetOf(*window().form().Find(name))->geometry();
  };
  EXPECT_EQ(geometry("TestBanner1"), QRect(0, 0, size.width(), 60));
  EXPECT_EQ(geometry("TestBanner2"), QRect(0, 60, size.width(), 60));
  EXPECT_EQ(geometry("TestBar1"), QRect(0, size.height() - 53, size.width(), 53));
  EXPECT_TRUE(Logged("Placed TestBar1 (Lumatrel.TestBar)"));

  ASSERT_TRUE(window().RemoveControl("TestBanner1"));
  Settle();
  EXPECT_EQ(geometry("TestBanner2"), QRect(0, 0, size.width(), 60));
  EXPECT_FALSE(window().RemoveControl("TestBanner1"));
}

TEST_F(ContainerWindowTest, ControlsThatDoNotDockArePlacedSideBySide) {
  ASSERT_TRUE(window().Place("Lumatrel.TestBanner"));
  std::vector<ui::Rect> boxes;
  for (int i = 0; i < 4; ++i) {
    auto placed = window().Place("Lumatrel.TestBox");
    ASSERT_TRUE(placed);
    boxes.push_back((*placed)->Bounds());
  }
  const int width = window().form().ScaleWidth();
  const ui::Rect banner = window().form().FindAs<ui::Extender>("TestBanner1")->Bounds();
  auto apart = [](const ui::Rect& a, const ui::Rect& b) {
    return a.left + a.width <= b.left || b.left + b.width <= a.left || a.top + a.height <= b.top ||
           b.top + b.height <= a.top;
  };
  for (size_t i = 0; i < boxes.size(); ++i) {
    EXPECT_EQ(boxes[i].width, 3000);
    EXPECT_LE(boxes[i].left + boxes[i].width, width) << i;
    EXPECT_TRUE(apart(boxes[i], banner)) << i;
    for (size_t j = 0; j < i; ++j)
      EXPECT_TRUE(apart(boxes[i], boxes[j])) << i << " " << j;
  }
}

TEST_F(ContainerWindowTest, EventsAreLoggedAndTheCancelBoxKeepsTheFormOpen) {
  ASSERT_TRUE(window().Place("Lumatrel.TestBar"));
  Settle();
  auto press_ok = [&] {
    QWidget* ok = backend().WidgetOf(Placed<testing::TestBar>("TestBar1").ok());
    ASSERT_NE(ok, nullptr);
    QTest::mouseClick(ok, Qt::LeftButton);
    Settle();
  };

  QTest::mouseClick(window().CancelBox(), Qt::LeftButton, {},
                    QPoint(5, window().CancelBox()->height() / 2));
  ASSERT_TRUE(window().CancelBox()->isChecked());
  press_ok();
  EXPECT_TRUE(Logged("TestBar1.cmdOKClick(Cancel=False) -> Cancel=True"));
  EXPECT_TRUE(window().form().IsLoaded());
  EXPECT_TRUE(window().FormWidget()->isVisible());

  window().CancelBox()->setChecked(false);
  press_ok();
  EXPECT_TRUE(Logged("TestBar1.cmdOKClick(Cancel=False)"));
  EXPECT_TRUE(Logged("Form_QueryUnload(Cancel=False, UnloadMode=1)"));
  EXPECT_FALSE(window().form().IsLoaded());
  EXPECT_FALSE(window().FormWidget()->isVisible());

  // Placing again loads the form again, and its events still reach the log.
  ASSERT_TRUE(window().Place("Lumatrel.TestBar"));
  Settle();
  EXPECT_TRUE(window().FormWidget()->isVisible());
  window().log().Clear();
  window().CancelBox()->setChecked(true);
  press_ok();
  EXPECT_TRUE(Logged("TestBar1.cmdOKClick(Cancel=False) -> Cancel=True"));
}

TEST_F(ContainerWindowTest, ThePropertyPagesTheClassListsEditThePlacedControl) {
  ASSERT_TRUE(window().Place("Lumatrel.TestBanner"));
  ASSERT_TRUE(window().Place("Lumatrel.TestBar"));
  auto none = window().ShowProperties("TestBar1", /*modal=*/false);
  ASSERT_FALSE(none);
  EXPECT_EQ(none.error().code, ui::ui_error::kNotSupported);

  auto shown = window().ShowProperties("TestBanner1", /*modal=*/false);
  ASSERT_TRUE(shown) << shown.error().description;
  QDialog* dialog = *shown;
  Settle();
  // One tab per page the class lists, the platform's colour page among them.
  auto* tabs = dialog->findChild<QTabWidget*>();
  ASSERT_NE(tabs, nullptr);
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "General");
  EXPECT_EQ(tabs->tabText(1), "Color");
  auto* edit = tabs->widget(0)->findChild<QLineEdit*>();
  auto* color = tabs->widget(1)->findChild<QLineEdit*>();
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(color, nullptr);
  EXPECT_EQ(edit->text(), "Title");
  EXPECT_EQ(color->text(), "&H8000000F&");  // BackColor, the button face
  QPushButton* apply = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply);
  EXPECT_FALSE(apply->isEnabled());

  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, "Neujahr");
  EXPECT_TRUE(apply->isEnabled());
  tabs->setCurrentIndex(1);
  color->setFocus();
  color->selectAll();
  QTest::keyClicks(color, "&HFF0000&");
  QTest::mouseClick(apply, Qt::LeftButton);
  EXPECT_EQ(Placed<testing::TestBanner>("TestBanner1").Title(), "Neujahr");
  EXPECT_EQ(Placed<testing::TestBanner>("TestBanner1").BackColor(), ui::Rgb(0, 0, 255));
  EXPECT_FALSE(apply->isEnabled());
  dialog->close();
  Settle();
}

TEST_F(ContainerWindowTest, AFormIsSavedAndOpenedAgainAndADamagedFileChangesNothing) {
  ASSERT_TRUE(window().Place("Lumatrel.TestBanner"));
  ASSERT_TRUE(window().Place("Lumatrel.TestBar"));
  ASSERT_TRUE(window().form().Find("TestBanner1")->Put("Title", "Ostern"));
  const auto saved = dir_ / "form.json";
  ASSERT_TRUE(window().SaveForm(saved));

  ASSERT_TRUE(window().RemoveControl("TestBar1"));
  ASSERT_TRUE(window().form().Find("TestBanner1")->Put("Title", "changed"));
  ASSERT_TRUE(window().Place("Lumatrel.TestBanner"));  // TestBanner2, not in the file

  Status opened = window().OpenForm(saved);
  ASSERT_TRUE(opened) << opened.error().description;
  Settle();
  EXPECT_EQ(Placed<testing::TestBanner>("TestBanner1").Title(), "Ostern");
  EXPECT_NE(window().form().Find("TestBar1"), nullptr);
  EXPECT_EQ(window().form().Find("TestBanner2"), nullptr);
  EXPECT_TRUE(window().FormWidget()->isVisible());
  const QSize size = window().FormWidget()->size();
  EXPECT_EQ(backend().WidgetOf(*window().form().Find("TestBar1"))->geometry(),
            QRect(0, size.height() - 53, size.width(), 53));

  // The opened controls' events reach the log as well.
  window().log().Clear();
  window().CancelBox()->setChecked(true);
  QTest::mouseClick(backend().WidgetOf(Placed<testing::TestBar>("TestBar1").ok()), Qt::LeftButton);
  EXPECT_TRUE(Logged("TestBar1.cmdOKClick(Cancel=False) -> Cancel=True"));

  const auto damaged = dir_ / "damaged.json";
  std::ofstream(damaged) << "{\"format\": \"feriant-form\", \"version\": 1, \"controls\": 3}";
  ASSERT_FALSE(window().OpenForm(damaged));
  ASSERT_FALSE(window().OpenForm(dir_ / "missing.json"));
  Settle();
  EXPECT_EQ(Placed<testing::TestBanner>("TestBanner1").Title(), "Ostern");
  EXPECT_TRUE(window().FormWidget()->isVisible());
}

TEST_F(ContainerWindowTest, ClosingTheWindowUnloadsTheForm) {
  ASSERT_TRUE(window().Place("Lumatrel.TestBar"));
  EXPECT_TRUE(window().close());
  EXPECT_FALSE(window().form().IsLoaded());
  EXPECT_TRUE(Logged("Form_QueryUnload(Cancel=False, UnloadMode=0)"));
}

TEST_F(ContainerWindowTest, AScreenshotIsThePngOfTheWindow) {
  ASSERT_TRUE(window().Place("Lumatrel.TestBar"));
  Settle();
  const auto file = dir_ / "shot.png";
  ASSERT_TRUE(window().SaveScreenshot(file));
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(file.string()), "PNG"));
  EXPECT_EQ(image.size(), window().size());
  EXPECT_FALSE(window().SaveScreenshot(dir_ / "no-such-dir" / "shot.png"));
}

}  // namespace
}  // namespace feriant::lumatrel_container
