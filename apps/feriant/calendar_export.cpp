// list --format ics: the calendar an import of the selection into an empty calendar
// writes, on standard output. The import itself makes it, through the same run, target
// and store as an import into a new file; only its save hands the text here instead of
// writing the file, so that the export can never differ from what an import enters.

#include <optional>
#include <sstream>
#include <string>
#include <utility>

#include "addin/data/holiday_data.h"
#include "apps/feriant/commands.h"
#include "apps/feriant/interruption.h"
#include "apps/feriant/region_finder.h"

namespace feriant::cli {

int RunCalendarExport(const ListOptions& options, std::ostream& out, std::ostream& err) {
  std::optional<std::string> calendar;  // none until the run saves
  ImportOptions run;
  run.command = "list";
  run.selection = options.selection;
  run.save_to = [&calendar](std::string text) -> Status {
    calendar = std::move(text);
    return Ok();
  };
  // An import offers the World Cup only until its final; a listing offers it always, and
  // its matches are those of 2006 whatever the date.
  if (FindCountry(options.selection.country) == data::kWorldCupCountry) run.today = "2006-07-09";
  // The import's own report ("... holidays were added") is no part of the calendar.
  std::ostringstream report;
  const int status = RunImport(run, report, err);
  if (status != kExitOk) {
    err << report.str();
    return status;
  }
  if (!calendar) {
    err << "feriant list: the calendar was not written\n";
    return kExitFailed;
  }
  // Nothing reaches standard output after an interrupt, as an import saves nothing then.
  LeaveIfInterrupted(err);
  out << *calendar;
  return kExitOk;
}

}  // namespace feriant::cli
