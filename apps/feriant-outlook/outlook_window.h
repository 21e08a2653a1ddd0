#pragma once
// OutlookWindow: the main window of feriant-outlook, the calendar program of ours that
// hosts the add-in: the calendar's appointments in date order (date, subject, location,
// categories) over the Outlook object model of one iCalendar file. The explorer that
// add-ins extend (hosts/outlook/explorer.h) is made over this window's command bars.
//
// The window reads the appointments through the same application object it hands to the
// add-ins, so the view shows what they changed. One thread, the user-interface thread.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "apps/host-shell/shell_window.h"
#include "platform/automation/dispatch.h"

class QTreeWidget;
class QWidget;

namespace feriant::outlook_shell {

// One line of the view.
struct AppointmentRow {
  std::string date;  // "YYYY-MM-DD", with " HH:MM" for an appointment that is not all-day
  std::string subject;
  std::string location;
  std::string categories;
};

// The calendar's appointments through `application` (GetNamespace("MAPI"), its folder 9),
// ordered by start, ties in calendar order.
Result<std::vector<AppointmentRow>> CalendarRows(automation::Dispatch& application);

// What the person typed or chose as a calendar to open: a file's path (a "file:" URL is
// taken as its path), or the http(s) URL of a collection on a CalDAV server; surrounding
// blanks do not count. Anything else, and nothing, is refused with the reason.
Result<std::string> CalendarLocation(std::string_view text);

// Asks for a calendar to open, a file (with a file dialog behind "Browse...") or a
// server calendar's URL, starting from `current`. Nothing when the person cancels.
std::optional<std::string> AskForCalendar(QWidget* parent, const std::string& current);

// Opens the calendar at a location: its application object, read; nothing when the person
// cancelled (a password dialog); an Error when it cannot be read.
using CalendarOpener =
    std::function<Result<std::optional<automation::ObjectRef>>(const std::string& location)>;
// The add-ins of the host over an application object.
using AddInManagerMaker =
    std::function<std::unique_ptr<host_shell::AddInManager>(automation::ObjectRef application)>;

// Writes what the add-ins changed in the calendar of `application`, if anything; the
// changes are given up when that fails, so nothing writes them later.
Status SaveChangedCalendar(automation::Dispatch& application);

class OutlookWindow : public host_shell::ShellWindow {
 public:
  // `command_bars`: those of the explorer handed to the application, if any.
  OutlookWindow(std::shared_ptr<office::CommandBars> command_bars,
                automation::ObjectRef application, std::filesystem::path file);

  // Makes File → Open work, and hands the add-ins the first application object.
  void SetOpener(CalendarOpener opener, AddInManagerMaker add_ins);
  // Shows the calendar at `location` in place of the one shown: what the add-ins changed
  // in that one is written first, and the add-ins are connected anew to the new
  // application object. False, with the reason shown, when it cannot be opened or the
  // changes cannot be written (or the person cancelled); the window then goes on with
  // the calendar it had.
  bool Open(const std::string& location);
  const automation::ObjectRef& application() const { return application_; }

  void Refresh() override;
  std::string Location() const override;
  QTreeWidget* view() const { return view_; }

 private:
  void ShowTitle();

  CalendarOpener opener_;
  AddInManagerMaker add_ins_maker_;
  automation::ObjectRef application_;
  std::filesystem::path file_;
  QTreeWidget* view_ = nullptr;
};

}  // namespace feriant::outlook_shell
