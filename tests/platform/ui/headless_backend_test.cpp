#include "platform/ui/core/headless_backend.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/timer.h"
#include "platform/ui/core/form.h"
#include "platform/ui/drawing/picture.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using std::chrono::milliseconds;
using testing::UiTest;

class HeadlessBackendTest : public UiTest {};

TEST_F(HeadlessBackendTest, MessageBoxesAreRecordedAndAnsweredFromTheScript) {
  struct Case {
    int style;
    MsgBoxResult unscripted;  // the box's default button
  };
  const Case cases[] = {
      {msgbox::kOkOnly | msgbox::kCritical, MsgBoxResult::kOk},
      {msgbox::kOkCancel, MsgBoxResult::kOk},
      {msgbox::kYesNo | msgbox::kQuestion, MsgBoxResult::kYes},
      {msgbox::kYesNo | msgbox::kDefaultButton2, MsgBoxResult::kNo},
      {msgbox::kYesNoCancel | msgbox::kDefaultButton3, MsgBoxResult::kCancel},
      {msgbox::kAbortRetryIgnore | msgbox::kDefaultButton2, MsgBoxResult::kRetry},
      {msgbox::kRetryCancel, MsgBoxResult::kRetry},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MsgBox("text", c.style, "title"), c.unscripted) << c.style;
  }
  backend().ClearMessageBoxes();
  backend().ScriptAnswer(MsgBoxResult::kNo);
  backend().ScriptAnswer(MsgBoxResult::kCancel);
  EXPECT_EQ(MsgBox("first?", msgbox::kYesNo), MsgBoxResult::kNo);
  EXPECT_EQ(MsgBox("second?", msgbox::kOkCancel | msgbox::kExclamation, "Feriant"),
            MsgBoxResult::kCancel);
  EXPECT_EQ(MsgBox("third"), MsgBoxResult::kOk);
  const auto& boxes = backend().MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[1].text, "second?");
  EXPECT_EQ(boxes[1].title, "Feriant");
  EXPECT_EQ(boxes[1].Buttons(), msgbox::kOkCancel);
  EXPECT_EQ(boxes[1].Icon(), msgbox::kExclamation);
}

TEST_F(HeadlessBackendTest, TimersFireInDueOrderOnTheManualClock) {
  std::vector<std::string> fired;
  auto at = [&](const char* name) {
    return [&, name] {
      fired.push_back(name + std::string("@") + std::to_string(backend().Elapsed().count()));
    };
  };
  const TimerId fast = backend().StartTimer(milliseconds(300), at("a"));
  backend().StartTimer(milliseconds(500), at("b"));
  backend().StartTimer(milliseconds(300), at("c"));  // same period as a, started later
  EXPECT_EQ(backend().StartTimer(milliseconds(0), at("never")), 0u);
  backend().Advance(milliseconds(1000));
  EXPECT_EQ(fired, (std::vector<std::string>{"a@300", "c@300", "b@500", "a@600", "c@600", "a@900",
                                             "c@900", "b@1000"}));
  EXPECT_EQ(backend().Elapsed(), milliseconds(1000));
  fired.clear();
  backend().StopTimer(fast);
  backend().Advance(milliseconds(200));
  EXPECT_EQ(fired, (std::vector<std::string>{"c@1200"}));
}

TEST_F(HeadlessBackendTest, ATimerHandlerMayChangeTimers) {
  std::vector<int> ticks;
  TimerId self = 0;
  // An auto-repeat: a first pause of 300 ms, then every 80 ms, stopped after four steps.
  self = backend().StartTimer(milliseconds(300), [&] {
    ticks.push_back(static_cast<int>(backend().Elapsed().count()));
    backend().StopTimer(self);
    if (ticks.size() < 4)
      self = backend().StartTimer(milliseconds(80), [&] {
        ticks.push_back(static_cast<int>(backend().Elapsed().count()));
        if (ticks.size() >= 4) backend().StopTimer(self);
      });
  });
  backend().Advance(milliseconds(2000));
  EXPECT_EQ(ticks, (std::vector<int>{300, 380, 460, 540}));
  EXPECT_EQ(backend().RunningTimers(), 0u);
}

TEST_F(HeadlessBackendTest, TimerControlRunsWhilePlacedAndEnabled) {
  auto form = std::make_shared<Form>("frmTest");
  Timer& timer = form->Add<Timer>("tim");
  int ticks = 0;
  timer.Tick().Connect([&] { ++ticks; });
  ASSERT_TRUE(timer.SetInterval(100));
  backend().Advance(milliseconds(350));
  EXPECT_EQ(ticks, 3);
  timer.SetEnabled(false);
  backend().Advance(milliseconds(350));
  EXPECT_EQ(ticks, 3);
  timer.SetEnabled(true);
  ASSERT_TRUE(form->Remove(timer));
  backend().Advance(milliseconds(350));
  EXPECT_EQ(ticks, 3);
  EXPECT_EQ(backend().RunningTimers(), 0u);
  EXPECT_FALSE(timer.SetInterval(70000));
}

TEST_F(HeadlessBackendTest, LinesBreakAtLineEndsAndWrapGreedilyAtBlanks) {
  const struct {
    const char* text;
    std::vector<std::string_view> lines;
  } splits[] = {{"", {""}},
                {"one", {"one"}},
                {"a\r\nb", {"a", "b"}},
                {"a\nb\rc", {"a", "b", "c"}},
                {"a\r\n", {"a", ""}},
                {"\n\n", {"", "", ""}}};
  for (const auto& c : splits)
    EXPECT_EQ(SplitLines(c.text), c.lines) << c.text;

  // One twip a byte, so that a width counts characters.
  const auto bytes = [](std::string_view line) { return static_cast<int>(line.size()); };
  const struct {
    const char* text;
    int width;
    std::vector<std::string> lines;
  } wraps[] = {
      {"alpha beta gamma", 10, {"alpha beta", "gamma"}},
      {"alpha beta gamma", 9, {"alpha", "beta", "gamma"}},
      {"alpha beta gamma", 100, {"alpha beta gamma"}},
      {"Donaudampfschifffahrt x", 5, {"Donaudampfschifffahrt", "x"}},
      {"alpha  beta", 100, {"alpha beta"}},
      {"alpha\r\n\r\nbeta", 100, {"alpha", "", "beta"}},
      {"", 100, {""}},
  };
  for (const auto& c : wraps)
    EXPECT_EQ(WrapLines(c.text, c.width, bytes), c.lines) << c.text << " at " << c.width;
}

TEST_F(HeadlessBackendTest, SchemeMetricsClipboardAndShell) {
  EXPECT_EQ(ResolveColor(system_color::kButtonFace), Rgb(212, 208, 200));
  EXPECT_EQ(ResolveColor(system_color::kWindowBackground), Rgb(255, 255, 255));
  EXPECT_EQ(ResolveColor(system_color::kButtonShadow), Rgb(128, 128, 128));
  EXPECT_EQ(ResolveColor(Rgb(1, 2, 3)), Rgb(1, 2, 3));
  backend().SetSystemColor(15, Rgb(236, 233, 216));
  EXPECT_EQ(ResolveColor(system_color::kButtonFace), Rgb(236, 233, 216));

  const FontDesc font;
  EXPECT_EQ(backend().TextWidth(font, "Grüße"), 5 * 75);  // characters, not bytes
  EXPECT_EQ(backend().TextHeight(font, "a\nb\r\nc"), 3 * 195);
  backend().SetTwipsPerPixel(12, 12);  // 120 dpi
  EXPECT_EQ(backend().TextWidth(font, "ab"), 2 * 5 * 12);

  backend().SetClipboardText("copied");
  EXPECT_EQ(backend().ClipboardText(), "copied");
  auto picture = StdPicture::CreateBitmap(2, 2);
  backend().SetClipboardPicture(picture);
  EXPECT_EQ(backend().ClipboardText(), "");
  ASSERT_NE(backend().ClipboardPicture(), nullptr);
  EXPECT_TRUE(backend().ClipboardPicture()->SameImage(*picture));

  ShellRequest request;
  request.file = "https://example.org/";
  ASSERT_TRUE(backend().ShellExecute(request));
  backend().FailShellExecute(true);
  EXPECT_FALSE(backend().ShellExecute(request));
  ASSERT_EQ(backend().ShellRequests().size(), 2u);
  EXPECT_EQ(backend().ShellRequests()[0].verb, "open");
  EXPECT_EQ(backend().ShellRequests()[0].show_command, 5);
}

TEST_F(HeadlessBackendTest, RendererNotificationsAreRecorded) {
  backend().RecordNotifications(true);
  auto form = std::make_shared<Form>("frmTest");
  auto& button = form->Add<CommandButton>("cmdOK");
  button.SetCaption("OK");
  ASSERT_TRUE(form->Show());
  ASSERT_TRUE(button.SetFocus());
  ASSERT_TRUE(*form->Unload());
  EXPECT_EQ(backend().Notifications(),
            (std::vector<std::string>{"added frmTest.cmdOK", "changed cmdOK Caption",
                                      "shown frmTest", "focus cmdOK", "hidden frmTest",
                                      "removed frmTest.cmdOK", "unloaded frmTest"}));
}

}  // namespace
}  // namespace feriant::ui
