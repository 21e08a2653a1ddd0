#include "apps/host-shell/shell_start.h"

#include <iostream>
#include <memory>
#include <system_error>

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimer>

#include "apps/host-shell/first_start.h"
#include "apps/host-shell/shell_state.h"

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

// The first start's registration; its line for the status bar, if any.
std::optional<QString> RegisterOnFirstStart(const char* program) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::nullopt;
  auto registered = RegisterWhenMissing(NeededProgIds(), InstalledLibrariesBeside(self));
  if (!registered) {
    std::cerr << program << ": " << registered.error().description << "\n";
    return QString::fromStdString(registered.error().description);
  }
  if (!*registered) return std::nullopt;
  std::cerr << program << ": " << **registered << "\n";
  return QString::fromStdString(**registered);
}

void Remember(const char* program, const ShellWindow& window) {
  const std::filesystem::path file = ShellStateFile(program);
  ShellState state = ReadShellState(file).value_or(ShellState{});
  if (std::string location = window.Location(); !location.empty())
    state.location = std::move(location);
  state.window = PlacementOf(window);
  if (Status written = WriteShellState(file, state); !written)
    std::cerr << program << ": " << written.error().description << "\n";
}

}  // namespace

std::string RememberedLocation(const char* program, const QCommandLineParser& parser,
                               const CommonOptions& options) {
  if (parser.isSet(options.screenshot)) return {};
  auto state = ReadShellState(ShellStateFile(program));
  if (!state) {
    std::cerr << program << ": " << state.error().description << "\n";
    return {};
  }
  return state->location;
}

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
  const bool remember = !parser.isSet(options.screenshot);
  if (remember) {
    auto state = ReadShellState(ShellStateFile(program));
    if (state && state->window) Restore(window, *state->window);
  }
  const std::optional<QString> registered = RegisterOnFirstStart(program);
  window.show();
  window.ConnectAddIns();
  window.Refresh();
  if (registered) window.ShowStatus(*registered);
  const bool open_addin = parser.isSet(options.open_addin);
  if (!remember) {
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
  if (remember) Remember(program, window);
  window.DisconnectAddIns();
  return status != 0 ? status : loop_status;
}

}  // namespace feriant::host_shell
