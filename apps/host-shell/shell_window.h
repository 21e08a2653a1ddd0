#pragma once
// ShellWindow: the main window both host shells share: a File and a Tools menu, a central
// view of the host's file that the shell fills (Refresh), a status line, the Add-ins
// dialog, and what tests and documentation ask of the command line (--open-addin,
// --screenshot). The shell owns its AddInManager through this window: the add-ins are
// connected after the window is shown and disconnected when it closes.
//
// One thread, the user-interface thread.

#include <functional>
#include <memory>
#include <string>

#include <QMainWindow>

#include "apps/host-shell/add_in_manager.h"

class QMenu;
class QLabel;

namespace feriant::host_shell {

class ShellWindow : public QMainWindow {
 public:
  explicit ShellWindow(QWidget* parent = nullptr);
  ~ShellWindow() override;

  // Takes over the add-ins of the host; called once, before ConnectAddIns.
  void SetAddInManager(std::unique_ptr<AddInManager> manager);
  AddInManager* add_ins() const { return add_ins_.get(); }
  // Connects the add-ins registered with load behaviour 3; failures go to the status line
  // and to standard error, and the window stays usable.
  void ConnectAddIns();
  // Disconnects every add-in as the host shuts down (also done when the window closes).
  void DisconnectAddIns();

  // Shows the view of the host's file anew.
  virtual void Refresh() = 0;
  // The Tools and File menus of the window, for the shells' own items.
  QMenu* tools_menu() const { return tools_menu_; }
  QMenu* file_menu() const { return file_menu_; }
  void ShowStatus(const QString& text);
  QString status_text() const;

  // Opens the Add-ins dialog (Tools → "Add-ins...").
  void ShowAddInsDialog();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<AddInManager> add_ins_;
  QMenu* file_menu_ = nullptr;
  QMenu* tools_menu_ = nullptr;
  QLabel* status_ = nullptr;
};

// Writes one PNG of every visible top-level window of the program, each where it stands
// on the screen, over white.
bool SaveWindowsScreenshot(const QString& file);

// Sets the process clock to the start of `day` ("YYYY-MM-DD"); refused for anything else.
Status SetToday(const std::string& day);

}  // namespace feriant::host_shell
