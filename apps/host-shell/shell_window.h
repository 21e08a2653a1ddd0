#pragma once
// ShellWindow: the main window both host shells share. Its menu bar and toolbars are
// rendered from the host's command bars (hosts/office), which the window owns and fills
// with its built-in menus and commands; add-ins add their items and toolbars to the same
// bars late-bound, and every change is rendered again. Below them a central view of the
// host's file, which the shell fills (Refresh), and a status line.
//
// A click on a rendered control raises the control's Click event (the add-in's handler
// runs, a modal dialog included); a built-in control then runs its command unless a
// handler cancelled it. After every click the shell's AfterCommand runs (a view shows
// what the add-in changed). The window also holds the host's AddInManager: the add-ins
// are connected after the window is shown and disconnected when it closes.
//
// One thread, the user-interface thread.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <QMainWindow>

#include "apps/host-shell/add_in_manager.h"
#include "hosts/office/command_bars.h"

class QLabel;
class QAction;
class QToolBar;

namespace feriant::host_shell {

// The ids of the shells' built-in commands (Office's numbers where it has them).
inline constexpr std::int32_t kFileMenuId = 30002;
inline constexpr std::int32_t kToolsMenuId = 30007;
inline constexpr std::int32_t kAddInsCommandId = 3536;
inline constexpr std::int32_t kOpenCommandId = 23;
inline constexpr std::int32_t kSaveCommandId = 3;
inline constexpr std::int32_t kQuitCommandId = 752;

class ShellWindow : public QMainWindow, private office::CommandBarsObserver {
 public:
  // The menu bar with the pop-up menus "File" and "Tools"; the shell adds its commands.
  explicit ShellWindow(std::shared_ptr<office::CommandBars> command_bars,
                       QWidget* parent = nullptr);
  ~ShellWindow() override;

  const std::shared_ptr<office::CommandBars>& command_bars() const { return command_bars_; }
  // Adds a built-in command to the end of the pop-up menu `menu` ("File", "Tools").
  void AddCommand(std::string_view menu, std::string caption, std::int32_t id,
                  std::function<void()> run);

  // Takes over the add-ins of the host; called once, before ConnectAddIns.
  void SetAddInManager(std::unique_ptr<AddInManager> manager);
  AddInManager* add_ins() const { return add_ins_.get(); }
  // Connects the add-ins registered with load behaviour 3; failures go to the status line
  // and to standard error, and the window stays usable.
  void ConnectAddIns();
  // Disconnects every add-in as the host shuts down (also done when the window closes),
  // then discards the temporary bars and controls.
  void DisconnectAddIns();

  // Shows the view of the host's file anew.
  virtual void Refresh() = 0;
  // What the window shows, as the shell remembers it for the next start: a file's
  // absolute path, or a URL; empty when nothing is open.
  virtual std::string Location() const { return {}; }
  void ShowStatus(const QString& text);
  QString status_text() const;

  // Opens the Add-ins dialog (Tools → "Add-ins...").
  void ShowAddInsDialog();
  // Clicks `control` as the user's click on its rendered action does.
  void Execute(const std::shared_ptr<office::CommandBarControl>& control);
  // The first add-in control (action "!<...>") on a toolbar; nullptr when there is none.
  std::shared_ptr<office::CommandBarControl> AddInToolbarButton() const;
  // Renders the bars now (otherwise done from the event loop after a change).
  void RenderCommandBars();
  // The rendered toolbars and the action of a control, for tests.
  std::vector<QToolBar*> toolbars() const { return toolbars_; }
  QAction* ActionOf(const office::CommandBarControl& control) const;

 protected:
  // After every click on a control: shows the view anew.
  virtual void AfterCommand() { Refresh(); }
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnCommandBarsChanged(const office::CommandBarsChange& change) override;
  QAction* RenderControl(const std::shared_ptr<office::CommandBarControl>& control, QWidget* owner);

  std::shared_ptr<office::CommandBars> command_bars_;
  std::map<const office::CommandBarControl*, std::function<void()>> commands_;
  std::map<const office::CommandBarControl*, QAction*> actions_;
  std::vector<QToolBar*> toolbars_;
  bool render_pending_ = false;
  std::unique_ptr<AddInManager> add_ins_;
  QLabel* status_ = nullptr;
};

// Writes one PNG of every visible top-level window of the program, each where it stands
// on the screen, over white.
bool SaveWindowsScreenshot(const QString& file);

// Sets the process clock to the start of `day` ("YYYY-MM-DD"); refused for anything else.
Status SetToday(const std::string& day);

}  // namespace feriant::host_shell
