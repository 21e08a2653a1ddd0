// Runs the built feriant program with a fixed environment and compares its standard
// output, standard error and exit status with the expected files in tests/data/cli.

#include <chrono>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/apps/feriant/feriant_runner.h"

namespace {

namespace fs = std::filesystem;

using feriant::testing::Output;
using feriant::testing::ReadWholeFile;

// Runs feriant with `args` in an environment of only TZ, a private home, the sanitizer
// settings of this process, and `locale` (LANG=..., LC_ALL=...).
Output RunFeriant(const std::vector<std::string>& args, const std::vector<std::string>& locale,
                  const std::string& tz = "Europe/Berlin") {
  const feriant::testing::ScratchDir scratch;
  const fs::path& dir = scratch.path();
  std::vector<std::string> env = locale;
  env.push_back("TZ=" + tz);
  return feriant::testing::RunFeriantIn(args, env, dir);
}

std::string Expected(const char* file) {
  if (file == nullptr) return std::string();
  const fs::path path = fs::path(FERIANT_SOURCE_DIR) / "tests" / "data" / "cli" / file;
  EXPECT_TRUE(fs::exists(path)) << path;
  return ReadWholeFile(path);
}

const std::vector<std::string> kEnglish = {"LANG=en_GB.UTF-8", "LC_ALL=en_GB.UTF-8"};
const std::vector<std::string> kAustrian = {"LANG=de_AT.UTF-8"};
const char* const kWorldCup = "2006 FIFA World Cup Germany\u2122";

struct GoldenCase {
  const char* name;
  std::vector<std::string> args;
  std::vector<std::string> locale;
  int exit_code;
  const char* out;  // expected standard output, a file in tests/data/cli; nullptr: none
  const char* err;  // expected standard error, likewise
};

const GoldenCase kGoldenCases[] = {
    // Listing.
    {"Bavaria in English as JSON lines",
     {"list", "--country", "Deutschland", "--region", "Deutschland|Bayern", "--from", "2006",
      "--to", "2006", "--language", "English", "--format", "jsonl"},
     kEnglish,
     0,
     "list_bayern_2006_english.jsonl.out",
     nullptr},
    {"the chosen language wins over the locale's",
     {"list", "--country", "Deutschland", "--region", "Deutschland|Bayern", "--from", "2006",
      "--to", "2006", "--language", "English", "--format", "jsonl"},
     kAustrian,
     0,
     "list_bayern_2006_english.jsonl.out",
     nullptr},
    {"Bavaria in German with the region lines",
     {"list", "--country", "Deutschland", "--region", "Deutschland|Bayern", "--from", "2006",
      "--to", "2006", "--language", "Deutsch", "--verbose"},
     kEnglish,
     0,
     "list_bayern_2006_deutsch_verbose.out",
     nullptr},
    {"Switzerland: only the country ticked",
     {"list", "--country", "Schweiz", "--from", "2006", "--to", "2006"},
     kEnglish,
     0,
     "list_schweiz_2006.out",
     nullptr},
    {"every German region ticked",
     {"list", "--country", "Deutschland", "--all-regions", "--from", "2006", "--to", "2006",
      "--language", "English", "--format", "jsonl"},
     kEnglish,
     0,
     "list_deutschland_all_regions_2006.jsonl.out",
     "list_deutschland_all_regions_2006.jsonl.err"},  // Saxony's Repentance Day changed since
    {"Berlin under the law as it stands",
     {"list", "--country", "Deutschland", "--region", "Deutschland|Berlin", "--from", "2027",
      "--to", "2027", "--current-law"},
     kEnglish,
     0,
     "list_berlin_2027_current_law.out",
     nullptr},
    {"the changes of the law that bear on Berlin",
     {"changes", "--region", "Deutschland|Berlin"},
     kEnglish,
     0,
     "changes_berlin.out",
     nullptr},
    {"the changes of the law that bear on Berlin, named as people type it",
     {"changes", "--country", "de", "--region", "berlin"},
     kEnglish,
     0,
     "changes_berlin.out",
     nullptr},
    {"the changes of the law in France as JSON lines",
     {"changes", "--country", "France", "--format", "jsonl"},
     kEnglish,
     0,
     "changes_france.jsonl.out",
     nullptr},
    {"changes of a region of another country",
     {"changes", "--country", "\u00d6sterreich", "--region", "Schweiz|Bern"},
     kEnglish,
     2,
     nullptr,
     "changes_region_of_other_country.err"},
    {"the World Cup is 2006 whatever the years",
     {"list", "--country", kWorldCup, "--from", "2010", "--to", "2012", "--format", "jsonl"},
     kEnglish,
     0,
     "list_world_cup_2010_2012.jsonl.out",
     nullptr},
    {"World Cup kick-off times in the table",
     {"list", "--country", kWorldCup, "--from", "1990", "--to", "1991"},
     kEnglish,
     0,
     "list_world_cup_2006_text.out",
     nullptr},
    {"years beyond 2049 are cut off",
     {"list", "--country", "Liechtenstein", "--from", "2049", "--to", "2100", "--format", "jsonl"},
     kEnglish,
     0,
     "list_liechtenstein_2049_2100.jsonl.out",
     "list_liechtenstein_2049_2100.jsonl.err"},

    // The language of the run from the locale, as a host would have it.
    {"LANG=de_AT gives German",
     {"list", "--country", "\u00d6sterreich", "--from", "2006", "--to", "2006"},
     kAustrian,
     0,
     "list_oesterreich_2006_lang_de_at.out",
     nullptr},
    {"LANG=en_GB gives English",
     {"list", "--country", "\u00d6sterreich", "--from", "2006", "--to", "2006"},
     {"LANG=en_GB.UTF-8"},
     0,
     "list_oesterreich_2006_lang_en_gb.out",
     nullptr},
    {"LC_ALL wins over LANG",
     {"list", "--country", "\u00d6sterreich", "--from", "2006", "--to", "2006"},
     {"LANG=de_AT.UTF-8", "LC_ALL=en_GB.UTF-8"},
     0,
     "list_oesterreich_2006_lang_en_gb.out",
     nullptr},
    {"LANG=fr_CH gives French",
     {"list", "--country", "CH", "--region", "Genf", "--from", "2006", "--to", "2006"},
     {"LANG=fr_CH.UTF-8"},
     0,
     "list_genf_2006_lang_fr_ch.out",
     nullptr},
    {"LANG=it_CH gives Italian",
     {"list", "--country", "CH", "--region", "Tessin", "--from", "2006", "--to", "2006"},
     {"LANG=it_CH.UTF-8"},
     0,
     "list_tessin_2006_lang_it_ch.out",
     nullptr},
    {"the law's changes in French",
     {"changes", "--country", "France"},
     {"LANG=fr_FR.UTF-8"},
     0,
     "changes_france_lang_fr_fr.out",
     nullptr},
    {"LC_MESSAGES wins over LANG",
     {"list", "--country", "\u00d6sterreich", "--from", "2006", "--to", "2006"},
     {"LANG=en_GB.UTF-8", "LC_MESSAGES=de_CH.UTF-8"},
     0,
     "list_oesterreich_2006_lang_de_at.out",
     nullptr},
    {"an unknown locale gives English",
     {"list", "--country", "\u00d6sterreich", "--from", "2006", "--to", "2006"},
     {"LANG=es_ES.UTF-8"},
     0,
     "list_oesterreich_2006_lang_en_gb.out",
     nullptr},

    // Runs the holiday run refuses.
    {"start behind end after clamping",
     {"list", "--country", "Deutschland", "--from", "2060", "--to", "2070"},
     kEnglish,
     1,
     nullptr,
     "list_2060_2070.err"},
    {"start behind end, first year raised",
     {"list", "--country", "Deutschland", "--from", "1970", "--to", "1980"},
     kEnglish,
     1,
     nullptr,
     "list_2060_2070.err"},
    {"start behind end, as JSON lines",
     {"list", "--country", "Deutschland", "--from", "2060", "--to", "2070", "--format", "jsonl"},
     kEnglish,
     1,
     nullptr,
     "list_2060_2070.err"},
    {"start behind end in the host's language",
     {"list", "--country", "Deutschland", "--from", "2060", "--to", "2070", "--language",
      "English"},
     kAustrian,
     1,
     nullptr,
     "list_2060_2070_lang_de_at.err"},

    // Usage errors: nothing runs, the message says what is valid.
    {"unknown country",
     {"list", "--country", "Deutschlnd"},
     kEnglish,
     2,
     nullptr,
     "list_unknown_country.err"},
    {"a region by its name alone, the country by its code",
     {"list", "--country", "de", "--region", "bayern", "--from", "2006", "--to", "2006",
      "--language", "English", "--format", "jsonl"},
     kEnglish,
     0,
     "list_bayern_2006_english.jsonl.out",
     nullptr},
    {"region of another country",
     {"list", "--country", "\u00d6sterreich", "--region", "Schweiz|Bern"},
     kEnglish,
     2,
     nullptr,
     "list_region_of_other_country.err"},
    {"no regions below the World Cup",
     {"list", "--country", kWorldCup, "--region", "Berlin"},
     kEnglish,
     2,
     nullptr,
     "list_region_unknown_world_cup.err"},
    {"a year with a letter",
     {"list", "--country", "Deutschland", "--from", "20O6"},
     kEnglish,
     2,
     nullptr,
     "list_bad_from_year.err"},
    {"a year with a fraction",
     {"list", "--country", "Deutschland", "--to", "2006.5"},
     kEnglish,
     2,
     nullptr,
     "list_bad_to_year.err"},
    {"a year signed twice",
     {"list", "--country", "Deutschland", "--from", "+-2006"},
     kEnglish,
     2,
     nullptr,
     "list_twice_signed_year.err"},
    {"a year beyond 32 bits",
     {"list", "--country", "Deutschland", "--from", "99999999999"},
     kEnglish,
     2,
     nullptr,
     "list_huge_year.err"},
    {"a language that is not offered",
     {"list", "--country", "Deutschland", "--language", "Espa\u00f1ol"},
     kEnglish,
     2,
     nullptr,
     "list_unknown_language.err"},
    {"regions of an unknown country",
     {"regions", "--country", "Bayern"},
     kEnglish,
     2,
     nullptr,
     "regions_unknown_country.err"},
    {"feasts of year 0", {"feasts", "--year", "0"}, kEnglish, 2, nullptr, "feasts_year_0.err"},
    {"a day that does not exist",
     {"countries", "--today", "2006-02-29"},
     kEnglish,
     2,
     nullptr,
     "countries_bad_today.err"},

    // The dialog's lists.
    {"World Cup offered on the day of the final",
     {"countries", "--today", "2006-07-09"},
     kEnglish,
     0,
     "countries_outlook_2006_07_09.out",
     nullptr},
    {"World Cup gone the day after",
     {"countries", "--today", "2006-07-10"},
     kEnglish,
     0,
     "countries_outlook_2006_07_10.out",
     nullptr},
    {"World Cup never in Project",
     {"countries", "--host", "project", "--today", "2006-06-01"},
     kEnglish,
     0,
     "countries_project_2006_06_01.out",
     nullptr},
    {"a country without regions",
     {"regions", "--country", "Liechtenstein"},
     kEnglish,
     0,
     "regions_liechtenstein.out",
     nullptr},
    {"tree labels in the host's language",
     {"regions", "--country", "Liechtenstein"},
     kAustrian,
     0,
     "regions_liechtenstein_lang_de_at.out",
     nullptr},
    {"Outlook counts every holiday",
     {"regions", "--country", "Deutschland"},
     kEnglish,
     0,
     "regions_deutschland.out",
     nullptr},
    {"Project counts days off",
     {"regions", "--country", "Deutschland", "--host", "project"},
     kEnglish,
     0,
     "regions_deutschland_project.out",
     nullptr},
    {"feasts of 2006", {"feasts", "--year", "2006"}, kEnglish, 0, "feasts_2006.out", nullptr},
    {"a year with its plus sign",
     {"feasts", "--year", "+2006"},
     kEnglish,
     0,
     "feasts_2006.out",
     nullptr},
    {"no Sechseläuten in 2016",
     {"feasts", "--year", "2016"},
     kEnglish,
     0,
     "feasts_2016.out",
     nullptr},
};

TEST(FeriantTest, PrintsWhatTheExpectedFilesSay) {
  for (const GoldenCase& c : kGoldenCases) {
    SCOPED_TRACE(c.name);
    const Output output = RunFeriant(c.args, c.locale);
    EXPECT_EQ(output.exit_code, c.exit_code);
    EXPECT_EQ(output.out, Expected(c.out));
    EXPECT_EQ(output.err, Expected(c.err));
  }
}

// --language takes a language's code and English name as well as the name the language
// box shows.
TEST(FeriantTest, LanguagesByCodeAndEnglishName) {
  const struct {
    const char* shown;
    std::vector<const char*> aliases;
  } cases[] = {
      {"Fran\u00e7ais", {"fr", "French", "FRENCH"}},
      {"Italiano", {"it", "Italian"}},
      {"Deutsch", {"de", "German"}},
      {"English", {"en"}},
  };
  const auto list = [](const char* language) {
    return RunFeriant({"list", "--country", "Schweiz", "--all-regions", "--from", "2006", "--to",
                       "2006", "--language", language},
                      kEnglish);
  };
  for (const auto& c : cases) {
    const Output expected = list(c.shown);
    ASSERT_EQ(expected.exit_code, 0) << expected.err;
    for (const char* alias : c.aliases) {
      const Output output = list(alias);
      EXPECT_EQ(output.exit_code, 0) << alias;
      EXPECT_EQ(output.out, expected.out) << alias;
    }
  }
}

// Every holiday of every country has a name in French and in Italian, its own or the
// default one.
TEST(FeriantTest, EveryCountryListsANameForEveryHolidayInFrenchAndItalian) {
  for (const char* country :
       {"Deutschland", "France", "Liechtenstein", "\u00d6sterreich", "Schweiz"}) {
    for (const char* language : {"Fran\u00e7ais", "Italiano"}) {
      SCOPED_TRACE(std::string(country) + " in " + language);
      const Output output =
          RunFeriant({"list", "--country", country, "--all-regions", "--from", "2006", "--to",
                      "2006", "--language", language, "--format", "jsonl"},
                     kEnglish);
      EXPECT_EQ(output.exit_code, 0) << output.err;
      EXPECT_NE(output.out.find("\"name\":\""), std::string::npos);
      EXPECT_EQ(output.out.find("\"name\":\"\""), std::string::npos);
    }
  }
}

TEST(FeriantTest, RefusesWhatTheParserRejects) {
  struct Case {
    std::vector<std::string> args;
    const char* says;  // part of the message on standard error
  };
  const Case cases[] = {
      {{}, "subcommand"},
      {{"list"}, "--country"},
      {{"list", "--country", "Deutschland", "--region", "Deutschland|Bayern", "--all-regions"},
       "--all-regions"},
      {{"list", "--country", "Deutschland", "--format", "csv"}, "csv"},
      {{"list", "--country", "Deutschland", "--verbose", "--format", "jsonl"}, "--verbose"},
      {{"regions", "--country", "Deutschland", "--host", "word"}, "word"},
      {{"feasts"}, "--year"},
      // Easter's computation is exact for these years only.
      {{"feasts", "--year", "1699"}, "from 1700 to 2199"},
      {{"feasts", "--year", "2200"}, "from 1700 to 2199"},
      {{"holidays"}, "no command \"holidays\""},
  };
  for (const Case& c : cases) {
    std::string command;
    for (const std::string& arg : c.args)
      command += " " + arg;
    SCOPED_TRACE("feriant" + command);
    const Output output = RunFeriant(c.args, kEnglish);
    EXPECT_EQ(output.exit_code, 2);
    EXPECT_EQ(output.out, "");
    EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
  }
}

// Output that cannot be written is a failure, whatever else the command did.
TEST(FeriantTest, StandardOutputThatCannotBeWrittenIsAnError) {
  const std::vector<std::string> kCommands[] = {
      {"countries"},
      {"feasts", "--year", "2006"},
      {"list", "--country", "Deutschland", "--all-regions", "--from", "1984", "--to", "2049"},
      {"list", "--country", "Schweiz", "--from", "2006", "--to", "2006", "--format", "jsonl"},
      {"import", "--country", "Liechtenstein", "--from", "2006", "--to", "2006"},
      {"list", "--help"},
  };
  for (const std::vector<std::string>& args : kCommands) {
    SCOPED_TRACE(args.front() + " " + args.back());
    const feriant::testing::ScratchDir dir;
    const Output output = feriant::testing::RunFeriantIn(args, kEnglish, dir.path(), "/dev/full");
    EXPECT_EQ(output.exit_code, 1);
    EXPECT_NE(output.err.find("could not be written to standard output"), std::string::npos)
        << output.err;
  }
}

TEST(FeriantTest, HelpDocumentsEveryOptionWithAnExample) {
  struct Case {
    const char* command;
    std::vector<std::string> options;
  };
  const Case cases[] = {
      {"countries", {"--host", "--today"}},
      {"regions", {"--country", "--host", "--paths"}},
      {"feasts", {"--year"}},
      {"list",
       {"--country", "--region", "--all-regions", "--from", "--to", "--language", "--format",
        "--verbose", "--current-law", "--no-current-law"}},
      {"changes", {"--country", "--region", "--format"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command);
    const Output output = RunFeriant({c.command, "--help"}, kEnglish);
    EXPECT_EQ(output.exit_code, 0);
    EXPECT_NE(output.out.find("Example"), std::string::npos) << output.out;
    EXPECT_NE(output.out.find(std::string("feriant ") + c.command + " --"), std::string::npos)
        << output.out;
    for (const std::string& option : c.options)
      EXPECT_NE(output.out.find(option), std::string::npos) << option;
  }
}

TEST(FeriantTest, ListsThisYearWhenNoYearsAreGiven) {
  const auto today = std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
  const std::string year =
      std::to_string(static_cast<int>(std::chrono::year_month_day{today}.year()));
  const std::vector<std::string> base = {"list", "--country", "Liechtenstein", "--format", "jsonl"};
  std::vector<std::string> explicit_years = base;
  explicit_years.insert(explicit_years.end(), {"--from", year, "--to", year});

  const Output implicit = RunFeriant(base, kEnglish, "UTC");
  const Output stated = RunFeriant(explicit_years, kEnglish, "UTC");
  EXPECT_EQ(implicit.exit_code, 0);
  EXPECT_EQ(implicit.err, "");
  EXPECT_NE(implicit.out.find("{\"year\":" + year + ","), std::string::npos) << implicit.out;
  EXPECT_EQ(implicit.out, stated.out);
}

TEST(FeriantTest, RegionPathsAreAcceptedByList) {
  // Every path `regions --paths` shows can be ticked with --region.
  const Output tree = RunFeriant({"regions", "--country", "France", "--paths"}, kEnglish);
  ASSERT_EQ(tree.exit_code, 0);
  std::istringstream lines(tree.out);
  std::string line;
  int regions = 0;
  while (std::getline(lines, line)) {
    const size_t start = line.find_first_not_of(' ');
    const size_t label = line.rfind(" (");
    ASSERT_NE(label, std::string::npos) << line;
    const std::string path = line.substr(start, label - start);
    const Output listed = RunFeriant(
        {"list", "--country", "France", "--region", path, "--from", "2006", "--to", "2006"},
        kEnglish);
    EXPECT_EQ(listed.exit_code, 0) << path << ": " << listed.err;
    ++regions;
  }
  EXPECT_EQ(regions, 24);
}

}  // namespace
