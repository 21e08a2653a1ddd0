#pragma once
// OutlookWindow: the main window of feriant-outlook, the calendar program of ours that
// hosts the add-in: the calendar's appointments in date order (date, subject, location,
// categories) over the Outlook object model of one iCalendar file. The explorer that
// add-ins extend (hosts/outlook/explorer.h) is made over this window's command bars.
//
// The window reads the appointments through the same application object it hands to the
// add-ins, so the view shows what they changed. One thread, the user-interface thread.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "apps/host-shell/shell_window.h"
#include "platform/automation/dispatch.h"

class QTreeWidget;

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

class OutlookWindow : public host_shell::ShellWindow {
 public:
  // `command_bars`: those of the explorer handed to the application, if any.
  OutlookWindow(std::shared_ptr<office::CommandBars> command_bars,
                automation::ObjectRef application, std::filesystem::path file);

  void Refresh() override;
  std::string Location() const override;
  QTreeWidget* view() const { return view_; }

 private:
  automation::ObjectRef application_;
  std::filesystem::path file_;
  QTreeWidget* view_ = nullptr;
};

}  // namespace feriant::outlook_shell
