// What the renderer answers besides mirroring: colours, message boxes, timers, the
// clipboard, the mouse pointer, opening addresses.

#include <chrono>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "platform/ui/controls/timer.h"
#include "platform/ui/drawing/picture.h"
#include "qt_test_support.h"

namespace feriant::ui_qt {
namespace {

using namespace std::chrono_literals;

class BackendServicesTest : public testing::QtTest {
 protected:
  // Runs the event loop for `time`.
  static void Wait(std::chrono::milliseconds time) {
    QEventLoop loop;
    QTimer::singleShot(time, &loop, &QEventLoop::quit);
    loop.exec();
  }
};

// What a shown message box looked like, and the button the "person" pressed.
struct SeenBox {
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton default_button = QMessageBox::NoButton;
  QString title;
  QString text;
};

// Answers the next message box from the event loop: clicks `button`, or presses Esc
// when it is NoButton.
void AnswerNextBox(QMessageBox::StandardButton button, SeenBox* seen) {
  QTimer::singleShot(0, [button, seen] {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
      auto* box = qobject_cast<QMessageBox*>(widget);
      if (box == nullptr || !box->isVisible()) continue;
      seen->icon = box->icon();
      seen->buttons = box->standardButtons();
      seen->default_button = box->standardButton(box->defaultButton());
      seen->title = box->windowTitle();
      seen->text = box->text();
      if (button == QMessageBox::NoButton) {
        QTest::keyClick(box, Qt::Key_Escape);
      } else {
        box->button(button)->click();
      }
      return;
    }
    ADD_FAILURE() << "no message box was shown";
  });
}

TEST_F(BackendServicesTest, MessageBoxesShowTheStylesButtonsIconAndDefault) {
  using B = QMessageBox;
  using R = ui::MsgBoxResult;
  namespace m = ui::msgbox;
  const struct {
    int style;
    B::StandardButton press;  // NoButton: Esc
    R answer;
    B::Icon icon;
    B::StandardButtons buttons;
    B::StandardButton default_button;
  } cases[] = {
      {m::kOkOnly, B::Ok, R::kOk, B::NoIcon, B::Ok, B::Ok},
      {m::kOkOnly | m::kInformation, B::NoButton, R::kOk, B::Information, B::Ok, B::Ok},
      {m::kOkCancel | m::kQuestion, B::Cancel, R::kCancel, B::Question, B::Ok | B::Cancel, B::Ok},
      {m::kOkCancel, B::NoButton, R::kCancel, B::NoIcon, B::Ok | B::Cancel, B::Ok},
      {m::kYesNo | m::kExclamation | m::kDefaultButton2, B::Yes, R::kYes, B::Warning,
       B::Yes | B::No, B::No},
      {m::kYesNoCancel | m::kCritical | m::kDefaultButton3, B::No, R::kNo, B::Critical,
       B::Yes | B::No | B::Cancel, B::Cancel},
      {m::kAbortRetryIgnore, B::Ignore, R::kIgnore, B::NoIcon, B::Abort | B::Retry | B::Ignore,
       B::Abort},
      {m::kRetryCancel | m::kDefaultButton2, B::Retry, R::kRetry, B::NoIcon, B::Retry | B::Cancel,
       B::Cancel},
  };
  for (const auto& c : cases) {
    SeenBox seen;
    AnswerNextBox(c.press, &seen);
    const R answer = ui::MsgBox("Zeile 1\r\nZeile 2", c.style, "Feriant");
    EXPECT_EQ(answer, c.answer) << c.style;
    EXPECT_EQ(seen.icon, c.icon) << c.style;
    EXPECT_EQ(seen.buttons, c.buttons) << c.style;
    EXPECT_EQ(seen.default_button, c.default_button) << c.style;
    EXPECT_EQ(seen.title, "Feriant");
    EXPECT_EQ(seen.text, "Zeile 1\nZeile 2");
  }
  // Without a title the box carries the program's name.
  SeenBox seen;
  AnswerNextBox(B::Ok, &seen);
  (void)ui::MsgBox("Hello");
  EXPECT_EQ(seen.title, QGuiApplication::applicationDisplayName());
}

TEST_F(BackendServicesTest, TimersTickOnTheEventLoopUntilStopped) {
  int ticks = 0;
  ui::TimerId id = 0;
  id = backend().StartTimer(5ms, [&] {
    if (++ticks == 3) backend().StopTimer(id);
  });
  ASSERT_NE(id, 0u);
  Wait(150ms);
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(backend().StartTimer(0ms, [] {}), 0u);
  EXPECT_EQ(backend().StartTimer(5ms, {}), 0u);
  backend().StopTimer(12345);  // unknown ids are ignored

  // The model's timer control runs on them too.
  auto form = MakeForm();
  auto& timer = form->Add<ui::Timer>("tmrPoll");
  int polls = 0;
  timer.Tick().Connect([&] { ++polls; });
  ASSERT_TRUE(timer.SetInterval(10));
  Wait(100ms);
  EXPECT_GE(polls, 2);
  timer.SetEnabled(false);
  const int stopped_at = polls;
  Wait(50ms);
  EXPECT_EQ(polls, stopped_at);
}

TEST_F(BackendServicesTest, SystemColoursComeFromThePaletteOrTheClassicScheme) {
  const QPalette palette = QGuiApplication::palette();
  auto rgb = [](const QColor& c) { return ui::Rgb(c.red(), c.green(), c.blue()); };
  EXPECT_EQ(ui::ResolveColor(ui::system_color::kWindowBackground),
            rgb(palette.color(QPalette::Base)));
  EXPECT_EQ(ui::ResolveColor(ui::system_color::kButtonFace), rgb(palette.color(QPalette::Button)));
  EXPECT_EQ(ui::ResolveColor(ui::system_color::kDesktop), ui::Rgb(58, 110, 165));
  EXPECT_EQ(ui::ResolveColor(ui::Rgb(1, 2, 3)), ui::Rgb(1, 2, 3));
  EXPECT_EQ(backend().SystemColor(25), 0u);  // no such colour
}

TEST_F(BackendServicesTest, TheClipboardHoldsTextOrAPicture) {
  backend().SetClipboardText("Neujahr");
  EXPECT_EQ(backend().ClipboardText(), "Neujahr");
  auto picture = ui::StdPicture::FromPixels(2, 1, {ui::Rgb(1, 2, 3), ui::Rgb(4, 5, 6)});
  ASSERT_TRUE(picture);
  backend().SetClipboardPicture(*picture);
  auto pasted = backend().ClipboardPicture();
  ASSERT_NE(pasted, nullptr);
  EXPECT_TRUE(pasted->SameImage(**picture));
  backend().ClearClipboard();
  EXPECT_EQ(backend().ClipboardText(), "");
  EXPECT_EQ(backend().ClipboardPicture(), nullptr);
}

TEST_F(BackendServicesTest, TheMousePointerIsOneOverrideCursorAtATime) {
  const struct {
    int pointer;
    Qt::CursorShape shape;
  } cases[] = {{11, Qt::WaitCursor}, {99, Qt::PointingHandCursor}, {7, Qt::SizeVerCursor}};
  for (const auto& c : cases) {
    backend().SetMousePointer(c.pointer);
    EXPECT_EQ(backend().MousePointer(), c.pointer);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), c.shape);
  }
  backend().SetMousePointer(ui::mouse_pointer::kDefault);
  // Nothing stacked up: the desktop's cursor is back.
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST_F(BackendServicesTest, OpeningRefusesWhatItCannotOpen) {
  const struct {
    const char* verb;
    const char* file;
    int code;
  } cases[] = {{"print", "https://example.org", 31}, {"open", "", 2}, {"", "", 2}};
  for (const auto& c : cases) {
    ui::ShellRequest request;
    request.verb = c.verb;
    request.file = c.file;
    Status status = backend().ShellExecute(request);
    ASSERT_FALSE(status) << c.verb;
    EXPECT_EQ(status.error().code, c.code) << c.verb;
  }
}

}  // namespace
}  // namespace feriant::ui_qt
