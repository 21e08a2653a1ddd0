// The container with the real control library: liblumatrel.so registered with
// feriant-regsvr in a registry of the test's own, a WhiteTop and a BottomLine placed and
// rendered offscreen, their widgets checked in pixels; then the program itself.

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
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
#include <QTest>

#include "apps/lumatrel-container/class_catalog.h"
#include "apps/lumatrel-container/container_window.h"
#include "platform/components/component_registry.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui_qt/pixels.h"
#include "tests/platform/ui_qt/qt_test_support.h"
#include "tests/support/scratch_dir.h"

namespace feriant::lumatrel_container {
namespace {

using ui_qt::testing::Settle;

struct ShellRun {
  int status = -1;
  std::string output;
};

// Runs a shell command line, standard error with standard output.
ShellRun Shell(const std::string& command) {
  ShellRun run;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
    run.output += buffer;
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

class SmokeTest : public ui_qt::testing::QtTest {
 protected:
  static void SetUpTestSuite() {
    QtTest::SetUpTestSuite();
    scratch_ = new feriant::testing::ScratchDir;
    dir_ = &scratch_->path();
    ::setenv("FERIANT_REGISTRY", (*dir_ / "registry.json").c_str(), 1);
    const ShellRun registered =
        Shell(std::string(FERIANT_REGSVR) + " '" + FERIANT_LUMATREL_LIBRARY + "'");
    ASSERT_EQ(registered.status, 0) << registered.output;
  }
  static void TearDownTestSuite() { delete scratch_; }

  void SetUp() override {
    QtTest::SetUp();
    auto classes = LumatrelControlsOfCurrentUser();
    ASSERT_TRUE(classes) << classes.error().description;
    classes_ = *classes;
    window_ = std::make_unique<ContainerWindow>(
        backend(), classes_,
        [](const automation::Guid& id) { return components::CreateObject(id); });
    window_->show();
    Settle();
  }
  void TearDown() override {
    window_.reset();
    QtTest::TearDown();
  }

  ContainerWindow& window() { return *window_; }
  ui::UserControl& Object(const char* name) {
    return *window().form().FindAs<ui::Extender>(name)->Object();
  }
  QWidget* Widget(ui::Control& control) { return backend().WidgetOf(control); }
  QWidget* Button(const char* bar, const char* button) { return Widget(*Object(bar).Find(button)); }
  bool Logged(const std::string& line) {
    const auto& lines = window().log().Lines();
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  }

  static feriant::testing::ScratchDir* scratch_;
  static const std::filesystem::path* dir_;
  std::vector<RegisteredClass> classes_;
  std::unique_ptr<ContainerWindow> window_;
};

feriant::testing::ScratchDir* SmokeTest::scratch_ = nullptr;
const std::filesystem::path* SmokeTest::dir_ = nullptr;

TEST_F(SmokeTest, TheRegistryListsBothControlsAndTheBannersPage) {
  const RegisteredClass* bar = FindClass(classes_, "Lumatrel.BottomLine");
  const RegisteredClass* banner = FindClass(classes_, "Lumatrel.WhiteTop");
  ASSERT_NE(bar, nullptr);
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(bar->class_id.ToString(), "{71B34D9D-3F41-4639-87C9-62211099F0D9}");
  EXPECT_TRUE(bar->property_pages.empty());
  EXPECT_EQ(banner->class_id.ToString(), "{7821D12D-EEB5-46F9-9049-D3EEB56902E5}");
  ASSERT_EQ(banner->property_pages.size(), 1u);
  EXPECT_EQ(banner->property_pages[0].ToString(), "{DD07983A-8363-45B7-957A-C3155B4B38AC}");
  // Pages are not offered as controls.
  EXPECT_EQ(FindClass(classes_, "Lumatrel.prpWhiteTop"), nullptr);
}

TEST_F(SmokeTest, ABannerAndABarAreLaidOutInPixels) {
  ASSERT_TRUE(window().Place("Lumatrel.BottomLine"));
  ASSERT_TRUE(window().Place("Lumatrel.WhiteTop"));
  Settle();
  QWidget* surface = window().FormWidget();
  const int width = surface->width();
  const int height = surface->height();
  ASSERT_GT(width, 400);
  ASSERT_EQ(window().form().ScaleWidth(), width * 15);

  // The banner across the top, as wide as the form.
  QWidget* banner = Widget(*window().form().Find("WhiteTop1"));
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(banner->geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(banner->width(), width);
  EXPECT_GT(banner->height(), 0);
  EXPECT_EQ(banner->height() * 15, window().form().Find("WhiteTop1")->Height());

  // The bar along the bottom, 795 twips = 53 pixels high.
  QWidget* bar = Widget(*window().form().Find("BottomLine1"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->geometry(), QRect(0, height - 53, width, 53));

  // Apply 120 twips from the right edge, Cancel 95 to its left, OK against Cancel; each
  // 1125 x 345 at top 300. In pixels of the bar (its width W twips = 15 x width):
  const int w = width * 15;
  const struct {
    const char* button;
    int left;  // twips
    const char* caption;
  } buttons[] = {{"cmdApply", w - 120 - 1125, "Apply"},
                 {"cmdCancel", w - 120 - 1125 - 95 - 1125, "Cancel"},
                 {"cmdOK", w - 120 - 1125 - 95 - 2 * 1125, "OK"}};
  for (const auto& b : buttons) {
    auto* widget = qobject_cast<QPushButton*>(Button("BottomLine1", b.button));
    ASSERT_NE(widget, nullptr) << b.button;
    EXPECT_EQ(widget->parentWidget(), bar);
    EXPECT_EQ(
        widget->geometry(),
        QRect(ui_qt::PixelsFromTwips(b.left, 15), 20,
              ui_qt::PixelsFromTwips(b.left + 1125, 15) - ui_qt::PixelsFromTwips(b.left, 15), 23))
        << b.button;
    EXPECT_EQ(widget->text(), b.caption);
    EXPECT_TRUE(widget->isVisible()) << b.button;
  }
  for (const char* hidden : {"cmdHelp", "cmdBack", "cmdNext"})
    EXPECT_FALSE(Button("BottomLine1", hidden)->isVisible()) << hidden;

  // Resizing the form lays the bar out again.
  window().resize(window().width() + 150, window().height());
  Settle();
  const int wider = surface->width() * 15;
  ASSERT_NE(wider, w);
  EXPECT_EQ(Button("BottomLine1", "cmdApply")->geometry().left(),
            ui_qt::PixelsFromTwips(wider - 120 - 1125, 15));
  EXPECT_EQ(bar->height(), 53);
}

TEST_F(SmokeTest, OkRaisesApplyAndOkAndTheCancelBoxKeepsTheFormOpen) {
  ASSERT_TRUE(window().Place("Lumatrel.WhiteTop"));
  ASSERT_TRUE(window().Place("Lumatrel.BottomLine"));
  Settle();
  window().CancelBox()->setChecked(true);
  QTest::mouseClick(Button("BottomLine1", "cmdOK"), Qt::LeftButton);
  Settle();
  // The Apply handler cancelled, so OK was not raised and the form stays.
  EXPECT_TRUE(Logged("BottomLine1.cmdApplyClick(Cancel=False, CalledByOK=True) -> Cancel=True"));
  EXPECT_FALSE(Logged("BottomLine1.cmdOKClick(Cancel=False)"));
  EXPECT_TRUE(window().form().IsLoaded());

  window().CancelBox()->setChecked(false);
  QTest::mouseClick(Button("BottomLine1", "cmdCancel"), Qt::LeftButton);
  Settle();
  EXPECT_TRUE(Logged("BottomLine1.cmdCancelClick(Cancel=False)"));
  EXPECT_FALSE(window().form().IsLoaded());
  EXPECT_FALSE(window().FormWidget()->isVisible());
}

TEST_F(SmokeTest, TheBannersPropertyPageChangesItsTitle) {
  ASSERT_TRUE(window().Place("Lumatrel.WhiteTop"));
  auto shown = window().ShowProperties("WhiteTop1", /*modal=*/false);
  ASSERT_TRUE(shown) << shown.error().description;
  QDialog* dialog = *shown;
  Settle();
  QLineEdit* title = nullptr;
  for (QLineEdit* edit : dialog->findChildren<QLineEdit*>()) {
    if (edit->text() == "Title") title = edit;
  }
  ASSERT_NE(title, nullptr);
  title->setFocus();
  title->selectAll();
  QTest::keyClicks(title, "Feiertage");
  QPushButton* apply = dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply);
  ASSERT_TRUE(apply->isEnabled());
  QTest::mouseClick(apply, Qt::LeftButton);
  auto now = window().form().Find("WhiteTop1")->Get("Title");
  ASSERT_TRUE(now);
  EXPECT_EQ(*now->ToString(), "Feiertage");
  dialog->close();
  Settle();
}

TEST_F(SmokeTest, TheProgramPlacesControlsAndSavesAScreenshot) {
  const std::string program = FERIANT_CONTAINER;
  const std::string env = "QT_QPA_PLATFORM=offscreen ";
  const std::filesystem::path shot = *dir_ / "container.png";
  const ShellRun run = Shell(
      env + program + " --place Lumatrel.WhiteTop --place Lumatrel.BottomLine --screenshot '" +
      shot.string() + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(shot.string()), "PNG"));
  EXPECT_EQ(image.size(), QSize(960, 640));

  const struct {
    std::string arguments;
    int status;
    const char* says;
  } refusals[] = {
      {"--place Lumatrel.Nothing --screenshot '" + shot.string() + "'", 1,
       "cannot place Lumatrel.Nothing"},
      {"--open '" + (*dir_ / "missing.json").string() + "' --screenshot '" + shot.string() + "'", 1,
       "cannot open"},
      {"--frobnicate", 2, "Unknown option"},
      {"extra", 2, "unexpected argument extra"},
  };
  for (const auto& r : refusals) {
    const ShellRun refused = Shell(env + program + " " + r.arguments);
    EXPECT_EQ(refused.status, r.status) << r.arguments << "\n" << refused.output;
    EXPECT_NE(refused.output.find(r.says), std::string::npos) << refused.output;
  }
}

TEST_F(SmokeTest, TheProgramShowsTheStandardControlsAndSavesTheirPicture) {
  const std::string program = FERIANT_CONTAINER;
  const std::string env = "QT_QPA_PLATFORM=offscreen ";
  const std::filesystem::path shot = *dir_ / "standard.png";
  const ShellRun run =
      Shell(env + program + " --standard-controls --screenshot '" + shot.string() + "'");
  ASSERT_EQ(run.status, 0) << run.output;
  QImage image;
  ASSERT_TRUE(image.load(QString::fromStdString(shot.string()), "PNG"));
  EXPECT_EQ(image.size(), QSize(680, 512));  // the form's client area: 10200 x 7680 twips
  const ShellRun refused = Shell(env + program + " --standard-controls --place Lumatrel.WhiteTop");
  EXPECT_EQ(refused.status, 2) << refused.output;
}

}  // namespace
}  // namespace feriant::lumatrel_container
