#pragma once
// The listing observer: prints every occurrence the holiday run hands to HandleDate, in
// call order, either as a table for people or as one JSON object per line for programs.
//
// Owned by the command line for the duration of one run; the stream it writes to
// outlives it. Texts a table needs in the run's language (weekdays, headings) are
// chosen from the localisation's language at the moment each occurrence arrives, which
// during a run is the language the run switched to. One thread.

#include <memory>
#include <ostream>
#include <string>

#include "addin/engine/calendar_target.h"
#include "addin/engine/localisation.h"

namespace feriant::cli {

class Listing : public engine::OccurrenceObserver {
 public:
  // Writes out whatever is held back. Called before a message is printed and at the end.
  virtual void Flush() = 0;
};

// An aligned table: date (with the kick-off time of a match), weekday, name, where
// (the country line) and whether it is a day off; `verbose` adds the region lines
// under each entry. Rows are held back until Flush so that the columns line up.
std::unique_ptr<Listing> MakeTextListing(std::ostream& out, const engine::Localisation& texts,
                                         bool verbose);

// One JSON object per occurrence and line, written at once: year, holiday, date, time,
// name, country_line, regions_text, day_off, world_cup, in this order, then a "regions"
// array: one object per line of regions_text, {"path": the region's table path (null when
// the line names none of the country's regions), "standing": the text in the line's last
// parentheses}. `country` is the run's country (a table path).
std::unique_ptr<Listing> MakeJsonListing(std::ostream& out, std::string country);

}  // namespace feriant::cli
