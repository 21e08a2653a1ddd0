#pragma once
// RunSelection: what a holiday run works on, taken as a value when it starts. The dialog
// builds it from its controls at the press of Import or Remove, the command line from its
// options, tests and benchmarks by hand.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace feriant::engine {

struct RunSelection {
  // kHostOutlook or kHostProject (host_kind.h); any other value writes nowhere.
  std::int32_t host = 0;
  std::string country;                   // the chosen country's text ("Deutschland")
  std::vector<std::string> ticked_keys;  // ticked region paths, in node order
  std::string first_year;                // as typed
  std::string last_year;                 // as typed
  std::optional<std::int32_t> language;  // the language item's data; none if none chosen
  std::vector<std::string> calendars;    // the selected base calendars, in list order
  bool is_removal = false;               // Remove rather than Import
  std::string banner_title;              // the title of the run's message boxes
  // The result texts, "%1" and "%2" still in them; empty when the host has none (listing).
  std::string success_add_message;
  std::string success_remove_message;
};

}  // namespace feriant::engine
