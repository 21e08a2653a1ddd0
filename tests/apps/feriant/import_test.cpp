// Runs feriant import, remove and calendars on copies of sample calendars and projects
// and compares what they print and the files they leave with expected files under
// tests/data/calendars and tests/data/projects. The clock is fixed with --today and new
// appointments get numbered UIDs (FERIANT_UID_PREFIX), so every written byte is known.

#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/apps/feriant/feriant_runner.h"

namespace feriant::testing {
namespace {

const char* const kWorldCup = "2006 FIFA World Cup Germany\u2122";
const std::string kNewCalendar =
    "BEGIN:VCALENDAR\r\nPRODID:-//Quillmark//Feriant 2.0//EN\r\n"
    "VERSION:2.0\r\nEND:VCALENDAR\r\n";

fs::path DataFile(const std::string& name) {
  return fs::path(FERIANT_SOURCE_DIR) / "tests" / "data" / name;
}

// The text of an iCalendar file with folded lines joined again.
std::string Unfolded(std::string text) {
  for (size_t at = text.find("\r\n "); at != std::string::npos; at = text.find("\r\n ", at))
    text.erase(at, 3);
  return text;
}

// The unfolded VEVENT blocks of a calendar.
std::vector<std::string> Events(const std::string& calendar) {
  const std::string text = Unfolded(calendar);
  std::vector<std::string> events;
  for (size_t begin = text.find("BEGIN:VEVENT\r\n"); begin != std::string::npos;
       begin = text.find("BEGIN:VEVENT\r\n", begin + 1)) {
    const size_t end = text.find("END:VEVENT\r\n", begin);
    events.push_back(text.substr(begin, end - begin));
  }
  return events;
}

// The value of property `name` in an unfolded event ("" when absent).
std::string Property(const std::string& event, const std::string& name) {
  const std::string key = "\r\n" + name;
  for (size_t at = event.find(key); at != std::string::npos; at = event.find(key, at + 1)) {
    const size_t value = at + key.size();
    if (event[value] != ':' && event[value] != ';') continue;
    const size_t colon = event.find(':', value);
    return event.substr(colon + 1, event.find("\r\n", colon) - colon - 1);
  }
  return std::string();
}

// The events whose SUMMARY is `subject`.
std::vector<std::string> EventsNamed(const std::string& calendar, const std::string& subject) {
  std::vector<std::string> found;
  for (const std::string& event : Events(calendar)) {
    if (Property(event, "SUMMARY") == subject) found.push_back(event);
  }
  return found;
}

// The <Calendar> elements of a Project XML text, whole, in file order.
std::vector<std::string> CalendarElements(const std::string& xml) {
  std::vector<std::string> elements;
  for (size_t begin = xml.find("<Calendar>"); begin != std::string::npos;
       begin = xml.find("<Calendar>", begin + 1)) {
    const size_t end = xml.find("</Calendar>", begin) + std::string("</Calendar>").size();
    elements.push_back(xml.substr(begin, end - begin));
  }
  return elements;
}

// What a step expects of the file afterwards.
enum class FileIs {
  kAny,        // whatever the step's checks say
  kGolden,     // equal to `golden` under tests/data
  kUnchanged,  // byte for byte what it was before the step
  kOriginal,   // byte for byte the scenario's starting file
  kNew,        // an empty calendar as Feriant creates it
  kAbsent,     // not there
};

struct Step {
  std::vector<std::string> args;  // the file option is added by the scenario
  int exit_code;
  std::string out;  // expected standard output, exactly
  std::string err;  // a part of standard error; "" for none at all
  FileIs file = FileIs::kAny;
  const char* golden = nullptr;
  // Further checks on the file after the step; before the step, `prepare` may change it
  // as another program would.
  std::function<void(const std::string&)> check = nullptr;
  std::function<void(const fs::path&)> prepare = nullptr;
  std::vector<std::string> env = {};  // the step's own environment, over the scenario's
};

struct Scenario {
  const char* name;
  const char* start;      // a file under tests/data to start from; nullptr: no file
  const char* file_name;  // the file's name in the working directory
  const char* option;     // "--calendar" or "--project"
  std::vector<std::string> env;
  std::vector<Step> steps;
};

const std::vector<std::string> kEnglish = {"LANG=en_GB.UTF-8"};
const std::vector<std::string> kGerman = {"LANG=de_DE.UTF-8"};

std::vector<std::string> Bavaria(const char* command, std::vector<std::string> more = {}) {
  std::vector<std::string> args = {
      command, "--country", "Deutschland", "--region", "Deutschland|Bayern", "--from",
      "2006",  "--to",      "2006",        "--today",  "2006-07-09"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Bayern in 2010, the year of the sample project's own exceptions, into one of its base
// calendars.
std::vector<std::string> Bavaria2010In(const char* command, const char* calendar) {
  return {command, "--country", "Deutschland", "--region",   "Deutschland|Bayern", "--from", "2010",
          "--to",  "2010",      "--today",     "2010-07-09", "--base-calendar",    calendar};
}
std::vector<std::string> Bavaria2010(const char* command) {
  return Bavaria2010In(command, "Standard");
}

std::vector<std::string> Country(const char* command, const char* country,
                                 std::vector<std::string> more = {}) {
  std::vector<std::string> args = {command, "--country", country,   "--from",    "2006",
                                   "--to",  "2006",      "--today", "2006-07-09"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

std::string Added(int added, int modified) {
  return std::to_string(added) + " holidays were added to the Outlook calendar and " +
         std::to_string(modified) + " holidays were modified\n";
}
std::string Removed(int removed, int modified) {
  return std::to_string(removed) + " holidays were removed from the Outlook calendar and " +
         std::to_string(modified) + " holidays were modified.\n";
}

void ExpectLocation(const std::string& calendar, const std::string& subject,
                    const std::string& location) {
  const std::vector<std::string> events = EventsNamed(calendar, subject);
  ASSERT_EQ(events.size(), 1u) << subject;
  EXPECT_EQ(Property(events[0], "LOCATION"), location) << subject;
}

// Berlin in 2027, where the law since the tables adds International Women's Day: 23
// holidays by the tables, 24 under the current law.
std::vector<std::string> Berlin2027(const char* command, std::vector<std::string> more = {}) {
  std::vector<std::string> args = {
      command,  "--country", "Deutschland", "--region", "Deutschland|Berlin",
      "--from", "2027",      "--to",        "2027"};
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

void ExpectWomensDays(const std::string& calendar, size_t count) {
  EXPECT_EQ(EventsNamed(calendar, "International Women's Day").size(), count);
}

// Opens an event with a blank field, which no program can read as a value.
constexpr const char* kBlankField = "BEGIN:VEVENT\r\nCATEGORIES:\r\n";

// The holidays of Liechtenstein (the country alone ticked) in 2006, as `list` shows them.
constexpr int kLiechtenstein2006 = 30;

std::vector<Scenario> OutlookScenarios() {
  return {
      {"Bavaria into a new calendar, again, and out again",
       nullptr,
       "holidays.ics",
       nullptr,  // no file option: holidays.ics in the current directory
       kEnglish,
       {
           {Bavaria("import"), 0, Added(26, 0), "", FileIs::kGolden,
            "calendars/bayern-2006.expected.ics"},
           {Bavaria("import"), 0, Added(0, 0), "", FileIs::kUnchanged},
           {Bavaria("remove"), 0, Removed(26, 0), "", FileIs::kNew},
       }},
      {"Bavaria into Thunderbird's calendar, again, and out again",
       "calendars/thunderbird.ics",
       "privat.ics",
       "--calendar",
       kEnglish,
       {
           {Bavaria("import"), 0, Added(26, 0), "", FileIs::kGolden,
            "calendars/thunderbird-bayern-2006.expected.ics",
            [](const std::string& calendar) {
              // Everything Thunderbird wrote comes first, untouched; the holidays follow.
              std::string original = ReadWholeFile(DataFile("calendars/thunderbird.ics"));
              original.erase(original.rfind("END:VCALENDAR"));
              EXPECT_EQ(calendar.substr(0, original.size()), original);
            }},
           {Bavaria("import"), 0, Added(0, 0), "", FileIs::kUnchanged},
           {Bavaria("remove"), 0, Removed(26, 0), "", FileIs::kOriginal},
       }},
      {"Neujahr for Deutschland, then for Österreich, then out again",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", "Deutschland"), 0, Added(23, 0), "", FileIs::kGolden,
            "calendars/deutschland-2006.expected.ics"},
           {Country("import", "\u00d6sterreich"), 0, Added(8, 21), "", FileIs::kGolden,
            "calendars/deutschland-oesterreich-2006.expected.ics",
            [](const std::string& calendar) {
              const std::vector<std::string> events = EventsNamed(calendar, "New Year's Day");
              ASSERT_EQ(events.size(), 1u);
              EXPECT_EQ(Property(events[0], "LOCATION"), "Deutschland\\, \u00d6sterreich");
              EXPECT_EQ(Property(events[0], "DESCRIPTION"),
                        "Deutschland (Whole country) (Statutory)\\n\\n\u00d6sterreich (Whole "
                        "country) (Statutory)");
              EXPECT_EQ(Property(events[0], "DTSTART"), "20060101");
            }},
           // Taking Österreich out again gives back the file of the first step, but for
           // the second version of each appointment changed twice.
           {Country("remove", "\u00d6sterreich"), 0, Removed(8, 21), "", FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              std::string first_version = calendar;
              int changed = 0;
              for (size_t at = first_version.find("SEQUENCE:2\r\n"); at != std::string::npos;
                   at = first_version.find("SEQUENCE:2\r\n", at), ++changed)
                first_version.erase(at, 12);
              EXPECT_EQ(changed, 21);
              EXPECT_EQ(first_version,
                        ReadWholeFile(DataFile("calendars/deutschland-2006.expected.ics")));
            }},
           {Country("remove", "Deutschland"), 0, Removed(23, 0), "", FileIs::kNew},
       }},
      {"a country out of the middle of three",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", "Deutschland"), 0, Added(23, 0), ""},
           {Country("import", "Schweiz"), 0, Added(3, 16), ""},
           {Country("import", "France"), 0, Added(5, 13), "", FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              ExpectLocation(calendar, "New Year's Day",
                             "Deutschland\\, Schweiz (partially)\\, France");
              // Changed by two runs: two versions after the first.
              EXPECT_EQ(Property(EventsNamed(calendar, "New Year's Day")[0], "SEQUENCE"), "2");
            }},
           // Of the three appointments only Schweiz had, France came to one.
           {Country("remove", "Schweiz"), 0, Removed(2, 17), "", FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              ExpectLocation(calendar, "New Year's Day", "Deutschland\\, France");
              const std::vector<std::string> events = EventsNamed(calendar, "New Year's Day");
              EXPECT_EQ(Property(events[0], "DESCRIPTION"),
                        "Deutschland (Whole country) (Statutory)\\n\\nFrance (Whole country) "
                        "(Statutory)");
            }},
       }},
      {"an appointment whose category the person changed is theirs",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", "Liechtenstein"), 0, Added(kLiechtenstein2006, 0), ""},
           {Country("import", "Liechtenstein"), 0, Added(1, 0), "", FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              const std::vector<std::string> events = EventsNamed(calendar, "New Year's Day");
              ASSERT_EQ(events.size(), 2u);
              EXPECT_EQ(Property(events[0], "CATEGORIES"), "Holiday,Private");
              EXPECT_EQ(Property(events[1], "CATEGORIES"), "Holiday");
            },
            [](const fs::path& file) {
              std::string text = ReadWholeFile(file);
              const size_t event = text.find("SUMMARY:New Year's Day");
              const size_t category = text.find("CATEGORIES:Holiday\r\n", event);
              text.replace(category, 20, "CATEGORIES:Holiday,Private\r\n");
              WriteAll(file, text);
            }},
           {Country("remove", "Liechtenstein"), 0, Removed(kLiechtenstein2006, 0), "", FileIs::kAny,
            nullptr,
            [](const std::string& calendar) {
              const std::vector<std::string> events = Events(calendar);
              ASSERT_EQ(events.size(), 1u);
              EXPECT_EQ(Property(events[0], "CATEGORIES"), "Holiday,Private");
            }},
       }},
      {"a run in any language sees the appointments of a run in another",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", "Liechtenstein", {"--language", "English"}), 0,
            Added(kLiechtenstein2006, 0), ""},
           {Country("remove", "Liechtenstein", {"--language", "Deutsch"}), 0,
            Removed(kLiechtenstein2006, 0), "", FileIs::kNew},
       }},
      {"an import in French is removed by a run in German",
       "calendars/thunderbird.ics",
       "cal.ics",
       "--calendar",
       {"LANG=fr_CH.UTF-8"},
       {
           {Country("import", "Schweiz", {"--region", "Genf"}), 0,
            "25 jours f\u00e9ri\u00e9s ont \u00e9t\u00e9 ajout\u00e9s au calendrier Outlook et 0 "
            "jours f\u00e9ri\u00e9s ont \u00e9t\u00e9 modifi\u00e9s.\n",
            "", FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              const std::vector<std::string> fasting = EventsNamed(calendar, "Je\u00fbne genevois");
              ASSERT_EQ(fasting.size(), 1u);
              EXPECT_EQ(Property(fasting[0], "CATEGORIES"), "Jour f\u00e9ri\u00e9");
              EXPECT_EQ(Property(fasting[0], "LOCATION"), "Schweiz (en partie)");
            }},
           {Country("remove", "Schweiz", {"--region", "Genf"}),
            0,
            "25 Feiertage wurden aus dem Outlook Kalender entfernt und 0 Feiertage wurden "
            "modifiziert.\n",
            "",
            FileIs::kOriginal,
            nullptr,
            nullptr,
            nullptr,
            {"LANG=de_CH.UTF-8"}},
       }},
      {"the World Cup's 64 matches, on the day of the final, and out again",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", kWorldCup), 0, Added(64, 0), "", FileIs::kGolden,
            "calendars/world-cup-2006.expected.ics",
            [](const std::string& calendar) {
              const std::vector<std::string> events = Events(calendar);
              ASSERT_EQ(events.size(), 64u);
              for (const std::string& event : events) {
                EXPECT_EQ(Property(event, "CATEGORIES"), kWorldCup);
                EXPECT_EQ(Property(event, "X-MICROSOFT-CDO-ALLDAYEVENT"), "");
                // 180 minutes from kick-off; a calendar without time zones gets UTC.
                const std::string start = Property(event, "DTSTART");
                const std::string end = Property(event, "DTEND");
                ASSERT_EQ(start.size(), 16u) << event;
                EXPECT_TRUE(start.substr(0, 6) == "200606" || start.substr(0, 6) == "200607")
                    << start;
                EXPECT_EQ(std::stoi(end.substr(9, 4)) - std::stoi(start.substr(9, 4)), 300)
                    << event;
              }
              // The opening match kicked off at 18:00 in Munich.
              const std::vector<std::string> opening =
                  EventsNamed(calendar, "Germany - Costa Rica");
              ASSERT_EQ(opening.size(), 1u);
              EXPECT_EQ(Property(opening[0], "DTSTART"), "20060609T160000Z");
            }},
           {Country("remove", kWorldCup), 0, Removed(64, 0), "", FileIs::kNew},
       }},
      {"kick-offs are German times, written and found again in any time zone",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", kWorldCup),
            0,
            Added(64, 0),
            "",
            FileIs::kAny,
            nullptr,
            [](const std::string& calendar) {
              const std::vector<std::string> opening =
                  EventsNamed(calendar, "Germany - Costa Rica");
              ASSERT_EQ(opening.size(), 1u);
              EXPECT_EQ(Property(opening[0], "DTSTART"), "20060609T160000Z");
              const std::vector<std::string> final = EventsNamed(calendar, "W61 - W62 (Final)");
              ASSERT_EQ(final.size(), 1u);
              EXPECT_EQ(Property(final[0], "DTSTART"), "20060709T180000Z");
            },
            nullptr,
            {"TZ=UTC"}},
           {Country("import", kWorldCup),
            0,
            Added(0, 0),
            "",
            FileIs::kUnchanged,
            nullptr,
            nullptr,
            nullptr,
            {"TZ=America/New_York"}},
           {Country("remove", kWorldCup),
            0,
            Removed(64, 0),
            "",
            FileIs::kNew,
            nullptr,
            nullptr,
            nullptr,
            {"TZ=Asia/Tokyo"}},
       }},
      {"stamps come from the system's clock, never from --today",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("import", "Liechtenstein"),
            0,
            Added(kLiechtenstein2006, 0),
            "",
            FileIs::kAny,
            nullptr,
            [](const std::string& calendar) {
              const auto today =
                  std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now());
              const std::string year =
                  std::to_string(static_cast<int>(std::chrono::year_month_day(today).year()));
              for (const std::string& event : Events(calendar)) {
                for (const char* stamp : {"DTSTAMP", "CREATED", "LAST-MODIFIED"})
                  EXPECT_EQ(Property(event, stamp).substr(0, 4), year) << stamp;
              }
            },
            nullptr,
            {"SOURCE_DATE_EPOCH="}},
       }},
      {"a run that changes nothing writes nothing, though the file lacks PRODID and VERSION",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Bavaria("import"), 0, Added(26, 0), ""},
           {Bavaria("import"), 0, Added(0, 0), "", FileIs::kUnchanged, nullptr, nullptr,
            [](const fs::path& file) {
              std::string text = ReadWholeFile(file);
              for (const std::string line :
                   {"PRODID:-//Quillmark//Feriant 2.0//EN\r\n", "VERSION:2.0\r\n"})
                text.erase(text.find(line), line.size());
              WriteAll(file, text);
            }},
       }},
      {"an empty calendar: nothing to remove, everything to add",
       "calendars/empty.ics",
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Country("remove", "Liechtenstein"), 0, Removed(0, 0), "", FileIs::kUnchanged},
           {Country("import", "Liechtenstein"), 0, Added(kLiechtenstein2006, 0), ""},
           {Country("remove", "Liechtenstein"), 0, Removed(kLiechtenstein2006, 0), "",
            FileIs::kOriginal},
       }},
      {"a German user's run, in German",
       nullptr,
       "cal.ics",
       "--calendar",
       kGerman,
       {
           {Country("import", "Liechtenstein"), 0,
            "30 Feiertage wurden dem Outlook Kalender hinzugef\u00fcgt und 0 Feiertage wurden "
            "modifiziert.\n",
            "", FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              EXPECT_EQ(EventsNamed(calendar, "Neujahr").size(), 1u);
            }},
           // The result in the host's language; the English run finds the German
           // appointments.
           {Country("remove", "Liechtenstein", {"--language", "English"}), 0,
            "30 Feiertage wurden aus dem Outlook Kalender entfernt und 0 Feiertage wurden "
            "modifiziert.\n",
            "", FileIs::kNew},
       }},
      {"Berlin under the current law into Thunderbird's calendar, again, and out again",
       "calendars/thunderbird.ics",
       "privat.ics",
       "--calendar",
       kEnglish,
       {
           {Berlin2027("import", {"--current-law"}), 0, Added(24, 0), "", FileIs::kAny, nullptr,
            [](const std::string& calendar) { ExpectWomensDays(calendar, 1); }},
           {Berlin2027("import", {"--current-law"}), 0, Added(0, 0), "", FileIs::kUnchanged},
           {Berlin2027("remove", {"--current-law"}), 0, Removed(24, 0), "", FileIs::kOriginal},
       }},
      {"the dialog's setting applies the current law; --no-current-law overrides it once",
       "calendars/thunderbird.ics",
       "privat.ics",
       "--calendar",
       {"LANG=en_GB.UTF-8",
        "FERIANT_REGISTRY_CONTENT={\"version\": 1, \"keys\": "
        "{\"Software\\\\Quillmark\\\\Feriant\\\\2.0\": {\"Current Law\": 1}}}"},
       {
           {Berlin2027("import"), 0, Added(24, 0), "", FileIs::kAny, nullptr,
            [](const std::string& calendar) { ExpectWomensDays(calendar, 1); }},
           {Berlin2027("remove", {"--no-current-law"}), 0, Removed(23, 0),
            "feriant remove: later changes in the law affect International Women's Day in these "
            "years; --current-law applies them",
            FileIs::kAny, nullptr,
            [](const std::string& calendar) { ExpectWomensDays(calendar, 1); }},
           {Berlin2027("remove"), 0, Removed(1, 0), "", FileIs::kOriginal},
       }},
      {"two holidays of one name, both changed later, are named once in the note",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {{"import", "--country", "Schweiz", "--region", "Schweiz|Glarus", "--from", "1985",
             "--to", "1985"},
            0,
            Added(27, 0),
            "later changes in the law affect N\u00e4felser Fahrt in these years;"},
       }},
      {"a damaged calendar is refused and left alone",
       "calendars/damaged.ics",
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {Bavaria("import"), 1, "", "cannot be read: it ends inside the VEVENT begun at line 42"},
           {Bavaria("remove"), 1, "", "the file is truncated."},
       }},
      {"nothing ticked that the run accepts: no file is made",
       nullptr,
       "cal.ics",
       "--calendar",
       kEnglish,
       {
           {{"import", "--country", "Deutschland", "--from", "2060", "--to", "2070"},
            1,
            "",
            "Start Year is behind End year. Please check the range\n",
            FileIs::kAbsent},
       }},
      {"an event with a blank field is kept as it stands, and the run goes on",
       "calendars/thunderbird.ics",
       "privat.ics",
       "--calendar",
       kEnglish,
       {
           {Bavaria("import"), 0, Added(26, 0),
            "privat.ics: the event at line 42 is kept as it stands and left out of this run: its "
            "CATEGORIES at line 43 has no value.\n",
            FileIs::kAny, nullptr,
            [](const std::string& calendar) {
              EXPECT_NE(calendar.find(kBlankField), std::string::npos);
              EXPECT_EQ(EventsNamed(calendar, "Ascension Day").size(), 1u);
            },
            [](const fs::path& file) {
              std::string text = ReadWholeFile(file);
              text.replace(text.find("BEGIN:VEVENT\r\n", text.find("BEGIN:VEVENT\r\n") + 1), 14,
                           kBlankField);
              WriteAll(file, text);
            }},
       }},
  };
}

std::vector<std::string> ProjectRegistry(const char* version, int current_ui) {
  return {
      "FERIANT_REGISTRY_CONTENT={\"version\": 1, \"keys\": {\"Software\\\\Microsoft\\\\Office\\\\" +
      std::string(version) + "\\\\MS Project\": {\"CurrentUI\": " + std::to_string(current_ui) +
      "}}}"};
}

std::vector<Scenario> ProjectScenarios() {
  const std::string add_de =
      "14 Feiertage wurden in den Basiskalendern als arbeitsfrei eingestellt.\n";
  const std::string remove_de =
      "14 Feiertage wurden in den Basiskalendern als Arbeitszeit eingestellt.\n";
  const std::string add_en = "14 holidays were configured as non-working time.\n";
  const std::string remove_en = "14 holidays were configured as working time.\n";
  std::vector<std::string> english_project = kEnglish;
  for (const std::string& entry : ProjectRegistry("14.0", 1033))
    english_project.push_back(entry);
  return {
      {"a 2003-style project; no CurrentUI: Project records the German locale, so German",
       "projects/project2003.xml",
       "plan.xml",
       "--project",
       kGerman,
       {
           {Bavaria("import"), 0, add_de, "", FileIs::kGolden,
            "projects/project2003-bayern-2006.expected.xml"},
           {Bavaria("import"), 0, add_de, "", FileIs::kUnchanged},
           // The person's days off (6 January, 24 to 26 December) were never the program's:
           // they stay whole, and the file is what it was.
           {Bavaria("remove"), 0, remove_de, "", FileIs::kOriginal},
       }},
      {"no CurrentUI: Project records the English locale, so English",
       "projects/project2010.xml",
       "plan.xml",
       "--project",
       kEnglish,
       {
           {Bavaria("import"), 0, add_en, "", FileIs::kGolden,
            "projects/project2010-bayern-2006.expected.xml"},
       }},
      {"a 2007-style project with CurrentUI 1033, so English",
       "projects/project2010.xml",
       "plan.xml",
       "--project",
       english_project,
       {
           {Bavaria("import"), 0, add_en, "", FileIs::kGolden,
            "projects/project2010-bayern-2006.expected.xml"},
           {Bavaria("import"), 0, add_en, "", FileIs::kUnchanged},
           // This project had none of these days off before.
           {Bavaria("remove"), 0, remove_en, "", FileIs::kOriginal},
       }},
      {"a person's named exceptions stay whole through import and remove",
       "projects/project2010.xml",
       "plan.xml",
       "--project",
       english_project,
       {
           {Bavaria2010("import"), 0, add_en, "", FileIs::kAny, nullptr,
            [](const std::string& xml) {
              // Christmas (24 to 26 December) already makes both holidays non-working.
              EXPECT_NE(xml.find("<Name>Christmas</Name>"), std::string::npos);
              EXPECT_EQ(xml.find("2010-12-25T00:00:00"), std::string::npos);
              EXPECT_NE(xml.find("<FromDate>2010-10-03T00:00:00</FromDate>"), std::string::npos);
            }},
           {Bavaria2010("remove"), 0, remove_en, "", FileIs::kOriginal},
       }},
      {"one base calendar chosen: the others stay byte for byte",
       "projects/project2010.xml",
       "plan.xml",
       "--project",
       english_project,
       {
           {Bavaria("import", {"--base-calendar", "Night Shift"}), 0, add_en, "", FileIs::kAny,
            nullptr,
            [](const std::string& xml) {
              const std::string original = ReadWholeFile(DataFile("projects/project2010.xml"));
              const std::vector<std::string> before = CalendarElements(original);
              const std::vector<std::string> after = CalendarElements(xml);
              ASSERT_EQ(before.size(), after.size());
              for (size_t i = 0; i < before.size(); ++i) {
                const bool night_shift =
                    before[i].find("<Name>Night Shift</Name>") != std::string::npos;
                EXPECT_EQ(before[i] == after[i], !night_shift) << before[i];
              }
              // Outside the calendars nothing moved.
              EXPECT_EQ(xml.substr(0, xml.find("<Calendars>")),
                        original.substr(0, original.find("<Calendars>")));
              EXPECT_EQ(xml.substr(xml.find("</Calendars>")),
                        original.substr(original.find("</Calendars>")));
            }},
       }},
      {"a damaged per-user registry is reported, and the run goes on in German",
       "projects/project2003.xml",
       "plan.xml",
       "--project",
       {"LANG=en_GB.UTF-8", "FERIANT_REGISTRY_CONTENT={\"version\": 1, \"keys\":"},
       {
           {Bavaria("import"), 0, add_de, "registry.json is damaged", FileIs::kGolden,
            "projects/project2003-bayern-2006.expected.xml"},
       }},
      {"days inside a recurring exception are not set, the others are saved, and it is said",
       "projects/project2010.xml",
       "plan.xml",
       "--project",
       english_project,
       {
           // Nine days off of the year lie in January to May; the last error comes last.
           {Bavaria2010In("import", "24 Hours"), 1, add_en,
            "(2010-01-01 to 2010-06-01), which is not changed here; edit it in a "
            "project-planning program\nferiant import: saved with errors: 9 holidays were not "
            "set\n",
            FileIs::kAny, nullptr,
            [](const std::string& xml) {
              EXPECT_NE(xml.find("<FromDate>2010-10-03T00:00:00</FromDate>"), std::string::npos);
            }},
       }},
      {"a truncated project is refused and left alone",
       "projects/truncated.xml",
       "plan.xml",
       "--project",
       kEnglish,
       {
           {Bavaria("import"), 1, "", "cannot open"},
       }},
  };
}

// Writes FERIANT_REGISTRY_CONTENT=... entries of `env` to a registry file in `dir` and
// points FERIANT_REGISTRY at it.
std::vector<std::string> Environment(const std::vector<std::string>& env, const fs::path& dir) {
  const std::string kContent = "FERIANT_REGISTRY_CONTENT=";
  // Stamps at the --today of the scenarios (2006-07-09 in Berlin), not the system's time.
  std::vector<std::string> result = {"FERIANT_REGISTRY=" + (dir / "registry.json").string(),
                                     "FERIANT_UID_PREFIX=test", "SOURCE_DATE_EPOCH=1152396000"};
  for (const std::string& entry : env) {
    if (entry.rfind(kContent, 0) == 0) {
      WriteAll(dir / "registry.json", entry.substr(kContent.size()));
    } else {
      result.push_back(entry);
    }
  }
  return result;
}

// Calendars the program wrote, kept for the other readers' check.
std::vector<fs::path>& WrittenCalendars() {
  static std::vector<fs::path> files;
  return files;
}

void RunScenario(const Scenario& scenario) {
  const ScratchDir scratch;
  const fs::path& dir = scratch.path();
  const fs::path file = dir / scenario.file_name;
  std::optional<std::string> original;
  if (scenario.start != nullptr) {
    original = ReadWholeFile(DataFile(scenario.start));
    WriteAll(file, *original);
  }
  const std::vector<std::string> env = Environment(scenario.env, dir);
  static int snapshots = 0;

  for (size_t i = 0; i < scenario.steps.size(); ++i) {
    const Step& step = scenario.steps[i];
    SCOPED_TRACE("step " + std::to_string(i + 1));
    if (step.prepare) step.prepare(file);
    const std::optional<std::string> before =
        fs::exists(file) ? std::optional<std::string>(ReadWholeFile(file)) : std::nullopt;
    std::vector<std::string> args = step.args;
    if (scenario.option != nullptr) args.insert(args.end(), {scenario.option, file.string()});

    std::vector<std::string> step_env = env;
    step_env.insert(step_env.end(), step.env.begin(), step.env.end());
    const Output output = RunFeriantIn(args, step_env, dir);
    EXPECT_EQ(output.exit_code, step.exit_code) << output.err;
    EXPECT_EQ(output.out, step.out);
    if (step.err.empty()) {
      EXPECT_EQ(output.err, "");
    } else {
      EXPECT_NE(output.err.find(step.err), std::string::npos) << output.err;
    }

    const bool exists = fs::exists(file);
    const std::string now = exists ? ReadWholeFile(file) : std::string();
    switch (step.file) {
      case FileIs::kGolden:
        EXPECT_TRUE(exists);
        EXPECT_EQ(now, ReadWholeFile(DataFile(step.golden))) << step.golden;
        break;
      case FileIs::kAny:
        break;
      case FileIs::kUnchanged:
        EXPECT_EQ(exists, before.has_value());
        if (before) {
          EXPECT_EQ(now, *before);
        }
        break;
      case FileIs::kOriginal:
        ASSERT_TRUE(original.has_value());
        EXPECT_EQ(now, *original);
        break;
      case FileIs::kNew:
        EXPECT_EQ(now, kNewCalendar);
        break;
      case FileIs::kAbsent:
        EXPECT_FALSE(exists);
        break;
    }
    if (step.check) step.check(now);
    // Neither the lock nor the temporary file of the replacement is left beside the file.
    for (const auto& entry : fs::directory_iterator(dir)) {
      const std::string name = entry.path().filename().string();
      EXPECT_TRUE(name == scenario.file_name || name == "registry.json") << name;
    }
    if (exists && file.extension() == ".ics" && output.exit_code == 0) {
      const fs::path snapshot =
          fs::temp_directory_path() / ("feriant_written_" + std::to_string(getpid()) + "_" +
                                       std::to_string(++snapshots) + ".ics");
      fs::copy_file(file, snapshot, fs::copy_options::overwrite_existing);
      WrittenCalendars().push_back(snapshot);
    }
  }
}

TEST(ImportTest, OutlookRunsLeaveTheExpectedCalendars) {
  for (const Scenario& scenario : OutlookScenarios()) {
    SCOPED_TRACE(scenario.name);
    RunScenario(scenario);
  }
}

TEST(ImportTest, ProjectRunsLeaveTheExpectedProjects) {
  for (const Scenario& scenario : ProjectScenarios()) {
    SCOPED_TRACE(scenario.name);
    RunScenario(scenario);
  }
}

// Every calendar the runs above wrote is read by two other iCalendar libraries, as the
// calendar programs that use them would read it.
TEST(ImportTest, WrittenCalendarsAreReadByOtherLibraries) {
  if (WrittenCalendars().empty()) {
    for (const Scenario& scenario : OutlookScenarios())
      RunScenario(scenario);
  }
  ASSERT_GT(WrittenCalendars().size(), 10u);
  for (const char* module : {"icalendar", "vobject"}) {
    const std::string probe =
        "/usr/bin/python3 -c 'import " + std::string(module) + "' >/dev/null 2>&1";
    if (std::system(probe.c_str()) != 0) GTEST_SKIP() << "python3 cannot import " << module;
  }
  const fs::path script =
      fs::temp_directory_path() / ("feriant_read_" + std::to_string(getpid()) + ".py");
  WriteAll(script, R"(import sys
import icalendar, vobject
failed = 0
for name in sys.argv[1:]:
    data = open(name, 'rb').read()
    expected = data.count(b'BEGIN:VEVENT')
    try:
        calendar = icalendar.Calendar.from_ical(data)
        events = [c for c in calendar.walk('VEVENT')]
        for event in events:
            event.decoded('DTSTART'); str(event['SUMMARY']); str(event['UID'])
        if len(events) != expected:
            raise ValueError('icalendar found %d events of %d' % (len(events), expected))
        # A writer may fold inside a multi-byte character; the octets are joined first.
        text = data.replace(b'\r\n ', b'').replace(b'\r\n\t', b'').decode('utf-8')
        parsed = vobject.readOne(text)
        found = list(getattr(parsed, 'vevent_list', []))
        for event in found:
            event.dtstart.value; event.summary.value
        if len(found) != expected:
            raise ValueError('vobject found %d events of %d' % (len(found), expected))
    except Exception as error:
        print(name, type(error).__name__, error)
        failed += 1
print('read', len(sys.argv) - 1, 'calendars,', failed, 'failed')
sys.exit(1 if failed else 0)
)");
  std::string command = "/usr/bin/python3 " + script.string();
  for (const fs::path& file : WrittenCalendars())
    command += " " + file.string();
  EXPECT_EQ(std::system(command.c_str()), 0);
  for (const fs::path& file : WrittenCalendars())
    fs::remove(file);
  WrittenCalendars().clear();
  fs::remove(script);
}

// Holds the writer's lock of `file` as another program would, until destroyed.
class HeldLock {
 public:
  explicit HeldLock(const fs::path& file) : path_(file.string() + ".lock") {
    fd_ = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    EXPECT_GE(fd_, 0);
    EXPECT_EQ(::flock(fd_, LOCK_EX), 0);
  }
  HeldLock(const HeldLock&) = delete;
  HeldLock& operator=(const HeldLock&) = delete;
  ~HeldLock() { Release(); }
  void Release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }
  // Waits until `program` opened the lock file: it has read its file and is about to save.
  bool AwaitedBy(const Program& program) const {
    for (int tries = 0; tries < 1000; ++tries) {
      std::error_code error;
      for (const auto& fd :
           fs::directory_iterator("/proc/" + std::to_string(program.pid()) + "/fd", error)) {
        if (fs::read_symlink(fd.path(), error) == path_) return true;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
  }

 private:
  fs::path path_;
  int fd_ = -1;
};

// Another program writes the calendar while the run works: the run's save sees it, says
// so, and leaves the other program's file as it is. The other program holds the writer's
// lock meanwhile, as every writer does, which stops the run just before its save.
TEST(ImportTest, AFileChangedDuringTheRunIsNotOverwritten) {
  struct Case {
    const char* name;
    const char* start;
    const char* file_name;
    const char* option;
    const char* says;
  };
  const Case cases[] = {
      {"calendar", "calendars/thunderbird.ics", "privat.ics", "--calendar",
       "was changed by another program since it was read; nothing was saved."},
      {"project", "projects/project2003.xml", "plan.xml", "--project",
       "was changed by another program after it was opened; it was not overwritten"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    const fs::path file = dir / c.file_name;
    WriteAll(file, ReadWholeFile(DataFile(c.start)));
    HeldLock lock(file);

    const ScratchDir home_scratch;
    const fs::path& home = home_scratch.path();
    std::vector<std::string> args = Bavaria("import");
    args.insert(args.end(), {c.option, file.string()});
    Program program(args, Environment(kEnglish, dir), dir, home);
    EXPECT_TRUE(lock.AwaitedBy(program)) << "the run never came to its save";
    const std::string theirs = ReadWholeFile(file) + "<!-- theirs -->\n";
    WriteAll(file, theirs);
    lock.Release();

    const Output output = program.Finish();
    EXPECT_EQ(output.exit_code, 1);
    EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
    EXPECT_NE(output.err.find(file.string()), std::string::npos) << output.err;
    // No success is claimed: the result message stays back.
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(ReadWholeFile(file), theirs);
  }
}

// Ctrl-C or SIGTERM while the run works saves nothing, leaves nothing behind and says so;
// the exit status is the shell's for the signal. The run is stopped at its save, waiting
// for the lock that the test holds.
TEST(ImportTest, AnInterruptedRunSavesNothing) {
  const struct {
    const char* start;
    const char* option;
    int signal;
    int exit_code;
  } cases[] = {
      {"calendars/thunderbird.ics", "--calendar", SIGINT, 130},
      {"projects/project2003.xml", "--project", SIGTERM, 143},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    const ScratchDir scratch;
    const fs::path file = scratch.path() / fs::path(c.start).filename();
    const std::string original = ReadWholeFile(DataFile(c.start));
    WriteAll(file, original);
    HeldLock lock(file);
    const ScratchDir home;
    Program program(Bavaria("import", {c.option, file.string()}),
                    Environment(kEnglish, scratch.path()), scratch.path(), home.path());
    ASSERT_TRUE(lock.AwaitedBy(program));
    ::kill(program.pid(), c.signal);
    const Output output = program.Finish();
    EXPECT_EQ(output.exit_code, c.exit_code);
    EXPECT_EQ(output.err, "interrupted, nothing was saved\n");
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(ReadWholeFile(file), original);
    lock.Release();
    // The per-user registry (where Project records its language) lies there too.
    int left = 0;
    for (const auto& entry : fs::directory_iterator(scratch.path())) {
      left += entry.path().filename().string().rfind("registry.json", 0) == 0 ? 0 : 1;
    }
    EXPECT_EQ(left, 2) << "only the file and the test's own lock";
  }
}

// A signal that is there from the program's first moment (here: sent while it starts with
// both blocked) ends the run before it touches a file, with its message.
TEST(ImportTest, AnInterruptFromTheFirstMomentSavesNothing) {
  for (const int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    const ScratchDir scratch;
    const ScratchDir home;
    WriteAll(scratch.path() / "holidays.ics.lock", "");  // a killed run's, held by nobody
    Program program(Bavaria("import"), Environment(kEnglish, scratch.path()), scratch.path(),
                    home.path(), {}, true);
    ::kill(program.pid(), signal);
    const Output output = program.Finish();
    EXPECT_EQ(output.exit_code, 128 + signal);
    EXPECT_EQ(output.err, "interrupted, nothing was saved\n");
    EXPECT_TRUE(fs::is_empty(scratch.path()));  // the stale lock went too
  }
}

// What is not a file the run can edit is refused before the run, instead of hanging on a
// FIFO or writing a file called "-".
TEST(ImportTest, RefusesWhatIsNotAFileToEdit) {
  const ScratchDir scratch;
  const fs::path& dir = scratch.path();
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  const struct {
    const char* option;
    std::string file;
    const char* says;
  } cases[] = {
      {"--calendar", "-", "--calendar -: feriant edits files, not standard input or output"},
      {"--project", "-", "--project -: feriant edits files"},
      {"--calendar", (dir / "fifo").string(), "it is a FIFO, not a regular file"},
      {"--project", (dir / "fifo").string(), "it is a FIFO, not a regular file"},
      {"--calendar", "/dev/null", "it is a character device, not a regular file"},
      {"--calendar", dir.string(), "Is a directory"},
      {"--calendar", (dir / "none" / "cal.ics").string(), "there is no folder"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    const Output output =
        RunFeriantIn(Bavaria("import", {c.option, c.file}), Environment(kEnglish, dir), dir);
    EXPECT_EQ(output.exit_code, 1);
    EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
    EXPECT_EQ(output.out, "");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1)
      << "the FIFO, and nothing written beside it";
}

// A file whose replacement cannot be written (the directory is read-only, or the
// temporary file's and the lock's names would be too long) is left as it was, and the run
// says it saved nothing.
TEST(ImportTest, AFileThatCannotBeWrittenIsReportedAndKept) {
  struct Case {
    const char* name;
    const char* start;
    const char* extension;
    const char* option;
    const char* says;
    bool read_only_directory;
  };
  const Case cases[] = {
      {"calendar, name too long", "calendars/thunderbird.ics", ".ics", "--calendar",
       "could not be saved", false},
      {"project, name too long", "projects/project2003.xml", ".xml", "--project",
       "The project was not saved", false},
      {"calendar, read-only directory", "calendars/thunderbird.ics", ".ics", "--calendar",
       "could not be saved", true},
      {"project, read-only directory", "projects/project2003.xml", ".xml", "--project",
       "The project was not saved", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.read_only_directory && geteuid() == 0) continue;  // root writes anyway
    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    // 255 bytes is the longest name a directory entry takes.
    const std::string name = c.read_only_directory ? std::string("file") + c.extension
                                                   : std::string(251, 'n') + c.extension;
    const fs::path file = dir / name;
    const std::string original = ReadWholeFile(DataFile(c.start));
    WriteAll(file, original);
    if (c.read_only_directory) fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);

    std::vector<std::string> args = Bavaria("import");
    args.insert(args.end(), {c.option, file.string()});
    const Output output = RunFeriantIn(args, Environment(kEnglish, fs::temp_directory_path()), dir);
    EXPECT_EQ(output.exit_code, 1);
    EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(ReadWholeFile(file), original);
    fs::permissions(dir, fs::perms::owner_all);
  }
}

TEST(ImportTest, CalendarsListsEveryBaseCalendar) {
  struct Case {
    const char* start;
    int exit_code;
    std::string out;
    const char* err;  // part of standard error; "" for none
  };
  const Case cases[] = {
      {"projects/project2003.xml", 0, "Standard\n24 Hours\nNight Shift\n", ""},
      {"projects/project2010.xml", 0, "Standard\n24 Hours\nNight Shift\n", ""},
      {"projects/truncated.xml", 1, "", "cannot open"},
      {"calendars/thunderbird.ics", 1, "", "cannot open"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    const fs::path file = dir / "plan.xml";
    WriteAll(file, ReadWholeFile(DataFile(c.start)));
    const Output output =
        RunFeriantIn({"calendars", "--project", file.string()}, Environment(kEnglish, dir), dir);
    EXPECT_EQ(output.exit_code, c.exit_code);
    EXPECT_EQ(output.out, c.out);
    if (*c.err == '\0') {
      EXPECT_EQ(output.err, "");
    } else {
      EXPECT_NE(output.err.find(c.err), std::string::npos) << output.err;
    }
    EXPECT_EQ(ReadWholeFile(file), ReadWholeFile(DataFile(c.start)));
  }
}

// Wrong usage: exit status 2, a message that says what is valid, and no file touched.
TEST(ImportTest, RefusesWrongUsageWithoutTouchingAFile) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::vector<std::string> says;
  };
  const Case cases[] = {
      {"a calendar and a project",
       {"import", "--country", "Deutschland", "--calendar", "a.ics", "--project", "plan.xml"},
       {"feriant import: ", "give one"}},
      {"a base calendar without a project",
       {"remove", "--country", "Deutschland", "--base-calendar", "Standard"},
       {"feriant remove: ", "--project"}},
      {"a base calendar the project does not list",
       {"import", "--country", "Deutschland", "--project", "plan.xml", "--base-calendar",
        "standard"},
       {"no base calendar \"standard\"", "\n  Standard\n  24 Hours\n  Night Shift\n"}},
      {"the World Cup in a project",
       {"import", "--country", kWorldCup, "--project", "plan.xml", "--today", "2006-06-01"},
       {"not entered into a project's base calendars", "\n  Schweiz\n"}},
      {"the World Cup after the final",
       {"import", "--country", kWorldCup, "--today", "2006-07-10"},
       {"before 10 July 2006", "\n  Deutschland\n"}},
      {"a date that does not exist",
       {"import", "--country", "Deutschland", "--today", "2006-13-01"},
       {"--today \"2006-13-01\" is not a date"}},
      {"a region of another country",
       {"remove", "--country", "Deutschland", "--region", "Schweiz|Bern"},
       {"belongs to Schweiz"}},
      {"a year that is no number",
       {"import", "--country", "Deutschland", "--from", "zwei"},
       {"--from \"zwei\" is not a year"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    WriteAll(dir / "plan.xml", ReadWholeFile(DataFile("projects/project2003.xml")));
    const Output output = RunFeriantIn(c.args, Environment(kEnglish, dir), dir);
    EXPECT_EQ(output.exit_code, 2);
    EXPECT_EQ(output.out, "");
    for (const std::string& part : c.says)
      EXPECT_NE(output.err.find(part), std::string::npos) << part << " in\n" << output.err;
    EXPECT_FALSE(fs::exists(dir / "holidays.ics"));
    EXPECT_FALSE(fs::exists(dir / "a.ics"));
    EXPECT_EQ(ReadWholeFile(dir / "plan.xml"), ReadWholeFile(DataFile("projects/project2003.xml")));
  }
}

// Each command that reads a setting from a registry that cannot be read says so once,
// naming the file, and goes on with the defaults; a flag that replaces the setting
// leaves nothing to say for a command that reads no other.
TEST(ImportTest, ARegistryThatCannotBeReadIsReportedOncePerCommand) {
  const std::string kSays = "the per-user registry could not be read";
  const struct {
    std::vector<std::string> args;
    size_t said;
  } cases[] = {
      {{"list", "--country", "Deutschland", "--from", "2006"}, 1},
      {{"list", "--country", "Deutschland", "--no-current-law"}, 0},
      {Bavaria("import", {"--calendar", "cal.ics"}), 1},
      {Bavaria("import", {"--calendar", "cal.ics", "--current-law"}), 0},
      {Bavaria2010("import"), 1},
  };
  for (const auto& c : cases) {
    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    WriteAll(dir / "project.xml", ReadWholeFile(DataFile("projects/project2010.xml")));
    std::vector<std::string> args = c.args;
    if (args.back() == "Standard") args.insert(args.end(), {"--project", "project.xml"});
    SCOPED_TRACE(args[0] + " " + args.back());
    const Output output = RunFeriantIn(
        args, Environment({"LANG=en_GB.UTF-8", "FERIANT_REGISTRY_CONTENT={"}, dir), dir);
    EXPECT_EQ(output.exit_code, 0) << output.err;
    size_t said = 0;
    for (size_t at = output.err.find(kSays); at != std::string::npos;
         at = output.err.find(kSays, at + 1)) {
      ++said;
    }
    EXPECT_EQ(said, c.said) << output.err;
    if (c.said > 0) {
      EXPECT_NE(output.err.find((dir / "registry.json").string()), std::string::npos);
    }
    EXPECT_EQ(ReadWholeFile(dir / "registry.json"), "{");
  }
}

// A lock file beside the calendar: one a killed run left goes when the next run ends,
// whatever that run did; a symbolic link is refused and nothing is created where it
// points.
TEST(ImportTest, LockFilesLeftBehindGoAndLinkedOnesAreRefused) {
  const std::string calendar = ReadWholeFile(DataFile("calendars/thunderbird.ics"));
  const struct {
    const char* name;
    std::string content;  // of cal.ics
    bool linked;          // the lock is a link to a file not there yet
    int exit_code;
    const char* says;
  } cases[] = {
      {"a run that changes nothing", kNewCalendar, false, 0, ""},
      {"a run refused for a damaged file", "BEGIN:VCALENDAR\r\n", false, 1, "cal.ics"},
      {"a run that saves", calendar, false, 0, ""},
      {"a linked lock", calendar, true, 1, "cal.ics.lock is a symbolic link"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const ScratchDir scratch;
    const fs::path& dir = scratch.path();
    WriteAll(dir / "cal.ics", c.content);
    if (c.linked) {
      fs::create_symlink(dir / "planted", dir / "cal.ics.lock");
    } else {
      WriteAll(dir / "cal.ics.lock", "");
    }
    // A removal from an empty calendar changes nothing.
    const char* command = c.content == kNewCalendar ? "remove" : "import";
    const Output output =
        RunFeriantIn(Bavaria(command, {"--calendar", "cal.ics"}), Environment(kEnglish, dir), dir);
    EXPECT_EQ(output.exit_code, c.exit_code) << output.err;
    EXPECT_NE(output.err.find(c.says), std::string::npos) << output.err;
    EXPECT_EQ(fs::is_symlink(dir / "cal.ics.lock"), c.linked);
    EXPECT_FALSE(fs::exists(dir / "cal.ics.lock") && !c.linked);
    EXPECT_FALSE(fs::exists(dir / "planted"));
    if (c.linked) {
      EXPECT_EQ(ReadWholeFile(dir / "cal.ics"), c.content);
    }
  }
}

}  // namespace
}  // namespace feriant::testing
