// feriant: the command line of the holiday add-in. It plays the host without a window:
// lists the countries and region trees the dialog would show, the movable feasts of a
// year, and the holidays a selection gives, computed by the same holiday run the dialog
// starts. Exit status: 0 done, 1 the run refused the selection or reported an error,
// 2 wrong usage (nothing ran).

#include <cstdint>
#include <iostream>
#include <map>
#include <string>

#include <CLI/CLI.hpp>

#include "addin/engine/host_kind.h"
#include "apps/feriant/commands.h"

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

}  // namespace

int main(int argc, char** argv) {
  CLI::App app(
      "Feriant computes the public holidays of a country's regions (Germany, France, "
      "Liechtenstein, Austria, Switzerland) for a range of years.",
      "feriant");
  app.require_subcommand(1);
  app.footer(
      "Examples:\n"
      "  feriant list --country Deutschland --region 'Deutschland|Bayern'\n"
      "  feriant regions --country Schweiz\n"
      "Run `feriant COMMAND --help` for the options of a command.");

  cli::CountriesOptions countries;
  std::string countries_host = "outlook";
  std::string today;
  CLI::App* countries_command =
      app.add_subcommand("countries", "List the countries, as the dialog's country box does.");
  AddHostOption(*countries_command, countries_host);
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
  regions_command->add_option("--country", regions.country, "the country, as `countries` lists it")
      ->required();
  AddHostOption(*regions_command, regions_host);
  regions_command->add_flag("--paths", regions.paths,
                            "show each region's full path, as --region of `list` takes it");
  regions_command->footer(
      "Examples:\n"
      "  feriant regions --country Deutschland                  (Bayern (+3 holidays) ...)\n"
      "  feriant regions --country Schweiz --paths --host project");

  cli::FeastsOptions feasts;
  CLI::App* feasts_command =
      app.add_subcommand("feasts", "Show the movable feasts of a year that holiday rules name.");
  feasts_command->add_option("--year", feasts.year, "the year, 1 to 9999")->required();
  feasts_command->footer(
      "Example:\n"
      "  feriant feasts --year 2006   (Easter 2006-04-16 Sunday, ...)");

  cli::ListOptions list;
  std::string from;
  std::string to;
  std::string language;
  std::string format = "text";
  CLI::App* list_command = app.add_subcommand(
      "list", "List the holidays of the ticked regions, year by year, in holiday order.");
  list_command->add_option("--country", list.country, "the country, as `countries` lists it")
      ->required();
  CLI::Option* region_option = list_command->add_option(
      "--region", list.regions,
      "tick a region by its full path, and every region above it; repeat for more (default: "
      "only the country itself)");
  list_command->add_flag("--all-regions", list.all_regions, "tick every region of the country")
      ->excludes(region_option);
  CLI::Option* from_option = list_command->add_option(
      "--from", from, "the first year (default: this year); years run from 1984 to 2049");
  CLI::Option* to_option =
      list_command->add_option("--to", to, "the last year (default: this year)");
  CLI::Option* language_option = list_command->add_option(
      "--language", language,
      "the language of the holiday names and texts: Deutsch or English (default: from the "
      "locale, LC_ALL, LC_MESSAGES or LANG)");
  list_command
      ->add_option("--format", format,
                   "text: a table; jsonl: one JSON object per holiday and line, messages on "
                   "standard error")
      ->check(CLI::IsMember({"text", "jsonl"}))
      ->capture_default_str();
  list_command->add_flag("--verbose", list.verbose,
                         "with --format text, list the regions under each holiday");
  list_command->footer(
      "Examples:\n"
      "  feriant list --country Deutschland --region 'Deutschland|Bayern'\n"
      "  feriant list --country Schweiz --region 'Schweiz|Bern|Bern|Bern' --verbose\n"
      "  feriant list --country Österreich --from 2006 --to 2010 --language Deutsch\n"
      "  feriant list --country France --all-regions --format jsonl\n"
      "Years outside 1984 to 2049 are brought into that range; the World Cup lists 2006 "
      "whatever the years.");

  // The parser would only say that a command is missing.
  const auto is_command = [&](const char* word) {
    for (const CLI::App* command :
         {countries_command, regions_command, feasts_command, list_command}) {
      if (command->check_name(word)) return true;
    }
    return false;
  };
  if (argc > 1 && argv[1][0] != '-' && !is_command(argv[1])) {
    std::cerr << "feriant: there is no command \"" << argv[1]
              << "\". The commands are: countries, regions, feasts, list\n"
                 "Run with --help for more information.\n";
    return cli::kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error);
    return code == 0 ? cli::kExitOk : cli::kExitUsage;
  }

  if (countries_command->parsed()) {
    countries.host_kind = kHosts.at(countries_host);
    if (!today.empty() || countries_command->count("--today") > 0) countries.today = today;
    return cli::RunCountries(countries, std::cout, std::cerr);
  }
  if (regions_command->parsed()) {
    regions.host_kind = kHosts.at(regions_host);
    return cli::RunRegions(regions, std::cout, std::cerr);
  }
  if (feasts_command->parsed()) return cli::RunFeasts(feasts, std::cout, std::cerr);

  if (from_option->count() > 0) list.from = from;
  if (to_option->count() > 0) list.to = to;
  if (language_option->count() > 0) list.language = language;
  list.format = format == "jsonl" ? cli::ListFormat::kJsonLines : cli::ListFormat::kText;
  return cli::RunList(list, std::cout, std::cerr);
}
