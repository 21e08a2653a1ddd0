#include "apps/host-shell/shell_start.h"

#include <iostream>
#include <memory>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

namespace feriant::host_shell {
namespace {

// Time for the windows to be laid out and painted before a screenshot, in milliseconds;
// with --open-addin the picture waits for the dialog, up to kDialogWaits more turns.
constexpr int kScreenshotDelay = 600;
constexpr int kDialogWaits = 20;

int VisibleWindows() {
  int count = 0;
  for (QWidget* widget : QApplication::topLevelWidgets())
    count += widget->isVisible() ? 1 : 0;
  return count;
}

}  // namespace

std::optional<int> ParseShellCommandLine(QCommandLineParser& parser, const CommonOptions& options,
                                         const char* program) {
  if (!parser.parse(QApplication::arguments())) {
    std::cerr << program << ": " << parser.errorText().toStdString() << "\nTry " << program
              << " --help.\n";
    return kUsage;
  }
  if (parser.isSet("help")) parser.showHelp(0);
  if (parser.positionalArguments().size() > 1) {
    std::cerr << program << ": give one file, not " << parser.positionalArguments().size() << "\n";
    return kUsage;
  }
  if (parser.isSet(options.today)) {
    if (Status set = SetToday(parser.value(options.today).toStdString()); !set) {
      std::cerr << program << ": " << set.error().description << "\n";
      return kUsage;
    }
  }
  return std::nullopt;
}

void ReportFailure(const char* program, const std::string& message) {
  std::cerr << program << ": " << message << "\n";
  if (QGuiApplication::platformName() != "offscreen")
    QMessageBox::critical(nullptr, QApplication::applicationDisplayName(),
                          QString::fromStdString(message));
}

int RunShell(ShellWindow& window, const QCommandLineParser& parser, const CommonOptions& options,
             const char* program, std::function<bool()> click) {
  int status = 0;
  window.show();
  window.ConnectAddIns();
  window.Refresh();
  const bool open_addin = parser.isSet(options.open_addin);
  if (parser.isSet(options.screenshot)) {
    const QString file = parser.value(options.screenshot);
    auto waits = std::make_shared<int>(0);
    auto shoot = std::make_shared<std::function<void()>>();
    *shoot = [&status, file, open_addin, waits, shoot, program] {
      if (open_addin && VisibleWindows() < 2 && ++*waits < kDialogWaits) {
        QTimer::singleShot(kScreenshotDelay / 4, [shoot] { (*shoot)(); });
        return;
      }
      if (!SaveWindowsScreenshot(file)) {
        std::cerr << program << ": cannot write the screenshot " << file.toStdString() << "\n";
        status = kFailed;
      }
      QApplication::quit();
    };
    QTimer::singleShot(kScreenshotDelay, [shoot] { (*shoot)(); });
  }
  if (open_addin) {
    QTimer::singleShot(0, &window, [&status, click, program] {
      if (!click()) {
        std::cerr << program << ": --open-addin: no add-in button to click\n";
        status = kFailed;
      }
    });
  }
  const int loop_status = QApplication::exec();
  window.DisconnectAddIns();
  return status != 0 ? status : loop_status;
}

}  // namespace feriant::host_shell
