// feriant-project [FILE.xml]: a project-planning program of ours that hosts the Feriant
// add-in as Microsoft Project would: the base calendars of a Project XML file in a
// window, the add-ins registered for Project in the current user's registry connected at
// start, their entries in its menus and toolbars, and the Organizer. Without FILE it opens
// the plan it showed last, if there is one.
// Exit status: 0 done, 1 the file or an add-in failed, 2 wrong usage.

#include <iostream>
#include <string>

#include <QApplication>
#include <QCommandLineParser>

#include "apps/feriant-project/project_window.h"
#include "apps/host-shell/shell_start.h"
#include "platform/components/component_registry.h"
#include "platform/ui/core/backend.h"
#include "platform/ui_qt/qt_backend.h"

namespace {

constexpr const char* kProgram = "feriant-project";
constexpr const char* kHostKey = "Software\\Microsoft\\Office\\MS Project";
// The release the program plays unless --host-version says otherwise: Project 2003.
constexpr const char* kDefaultVersion = "11.0";

}  // namespace

int main(int argc, char** argv) {
  namespace shell = feriant::host_shell;
  QApplication application(argc, argv);
  QApplication::setApplicationName(kProgram);
  QApplication::setApplicationDisplayName("Feriant project");

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Shows the base calendars of a Project XML file and hosts the add-ins registered for "
      "Project in the current user's registry.\n\n"
      "Examples:\n"
      "  feriant-project plan.xml\n"
      "  feriant-project --host-version 9.0 --open-addin plan.xml");
  parser.addHelpOption();
  parser.addPositionalArgument("file", "The Project XML file; none: the one shown last, if any.",
                               "[FILE.xml]");
  const shell::CommonOptions common;
  common.AddTo(parser);
  const QCommandLineOption host_version(
      "host-version", "The version text the program answers (default 11.0; 9.0 plays an old one).",
      "major.minor");
  parser.addOption(host_version);
  if (auto done = shell::ParseShellCommandLine(parser, common, kProgram)) return *done;
  const QStringList files = parser.positionalArguments();

  auto backend = feriant::ui_qt::QtBackend::Install();
  int status = 0;
  {
    auto project = feriant::project::ProjectApplication::Create();
    project->SetVersion(parser.isSet(host_version) ? parser.value(host_version).toStdString()
                                                   : kDefaultVersion);
    // As an installed Project does, before any add-in asks for the language.
    if (feriant::Status recorded = project->RecordUserInterfaceLanguage(); !recorded)
      std::cerr << kProgram << ": " << recorded.error().description << "\n";
    feriant::Status opened = feriant::Ok();
    if (!files.isEmpty()) {
      opened = project->Open(files.first().toStdString());
    } else if (const std::string last = shell::RememberedLocation(kProgram, parser, common);
               !last.empty()) {
      // A plan that moved away since is no failure of this start: it opens without one.
      if (feriant::Status reopened = project->Open(last); !reopened)
        std::cerr << kProgram << ": " << reopened.error().description << "\n";
    }
    if (!opened) {
      shell::ReportFailure(kProgram, opened.error().description);
      status = shell::kFailed;
    } else {
      feriant::project_shell::ProjectWindow window(feriant::office::CommandBars::Create(), project);
      window.SetAddInManager(std::make_unique<shell::AddInManager>(
          feriant::registry::Registry::CurrentUser(), kHostKey, project,
          [](std::string_view prog_id) { return feriant::components::CreateObject(prog_id); }));
      status = shell::RunShell(window, parser, common, kProgram, [&window] {
        const auto button = window.AddInToolbarButton();
        if (button != nullptr) window.Execute(button);
        return button != nullptr;
      });
      if (!window.SaveEdits()) status = shell::kFailed;
    }
  }
  feriant::ui::SetBackend(nullptr);
  backend.reset();
  return status;
}
