#pragma once
// The subcommands of the feriant command line. Each plays the add-in's host headlessly:
// it sets up what the host connection would (the data tables, the host kind, the
// user-interface language from the user's locale), drives the dialog logic and the
// holiday run that the dialog drives, and prints what the dialog would show.
//
// Each command writes its results to `out` and its messages and usage errors to `err`,
// and returns the exit status. They are run once per process, from main's thread.

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "apps/feriant/command_support.h"
#include "platform/base/result.h"

namespace feriant::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the run refused the selection or showed an error
inline constexpr int kExitUsage = 2;   // the command line was wrong; nothing ran

struct CountriesOptions {
  std::int32_t host_kind = 1;
  bool json = false;                 // one JSON object per country: name, code, english
  std::optional<std::string> today;  // "YYYY-MM-DD"; none for the real clock
};

struct RegionsOptions {
  std::string country;
  std::int32_t host_kind = 1;
  bool paths = false;  // full region paths in place of the display names
  // Only the regions this text could mean (by name, part of a name or path), each by
  // its path.
  std::optional<std::string> find;
  bool json = false;  // one JSON object per region: path, name, depth, counts per host
};

struct FeastsOptions {
  std::string year;
};

// kICalendar: the calendar an import of the selection into an empty calendar writes.
enum class ListFormat { kText, kJsonLines, kICalendar };

struct ListOptions {
  SelectionOptions selection;  // the language defaults to the user's locale
  ListFormat format = ListFormat::kText;
  bool verbose = false;
};

// import and remove: the run of the dialog's Import or Remove button against a calendar
// file. Outlook mode (host kind 1) edits an iCalendar file; Project mode (host kind 2) the
// base calendars of a Project XML file.
struct ImportOptions {
  SelectionOptions selection;           // the language defaults to the host's
  bool removal = false;                 // Remove rather than Import
  std::optional<std::string> calendar;  // Outlook mode: the .ics file or a collection's URL
  std::optional<std::string> ca_file;   // with a URL: the authorities TLS trusts
  std::optional<std::string> project;   // Project mode: the Project XML file
  // Project mode: the base calendars to edit, by name; empty for every listed one.
  std::vector<std::string> base_calendars;
  std::optional<std::string> today;  // "YYYY-MM-DD"; none for the real clock
  bool show_progress = false;        // draw the progress line on `err` (a terminal)
  // The command named in messages; "import" or "remove" when empty.
  std::string command;
  // Outlook mode without a file (list --format ics): the run starts from an empty calendar
  // and its save hands the calendar's text here; no file is named, read or written.
  std::function<Status(std::string text)> save_to;
};

// The calendar file of Outlook mode when neither file is named, in the current directory.
inline constexpr std::string_view kDefaultCalendarFile = "holidays.ics";

struct CalendarsOptions {
  std::string project;                 // the Project XML file, or
  std::string caldav;                  // the URL of a CalDAV server or account
  std::optional<std::string> ca_file;  // with caldav: the authorities TLS trusts
  bool json = false;                   // one JSON object per calendar: name (and url for a server)
};

int RunCountries(const CountriesOptions& options, std::ostream& out, std::ostream& err);
int RunRegions(const RegionsOptions& options, std::ostream& out, std::ostream& err);
int RunFeasts(const FeastsOptions& options, std::ostream& out, std::ostream& err);
int RunList(const ListOptions& options, std::ostream& out, std::ostream& err);
int RunImport(const ImportOptions& options, std::ostream& out, std::ostream& err);
// list --format ics: imports the selection into an empty calendar and writes what its save
// would write to `out`; every message goes to `err`.
int RunCalendarExport(const ListOptions& options, std::ostream& out, std::ostream& err);
// Lists the base calendars of a project as the dialog's calendar list shows them, or the
// calendar collections that take events on a CalDAV server.
int RunCalendars(const CalendarsOptions& options, std::ostream& out, std::ostream& err);

}  // namespace feriant::cli
