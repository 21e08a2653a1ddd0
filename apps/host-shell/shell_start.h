#pragma once
// What both host shells do from their command lines: the options they share, and the
// start of the window with its add-ins, the --open-addin click and the --screenshot.
//
// One thread, the user-interface thread.

#include <functional>
#include <optional>

#include <QCommandLineOption>
#include <QCommandLineParser>

#include "apps/host-shell/shell_window.h"

namespace feriant::host_shell {

// Exit status of the shells: 0 done, 1 a file or an add-in failed, 2 wrong usage.
inline constexpr int kFailed = 1;
inline constexpr int kUsage = 2;

struct CommonOptions {
  QCommandLineOption today{"today", "Takes DAY (YYYY-MM-DD) as today's date.", "day"};
  QCommandLineOption open_addin{"open-addin",
                                "Clicks the add-in's toolbar button once the add-in is connected."};
  QCommandLineOption screenshot{
      "screenshot",
      "Saves a picture of the program's windows as a PNG file once they are idle, "
      "then quits.",
      "file"};

  void AddTo(QCommandLineParser& parser) const {
    parser.addOption(today);
    parser.addOption(open_addin);
    parser.addOption(screenshot);
  }
};

// Parses the command line with `parser` (help, the shared options and the shell's own
// already added), sets the clock for --today and checks that at most one file is named.
// Returns the exit status to end with, or nothing to go on.
std::optional<int> ParseShellCommandLine(QCommandLineParser& parser, const CommonOptions& options,
                                         const char* program);

// The calendar or project `program` showed last (shell_state.h), to open when the command
// line names none; empty when there is none, and for --screenshot, whose pictures never
// depend on earlier runs. A damaged state file is reported on standard error.
std::string RememberedLocation(const char* program, const QCommandLineParser& parser,
                               const CommonOptions& options);

// Registers the installed add-in and control library when they are not registered for
// this user yet (first_start.h), shows `window` where it stood last (not for
// --screenshot), connects its add-ins, fills its view, arranges --open-addin (`click`
// clicks the add-in's button; false when there is none) and --screenshot, and runs the
// event loop. At the end it remembers the window's location and placement. Returns the
// exit status.
int RunShell(ShellWindow& window, const QCommandLineParser& parser, const CommonOptions& options,
             const char* program, std::function<bool()> click);

// Reports a failure on standard error as "<program>: <message>" and, on a screen a person
// looks at, in a message box.
void ReportFailure(const char* program, const std::string& message);

}  // namespace feriant::host_shell
