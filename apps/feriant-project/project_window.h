#pragma once
// ProjectWindow: the main window of feriant-project, the project-planning program of ours
// that hosts the add-in as Microsoft Project would: the open project's base calendars
// with their non-working days, File → Open and Save, and the Organizer, where the user
// copies, renames and deletes base calendars (each change written to the file at once).
//
// The window and the add-ins share one ProjectApplication; an add-in's edits are written
// when its dialog closes (see SaveEdits). One thread, the user-interface thread.

#include <memory>
#include <string>
#include <vector>

#include "apps/host-shell/shell_window.h"
#include "hosts/project/project_application.h"

class QTreeWidget;
class QWidget;

namespace feriant::project_shell {

// One base calendar of the view: its name and its non-working days, "YYYY-MM-DD" or
// "YYYY-MM-DD to YYYY-MM-DD".
struct CalendarRow {
  std::string name;
  std::vector<std::string> days;
};
std::vector<CalendarRow> CalendarRows(const project::ProjectFile& file);

// The Organizer dialog over the open project's base calendars, modal to `parent`.
void ShowOrganizer(project::ProjectFile& file, QWidget* parent);

// The id of the built-in Tools item after which an add-in places its own: here the
// Organizer.
inline constexpr std::int32_t kOrganizerCommandId = 40191;

class ProjectWindow : public host_shell::ShellWindow {
 public:
  // The window's command bars become the application's (dispatch id 5041).
  ProjectWindow(std::shared_ptr<office::CommandBars> command_bars,
                std::shared_ptr<project::ProjectApplication> application);

  void Refresh() override;
  std::string Location() const override;
  // Opens `path` as the project; false, with the reason shown, when it cannot be opened.
  bool OpenProject(const std::string& path);
  // Writes what the add-ins changed; the reason goes to the status line and a message box.
  bool SaveEdits();
  QTreeWidget* view() const { return view_; }

 protected:
  // After a click: writes what the add-in changed, then shows the view.
  void AfterCommand() override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::shared_ptr<project::ProjectApplication> application_;
  QTreeWidget* view_ = nullptr;
};

}  // namespace feriant::project_shell
