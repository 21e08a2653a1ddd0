#include "platform/ui_qt/offscreen_application.h"

#include <QApplication>
#include <QCoreApplication>

namespace feriant::ui_qt {

void StartOffscreenApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // QApplication keeps references to both for its whole life.
  static int argc = 1;
  static char name[] = "feriant";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);  // lives as long as the process
}

void ProcessPendingEvents() {
  QCoreApplication::processEvents();
}

}  // namespace feriant::ui_qt
