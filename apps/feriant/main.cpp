// feriant: the command line of the holiday add-in. It plays the host without a window:
// lists the countries and region trees the dialog would show, the movable feasts of a
// year, and the holidays a selection gives, computed by the same holiday run the dialog
// starts; imports them into (and removes them from) an iCalendar file or the base
// calendars of a Project XML file. Exit status: 0 done, 1 the run refused the selection,
// reported an error or could not save (a run that could not enter some holidays may have
// saved the others, and says "saved with errors"), 2 wrong usage (nothing ran).

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

#include <CLI/CLI.hpp>

#include "addin/engine/host_kind.h"
#include "apps/feriant/command_line_checks.h"
#include "apps/feriant/commands.h"
#include "apps/feriant/current_law.h"
#include "apps/feriant/interruption.h"
#include "platform/base/heap.h"

namespace {

namespace cli = feriant::cli;

const std::map<std::string, std::int32_t> kHosts = {{"outlook", feriant::engine::kHostOutlook},
                                                    {"project", feriant::engine::kHostProject}};

CLI::Option* AddHostOption(CLI::App& command, std::string& host) {
  return command
      .add_option("--host", host,
                  "the host whose dialog to show: outlook (counts every holiday, offers the "
                  "World Cup until 9 July 2006) or project (counts days off only)")
      ->check(CLI::IsMember({"outlook", "project"}))
      ->capture_default_str();
}

// The options that choose what a run processes, as `list`, `import` and `remove` share
// them; the years and the language are stored in `texts` until the command line is
// parsed.
struct SelectionTexts {
  std::string from;
  std::string to;
  std::string language;
  bool current_law = false;
  CLI::Option* from_option = nullptr;
  CLI::Option* to_option = nullptr;
  CLI::Option* language_option = nullptr;
  CLI::Option* current_law_option = nullptr;
  std::string years;
  CLI::Option* years_option = nullptr;
};

constexpr const char* kCountryHelp =
    "the country: as `countries` lists it (any case), its ISO code (DE, AT, CH, FR, LI) or "
    "its English name";

// --format of the commands that list things: text for people, jsonl for programs.
CLI::Option* AddListFormatOption(CLI::App& command, std::string& format) {
  return command
      .add_option("--format", format,
                  "text: for people; jsonl: one JSON object per line, messages on standard "
                  "error")
      ->check(CLI::IsMember({"text", "jsonl"}))
      ->capture_default_str();
}

void AddSelectionOptions(CLI::App& command, cli::SelectionOptions& selection, SelectionTexts& texts,
                         const std::string& language_default) {
  command.add_option("--country", selection.country, kCountryHelp)->required();
  CLI::Option* region_option = command.add_option(
      "--region", selection.regions,
      "tick a region, and every region above it; repeat for more (default: only the country "
      "itself). Name it by its path, parts joined by / or | (\"schweiz/zurich\"), or by its "
      "name alone when that is unique in the country (\"Winterthur\"); any case, with or "
      "without accents, a letter or two off. `feriant regions --find` shows what a name "
      "matches");
  command.add_flag("--all-regions", selection.all_regions, "tick every region of the country")
      ->excludes(region_option);
  texts.from_option = command.add_option(
      "--from", texts.from, "the first year (default: this year); years run from 1984 to 2049");
  texts.to_option = command.add_option("--to", texts.to, "the last year (default: this year)");
  texts.years_option =
      command
          .add_option("--years", texts.years,
                      "N: the first year and the N - 1 after it, in place of --to (--years 3: "
                      "this year and the next two)")
          ->excludes(texts.to_option);
  texts.language_option = command.add_option(
      "--language", texts.language,
      "the language of the holiday names and texts: Deutsch, English, Français or Italiano "
      "(also de, en, fr, it; default: " +
          language_default + ")");
  texts.current_law_option = command.add_flag(
      "--current-law,!--no-current-law", texts.current_law,
      "apply the law as it stands in each year (the changes `feriant changes` lists) in place "
      "of the holiday tables' own, or not (default: the dialog's setting \"Current Law\", "
      "else not)");
}

// Whatever a command printed must have reached standard output: a listing written to a
// full disk is no success. Returns `status`, or kExitFailed with a message on standard
// error naming the cause when the output could not be written.
int CheckStandardOutput(int argc, char** argv, int status) {
  errno = 0;
  std::cout.flush();
  const bool flushed = std::fflush(stdout) == 0;
  const int cause = errno;
  if (flushed && std::cout.good() && std::ferror(stdout) == 0) return status;
  std::cerr << "feriant";
  if (argc > 1 && argv[1][0] != '-') std::cerr << ' ' << argv[1];
  std::cerr << ": the output could not be written to standard output";
  if (cause != 0) std::cerr << " (" << std::strerror(cause) << ")";
  std::cerr << '\n';
  return status == cli::kExitOk ? cli::kExitFailed : status;
}

void TakeSelectionTexts(const SelectionTexts& texts, cli::SelectionOptions& selection) {
  if (texts.from_option->count() > 0) selection.from = texts.from;
  if (texts.to_option->count() > 0) selection.to = texts.to;
  if (texts.language_option->count() > 0) selection.language = texts.language;
  if (texts.current_law_option->count() > 0) selection.current_law = texts.current_law;
  if (texts.years_option->count() > 0) selection.years = texts.years;
}

}  // namespace

// The command line's work, up to its exit status; main checks its output afterwards.
int Main(int argc, char** argv) {
  CLI::App app(
      "Feriant computes the public holidays of a country's regions (Germany, France, "
      "Liechtenstein, Austria, Switzerland) for a range of years.",
      "feriant");
  app.require_subcommand(1);
  app.set_version_flag("--version", "feriant " FERIANT_VERSION);
  app.footer(
      "Examples:\n"
      "  feriant list --country CH --region zurich --years 3\n"
      "  feriant list --country Germany --region Bayern --format ics > bayern.ics\n"
      "  feriant regions --country Schweiz --find see\n"
      "Run `feriant COMMAND --help` for the options of a command.\n"
      "\n"
      "Exit status:\n"
      "  0  done\n"
      "  1  the run refused the selection or reported an error, what it wrote could not be\n"
      "     saved, a file could not be read or the output could not be written; after\n"
      "     \"saved with errors\" on standard error the file holds the other holidays\n"
      "  2  wrong usage: the message says what is valid; nothing ran");

  cli::CountriesOptions countries;
  std::string countries_host = "outlook";
  std::string today;
  std::string countries_format = "text";
  CLI::App* countries_command =
      app.add_subcommand("countries", "List the countries, as the dialog's country box does.");
  AddHostOption(*countries_command, countries_host);
  AddListFormatOption(*countries_command, countries_format);
  countries_command->add_option("--today", today,
                                "the local date to pretend it is, YYYY-MM-DD (default: the real "
                                "date and time)");
  countries_command->footer(
      "Example:\n"
      "  feriant countries --today 2006-07-09   (the World Cup is still offered, last)");

  cli::RegionsOptions regions;
  std::string regions_host = "outlook";
  CLI::App* regions_command = app.add_subcommand(
      "regions", "Show a country's region tree with the holiday count of each region.");
  std::string regions_format = "text";
  regions_command->add_option("--country", regions.country, kCountryHelp)->required();
  AddHostOption(*regions_command, regions_host);
  regions_command->add_flag("--paths", regions.paths,
                            "show each region's full path, as --region of `list` takes it");
  regions_command->add_option("--find", regions.find,
                              "show only the regions TEXT could mean, with their paths: a name, "
                              "part of a name or a path, as --region of `list` takes it");
  AddListFormatOption(*regions_command, regions_format);
  regions_command->footer(
      "Examples:\n"
      "  feriant regions --country Deutschland                  (Bayern (+3 holidays) ...)\n"
      "  feriant regions --country Schweiz --paths --host project\n"
      "  feriant regions --country CH --find see            (Schweiz|Freiburg|See ...)\n"
      "  feriant regions --country DE --format jsonl        (path, name, depth, holidays)");

  cli::FeastsOptions feasts;
  CLI::App* feasts_command =
      app.add_subcommand("feasts", "Show the movable feasts of a year that holiday rules name.");
  feasts_command->add_option("--year", feasts.year, "the year, 1700 to 2199")->required();
  feasts_command->footer(
      "Example:\n"
      "  feriant feasts --year 2006   (Easter 2006-04-16 Sunday, ...)");

  cli::ListOptions list;
  SelectionTexts list_texts;
  std::string format = "text";
  CLI::App* list_command = app.add_subcommand(
      "list", "List the holidays of the ticked regions, year by year, in holiday order.");
  AddSelectionOptions(*list_command, list.selection, list_texts,
                      "from the locale, LC_ALL, LC_MESSAGES or LANG");
  list_command
      ->add_option("--format", format,
                   "text: a table; jsonl: one JSON object per holiday and line; ics: the "
                   "iCalendar file an import into an empty calendar writes. Messages go to "
                   "standard error with jsonl and ics")
      ->check(CLI::IsMember({"text", "jsonl", "ics"}))
      ->capture_default_str();
  list_command->add_flag("--verbose", list.verbose,
                         "with --format text, list the regions under each holiday");
  list_command->footer(
      "Examples:\n"
      "  feriant list --country Deutschland --region 'Deutschland|Bayern'\n"
      "  feriant list --country Schweiz --region 'Schweiz|Bern|Bern|Bern' --verbose\n"
      "  feriant list --country Österreich --from 2006 --to 2010 --language Deutsch\n"
      "  feriant list --country France --all-regions --format jsonl\n"
      "  feriant list --country CH --region zurich --years 3\n"
      "  feriant list --country DE --region 'Baden-Württemberg' --format ics > bw.ics\n"
      "Years outside 1984 to 2049 are brought into that range; the World Cup lists 2006 "
      "whatever the years.");

  // import and remove: the same options, the dialog's two buttons.
  cli::ImportOptions import;
  struct FileOptions {
    SelectionTexts selection;
    std::string calendar;
    std::string project;
    std::string today;
    std::string ca_file;
  };
  FileOptions file_options[2];
  CLI::App* import_command = app.add_subcommand(
      "import", "Enter the holidays of the ticked regions into a calendar file.");
  CLI::App* remove_command = app.add_subcommand(
      "remove", "Take the holidays of the ticked regions out of a calendar file again.");
  for (int i = 0; i < 2; ++i) {
    CLI::App& command = i == 0 ? *import_command : *remove_command;
    FileOptions& texts = file_options[i];
    AddSelectionOptions(command, import.selection, texts.selection,
                        "the host's: the locale with --calendar, \"CurrentUI\" of the "
                        "per-user registry with --project");
    command.add_option("--calendar", texts.calendar,
                       "the iCalendar file to change, as Outlook would its calendar (default: "
                       "holidays.ics in the current directory; created when missing), or the "
                       "http(s) URL of a calendar collection on a CalDAV server");
    command.add_option("--cacert", texts.ca_file,
                       "with --calendar URL, a PEM file of the authorities that TLS trusts "
                       "(default: the system's)");
    command.add_option("--project", texts.project,
                       "a Project XML file: make the holidays non-working days of its base "
                       "calendars (remove: default working time again); only days off count");
    command.add_option("--base-calendar", import.base_calendars,
                       "with --project, the base calendar to change, by name; repeat for more "
                       "(default: every calendar `feriant calendars` lists)");
    command.add_option("--today", texts.today,
                       "the local date to pretend it is, YYYY-MM-DD (default: the real date "
                       "and time); the World Cup is offered before 2006-07-10");
  }
  import_command->footer(
      "Examples:\n"
      "  feriant import --country Deutschland --region 'Deutschland|Bayern'\n"
      "  feriant import --country Schweiz --all-regions --from 2024 --to 2030 --calendar "
      "work.ics\n"
      "  feriant import --country \u00d6sterreich --project plan.xml --base-calendar Standard\n"
      "  feriant import --country '2006 FIFA World Cup Germany\u2122' --today 2006-07-09\n"
      "Importing the same selection again adds nothing; the file is written atomically under "
      "the lock FILE.lock, and not at all when another program changed it meanwhile.");
  remove_command->footer(
      "Examples:\n"
      "  feriant remove --country Deutschland --region 'Deutschland|Bayern'\n"
      "  feriant remove --country \u00d6sterreich --project plan.xml\n"
      "Appointments with the holiday category of any language are found (\"Feiertag\", "
      "\"Holiday\", \"Jour f\u00e9ri\u00e9\" or \"Festivit\u00e0\"), whichever language "
      "wrote them; a country is taken out of an appointment, which is deleted when no country "
      "is left.");

  cli::CalendarsOptions calendars;
  CLI::App* calendars_command = app.add_subcommand(
      "calendars",
      "List the base calendars of a project, as the dialog's calendar list does, or the "
      "calendars of an account on a CalDAV server.");
  CLI::Option* calendars_project =
      calendars_command->add_option("--project", calendars.project, "the Project XML file");
  CLI::Option* calendars_caldav = calendars_command->add_option(
      "--caldav", calendars.caldav,
      "the http(s) URL of a CalDAV server or account (https://alice@host/); the user name "
      "comes from the URL or ~/.netrc, the password from ~/.netrc, FERIANT_CALDAV_PASSWORD "
      "or the terminal");
  calendars_project->excludes(calendars_caldav);
  std::string calendars_ca_file;
  calendars_command->add_option("--cacert", calendars_ca_file,
                                "with --caldav, a PEM file of the authorities that TLS trusts");
  std::string calendars_format = "text";
  AddListFormatOption(*calendars_command, calendars_format);
  calendars_command->footer(
      "Example:\n"
      "  feriant calendars --project plan.xml   (Standard, 24 Hours, Night Shift, ...)\n"
      "  feriant calendars --caldav https://alice@cloud.example.org/remote.php/dav");

  cli::ChangesOptions changes;
  std::string changes_country;
  std::string changes_region;
  std::string changes_format = "text";
  CLI::App* changes_command =
      app.add_subcommand("changes",
                         "List the changes of the law since the holiday tables that --current-law "
                         "applies: region, holiday, years, standing and source.");
  changes_command->add_option("--country", changes_country,
                              "only the changes in this country (default: every country)");
  changes_command->add_option("--region", changes_region,
                              "only the changes that bear on this region, by its full path: its "
                              "own and those of the regions above it");
  changes_command
      ->add_option("--format", changes_format,
                   "text: a table with each source under its row; jsonl: one JSON object per "
                   "change and line")
      ->check(CLI::IsMember({"text", "jsonl"}))
      ->capture_default_str();
  changes_command->footer(
      "Examples:\n"
      "  feriant changes --country Deutschland\n"
      "  feriant changes --region 'Deutschland|Berlin' --format jsonl");

  // The parser would only say that a command is missing.
  const auto find_command = [&](const char* word) -> CLI::App* {
    for (CLI::App* command : app.get_subcommands({})) {
      if (command->check_name(word)) return command;
    }
    return nullptr;
  };
  const auto is_command = [&](const char* word) { return find_command(word) != nullptr; };
  if (argc > 1 && argv[1][0] != '-' && !is_command(argv[1])) {
    std::cerr << "feriant: there is no command \"" << argv[1]
              << "\". The commands are: countries, regions, feasts, list, import, remove, "
                 "calendars, changes\n"
                 "Run with --help for more information.\n";
    return cli::kExitUsage;
  }
  if (argc > 1 && argv[1][0] != '-') {
    const std::vector<std::string_view> words(argv + 2, argv + argc);
    if (const auto mistake = cli::CheckCommandWords(*find_command(argv[1]), words)) {
      std::cerr << "feriant " << argv[1] << ": " << *mistake << '\n';
      return cli::kExitUsage;
    }
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? cli::kExitOk : cli::kExitUsage;
  }
  // Only the commands that write stop at safe points; the others end as a signal ends
  // any program.
  if (!import_command->parsed() && !remove_command->parsed()) cli::StopWatchingForInterrupts();

  if (countries_command->parsed()) {
    countries.host_kind = kHosts.at(countries_host);
    countries.json = countries_format == "jsonl";
    if (!today.empty() || countries_command->count("--today") > 0) countries.today = today;
    return cli::RunCountries(countries, std::cout, std::cerr);
  }
  if (regions_command->parsed()) {
    regions.host_kind = kHosts.at(regions_host);
    regions.json = regions_format == "jsonl";
    return cli::RunRegions(regions, std::cout, std::cerr);
  }
  if (feasts_command->parsed()) return cli::RunFeasts(feasts, std::cout, std::cerr);

  if (calendars_command->parsed()) {
    calendars.json = calendars_format == "jsonl";
    if (calendars_command->count("--project") + calendars_command->count("--caldav") == 0) {
      std::cerr << "feriant calendars: name a project with --project FILE or a server with "
                   "--caldav URL\n";
      return cli::kExitUsage;
    }
    if (calendars_command->count("--cacert") > 0) {
      if (calendars_command->count("--caldav") == 0) {
        std::cerr << "feriant calendars: --cacert goes with --caldav\n";
        return cli::kExitUsage;
      }
      calendars.ca_file = calendars_ca_file;
    }
    return cli::RunCalendars(calendars, std::cout, std::cerr);
  }
  if (changes_command->parsed()) {
    if (changes_command->count("--country") > 0) changes.country = changes_country;
    if (changes_command->count("--region") > 0) changes.region = changes_region;
    changes.json_lines = changes_format == "jsonl";
    return cli::RunChanges(changes, std::cout, std::cerr);
  }
  if (import_command->parsed() || remove_command->parsed()) {
    import.removal = remove_command->parsed();
    CLI::App& command = import.removal ? *remove_command : *import_command;
    const FileOptions& texts = file_options[import.removal ? 1 : 0];
    TakeSelectionTexts(texts.selection, import.selection);
    if (command.count("--calendar") > 0) import.calendar = texts.calendar;
    if (command.count("--project") > 0) import.project = texts.project;
    if (command.count("--today") > 0) import.today = texts.today;
    if (command.count("--cacert") > 0) import.ca_file = texts.ca_file;
    import.show_progress = isatty(STDERR_FILENO) == 1;
    return cli::RunImport(import, std::cout, std::cerr);
  }

  TakeSelectionTexts(list_texts, list.selection);
  list.format = format == "jsonl" ? cli::ListFormat::kJsonLines
                : format == "ics" ? cli::ListFormat::kICalendar
                                  : cli::ListFormat::kText;
  return cli::RunList(list, std::cout, std::cerr);
}

int main(int argc, char** argv) {
  // Before anything touches a file: a signal in the first milliseconds of an import must
  // not end it halfway either.
  cli::WatchForInterrupts();
  // A listing or an import builds megabytes of calendar: on huge pages the memory costs
  // a few faults instead of thousands.
  feriant::base::PreferLargeHeapPages();
  return CheckStandardOutput(argc, argv, Main(argc, argv));
}
