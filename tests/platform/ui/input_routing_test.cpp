// Keys, focus, mouse capture, stacking and drawing on a user control's own surface.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/controls/text_box.h"
#include "platform/ui/core/input.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::UiTest;

// A user control that logs the input on its own surface and draws a frame with a text
// and, once its flag is set, a red bar.
class Surface final : public UserControlImpl<Surface> {
 public:
  Surface() : UserControlImpl("Surface") {
    SetInitialSize(3000, 1500);
    text_ = &Add<TextBox>("txtInner");
  }
  static const automation::Members<Surface>& Interface() {
    static const automation::Members<Surface> members;
    return members;
  }
  TextBox& text() { return *text_; }
  std::vector<std::string> log;
  bool bar = false;

 protected:
  void OnMouseDown(int b, int s, int x, int y) override { Log("down", b, s, x, y); }
  void OnMouseUp(int b, int s, int x, int y) override { Log("up", b, s, x, y); }
  void OnMouseMove(int b, int s, int x, int y) override { Log("move", b, s, x, y); }
  void OnClick() override { log.push_back("click"); }
  void OnDblClick() override { log.push_back("dblclick"); }
  void OnKeyDown(int& key_code, int) override { log.push_back("key " + std::to_string(key_code)); }
  void OnPaint() override {
    Drawing().DrawFrame(Rect{0, 0, Width(), Height()}, system_color::kButtonShadow);
    Drawing().DrawText(60, 60, "Tasks", Font()->Desc(), Rgb(0, 0, 128));
    if (bar) Drawing().FillRect(Rect{60, 600, 1500, 150}, Rgb(255, 0, 0));
  }

 private:
  void Log(const char* what, int b, int s, int x, int y) {
    log.push_back(std::string(what) + " " + std::to_string(b) + " " + std::to_string(s) + " " +
                  std::to_string(x) + "," + std::to_string(y));
  }
  TextBox* text_ = nullptr;
};

class InputRoutingTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<Form>("frmTest");
    ASSERT_TRUE(form_->Load());
    surface_ = std::make_shared<Surface>();
    extender_ = *form_->AddUserControl(surface_, "srf");
    ASSERT_TRUE(extender_->Move(600, 300, 3000, 1500));
    ASSERT_TRUE(form_->Show());
  }
  std::shared_ptr<Form> form_;
  std::shared_ptr<Surface> surface_;
  Extender* extender_ = nullptr;
};

TEST_F(InputRoutingTest, KeysGoThroughThePreviewAndEnterAndEscToTheFocusedControl) {
  TextBox& text = form_->Add<TextBox>("txtYear");
  CommandButton& ok = form_->Add<CommandButton>("cmdOK");
  CommandButton& cancel = form_->Add<CommandButton>("cmdCancel");
  cancel.SetCancel(true);
  std::vector<std::string> log;
  form_->SetKeyPreview(true);
  form_->KeyDownEvent().Connect([&](int& key, int) {
    log.push_back("preview " + std::to_string(key));
    if (key == 113) key = 0;  // F2 is the form's own
  });
  form_->KeyUpEvent().Connect(
      [&](int& key, int) { log.push_back("preview up " + std::to_string(key)); });
  text.KeyDown().Connect([&](int& key, int shift) {
    log.push_back("down " + std::to_string(key) + " " + std::to_string(shift));
    if (key == 40) key = 0;
  });
  text.KeyUp().Connect([&](int& key, int) { log.push_back("up " + std::to_string(key)); });
  text.KeyPress().Connect([&](int& ascii) {
    log.push_back("press " + std::to_string(ascii));
    if (ascii == '-') ascii = 0;
  });
  ok.Click().Connect([&] { log.push_back("ok"); });
  cancel.Click().Connect([&] { log.push_back("cancel"); });

  enum Kind { kDown, kUp, kPress };
  struct Case {
    Kind kind;
    Control* focused;
    int key;
    bool taken;
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {kDown, &text, 65, false, {"preview 65", "down 65 1"}},
      {kDown, &text, 40, true, {"preview 40", "down 40 1"}},   // swallowed by the text box
      {kDown, &text, 40, true, {"preview 40", "down 40 1"}},   // an auto-repeat is a key down
      {kDown, &text, 113, true, {"preview 113"}},              // swallowed by the preview
      {kDown, &text, 13, false, {"preview 13", "down 13 1"}},  // no default button
      {kDown, &text, 27, true, {"preview 27", "cancel"}},
      {kDown, &ok, 13, true, {"preview 13", "ok"}},  // a focused push button takes Enter
      {kUp, &text, 40, false, {"preview up 40", "up 40"}},
      {kPress, &text, 'a', false, {"press 97"}},
      {kPress, &text, '-', true, {"press 45"}},
      {kDown, &surface_->text(), 38, false, {"preview 38"}},
      {kDown, extender_, 33, false, {"preview 33"}},  // the user control's own surface
  };
  for (const Case& c : cases) {
    log.clear();
    Result<bool> taken = c.kind == kDown ? input::KeyDown(*c.focused, c.key, shift::kShift)
                         : c.kind == kUp ? input::KeyUp(*c.focused, c.key, shift::kShift)
                                         : input::KeyPress(*c.focused, c.key);
    ASSERT_TRUE(taken.ok()) << c.key;
    EXPECT_EQ(*taken, c.taken) << c.key;
    EXPECT_EQ(log, c.log) << c.key;
  }
  EXPECT_EQ(surface_->log, (std::vector<std::string>{"key 33"}));
  text.SetEnabled(false);
  EXPECT_FALSE(input::KeyDown(text, 65).ok());
}

TEST_F(InputRoutingTest, FocusMovesRaiseLostFocusAndGotFocusOnTheInnermostControls) {
  TextBox& outer = form_->Add<TextBox>("txtOuter");
  std::vector<std::string> log;
  for (TextBox* text : {&outer, &surface_->text()}) {
    text->GotFocus().Connect([&log, text] { log.push_back("got " + text->Name()); });
    text->LostFocus().Connect([&log, text] { log.push_back("lost " + text->Name()); });
  }
  ASSERT_TRUE(outer.SetFocus());
  ASSERT_TRUE(surface_->text().SetFocus());
  ASSERT_TRUE(surface_->text().SetFocus());  // no move, no events
  ASSERT_TRUE(outer.SetFocus());
  EXPECT_EQ(log, (std::vector<std::string>{"got txtOuter", "lost txtOuter", "got txtInner",
                                           "lost txtInner", "got txtOuter"}));
  EXPECT_EQ(form_->FocusedControl(), &outer);
}

TEST_F(InputRoutingTest, AnAccessKeyOfOneControlActsAndOneOfSeveralMovesTheFocusAlongThem) {
  // Tab order across the window: the user control (its txtInner, then its "C&lose"),
  // then the form's "&Language:" label, txtLanguage, "&Go" and "&apply".
  CommandButton& close = surface_->Add<CommandButton>("cmdClose");
  close.SetCaption("C&lose");
  Label& label = form_->Add<Label>("lblLanguage");
  label.SetCaption("&Language:");
  TextBox& language = form_->Add<TextBox>("txtLanguage");
  CommandButton& go = form_->Add<CommandButton>("cmdGo");
  go.SetCaption("&Go");
  CommandButton& apply = form_->Add<CommandButton>("cmdApply");
  apply.SetCaption("&apply");
  std::vector<std::string> clicks;
  for (CommandButton* button : {&close, &go, &apply})
    button->Click().Connect([&clicks, button] { clicks.push_back(button->Name()); });

  struct Step {
    int key;
    Control* focused;  // afterwards
    std::vector<std::string> clicks;
    std::function<void()> before = {};
  };
  const Step steps[] = {
      {'G', &go, {"cmdGo"}},
      {'L', &close, {}},  // shared: from cmdGo on, round to the user control's button
      {'L', &language, {}},
      {'L', &close, {}},
      {'A', &apply, {"cmdApply"}},
      // Left alone by the others, a key acts again.
      {'L', &close, {"cmdClose"}, [&] { label.SetEnabled(false); }},
  };
  ASSERT_TRUE(language.SetFocus());
  for (const Step& step : steps) {
    if (step.before) step.before();
    clicks.clear();
    ASSERT_TRUE(input::KeyDown(*form_, step.key, shift::kAlt));
    EXPECT_EQ(form_->FocusedControl(), step.focused) << static_cast<char>(step.key);
    EXPECT_EQ(clicks, step.clicks) << static_cast<char>(step.key);
  }
  EXPECT_FALSE(*input::KeyDown(close, 'X', shift::kAlt));  // nobody's key: the focused one's
}

TEST_F(InputRoutingTest, MouseOnAUserControlsSurfaceFollowsThePressAndTheCapture) {
  Label& label = form_->Add<Label>("lblNote");
  ASSERT_TRUE(label.Move(600, 2100, 1500, 300));  // 1800 twips below the surface
  const int left = mouse_button::kLeft;
  ASSERT_TRUE(input::MouseMove(*extender_, 0, 0, 10, 20));
  ASSERT_TRUE(input::MouseDown(*extender_, left, shift::kCtrl, 100, 200));
  // Dragged over the label: the pressed surface hears it in its own coordinates.
  ASSERT_TRUE(input::MouseMove(label, left, 0, 30, 40));
  ASSERT_TRUE(input::MouseUp(label, left, 0, 30, 40));
  ASSERT_TRUE(input::Click(*extender_));
  ASSERT_TRUE(input::DblClick(*extender_));
  // After the release the label is itself again (it has no MouseMove).
  EXPECT_FALSE(input::MouseMove(label, 0, 0, 5, 5).ok());
  // A capture taken from code holds until it is released.
  ASSERT_TRUE(extender_->SetCapture());
  ASSERT_TRUE(input::MouseMove(label, 0, 0, 5, 5));
  ASSERT_TRUE(input::MouseUp(label, left, 0, 5, 5));
  ASSERT_TRUE(input::MouseMove(label, 0, 0, 6, 6));
  extender_->ReleaseCapture();
  EXPECT_EQ(Control::CaptureHolder(), nullptr);
  EXPECT_EQ(surface_->log,
            (std::vector<std::string>{"move 0 0 10,20", "down 1 2 100,200", "move 1 0 30,1840",
                                      "up 1 0 30,1840", "click", "dblclick", "move 0 0 5,1805",
                                      "up 1 0 5,1805", "move 0 0 6,1806"}));
  // A hidden control takes no capture.
  extender_->SetVisible(false);
  EXPECT_FALSE(extender_->SetCapture().ok());
}

TEST_F(InputRoutingTest, ZOrderKeepsWindowlessControlsBelowWindowedOnes) {
  Label& label = form_->Add<Label>("lblA");
  CommandButton& button = form_->Add<CommandButton>("cmdB");
  Line& line = form_->Add<Line>("linC");
  auto names = [&] {
    std::string order;
    for (Control* control : form_->StackingOrder())
      order += control->Name() + " ";
    return order;
  };
  EXPECT_EQ(names(), "lblA linC srf cmdB ");
  ASSERT_TRUE(extender_->ZOrder(0));
  ASSERT_TRUE(line.ZOrder(1));
  EXPECT_EQ(names(), "linC lblA cmdB srf ");
  ASSERT_TRUE(button.Call("ZOrder"));
  ASSERT_TRUE(label.Call("ZOrder", {std::int32_t{0}}));
  EXPECT_EQ(names(), "linC lblA srf cmdB ");
  EXPECT_EQ(label.ZOrder(2).error().code, ui_error::kInvalidProcedureCall);
}

TEST_F(InputRoutingTest, AUserControlsDrawingIsWhatItsLastPaintDrew) {
  const std::vector<Canvas::Command> first = {
      Canvas::Frame{Rect{0, 0, 3000, 1500}, system_color::kButtonShadow, 1},
      Canvas::Text{60, 60, "Tasks", surface_->Font()->Desc(), Rgb(0, 0, 128)},
  };
  EXPECT_EQ(surface_->Drawing().Commands(), first);  // painted when the form showed
  surface_->bar = true;
  surface_->Refresh();
  std::vector<Canvas::Command> second = first;
  second.push_back(Canvas::Fill{Rect{60, 600, 1500, 150}, Rgb(255, 0, 0)});
  EXPECT_EQ(surface_->Drawing().Commands(), second);
  surface_->bar = false;
  surface_->Refresh();
  EXPECT_EQ(surface_->Drawing().Commands(), first);  // each paint starts empty
}

}  // namespace
}  // namespace feriant::ui
