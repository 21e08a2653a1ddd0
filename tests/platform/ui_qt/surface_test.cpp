// The renderer's side of windows, input on a user control's own surface, and drawing:
// real widgets under Qt's offscreen platform.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "platform/ui/controls/text_box.h"
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

// A user control 3000 x 1500 twips (200 x 100 pixels) on a white ground that draws a red
// bar, a blue frame, a clipped green fill and a magenta-keyed picture, and logs the mouse
// on its own surface.
class Sketch final : public ui::UserControlImpl<Sketch> {
 public:
  Sketch() : UserControlImpl("Sketch") {
    SetInitialSize(3000, 1500);
    (void)SetBackColor(ui::Rgb(255, 255, 255));
  }
  static const automation::Members<Sketch>& Interface() {
    static const automation::Members<Sketch> members;
    return members;
  }
  std::vector<std::string> log;

 protected:
  void OnPaint() override {
    ui::Canvas& canvas = Drawing();
    canvas.FillRect(ui::Rect{150, 150, 300, 300}, ui::Rgb(255, 0, 0));   // pixels 10..29
    canvas.DrawFrame(ui::Rect{600, 150, 300, 300}, ui::Rgb(0, 0, 255));  // 40..59
    canvas.SetClip(ui::Rect{1050, 150, 150, 300});                       // 70..79
    canvas.FillRect(ui::Rect{900, 150, 600, 300}, ui::Rgb(0, 255, 0));
    canvas.ClearClip();
    // 4 x 1 pixels: magenta, black, magenta, black, drawn at pixel (120, 10).
    const ui::OleColor magenta = ui::Rgb(255, 0, 255);
    auto picture = ui::StdPicture::FromPixels(4, 1, {magenta, 0, magenta, 0});
    canvas.DrawPictureTransparent(*picture, 1800, 150, magenta);
  }
  void OnMouseDown(int b, int, int x, int y) override { Log("down", b, x, y); }
  void OnMouseUp(int b, int, int x, int y) override { Log("up", b, x, y); }
  void OnMouseMove(int b, int, int x, int y) override { Log("move", b, x, y); }
  void OnClick() override { log.push_back("click"); }
  void OnDblClick() override { log.push_back("dblclick"); }

 private:
  void Log(const char* what, int b, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
};

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

TEST_F(SurfaceTest, WhatAUserControlDrawsIsReplayedOnItsSurface) {
  auto form = MakeForm();
  auto sketch = std::make_shared<Sketch>();
  ui::Extender* extender = *form->AddUserControl(sketch, "skt");
  ASSERT_TRUE(form->Show());
  Settle();
  const QImage shot = Snapshot(*backend().WidgetOf(*extender));
  const QColor white(255, 255, 255), red(255, 0, 0), blue(0, 0, 255), green(0, 255, 0);
  const struct {
    QPoint at;
    QColor color;
  } cases[] = {
      {{10, 10}, red},               // the fill
      {{29, 29}, red},               // its last pixel
      {{30, 30}, white},             // past it
      {{40, 10}, blue},              // the frame's corner
      {{59, 20}, blue},              // its right edge
      {{45, 20}, white},             // inside it
      {{70, 15}, green},             // the clipped fill
      {{79, 15}, green},             // the clip's last pixel
      {{65, 15}, white},             // clipped away before
      {{85, 15}, white},             // and after
      {{120, 10}, white},            // the picture's masked pixel
      {{121, 10}, QColor(0, 0, 0)},  // its drawn one
      {{123, 10}, QColor(0, 0, 0)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(shot.pixelColor(c.at), c.color) << c.at.x() << "," << c.at.y();
}

TEST_F(SurfaceTest, TheMouseOnAUserControlsOwnSurfaceReachesIt) {
  auto form = MakeForm();
  auto sketch = std::make_shared<Sketch>();
  ui::Extender* extender = *form->AddUserControl(sketch, "skt");
  ASSERT_TRUE(form->Show());
  Settle();
  QWidget* widget = backend().WidgetOf(*extender);
  QTest::mouseMove(widget, QPoint(2, 3));
  QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
  // Qt's widgets get the second press of a double click as the double click itself.
  QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
  QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, 5));
  // The release that ends a double click is no click.
  EXPECT_EQ(sketch->log, (std::vector<std::string>{"move 0 30,45", "down 1 60,75", "up 1 60,75",
                                                   "click", "dblclick", "up 1 60,75"}));
}

TEST_F(SurfaceTest, ZOrderRestacksTheWidgets) {
  auto form = MakeForm();
  auto& first = form->Add<ui::CommandButton>("cmdFirst");
  auto& second = form->Add<ui::CommandButton>("cmdSecond");
  auto& label = form->Add<ui::Label>("lblUnder");
  for (ui::Control* control : std::initializer_list<ui::Control*>{&first, &second, &label})
    ASSERT_TRUE(control->Move(150, 150, 1500, 450));
  ASSERT_TRUE(form->Show());
  Settle();
  QWidget* surface = backend().FormWidget(*form);
  const QPoint inside(20, 20);
  EXPECT_EQ(surface->childAt(inside), backend().WidgetOf(second));
  ASSERT_TRUE(second.ZOrder(1));
  EXPECT_EQ(surface->childAt(inside), backend().WidgetOf(first));
  ASSERT_TRUE(label.ZOrder(0));  // still below the windowed ones
  EXPECT_EQ(surface->childAt(inside), backend().WidgetOf(first));
}

TEST_F(SurfaceTest, KeysAndAutoRepeatGoThroughTheModelFirst) {
  auto form = MakeForm();
  auto& text = form->Add<ui::TextBox>("txtValue");
  ASSERT_TRUE(text.Move(150, 150, 2000, 300));
  std::vector<std::string> log;
  text.KeyDown().Connect([&](int& key, int) {
    log.push_back("down " + std::to_string(key));
    if (key == 38) key = 0;
  });
  text.KeyUp().Connect([&](int& key, int) { log.push_back("up " + std::to_string(key)); });
  text.KeyPress().Connect([&](int& ascii) {
    if (ascii == 'x') ascii = 0;
  });
  ASSERT_TRUE(form->Show());
  Settle();
  auto* edit = static_cast<QLineEdit*>(backend().WidgetOf(text));
  edit->setFocus();
  // Up held: one press, two auto-repeats (each a release and a press to Qt), a release.
  const struct {
    QEvent::Type type;
    bool repeat;
  } held[] = {
      {QEvent::KeyPress, false},  {QEvent::KeyRelease, true}, {QEvent::KeyPress, true},
      {QEvent::KeyRelease, true}, {QEvent::KeyPress, true},   {QEvent::KeyRelease, false},
  };
  for (const auto& e : held) {
    QKeyEvent event(e.type, Qt::Key_Up, Qt::NoModifier, QString(), e.repeat);
    QCoreApplication::sendEvent(edit, &event);
  }
  EXPECT_EQ(log, (std::vector<std::string>{"down 38", "down 38", "down 38", "up 38"}));
  // A character the model swallows never reaches the editor; others do.
  QTest::keyClicks(edit, "axb");
  EXPECT_EQ(edit->text(), "ab");
  EXPECT_EQ(text.Text(), "ab");
}

}  // namespace
}  // namespace feriant::ui_qt
