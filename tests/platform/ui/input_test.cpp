#include "platform/ui/core/input.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/common/dispatch_ids.h"
#include "platform/ui/controls/check_box.h"
#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/image.h"
#include "platform/ui/controls/label.h"
#include "platform/ui/controls/line.h"
#include "platform/ui/controls/text_box.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::ProbeControl;
using testing::UiTest;

class InputTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    form_ = std::make_shared<Form>("frmTest");
    ASSERT_TRUE(form_->Load());
  }
  std::shared_ptr<Form> form_;
};

TEST_F(InputTest, SetFocusNeedsAVisibleEnabledControlOnAShownForm) {
  auto probe = std::make_shared<ProbeControl>();
  Extender* bar = *form_->AddUserControl(probe, "btl");
  CommandButton& inner = probe->Add<CommandButton>("cmdOK");
  CommandButton& button = form_->Add<CommandButton>("cmdImport");
  PictureBox& frame = form_->Add<PictureBox>("picFrame");
  CommandButton& boxed = form_->Add<CommandButton>("cmdBoxed");
  ASSERT_TRUE(boxed.SetContainer(&frame));
  Label& label = form_->Add<Label>("lblCountry");

  struct Case {
    const char* what;
    std::function<void()> setup;
    Control* target;
    std::int32_t error;  // 0: the focus moves
  };
  const Case cases[] = {
      {"form not shown", [] {}, &button, ui_error::kInvalidProcedureCall},
      {"shown and enabled", [&] { ASSERT_TRUE(form_->Show()); }, &button, 0},
      {"hidden", [&] { button.SetVisible(false); }, &button, ui_error::kInvalidProcedureCall},
      {"disabled",
       [&] {
         button.SetVisible(true);
         button.SetEnabled(false);
       },
       &button, ui_error::kInvalidProcedureCall},
      {"inside a hidden container", [&] { frame.SetVisible(false); }, &boxed,
       ui_error::kInvalidProcedureCall},
      {"inside a disabled container",
       [&] {
         frame.SetVisible(true);
         frame.SetEnabled(false);
       },
       &boxed, ui_error::kInvalidProcedureCall},
      {"a label cannot hold the focus", [] {}, &label, ui_error::kNotSupported},
      {"inside a hidden user control", [&] { bar->SetVisible(false); }, &inner,
       ui_error::kInvalidProcedureCall},
      {"inside a disabled user control",
       [&] {
         bar->SetVisible(true);
         probe->SetEnabled(false);
       },
       &inner, ui_error::kInvalidProcedureCall},
      {"inside a user control", [&] { probe->SetEnabled(true); }, &inner, 0},
  };
  for (const Case& c : cases) {
    c.setup();
    Status status = c.target->SetFocus();
    if (c.error == 0) {
      EXPECT_TRUE(status.ok()) << c.what << ": " << status.error().description;
      EXPECT_TRUE(c.target->HasFocus()) << c.what;
    } else {
      ASSERT_FALSE(status.ok()) << c.what;
      EXPECT_EQ(status.error().code, c.error) << c.what;
      EXPECT_EQ(status.error().source, "") << c.what;
    }
  }
  // The focus inside a user control makes its extender the form's active control.
  EXPECT_EQ(form_->ActiveControl(), bar);
  // Late-bound, the error reaches the caller as it is.
  button.SetEnabled(false);
  auto late = button.Call("SetFocus");
  ASSERT_FALSE(late.ok());
  EXPECT_EQ(late.error().code, ui_error::kInvalidProcedureCall);
  EXPECT_EQ(late.error().description,
            "Invalid procedure call or argument: cmdImport is hidden or disabled and cannot take "
            "the focus");
}

TEST_F(InputTest, ClicksReachOnlyVisibleEnabledControls) {
  ASSERT_TRUE(form_->Show());
  CommandButton& button = form_->Add<CommandButton>("cmdOK");
  CheckBox& check = form_->Add<CheckBox>("chkAutoSize");
  Label& label = form_->Add<Label>("lblURL");
  Line& line = form_->Add<Line>("lineGray");
  std::vector<std::string> events;
  button.Click().Connect([&] { events.push_back("button"); });
  check.Click().Connect([&] { events.push_back("check " + std::to_string(check.Value())); });
  label.Click().Connect([&] { events.push_back("label"); });

  struct Case {
    std::function<void()> setup;
    Control* target;
    bool accepted;
    std::vector<std::string> events;
  };
  const Case cases[] = {
      {[] {}, &button, true, {"button"}},
      {[] {}, &check, true, {"check 1"}},
      {[] {}, &check, true, {"check 0"}},
      {[&] {
         ASSERT_TRUE(check.SetValue(2));
         events.clear();
       },
       &check,
       true,
       {"check 0"}},
      {[] {}, &label, true, {"label"}},
      {[&] { button.SetEnabled(false); }, &button, false, {}},
      {[&] { form_->SetEnabled(false); }, &label, false, {}},
      {[&] { form_->SetEnabled(true); }, &line, false, {}},
  };
  for (const Case& c : cases) {
    c.setup();
    events.clear();
    EXPECT_EQ(input::Click(*c.target).ok(), c.accepted) << c.target->Name();
    EXPECT_EQ(events, c.events) << c.target->Name();
  }
}

TEST_F(InputTest, MouseDownCarriesButtonAndShiftState) {
  ASSERT_TRUE(form_->Show());
  Label& label = form_->Add<Label>("lblCopyright");
  std::vector<std::vector<int>> presses;
  label.MouseDown().Connect([&](int button, int shift_state, int x, int y) {
    presses.push_back({button, shift_state, x, y});
  });
  const int all = shift::kShift | shift::kCtrl | shift::kAlt;
  ASSERT_TRUE(input::MouseDown(label, mouse_button::kRight, all, 15, 30));
  ASSERT_TRUE(input::MouseDown(label, mouse_button::kLeft, shift::kShift, 0, 0));
  EXPECT_EQ(presses, (std::vector<std::vector<int>>{{2, 7, 15, 30}, {1, 1, 0, 0}}));
}

TEST_F(InputTest, TypedTextRaisesChangeAndRespectsLockedAndMaxLength) {
  ASSERT_TRUE(form_->Show());
  TextBox& text = form_->Add<TextBox>("txtTitle");
  int changes = 0;
  text.Change().Connect([&] { ++changes; });
  text.SetText("Title");  // from code: Change as well
  ASSERT_TRUE(input::EditText(text, "Feiertage"));
  ASSERT_TRUE(input::EditText(text, "Feiertage"));  // same text: no Change
  EXPECT_EQ(changes, 2);
  ASSERT_TRUE(text.SetMaxLength(4));
  ASSERT_TRUE(input::EditText(text, "Jähr2006"));
  EXPECT_EQ(text.Text(), "Jähr");  // four characters, not four bytes
  text.SetLocked(true);
  EXPECT_FALSE(input::EditText(text, "x"));
  EXPECT_EQ(text.Text(), "Jähr");
  EXPECT_FALSE(text.SetMaxLength(-1));
}

TEST_F(InputTest, StandardControlsAnswerLateBound) {
  using automation::Variant;
  Label& label = form_->Add<Label>("lblTitle");
  CommandButton& button = form_->Add<CommandButton>("cmdOK");
  CheckBox& check = form_->Add<CheckBox>("chkAutoSize");
  TextBox& text = form_->Add<TextBox>("txtMsg");
  int clicks = 0;
  button.Click().Connect([&] { ++clicks; });
  struct Case {
    Control* control;
    const char* member;
    Variant value;
    bool accepted;
    Variant read_back;  // Empty: not read back
  };
  const Case cases[] = {
      {&label, "Caption", "Title", true, "Title"},
      {&label, "AutoSize", std::int32_t{-1}, true, true},
      {&label, "Alignment", std::int32_t{2}, true, std::int32_t{2}},
      {&label, "Alignment", std::int32_t{3}, false, std::int32_t{2}},
      {&label, "Width", std::int32_t{-1}, false, Variant()},
      {&button, "Caption", "&OK", true, "&OK"},
      {&button, "Default", true, true, true},
      {&button, "Value", true, true, false},  // presses the button
      {&check, "Value", std::int32_t{1}, true, std::int32_t{1}},
      {&check, "Value", std::int32_t{3}, false, std::int32_t{1}},
      {&check, "Value", "x", false, std::int32_t{1}},
      {&text, "Text", std::int32_t{2006}, true, "2006"},
      {&text, "MaxLength", std::int32_t{-5}, false, std::int32_t{0}},
      {&text, "Visible", false, true, false},
      {&text, "NoSuchMember", true, false, Variant()},
  };
  for (const Case& c : cases) {
    const std::string what = c.control->Name() + "." + c.member;
    EXPECT_EQ(c.control->Put(c.member, c.value).ok(), c.accepted) << what;
    if (!c.read_back.IsEmpty()) {
      auto back = c.control->Get(c.member);
      ASSERT_TRUE(back.ok()) << what;
      EXPECT_EQ(*back, c.read_back) << what;
    }
  }
  EXPECT_EQ(clicks, 1);
  // The standard ids are the same on every control that has the member.
  EXPECT_EQ(*label.GetIdOfName("Caption"), dispid::kCaption);
  EXPECT_EQ(*button.GetIdOfName("caption"), dispid::kCaption);
  EXPECT_EQ(*check.GetIdOfName("Value"), dispid::kValue);
  EXPECT_EQ(*text.GetIdOfName("Enabled"), dispid::kEnabled);
}

TEST_F(InputTest, LinesKeepTheirBoundsFromTheirEndPoints) {
  Line& line = form_->Add<Line>("lineBottom");
  line.SetPoints(0, 1155, 7020, 1155);
  EXPECT_EQ(line.Bounds(), (Rect{0, 1155, 7020, 0}));
  ASSERT_TRUE(line.Put("X1", std::int32_t{8000}));
  EXPECT_EQ(line.Bounds(), (Rect{7020, 1155, 980, 0}));
  auto refused = line.SetLeft(10);
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ui_error::kNotSupported);
  EXPECT_FALSE(line.GetIdOfName("Left").ok());
  EXPECT_FALSE(line.SetBorderWidth(0));
  ASSERT_TRUE(line.Put("BorderColor", std::int32_t{-2147483632}));  // 0x80000010 shadow
  EXPECT_EQ(line.BorderColor(), system_color::kButtonShadow);
}

}  // namespace
}  // namespace feriant::ui
