// lumatrel-container: the control test container. It lists the Lumatrel controls
// registered for the current user, places them on a form in a window, shows their
// property pages, logs their events, and saves and restores the form. With
// --standard-controls it shows the platform's standard controls on a form of their own
// instead.
// Exit status: 0 done, 1 something asked for on the command line failed, 2 wrong usage.

#include <cstdio>
#include <iostream>
#include <string>

#include <QApplication>
#include <QCommandLineParser>
#include <QStringList>
#include <QTimer>

#include "apps/lumatrel-container/class_catalog.h"
#include "apps/lumatrel-container/container_window.h"
#include "apps/lumatrel-container/standard_controls_form.h"
#include "platform/components/component_registry.h"
#include "platform/ui_qt/qt_backend.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsage = 2;
// Time for the window to be laid out and painted before a screenshot, in milliseconds.
constexpr int kScreenshotDelay = 300;

}  // namespace

int main(int argc, char** argv) {
  namespace container = feriant::lumatrel_container;
  QApplication application(argc, argv);
  QApplication::setApplicationName("lumatrel-container");
  QApplication::setApplicationDisplayName("Lumatrel control container");

  QCommandLineParser parser;
  parser.setApplicationDescription(
      "Places Lumatrel controls registered for the current user (the registry file named by "
      "FERIANT_REGISTRY, or ~/.config/feriant/registry.json) on a form, to try them.\n\n"
      "Examples:\n"
      "  lumatrel-container --place Lumatrel.WhiteTop --place Lumatrel.BottomLine\n"
      "  lumatrel-container --open form.json\n"
      "  lumatrel-container --place Lumatrel.BottomLine --screenshot bar.png\n"
      "  lumatrel-container --size 1400x900 --place Lumatrel.TwoBoxes --place Lumatrel.RadioGroup\n"
      "  lumatrel-container --standard-controls");
  parser.addHelpOption();
  const QCommandLineOption place(
      "place", "Places a control at start, by program id or class id; may be repeated.", "class");
  const QCommandLineOption open("open", "Opens a form saved with File > Save.", "file");
  const QCommandLineOption screenshot(
      "screenshot", "Saves a picture of the window as a PNG file and quits.", "file");
  const QCommandLineOption standard_controls(
      "standard-controls",
      "Shows the platform's standard controls, live, on a form of their own instead of the "
      "container.");
  const QCommandLineOption size("size", "Sizes the window at start, in pixels.", "WIDTHxHEIGHT");
  parser.addOption(place);
  parser.addOption(size);
  parser.addOption(standard_controls);
  parser.addOption(open);
  parser.addOption(screenshot);
  if (!parser.parse(QApplication::arguments())) {
    std::cerr << "lumatrel-container: " << parser.errorText().toStdString() << "\n"
              << "Try lumatrel-container --help.\n";
    return kUsage;
  }
  if (parser.isSet("help")) parser.showHelp(0);
  if (!parser.positionalArguments().isEmpty()) {
    std::cerr << "lumatrel-container: unexpected argument "
              << parser.positionalArguments().first().toStdString() << "\n";
    return kUsage;
  }

  if (parser.isSet(standard_controls) && (parser.isSet(place) || parser.isSet(open))) {
    std::cerr << "lumatrel-container: --standard-controls shows no placed controls\n";
    return kUsage;
  }

  auto backend = feriant::ui_qt::QtBackend::Install();
  int status = 0;
  auto fail = [&status](const std::string& message) {
    std::cerr << "lumatrel-container: " << message << "\n";
    status = kFailed;
  };
  if (parser.isSet(standard_controls)) {
    auto form = std::make_shared<container::StandardControlsForm>();
    if (feriant::Status shown = form->Show(); !shown) {
      fail(shown.error().description);
    } else {
      if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        QWidget* window = backend->FormWidget(*form);
        QTimer::singleShot(kScreenshotDelay, window, [window, &fail, file] {
          if (!window->grab().save(file, "PNG"))
            fail("cannot write the screenshot " + file.toStdString());
          QApplication::quit();
        });
      }
      const int loop_status = QApplication::exec();
      if (status == 0) status = loop_status;
    }
    (void)form->Unload();
    form.reset();
    feriant::ui::SetBackend(nullptr);
    backend.reset();
    return status;
  }
  auto classes = container::LumatrelControlsOfCurrentUser();
  if (!classes) fail(classes.error().description);
  {
    container::ContainerWindow window(
        *backend, classes ? *classes : std::vector<container::RegisteredClass>{},
        [](const feriant::automation::Guid& class_id) {
          return feriant::components::CreateObject(class_id);
        });
    if (parser.isSet(size)) {
      const QStringList wh = parser.value(size).split('x');
      bool wide = false;
      bool high = false;
      const int width = wh.size() == 2 ? wh[0].toInt(&wide) : 0;
      const int height = wh.size() == 2 ? wh[1].toInt(&high) : 0;
      if (!wide || !high || width <= 0 || height <= 0) {
        std::cerr << "lumatrel-container: --size takes WIDTHxHEIGHT in pixels, such as 1400x900\n";
        return kUsage;
      }
      window.resize(width, height);
    }
    window.show();
    // Laid out before anything is placed, so that the form has its size.
    QApplication::processEvents();
    if (parser.isSet(open)) {
      const std::string file = parser.value(open).toStdString();
      if (auto opened = window.OpenForm(file); !opened)
        fail("cannot open " + file + ": " + opened.error().description);
    }
    for (const QString& name : parser.values(place)) {
      if (auto placed = window.Place(name.toStdString()); !placed)
        fail("cannot place " + name.toStdString() + ": " + placed.error().description);
    }
    if (parser.isSet(screenshot)) {
      const std::string file = parser.value(screenshot).toStdString();
      QTimer::singleShot(kScreenshotDelay, &window, [&window, &fail, file] {
        if (auto saved = window.SaveScreenshot(file); !saved) fail(saved.error().description);
        QApplication::quit();
      });
    }
    const int loop_status = QApplication::exec();
    if (status == 0) status = loop_status;
  }
  // The widgets are gone; the backend goes before the application.
  feriant::ui::SetBackend(nullptr);
  backend.reset();
  return status;
}
