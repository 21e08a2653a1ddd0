#include "platform/ui/core/window.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/ui/controls/command_button.h"
#include "platform/ui/controls/label.h"
#include "tests/platform/ui/ui_test_support.h"

namespace feriant::ui {
namespace {

using testing::UiTest;
namespace win = window;

// What the procedures below saw, and the size limits the form's procedure answers.
std::vector<std::string> g_seen;
win::MinMaxInfo g_limits;

// Answers WM_GETMINMAXINFO with g_limits' tracking sizes and passes every message on to
// the procedure it replaced, kept in the window property "previous".
std::intptr_t LimitingProcedure(win::Handle window, std::uint32_t message, std::intptr_t wparam,
                                std::intptr_t lparam) {
  g_seen.push_back("limit " + std::to_string(message));
  if (message == win::kGetMinMaxInfo) {
    auto* info = reinterpret_cast<win::MinMaxInfo*>(lparam);
    info->min_track_size = g_limits.min_track_size;
    info->max_track_size = g_limits.max_track_size;
  }
  return win::CallProcedure(win::ProcedureOf(win::GetProp(window, "previous")), window, message,
                            wparam, lparam);
}

std::intptr_t RecordingProcedure(win::Handle, std::uint32_t message, std::intptr_t, std::intptr_t) {
  g_seen.push_back("record " + std::to_string(message));
  return 7;
}

class WindowTest : public UiTest {
 protected:
  void SetUp() override {
    UiTest::SetUp();
    g_seen.clear();
    g_limits = win::DefaultMinMaxInfo();
  }
  void TearDown() override {
    win::testing::SetPropWriteFilter(nullptr);
    UiTest::TearDown();
  }
};

TEST_F(WindowTest, PropertyWritesReportWhetherTheyWereStored) {
  Form form("frmTest");
  ASSERT_TRUE(form.Load());
  const win::Handle own = form.hWnd();
  const win::Handle foreign = win::testing::AddForeignWindow(win::CurrentProcess() + 1);
  Form gone("frmGone");
  ASSERT_TRUE(gone.Load());
  const win::Handle destroyed = gone.hWnd();
  ASSERT_TRUE(*gone.Unload());
  win::testing::SetPropWriteFilter(
      [](win::Handle, std::string_view name, std::intptr_t) { return name != "refused"; });

  struct Case {
    win::Handle window;
    const char* name;
    std::intptr_t value;
    bool stored;
    std::intptr_t read_back;
  };
  const Case cases[] = {
      {own, "1234", 42, true, 42},      {own, "1234", -7, true, -7},  // replaced
      {own, "1234", 0, true, 0},                                      // 0 removes the entry
      {own, "C1234", 0, true, 0},                                     // removing what is not there
      {own, "refused", 5, false, 0},                                  // the test filter refuses it
      {own, "refused", 0, true, 0},                                   // a removal is never refused
      {foreign, "1234", 5, false, 0},                                 // another process's window
      {destroyed, "1234", 5, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(win::SetProp(c.window, c.name, c.value), c.stored) << c.name << "=" << c.value;
    EXPECT_EQ(win::GetProp(c.window, c.name), c.read_back) << c.name << "=" << c.value;
  }
  EXPECT_TRUE(win::PropNames(own).empty());
  EXPECT_EQ(win::ProcessOf(own), win::CurrentProcess());
  EXPECT_EQ(win::ProcessOf(foreign), win::CurrentProcess() + 1);
  EXPECT_FALSE(win::IsWindow(destroyed));
  EXPECT_EQ(win::ProcessOf(destroyed), 0);
}

TEST_F(WindowTest, ReplacedProceduresChainAndRestore) {
  Form form("frmTest");
  ASSERT_TRUE(form.Load());
  const win::Handle handle = form.hWnd();
  EXPECT_EQ(win::SetProcedure(handle, &RecordingProcedure), &win::DefaultProcedure);
  const win::Procedure previous = win::SetProcedure(handle, &LimitingProcedure);
  EXPECT_EQ(previous, &RecordingProcedure);
  ASSERT_TRUE(win::SetProp(handle, "previous", win::ProcedureValue(previous)));
  EXPECT_EQ(win::Send(handle, 15), 7);  // the chain answers what its end answers
  EXPECT_EQ(g_seen, (std::vector<std::string>{"limit 15", "record 15"}));
  EXPECT_EQ(win::SetProcedure(handle, previous), &LimitingProcedure);
  EXPECT_EQ(win::GetProcedure(handle), &RecordingProcedure);
  // Nothing changes on a window of another process, or with no procedure.
  const win::Handle foreign = win::testing::AddForeignWindow(win::CurrentProcess() + 1);
  EXPECT_EQ(win::SetProcedure(foreign, &RecordingProcedure), nullptr);
  EXPECT_EQ(win::GetProcedure(foreign), &win::DefaultProcedure);
  EXPECT_EQ(win::SetProcedure(handle, nullptr), nullptr);
  EXPECT_EQ(win::Send(0, 15), 0);  // not a window
}

TEST_F(WindowTest, FormsKeepToTheAnsweredSizeLimitsAndAnnounceTheirEnd) {
  auto form = std::make_shared<Form>("frmTest");
  ASSERT_TRUE(form->Load());
  const win::Handle first = form->hWnd();
  ASSERT_TRUE(win::SetProp(first, "previous",
                           win::ProcedureValue(win::SetProcedure(first, &LimitingProcedure))));
  // 15 twips per pixel; the sizable frame is 120 x 405 twips.
  g_limits.min_track_size = {200, 100};
  g_limits.max_track_size = {400, 300};
  struct Case {
    int width, height;  // asked for, client twips
    int got_width, got_height;
  };
  const Case cases[] = {
      {5000, 3000, 5000, 3000},
      {100, 100, 3000 - 120, 1500 - 405},  // below the minimum tracking size
      {9000, 9000, 6000 - 120, 4500 - 405},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(form->SetClientSize(c.width, c.height));
    EXPECT_EQ(form->ScaleWidth(), c.got_width) << c.width;
    EXPECT_EQ(form->ScaleHeight(), c.got_height) << c.height;
  }
  EXPECT_EQ(form->ClientSizeRange(), (SizeRange{2880, 1095, 5880, 4095}));
  // Showing asks again: a narrower answer shrinks the form before it appears.
  g_limits.max_track_size = {300, 200};
  ASSERT_TRUE(form->Show());
  EXPECT_EQ(form->Width(), 4500);
  EXPECT_EQ(form->Height(), 3000);

  // Unloading: WM_DESTROY while the controls are still there, then the window is gone.
  CommandButton& button = form->Add<CommandButton>("cmdOK");
  const win::Handle button_window = button.hWnd();
  g_seen.clear();
  ASSERT_TRUE(*form->Unload());
  EXPECT_EQ(g_seen, (std::vector<std::string>{"limit 2"}));
  EXPECT_FALSE(win::IsWindow(first));
  EXPECT_FALSE(win::IsWindow(button_window));
  EXPECT_EQ(form->hWnd(), 0);
  ASSERT_TRUE(form->Load());
  EXPECT_TRUE(win::IsWindow(form->hWnd()));
  EXPECT_NE(form->hWnd(), first);
  EXPECT_EQ(win::GetProcedure(form->hWnd()), &win::DefaultProcedure);
  EXPECT_EQ(form->Add<Label>("lblNote").hWnd(), 0);  // windowless
}

}  // namespace
}  // namespace feriant::ui
