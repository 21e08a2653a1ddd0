// What the shells remember between runs: the state file's place, its round trip, what a
// write keeps of a file and what it refuses, and a remembered window put back on the
// screens there are.

#include "apps/host-shell/shell_state.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "platform/base/file.h"
#include "tests/platform/ui_qt/qt_test_support.h"
#include "tests/support/scratch_dir.h"

namespace feriant::host_shell {
namespace {

namespace fs = std::filesystem;
using feriant::testing::ScopedEnv;
using feriant::testing::ScratchDir;

void Write(const fs::path& file, const std::string& text) {
  ASSERT_TRUE(base::ReplaceFile(file, [&](const base::CurrentContent&) {
    return Result<std::optional<std::string_view>>(std::optional<std::string_view>(text));
  }));
}

std::string Read(const fs::path& file) {
  auto text = base::ReadFile(file);
  return text ? *text : std::string("<missing>");
}

TEST(ShellStateTest, TheFileLiesInTheStateDirectory) {
  struct Case {
    const char* state_home;
    const char* expected;
  } const cases[] = {
      {"/srv/state", "/srv/state/feriant/feriant-outlook.json"},
      {nullptr, "/home/anna/.local/state/feriant/feriant-outlook.json"},
      {"", "/home/anna/.local/state/feriant/feriant-outlook.json"},
      // Relative paths are to be ignored: they would depend on the current directory.
      {"state", "/home/anna/.local/state/feriant/feriant-outlook.json"},
  };
  ScopedEnv home("HOME", "/home/anna");
  for (const Case& c : cases) {
    ScopedEnv state_home("XDG_STATE_HOME", c.state_home);
    EXPECT_EQ(ShellStateFile("feriant-outlook"), fs::path(c.expected))
        << (c.state_home ? c.state_home : "(unset)");
  }
}

TEST(ShellStateTest, WhatIsWrittenIsReadBackAndAnUnchangedStateWritesNothing) {
  ScratchDir dir;
  const fs::path file = dir.path() / "state" / "feriant" / "feriant-project.json";
  EXPECT_EQ(ReadShellState(file).value_or(ShellState{"x", std::nullopt}), ShellState{});

  const ShellState state{"https://cal.example/anna/holidays/", {{-40, 30, 1024, 700, true}}};
  ASSERT_TRUE(WriteShellState(file, state));
  EXPECT_EQ(ReadShellState(file).value_or(ShellState{}), state);

  // A member of a later version survives, and the same state leaves the bytes alone.
  std::string text = Read(file);
  text.insert(text.find('{') + 1, "\n  \"recent\": [\"/a.ics\"],");
  Write(file, text);
  const auto modified = fs::last_write_time(file);
  ASSERT_TRUE(WriteShellState(file, state));
  EXPECT_EQ(Read(file), text);
  EXPECT_EQ(fs::last_write_time(file), modified);

  ShellState moved = state;
  moved.location = "/home/anna/plan.xml";
  moved.window.reset();
  ASSERT_TRUE(WriteShellState(file, moved));
  EXPECT_EQ(ReadShellState(file).value_or(ShellState{}), moved);
  EXPECT_NE(Read(file).find("\"recent\""), std::string::npos);
}

TEST(ShellStateTest, ADamagedFileIsReportedAndNeverWrittenOver) {
  const char* const damaged[] = {
      "not json",
      "[1, 2]",
      R"({"location": 7})",
      R"({"window": [0, 0, 10, 10]})",
      R"({"window": {"x": 0, "y": 0, "width": 800, "maximized": false}})",
      R"({"window": {"x": 0, "y": 0, "width": 0, "height": 600, "maximized": false}})",
      R"({"window": {"x": 0, "y": 0, "width": 99999999, "height": 600, "maximized": false}})",
      R"({"window": {"x": 0, "y": 0, "width": 800, "height": 600, "maximized": "no"}})",
  };
  ScratchDir dir;
  const fs::path file = dir.path() / "feriant-outlook.json";
  for (const char* text : damaged) {
    Write(file, text);
    auto state = ReadShellState(file);
    ASSERT_FALSE(state) << text;
    EXPECT_EQ(state.error().kind, ErrorKind::kDamaged) << text;
    EXPECT_NE(state.error().description.find(file.string()), std::string::npos) << text;
    EXPECT_FALSE(WriteShellState(file, ShellState{"/a.ics", std::nullopt})) << text;
    EXPECT_EQ(Read(file), text);
  }
}

TEST(ShellStateTest, ARememberedWindowIsPutBackOnTheScreensThereAre) {
  ui_qt::testing::Application();
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    WindowPlacement remembered;
    QPoint position;  // (-1, -1): left to the window manager
    QSize size;
  } const cases[] = {
      {{screen.x() + 20, screen.y() + 30, 400, 300, false},
       {screen.x() + 20, screen.y() + 30},
       {400, 300}},
      // A screen that is gone: the size stays, the position does not.
      {{screen.right() + 5000, 10, 400, 300, false}, {-1, -1}, {400, 300}},
      // Larger than the screen it lands on: no larger than that screen.
      {{screen.x(), screen.y(), screen.width() * 3 / 2, screen.height() * 3 / 2, false},
       {screen.x(), screen.y()},
       screen.size()},
  };
  for (const Case& c : cases) {
    QWidget window;
    window.move(-1, -1);
    Restore(window, c.remembered);
    EXPECT_EQ(window.pos(), c.position) << c.remembered.x;
    EXPECT_EQ(window.size(), c.size) << c.remembered.x;
    EXPECT_EQ(PlacementOf(window).width, c.size.width());
  }
  QWidget maximized;
  Restore(maximized, {screen.x(), screen.y(), 300, 200, true});
  EXPECT_TRUE(maximized.windowState() & Qt::WindowMaximized);
}

}  // namespace
}  // namespace feriant::host_shell
