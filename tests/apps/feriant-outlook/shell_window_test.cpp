// The shells' menu bar and toolbars rendered from the command bars: an add-in's
// temporary toolbar button and menu item appear with caption, style and image, built-in
// commands run when clicked, and the temporary entries vanish when the host closes.

#include <filesystem>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include "apps/feriant-outlook/outlook_window.h"
#include "hosts/outlook/outlook.h"
#include "platform/ui_qt/picture_image.h"
#include "tests/platform/ui_qt/qt_test_support.h"

namespace feriant::outlook_shell {
namespace {

class ShellWindowTest : public ui_qt::testing::QtTest {
 protected:
  void SetUp() override {
    QtTest::SetUp();
    window_ = std::make_unique<OutlookWindow>(
        bars_,
        outlook::CreateOutlookApplication(std::filesystem::path(FERIANT_SOURCE_DIR) /
                                          "tests/data/calendars/thunderbird.ics"),
        "thunderbird.ics");
  }
  void TearDown() override {
    window_.reset();
    QtTest::TearDown();
  }

  QStringList MenuTexts(const QString& title) const {
    QStringList texts;
    for (QAction* menu : window_->menuBar()->actions()) {
      if (menu->text() != title) continue;
      for (QAction* item : menu->menu()->actions())
        texts << item->text();
    }
    return texts;
  }

  std::shared_ptr<office::CommandBars> bars_ = office::CommandBars::Create();
  std::unique_ptr<OutlookWindow> window_;
};

TEST_F(ShellWindowTest, RendersAnAddInsToolbarAndMenuItemUntilTheHostCloses) {
  QApplication::processEvents();
  EXPECT_EQ(MenuTexts("&Tools"), QStringList{"Add-&ins..."});
  // What an add-in does late-bound, done here through the same objects.
  auto toolbar = bars_->Add("Quillmark", office::kBarTop, false, true);
  ASSERT_TRUE(toolbar);
  (*toolbar)->SetVisible(true);
  auto button =
      (*toolbar)->AddControl(office::kControlButton, office::kCustomControlId, "Key", 0, true);
  ASSERT_TRUE(button);
  (*button)->SetCaption("Feriant");
  (*button)->SetOnAction("!<Feriant.ConnectOutlook>");
  ASSERT_TRUE((*button)->SetStyle(office::kStyleIconAndCaption));
  QImage face(16, 16, QImage::Format_RGB32);
  face.fill(Qt::red);
  (*button)->SetPicture(ui_qt::PictureFromImage(face, 0xFFFFFF));
  auto item = bars_->Find("Tools")->AddControl(office::kControlButton, office::kCustomControlId, {},
                                               0, true);
  ASSERT_TRUE(item);
  (*item)->SetCaption("Feriant...");
  window_->RenderCommandBars();

  ASSERT_EQ(window_->toolbars().size(), 1u);
  QToolBar* rendered = window_->toolbars()[0];
  EXPECT_EQ(rendered->windowTitle(), "Quillmark");
  QAction* action = window_->ActionOf(**button);
  ASSERT_NE(action, nullptr);
  EXPECT_EQ(action->text(), "Feriant");
  EXPECT_FALSE(action->icon().isNull());
  auto* tool_button = qobject_cast<QToolButton*>(rendered->widgetForAction(action));
  ASSERT_NE(tool_button, nullptr);
  EXPECT_EQ(tool_button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
  EXPECT_EQ(MenuTexts("&Tools"), (QStringList{"Add-&ins...", "Feriant..."}));
  EXPECT_EQ(window_->AddInToolbarButton(), *button);

  // A change made later is rendered from the event loop.
  (*button)->SetCaption("Holidays");
  QApplication::processEvents();
  EXPECT_EQ(window_->ActionOf(**button)->text(), "Holidays");

  window_->DisconnectAddIns();
  window_->RenderCommandBars();
  EXPECT_TRUE(window_->toolbars().empty());
  EXPECT_EQ(MenuTexts("&Tools"), QStringList{"Add-&ins..."});
  EXPECT_EQ(window_->AddInToolbarButton(), nullptr);
}

TEST_F(ShellWindowTest, ClickingABuiltInCommandRunsItAndShowsTheViewAgain) {
  bool ran = false;
  window_->AddCommand("Tools", "&Count", 9999, [&ran] { ran = true; });
  window_->RenderCommandBars();
  const auto control = bars_->Find("Tools")->controls().back();
  window_->ActionOf(*control)->trigger();
  EXPECT_TRUE(ran);
  EXPECT_GT(window_->view()->topLevelItemCount(), 0);  // shown again after the click
}

TEST_F(ShellWindowTest, OpeningACalendarShowsItAndConnectsTheAddInsToItsApplication) {
  const auto calendars = std::filesystem::path(FERIANT_SOURCE_DIR) / "tests/data/calendars";
  std::vector<automation::ObjectRef> handed;
  window_->SetOpener(
      [](const std::string& location) -> Result<std::optional<automation::ObjectRef>> {
        if (location == "cancelled") return std::optional<automation::ObjectRef>();
        automation::ObjectRef application = outlook::CreateOutlookApplication(location);
        if (Status opened = outlook::OpenCalendar(*application); !opened) return opened.error();
        return std::optional<automation::ObjectRef>(application);
      },
      [&handed](automation::ObjectRef application) {
        handed.push_back(application);
        return std::make_unique<host_shell::AddInManager>(
            registry::Registry(std::filesystem::path("/nonexistent/registry.json")),
            "Software\\Test", application, nullptr);
      });
  window_->Refresh();
  const int shown = window_->view()->topLevelItemCount();
  ASSERT_GT(shown, 0);
  const struct {
    std::string location;
    bool opened;
    QString title;
    int rows;  // -1: those shown before
  } cases[] = {
      {(calendars / "damaged.ics").string(), false, "Calendar - thunderbird.ics", -1},
      {"cancelled", false, "Calendar - thunderbird.ics", -1},
      {(calendars / "empty.ics").string(), true, "Calendar - empty.ics", 0},
  };
  size_t connections = 1;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    EXPECT_EQ(window_->Open(c.location), c.opened);
    EXPECT_EQ(window_->windowTitle(), c.title);
    EXPECT_EQ(window_->view()->topLevelItemCount(), c.rows < 0 ? shown : c.rows);
    connections += c.opened ? 1 : 0;
    ASSERT_EQ(handed.size(), connections);
    EXPECT_EQ(handed.back(), window_->application());
    if (c.opened) {
      EXPECT_EQ(window_->Location(), c.location);
    }
  }
  EXPECT_NE(window_->status_text().toStdString().find("0 appointments"), std::string::npos);
}

TEST_F(ShellWindowTest, RemembersAServerCalendarByItsUrlAndAFileByItsAbsolutePath) {
  const struct {
    std::string shown;
    std::string remembered;
  } cases[] = {
      {"https://alice@dav.example.org/cal/", "https://alice@dav.example.org/cal/"},
      {"sub/../cal.ics", (std::filesystem::current_path() / "cal.ics").string()},
  };
  for (const auto& c : cases) {
    const OutlookWindow window(bars_, window_->application(), c.shown);
    EXPECT_EQ(window.Location(), c.remembered);
  }
}

}  // namespace
}  // namespace feriant::outlook_shell
