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
#include <QPointer>

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
  // Nothing named and nothing remembered: the person is asked, except for a screenshot,
  // which never waits for anyone; without an answer the command line's default file.
  if (file.empty() && !parser.isSet(common.screenshot)) {
    if (const auto chosen = feriant::outlook_shell::AskForCalendar(nullptr, kDefaultFile))
      file = *chosen;
  }
  if (file.empty()) file = kDefaultFile;

  auto command_bars = feriant::office::CommandBars::Create();
  const std::string ca = parser.isSet(ca_file) ? parser.value(ca_file).toStdString() : "";
  const bool explorer = !parser.isSet(no_explorer);
  // While a save to a server waits for its answers (a run's end, File > Open, the exit),
  // the windows keep being painted and the main window's status line counts them; what
  // the person types and clicks waits until the save has ended.
  auto shown_in = std::make_shared<QPointer<feriant::outlook_shell::OutlookWindow>>();
  const auto saving = [shown_in](size_t done, size_t total) {
    if (*shown_in != nullptr)
      (*shown_in)->ShowStatus(QString("Saving to the server: %1 of %2").arg(done).arg(total));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  };
  // The application object over the calendar at `location`, read; a calendar on a server
  // first asks who to be there.
  const feriant::outlook_shell::CalendarOpener open = [&command_bars, ca, explorer,
                                                       saving](const std::string& location)
      -> feriant::Result<std::optional<feriant::automation::ObjectRef>> {
    feriant::outlook::ServerSettings server;
    if (feriant::outlook::IsCalendarUrl(location)) {
      auto login = LogIn(location);
      if (!login) return login.error();
      if (!*login) return std::optional<feriant::automation::ObjectRef>();
      server = std::move(**login);
      server.ca_file = ca;
    }
    feriant::outlook::OutlookOptions options;
    if (explorer) {
      options.active_explorer =
          std::make_shared<feriant::outlook::Explorer>(command_bars, "Calendar - " + location);
    }
    auto outlook = feriant::outlook::CreateOutlookApplication(location, std::move(options),
                                                              {std::move(server), {}, saving});
    if (feriant::Status opened = feriant::outlook::OpenCalendar(*outlook); !opened)
      return opened.error();
    return std::optional<feriant::automation::ObjectRef>(std::move(outlook));
  };

  auto backend = feriant::ui_qt::QtBackend::Install();
  int status = 0;
  {
    auto first = open(file);
    if (!first) {
      shell::ReportFailure(kProgram, first.error().description);
      status = shell::kFailed;
    } else if (!*first) {
      status = shell::kFailed;  // the person cancelled the password dialog
    } else {
      feriant::outlook_shell::OutlookWindow window(command_bars, std::move(**first), file);
      *shown_in = &window;
      window.SetOpener(open, [](feriant::automation::ObjectRef outlook) {
        return std::make_unique<shell::AddInManager>(
            feriant::registry::Registry::CurrentUser(), kHostKey, std::move(outlook),
            [](std::string_view prog_id) { return feriant::components::CreateObject(prog_id); });
      });
      status = shell::RunShell(window, parser, common, kProgram, [&window] {
        const auto button = window.AddInToolbarButton();
        if (button != nullptr) window.Execute(button);
        return button != nullptr;
      });
      if (feriant::Status saved =
              feriant::outlook_shell::SaveChangedCalendar(*window.application());
          !saved) {
        shell::ReportFailure(kProgram, saved.error().description);
        status = shell::kFailed;
      }
    }
  }
  feriant::ui::SetBackend(nullptr);
  backend.reset();
  return status;
}
