#pragma once
// The subcommands of the feriant command line. Each plays the add-in's host headlessly:
// it sets up what the host connection would (the data tables, HostKind, the
// user-interface language from the user's locale), drives the dialog logic and the
// holiday run that the dialog drives, and prints what the dialog would show.
//
// Each command writes its results to `out` and its messages and usage errors to `err`,
// and returns the exit status. They are run once per process, from main's thread.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace feriant::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the run refused the selection or showed an error
inline constexpr int kExitUsage = 2;   // the command line was wrong; nothing ran

struct CountriesOptions {
  std::int32_t host_kind = 1;
  std::optional<std::string> today;  // "YYYY-MM-DD"; none for the real clock
};

struct RegionsOptions {
  std::string country;
  std::int32_t host_kind = 1;
  bool paths = false;  // full region paths in place of the display names
};

struct FeastsOptions {
  std::string year;
};

enum class ListFormat { kText, kJsonLines };

struct ListOptions {
  std::string country;
  std::vector<std::string> regions;  // region paths to tick
  bool all_regions = false;
  std::optional<std::string> from;  // years as typed; none for the current year
  std::optional<std::string> to;
  std::optional<std::string> language;  // a language's name; none for the user's locale
  ListFormat format = ListFormat::kText;
  bool verbose = false;
};

int RunCountries(const CountriesOptions& options, std::ostream& out, std::ostream& err);
int RunRegions(const RegionsOptions& options, std::ostream& out, std::ostream& err);
int RunFeasts(const FeastsOptions& options, std::ostream& out, std::ostream& err);
int RunList(const ListOptions& options, std::ostream& out, std::ostream& err);

}  // namespace feriant::cli
