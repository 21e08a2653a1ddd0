// feriant-outlook [FILE.ics | URL]: a calendar program of ours that hosts the Feriant
// add-in as Outlook would: its appointments in a window, the add-ins registered for
// Outlook in the current user's registry connected at start, their entries in its menus
// and toolbars. Without FILE it shows the calendar it showed last, and on its first run
// holidays.ics in the current directory, the file the command line writes by default; an
// http(s) URL names a calendar collection on a CalDAV server, whose password, when
// neither ~/.netrc nor FERIANT_CALDAV_PASSWORD gives it, a dialog asks for.
// Exit status: 0 done, 1 the file or an add-in failed, 2 wrong usage.

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include <QApplication>
#include <QCommandLineParser>
#include <QInputDialog>
#include <QLineEdit>

#include "apps/feriant-outlook/outlook_window.h"
#include "apps/host-shell/shell_start.h"
#include "hosts/outlook/caldav_account.h"
#include "hosts/outlook/caldav_store.h"
#include "hosts/outlook/explorer.h"
#include "hosts/outlook/outlook.h"
#include "platform/components/component_registry.h"
#include "platform/ui/core/backend.h"
#include "platform/ui_qt/qt_backend.h"

namespace {

constexpr const char* kProgram = "feriant-outlook";
constexpr const char* kHostKey = "Software\\Microsoft\\Office\\Outlook";
constexpr const char* kDefaultFile = "holidays.ics";

// The account for a calendar on a server, the password asked in a dialog when nothing
// else gives it. The Error says why the server cannot be used; none when the person
// cancelled the dialog.
feriant::Result<std::optional<feriant::outlook::ServerSettings>> LogIn(const std::string& url) {
  const char* home = std::getenv("HOME");
  feriant::Result<feriant::outlook::ServerAccount> account = feriant::outlook::FindAccount(
      url, home != nullptr ? std::filesystem::path(home) / ".netrc" : std::filesystem::path(),
      std::getenv(feriant::outlook::kPasswordVariable));
  if (!account) return account.error();
  feriant::outlook::ServerSettings settings;
  settings.user = account->user;
  if (!account->user.empty() && !account->password) {
    bool given = false;
    const QString password = QInputDialog::getText(
        nullptr, "Feriant calendar",
        QString::fromStdString("Password for " + account->user + " at " + account->host + ":"),
        QLineEdit::Password, {}, &given);
    if (!given) return std::optional<feriant::outlook::ServerSettings>();
    account->password = password.toStdString();
  }
  settings.password = account->password.value_or("");
  return std::optional<feriant::outlook::ServerSettings>(std::move(settings));
}

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
      "  feriant-outlook https://alice@dav.example.org/calendars/alice/work/\n"
      "  feriant-outlook --today 2026-01-15 --open-addin holidays.ics");
  parser.addHelpOption();
  parser.addPositionalArgument("file",
                               "The calendar file (default: the one shown last, at first "
                               "holidays.ics), or the http(s) URL of a calendar collection "
                               "on a CalDAV server (https://alice@host/dav/calendars/alice/work/).",
                               "[FILE.ics|URL]");
  const QCommandLineOption ca_file(
      "cacert", "With a URL, a PEM file of the authorities that TLS trusts.", "FILE");
  parser.addOption(ca_file);
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

  // A calendar on a server: who to be there, asked before any window shows.
  feriant::outlook::ServerSettings server;
  if (feriant::outlook::IsCalendarUrl(file)) {
    auto login = LogIn(file);
    if (!login) {
      shell::ReportFailure(kProgram, login.error().description);
      return shell::kFailed;
    }
    if (!*login) return shell::kFailed;  // the person cancelled the password dialog
    server = std::move(**login);
    if (parser.isSet(ca_file)) server.ca_file = parser.value(ca_file).toStdString();
  }

  auto backend = feriant::ui_qt::QtBackend::Install();
  int status = 0;
  {
    auto command_bars = feriant::office::CommandBars::Create();
    feriant::outlook::OutlookOptions options;
    if (!parser.isSet(no_explorer)) {
      options.active_explorer =
          std::make_shared<feriant::outlook::Explorer>(command_bars, "Calendar - " + file);
    }
    auto outlook = feriant::outlook::CreateOutlookApplication(file, std::move(options),
                                                              {std::move(server), {}, {}});
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
