// feriant-outlook [FILE.ics]: a calendar program of ours that hosts the Feriant add-in
// as Outlook would: its appointments in a window, the add-ins registered for Outlook in
// the current user's registry connected at start, their entries in its menus and
// toolbars. Without FILE it shows the calendar it showed last, and on its first run
// holidays.ics in the current directory, the file the command line writes by default.
// Exit status: 0 done, 1 the file or an add-in failed, 2 wrong usage.

#include <iostream>
#include <string>

#include <QApplication>
#include <QCommandLineParser>

#include "apps/feriant-outlook/outlook_window.h"
#include "apps/host-shell/shell_start.h"
#include "hosts/outlook/explorer.h"
#include "hosts/outlook/outlook.h"
#include "platform/components/component_registry.h"
#include "platform/ui/core/backend.h"
#include "platform/ui_qt/qt_backend.h"

namespace {

constexpr const char* kProgram = "feriant-outlook";
constexpr const char* kHostKey = "Software\\Microsoft\\Office\\Outlook";
constexpr const char* kDefaultFile = "holidays.ics";

}  // namespace

int main(int argc, char** argv) {
  namespace shell = feriant::host_shell;
  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgram);
  QApplication::setApplicationDisplayName("Feriant calendar");

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Shows the appointments of an iCalendar file and hosts the add-ins registered for "
      "Outlook in the current user's registry.\n\n"
      "Examples:\n"
      "  feriant-outlook holidays.ics\n"
      "  feriant-outlook --today 2026-01-15 --open-addin holidays.ics");
  parser.addHelpOption();
  parser.addPositionalArgument(
      "file", "The calendar file (default: the one shown last, at first holidays.ics).",
      "[FILE.ics]");
  const shell::CommonOptions common;
  common.AddTo(parser);
  const QCommandLineOption no_explorer("no-explorer",
                                       "Starts without an explorer window for the add-ins.");
  parser.addOption(no_explorer);
  if (auto done = shell::ParseShellCommandLine(parser, common, kProgram)) return *done;
  const QStringList files = parser.positionalArguments();
  std::string file = files.isEmpty() ? shell::RememberedLocation(kProgram, parser, common)
                                     : files.first().toStdString();
  if (file.empty()) file = kDefaultFile;

  auto backend = feriant::ui_qt::QtBackend::Install();
  int status = 0;
  {
    auto command_bars = feriant::office::CommandBars::Create();
    feriant::outlook::OutlookOptions options;
    if (!parser.isSet(no_explorer)) {
      options.active_explorer =
          std::make_shared<feriant::outlook::Explorer>(command_bars, "Calendar - " + file);
    }
    auto outlook = feriant::outlook::CreateOutlookApplication(file, std::move(options));
    if (feriant::Status opened = feriant::outlook::OpenCalendar(*outlook); !opened) {
      shell::ReportFailure(kProgram, opened.error().description);
      status = shell::kFailed;
    } else {
      feriant::outlook_shell::OutlookWindow window(command_bars, outlook, file);
      window.SetAddInManager(std::make_unique<shell::AddInManager>(
          feriant::registry::Registry::CurrentUser(), kHostKey, outlook,
          [](std::string_view prog_id) { return feriant::components::CreateObject(prog_id); }));
      status = shell::RunShell(window, parser, common, kProgram, [&window] {
        const auto button = window.AddInToolbarButton();
        if (button != nullptr) window.Execute(button);
        return button != nullptr;
      });
      if (feriant::outlook::HasUnsavedChanges(*outlook)) {
        if (feriant::Status saved = feriant::outlook::SaveCalendar(*outlook); !saved) {
          shell::ReportFailure(kProgram, saved.error().description);
          feriant::outlook::AbandonUnsavedChanges(*outlook);
          status = shell::kFailed;
        }
      }
    }
  }
  feriant::ui::SetBackend(nullptr);
  backend.reset();
  return status;
}
