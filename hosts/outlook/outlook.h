#pragma once
// The Outlook object model over one iCalendar file: what the add-in's Outlook target
// calls late-bound, and what a program that plays Outlook needs to start and end a run.
//
// The application answers GetNamespace("MAPI"), CreateItem(1), LanguageSettings,
// ActiveExplorer and Version; the namespace's GetDefaultFolder(9) is the calendar, whose
// Items are the file's events (VEVENTs) by 1-based position. The file is read when the
// calendar folder is first taken and written by the folder's SaveChanges (and, as a last
// resort, when the last object of the model goes away with changes unsaved).
//
// Every object of one application shares its calendar. One thread.

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "hosts/outlook/caldav_http.h"
#include "platform/automation/dispatch.h"
#include "platform/base/result.h"

namespace feriant::outlook {

struct OutlookOptions {
  // Makes the UID of each new appointment; a random GUID when not set.
  std::function<std::string()> new_uid;
  // What ActiveExplorer answers: the window whose command bars an add-in extends.
  // Nothing when not set: there is no window, as on the command line.
  std::shared_ptr<automation::Dispatch> active_explorer;
  // The time that stamps saved appointments; the system's clock when not set (see
  // CalendarStore's StoreOptions).
  std::function<std::chrono::sys_seconds()> stamp_time;
  // Told, one line at a time, of each event of the file that cannot be read and is kept
  // as it stands, left out of the items; standard error when not set.
  std::function<void(const std::string&)> note;
  // For a calendar file: when set, the calendar starts empty and the file is neither read
  // nor written; saving hands this the calendar's text instead (StoreOptions::save_to).
  std::function<Status(std::string text)> save_to;
};

// For a calendar on a server, named by an http or https URL (caldav_store.h): how to
// reach it, what may stop a save (asked before each request) and who hears how many of
// a save's requests were answered.
struct ServerOptions {
  ServerSettings settings;
  std::function<bool()> proceed;
  std::function<void(size_t done, size_t total)> progress;
};

// The application object of a model whose calendar is `calendar_file`, or the calendar
// collection it names by an http or https URL.
std::shared_ptr<automation::Dispatch> CreateOutlookApplication(std::filesystem::path calendar_file,
                                                               OutlookOptions options = {},
                                                               ServerOptions server = {});

// Reads the calendar now, as taking the calendar folder does, so that a program can
// report a file it cannot read before it starts a run. Reads only once.
Status OpenCalendar(automation::Dispatch& application);

// Whether the calendar has changes that are not written yet. False before it was read.
bool HasUnsavedChanges(const automation::Dispatch& application);

// Writes those changes now, as the calendar folder's SaveChanges does.
Status SaveCalendar(automation::Dispatch& application);

// Gives up the changes not written yet: nothing writes them afterwards, not even the
// last object of the model going away. For a program that reported a failed run or save
// and is about to let go of the application; the objects still show the changes.
void AbandonUnsavedChanges(automation::Dispatch& application);

}  // namespace feriant::outlook
