#pragma once
// The command line's side of the current law (data/amendments.h): whether a run applies
// it, the one-line note after a run without it whose holidays a later change of the law
// affects, and the `changes` command that lists the amendments behind such differences.
//
// Plain functions; one thread, main's.

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "addin/engine/run_selection.h"

namespace feriant::cli {

// --current-law (true) or --no-current-law (false) when given; else the per-user setting
// the dialog follows (dialog/current_law_setting.h).
bool UseCurrentLaw(std::optional<bool> flag);
// The same for `command`; when the setting is read from a registry that cannot be read,
// says so first (ReportUnreadableRegistry).
bool UseCurrentLaw(std::optional<bool> flag, std::string_view command, std::ostream& err);

// A registry that cannot be read reads as empty, so the settings of a run would quietly
// be their defaults. When the current user's registry cannot be read, says so on `err`
// in one line that names it and why, and what the run takes instead (`defaults`);
// nothing when it can be read or does not exist. Call it once per command.
void ReportUnreadableRegistry(std::string_view command, std::string_view defaults,
                              std::ostream& err);

// After a run of `command` without the current law that went through its years: when a
// later change of the law affects one of the holidays of `selection`,
// says so in one line on `err`, naming the holidays (in the run's language) and
// --current-law. Prints nothing for an empty selection or unreadable years.
void NoteCurrentLaw(const engine::RunSelection& selection, std::string_view command,
                    std::ostream& err);

struct ChangesOptions {
  std::optional<std::string> country;  // a country's path; none for every country
  std::optional<std::string> region;   // a region's full path; none for the whole country
  bool json_lines = false;             // one JSON object per amendment and line
};

// Lists the amendments that bear on the region (its own and those of the regions above
// it), or on every region of the country, or all: region, holiday, years, standing (or
// "removed") and source. Returns the exit status.
int RunChanges(const ChangesOptions& options, std::ostream& out, std::ostream& err);

}  // namespace feriant::cli
