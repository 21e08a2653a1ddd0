// The conventions of the command line as a person and a program meet them: regions and
// countries as they are typed, --years, the calendar export, the JSON lines of every
// listing command, --version, and the messages for unknown options and lost quotes.

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/apps/feriant/feriant_runner.h"

namespace {

namespace fs = std::filesystem;

using feriant::testing::Output;
using feriant::testing::ReadWholeFile;
using feriant::testing::ScratchDir;
using feriant::testing::WriteAll;

const std::vector<std::string> kEnglish = {"LANG=en_GB.UTF-8", "FERIANT_UID_PREFIX=t",
                                           "SOURCE_DATE_EPOCH=1136073600"};

Output RunFeriant(const std::vector<std::string>& args, const fs::path& dir) {
  return feriant::testing::RunFeriantIn(args, kEnglish, dir);
}

Output RunFeriant(const std::vector<std::string>& args) {
  const ScratchDir scratch;
  return RunFeriant(args, scratch.path());
}

std::vector<nlohmann::json> JsonLines(const std::string& text) {
  std::vector<nlohmann::json> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(nlohmann::json::parse(line));  // throws, failing the test, if not JSON
  return lines;
}

TEST(CommandLineTest, RegionsAndCountriesAsTheyAreTyped) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    const char* says;  // part of standard output (exit 0) or standard error
  };
  const Case cases[] = {
      {{"list", "--country", "ch", "--region", "zurich", "--verbose"}, 0, "Schweiz/Z\u00fcrich ("},
      {{"list", "--country", "Switzerland", "--region", "Geneve", "--verbose"},
       0,
       "Schweiz/Genf ("},
      {{"list", "--country", "Germany", "--region", "Baden-W\u00fcrttemberg", "--verbose"},
       0,
       "Deutschland/Baden-W\u00fcrtemberg ("},
      {{"list", "--country", "CH", "--region", "See"},
       2,
       "\"See\" could mean several regions of Schweiz:\n  Schweiz|Freiburg|See\n"
       "  Schweiz|St. Gallen|See\n"},
      {{"list", "--country", "DE", "--region", "schweiz/bern"}, 2, "It belongs to Schweiz."},
      {{"regions", "--country", "ch", "--find", "see"}, 0, "Schweiz|St. Gallen|See (+0 holidays)"},
      {{"regions", "--country", "ch", "--find", "qqq"}, 1, "no region of Schweiz"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[3] + " " + c.args.back());
    std::vector<std::string> args = c.args;
    if (args.front() == "list") args.insert(args.end(), {"--from", "2006", "--to", "2006"});
    const Output output = RunFeriant(args);
    EXPECT_EQ(output.exit_code, c.exit_code) << output.err;
    EXPECT_NE((c.exit_code == 0 ? output.out : output.err).find(c.says), std::string::npos)
        << output.out << output.err;
  }
}

TEST(CommandLineTest, YearsCountFromTheFirstYear) {
  struct Case {
    std::vector<std::string> years;
    std::set<int> listed;  // empty: refused with exit 2
    const char* note;      // part of standard error; "" for none
  };
  const Case cases[] = {
      {{"--from", "2006", "--years", "3"}, {2006, 2007, 2008}, ""},
      {{"--from", "2006", "--years", "1"}, {2006}, ""},
      {{"--from", "2047", "--years", "10"}, {2047, 2048, 2049}, "2047 to 2056 became 2047 to 2049"},
      {{"--from", "1980", "--years", "6"}, {1984, 1985}, "1980 to 1985 became 1984 to 1985"},
      {{"--from", "2006", "--years", "0"}, {}, "--years \"0\""},
      {{"--from", "2006", "--years", "two"}, {}, "--years \"two\""},
      {{"--years", "2", "--to", "2008"}, {}, "--to"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.years[1] + " " + c.years[3]);
    std::vector<std::string> args = {"list", "--country", "Liechtenstein", "--format", "text"};
    args.insert(args.end(), c.years.begin(), c.years.end());
    const Output output = RunFeriant(args);
    EXPECT_NE(output.err.find(c.note), std::string::npos) << output.err;
    if (c.listed.empty()) {
      EXPECT_EQ(output.exit_code, 2);
      continue;
    }
    EXPECT_EQ(output.exit_code, 0);
    if (*c.note == '\0') {
      EXPECT_EQ(output.err, "");
    }
    std::set<int> listed;
    for (const int year : {1984, 1985, 2006, 2007, 2008, 2009, 2047, 2048, 2049}) {
      if (output.out.find("\n" + std::to_string(year) + "-") != std::string::npos)
        listed.insert(year);
    }
    EXPECT_EQ(listed, c.listed);
  }
}

// The export is the calendar an import writes: the same bytes as an import into a new
// file (UIDs and stamps are fixed here), importing the same selection into it adds
// nothing, and other iCalendar readers find every event.
TEST(CommandLineTest, TheCalendarExportIsWhatAnImportWrites) {
  const ScratchDir scratch;
  const fs::path& dir = scratch.path();
  const std::vector<std::string> selection = {
      "--country", "Germany", "--region", "Baden-W\u00fcrttemberg",
      "--from",    "2006",    "--years",  "2"};
  std::vector<std::string> args = {"list", "--format", "ics"};
  args.insert(args.end(), selection.begin(), selection.end());
  const Output exported = RunFeriant(args, dir);
  ASSERT_EQ(exported.exit_code, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
  EXPECT_TRUE(exported.out.starts_with("BEGIN:VCALENDAR\r\n")) << exported.out.substr(0, 80);
  EXPECT_TRUE(exported.out.ends_with("END:VCALENDAR\r\n"));
  std::vector<std::string> jsonl = {"list", "--format", "jsonl"};
  jsonl.insert(jsonl.end(), selection.begin(), selection.end());
  const size_t holidays = JsonLines(RunFeriant(jsonl, dir).out).size();
  size_t events = 0;
  for (size_t at = 0; (at = exported.out.find("BEGIN:VEVENT", at)) != std::string::npos; ++at)
    ++events;
  EXPECT_EQ(events, holidays);
  EXPECT_GT(events, 40u);

  const fs::path calendar = dir / "bw.ics";
  const auto import_into = [&](const fs::path& file) {
    std::vector<std::string> import = {"import", "--calendar", file.string()};
    import.insert(import.end(), selection.begin(), selection.end());
    return RunFeriant(import, dir);
  };
  const Output fresh = import_into(dir / "new.ics");
  EXPECT_EQ(fresh.exit_code, 0) << fresh.err;
  EXPECT_EQ(ReadWholeFile(dir / "new.ics"), exported.out);
  WriteAll(calendar, exported.out);
  const Output again = import_into(calendar);
  EXPECT_EQ(again.exit_code, 0) << again.err;
  EXPECT_NE(again.out.find("0 holidays were added"), std::string::npos) << again.out;
  EXPECT_EQ(ReadWholeFile(calendar), exported.out);
  // The export left no file behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);

  // Its notes name the command that was run.
  const Output glarus = RunFeriant({"list", "--country", "CH", "--region", "glarus", "--from",
                                    "2026", "--to", "2026", "--format", "ics"});
  EXPECT_EQ(glarus.err,
            "feriant list: later changes in the law affect N\u00e4felser Fahrt in these years; "
            "--current-law applies them (`feriant changes` lists them)\n");

  // The World Cup is listed whatever the date, and so it is exported: its 64 matches.
  const Output world_cup =
      RunFeriant({"list", "--country", "2006 FIFA World Cup Germany\u2122", "--format", "ics"});
  EXPECT_EQ(world_cup.exit_code, 0) << world_cup.err;
  size_t matches = 0;
  for (size_t at = 0; (at = world_cup.out.find("BEGIN:VEVENT", at)) != std::string::npos; ++at)
    ++matches;
  EXPECT_EQ(matches, 64u);

  if (std::system("/usr/bin/python3 -c 'import icalendar' >/dev/null 2>&1") != 0)
    GTEST_SKIP() << "python3 cannot import icalendar";
  const std::string count =
      "/usr/bin/python3 -c \"import icalendar,sys; sys.exit(len("
      "icalendar.Calendar.from_ical(open('" +
      calendar.string() + "','rb').read()).walk('VEVENT')) != " + std::to_string(events) + ")\"";
  EXPECT_EQ(std::system(count.c_str()), 0);
}

TEST(CommandLineTest, JsonLinesOfEveryListingParse) {
  const std::vector<nlohmann::json> countries =
      JsonLines(RunFeriant({"countries", "--today", "2007-01-01", "--format", "jsonl"}).out);
  ASSERT_EQ(countries.size(), 5u);
  EXPECT_EQ(countries[4],
            (nlohmann::json{{"name", "Schweiz"}, {"code", "CH"}, {"english", "Switzerland"}}));

  const std::vector<nlohmann::json> regions =
      JsonLines(RunFeriant({"regions", "--country", "DE", "--format", "jsonl"}).out);
  ASSERT_EQ(regions.size(), 33u);
  EXPECT_EQ(regions[2], (nlohmann::json{{"path", "Deutschland|Bayern"},
                                        {"name", "Bayern"},
                                        {"depth", 1},
                                        {"holidays", {{"outlook", 3}, {"project", 3}}}}));
  EXPECT_EQ(regions[0]["holidays"], (nlohmann::json{{"outlook", 23}, {"project", 11}}));

  const Output listed = RunFeriant({"list", "--country", "DE", "--region", "Bayern", "--from",
                                    "2006", "--to", "2006", "--format", "jsonl"});
  ASSERT_EQ(listed.exit_code, 0) << listed.err;
  for (const nlohmann::json& line : JsonLines(listed.out)) {
    const std::string text = line["regions_text"];
    size_t lines = 1;
    for (size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; ++at)
      ++lines;
    ASSERT_EQ(line["regions"].size(), lines) << line;
    for (const nlohmann::json& region : line["regions"]) {
      EXPECT_TRUE(region["path"].is_string()) << line;
      EXPECT_NE(text.find("(" + region["standing"].get<std::string>() + ")"), std::string::npos);
    }
  }
  EXPECT_NE(listed.out.find("{\"path\":\"Deutschland|Bayern\",\"standing\":\"Statutory\"}"),
            std::string::npos);

  const ScratchDir scratch;
  const fs::path plan = scratch.path() / "plan.xml";
  WriteAll(plan,
           ReadWholeFile(fs::path(FERIANT_SOURCE_DIR) / "tests/data/projects/project2010.xml"));
  const std::vector<nlohmann::json> calendars =
      JsonLines(RunFeriant({"calendars", "--project", plan.string(), "--format", "jsonl"}).out);
  ASSERT_EQ(calendars.size(), 3u);
  EXPECT_EQ(calendars[2], (nlohmann::json{{"name", "Night Shift"}}));
}

TEST(CommandLineTest, VersionUnknownOptionsAndLostQuotes) {
  struct Case {
    std::vector<std::string> args;
    int exit_code;
    std::string says;  // standard output (exit 0) or part of standard error
  };
  const Case cases[] = {
      {{"--version"}, 0, "feriant " FERIANT_VERSION "\n"},
      {{"import", "--contry", "X"},
       2,
       "feriant import: there is no option --contry; did you mean --country?"},
      {{"list", "--country", "CH", "--regoin=Bern"},
       2,
       "no option --regoin; did you mean --region?"},
      {{"countries", "--everything"}, 2, "there is no option --everything\n"},
      {{"list", "--country", "United", "Kingdom"},
       2,
       "\"Kingdom\" is neither an option nor a value: if the value of --country is several "
       "words, put it in quotes: --country 'United Kingdom'"},
      {{"list", "--country", "DE", "--region", "Baden", "W\u00fcrttemberg", "--years", "1"},
       2,
       "--region 'Baden W\u00fcrttemberg'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args.back());
    const Output output = RunFeriant(c.args);
    EXPECT_EQ(output.exit_code, c.exit_code);
    if (c.exit_code == 0) {
      EXPECT_EQ(output.out, c.says);
    } else {
      EXPECT_EQ(output.out, "");
      EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
    }
  }
}

}  // namespace
