#include "hosts/outlook/calendar_store.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "hosts/outlook/ics_text.h"
#include "platform/base/interrupt.h"
#include "tests/hosts/outlook/calendar_test_support.h"

namespace feriant::outlook {
namespace {

using feriant::testing::ReadWholeFile;
using std::chrono::local_days;
using std::chrono::local_seconds;
using testing::CalendarTest;
using testing::DataFile;
using testing::PythonIcalendarAvailable;
using testing::PythonIcalendarProblems;
using testing::WriteBytes;

local_seconds At(int y, unsigned m, unsigned d, int hour = 0, int minute = 0) {
  return local_days(std::chrono::year(y) / m / d) + std::chrono::hours(hour) +
         std::chrono::minutes(minute);
}

constexpr const char* kBerlin =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nTZNAME:CEST\r\nDTSTART:19700329T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nTZNAME:CET\r\nDTSTART:19701025T030000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
constexpr const char* kCustomEastern =
    "BEGIN:VTIMEZONE\r\nTZID:Custom/Eastern\r\nBEGIN:DAYLIGHT\r\nTZOFFSETFROM:-0500\r\n"
    "TZOFFSETTO:-0400\r\nTZNAME:EDT\r\nDTSTART:19700308T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\nEND:DAYLIGHT\r\nBEGIN:STANDARD\r\n"
    "TZOFFSETFROM:-0400\r\nTZOFFSETTO:-0500\r\nTZNAME:EST\r\nDTSTART:19701101T020000\r\n"
    "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";
// A made-up definition under a name libical knows: the file's definition must win.
constexpr const char* kFakeNewYork =
    "BEGIN:VTIMEZONE\r\nTZID:America/New_York\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:-0300\r\n"
    "TZOFFSETTO:-0300\r\nDTSTART:19700101T000000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\n";

std::string CalendarWith(const std::string& zones, const std::string& event_lines) {
  return "BEGIN:VCALENDAR\r\nPRODID:-//t//t//EN\r\nVERSION:2.0\r\n" + zones +
         "BEGIN:VEVENT\r\nUID:u\r\nDTSTAMP:20060101T000000Z\r\n" + event_lines +
         "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

std::string Repeated(std::string_view text, size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i)
    out += text;
  return out;
}

// The content lines of a component as they stand, one string each.
std::vector<std::string> RawLines(std::string_view text) {
  std::vector<std::string> lines;
  ContentLineReader reader(text);
  while (reader.Next())
    lines.emplace_back(reader.raw());
  return lines;
}

// The names of the lines only in `a`, in order.
std::vector<std::string> NamesOnlyIn(const std::vector<std::string>& a,
                                     const std::vector<std::string>& b) {
  std::vector<std::string> names;
  for (const std::string& line : a) {
    if (std::find(b.begin(), b.end(), line) == b.end()) {
      names.push_back(line.substr(0, line.find_first_of(";:")));
    }
  }
  return names;
}

class CalendarStoreTest : public CalendarTest {
 protected:
  std::shared_ptr<CalendarStore> OpenOk(const std::filesystem::path& path) {
    StoreOptions options;
    options.new_uid = CountingUids();
    options.stamp_time = FixedStamps();
    Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path, std::move(options));
    EXPECT_TRUE(store.ok()) << (store.ok() ? "" : store.error().description);
    return store.ok() ? *store : nullptr;
  }

  std::filesystem::path Sample() { return Copy("thunderbird.ics", "calendar.ics"); }

  // The text of each top-level component of the sample, in order.
  static std::vector<std::string> SampleComponents() {
    const std::string text = ReadWholeFile(DataFile("thunderbird.ics"));
    std::vector<std::string> components;
    const Result<CalendarLayout> layout = ScanCalendar(text);
    for (const ComponentSpan& span : layout->components) {
      components.push_back(text.substr(span.begin, span.end - span.begin));
    }
    return components;
  }

  static Appointment Holiday() {
    Appointment a;
    a.subject = "Tag der deutschen Einheit";
    a.start = At(2006, 10, 3);
    a.all_day = true;
    a.duration = kMinutesPerDay;
    a.location = "Deutschland";
    a.body = "Deutschland (Whole country) (Statutory)";
    a.categories = "Holiday";
    return a;
  }
};

TEST_F(CalendarStoreTest, ReadsEventTimesAsTheUsersWallClock) {
  struct Case {
    const char* name;
    std::string zones;
    std::string lines;
    local_seconds start;
    std::int32_t duration;
    bool all_day;
  };
  const Case cases[] = {
      {"a zone of the file", kBerlin,
       "DTSTART;TZID=Europe/Berlin:20060609T180000\r\nDTEND;TZID=Europe/Berlin:20060609T210000\r\n",
       At(2006, 6, 9, 18), 180, false},
      {"UTC", "", "DTSTART:20060609T160000Z\r\nDTEND:20060609T190000Z\r\n", At(2006, 6, 9, 18), 180,
       false},
      {"UTC in winter", "", "DTSTART:20061225T170000Z\r\n", At(2006, 12, 25, 18), 0, false},
      {"floating", "", "DTSTART:20060609T180000\r\nDURATION:PT1H30M\r\n", At(2006, 6, 9, 18), 90,
       false},
      {"a zone only the file knows", kCustomEastern,
       "DTSTART;TZID=Custom/Eastern:20060609T120000\r\n"
       "DTEND;TZID=Custom/Eastern:20060609T150000\r\n",
       At(2006, 6, 9, 18), 180, false},
      {"a zone only libical knows", "", "DTSTART;TZID=America/New_York:20060609T120000\r\n",
       At(2006, 6, 9, 18), 0, false},
      {"the file's zone before libical's", kFakeNewYork,
       "DTSTART;TZID=America/New_York:20060609T120000\r\n", At(2006, 6, 9, 17), 0, false},
      {"a zone nobody knows is floating", "", "DTSTART;TZID=Nowhere/Else:20060609T180000\r\n",
       At(2006, 6, 9, 18), 0, false},
      {"mixed UTC end", kBerlin,
       "DTSTART;TZID=Europe/Berlin:20060609T180000\r\nDTEND:20060609T170000Z\r\n",
       At(2006, 6, 9, 18), 60, false},
      {"over the end of summer time", "", "DTSTART:20061029T000000Z\r\nDTEND:20061029T030000Z\r\n",
       At(2006, 10, 29, 2), 180, false},
      {"an end before the start", "", "DTSTART:20060609T160000Z\r\nDTEND:20060609T150000Z\r\n",
       At(2006, 6, 9, 18), 0, false},
      {"all day", "", "DTSTART;VALUE=DATE:20061225\r\nDTEND;VALUE=DATE:20061227\r\n",
       At(2006, 12, 25), 2 * kMinutesPerDay, true},
      {"all day without an end", "", "DTSTART;VALUE=DATE:20061225\r\n", At(2006, 12, 25),
       kMinutesPerDay, true},
      {"all day with a duration", "", "DTSTART;VALUE=DATE:20061225\r\nDURATION:P3D\r\n",
       At(2006, 12, 25), 3 * kMinutesPerDay, true},
      {"no start: Outlook's no-date", "", "SUMMARY:x\r\n", At(4501, 1, 1), 0, false},
  };
  for (const Case& c : cases) {
    const auto path = dir_.path() / "times.ics";
    WriteBytes(path, CalendarWith(c.zones, c.lines));
    auto store = OpenOk(path);
    ASSERT_NE(store, nullptr) << c.name;
    ASSERT_EQ(store->size(), 1u) << c.name;
    const Appointment& a = store->at(0)->appointment();
    EXPECT_EQ(a.start, c.start) << c.name;
    EXPECT_EQ(a.duration, c.duration) << c.name;
    EXPECT_EQ(a.all_day, c.all_day) << c.name;
  }
}

TEST_F(CalendarStoreTest, ReadsTextsAsTheModelShowsThem) {
  const auto path = dir_.path() / "texts.ics";
  WriteBytes(path, CalendarWith("",
                                "DTSTART:20060609T160000Z\r\n"
                                "SUMMARY:Eins\\, zwei\\; drei \\\\ vier\r\n"
                                "LOCATION:Z\xC3\xBCrich\r\n"
                                "DESCRIPTION:Zeile 1\\nZeile 2\\N\\nZeile 4\r\n"
                                "CATEGORIES:Holiday,Private\r\n"
                                "CATEGORIES:Third\r\n"
                                "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT5M\r\n"
                                "DESCRIPTION:x\r\nEND:VALARM\r\n"));
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  const Appointment& a = store->at(0)->appointment();
  EXPECT_EQ(a.subject, "Eins, zwei; drei \\ vier");
  EXPECT_EQ(a.location, "Z\xC3\xBCrich");
  EXPECT_EQ(a.body, "Zeile 1\r\nZeile 2\r\n\r\nZeile 4");
  EXPECT_EQ(a.categories, "Holiday, Private, Third");
  EXPECT_TRUE(a.reminder_set);
}

TEST_F(CalendarStoreTest, AddingKeepsEveryByteOfTheFileAndAppendsBeforeTheEnd) {
  const auto path = Sample();
  const std::string original = ReadWholeFile(path);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_EQ(store->size(), 3u);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());

  const std::string written = ReadWholeFile(path);
  const size_t end = original.rfind("END:VCALENDAR");
  ASSERT_EQ(written.substr(0, end), original.substr(0, end));
  EXPECT_EQ(written.substr(written.size() - (original.size() - end)), original.substr(end));
  const std::string added = written.substr(end, written.size() - original.size());
  EXPECT_EQ(added.substr(0, 14), "BEGIN:VEVENT\r\n");
  EXPECT_NE(added.find("UID:feriant-test-1\r\n"), std::string::npos);
  EXPECT_NE(added.find("DTSTAMP:20060601T100000Z\r\n"), std::string::npos);
  EXPECT_NE(added.find("DTSTART;VALUE=DATE:20061003\r\nDTEND;VALUE=DATE:20061004\r\n"),
            std::string::npos);
  EXPECT_NE(added.find("X-MICROSOFT-CDO-ALLDAYEVENT:TRUE\r\n"), std::string::npos);
  EXPECT_EQ(added.find("BEGIN:VALARM"), std::string::npos);
  EXPECT_FALSE(store->HasUnsavedChanges());
}

TEST_F(CalendarStoreTest, DeletingAnEventTakesOutItsTextAlone) {
  const std::vector<std::string> components = SampleComponents();
  // The sample's events are its components 1, 2 and 5 (0: time zone, 3: to-do, 4: X-FOO).
  const size_t event_components[] = {1, 2, 5};
  const std::string original = ReadWholeFile(DataFile("thunderbird.ics"));
  for (size_t position = 0; position < 3; ++position) {
    auto store = OpenOk(Sample());
    ASSERT_NE(store, nullptr);
    const std::string subject_after =
        position < 2 ? store->at(position + 1)->appointment().subject : "";
    ASSERT_TRUE(store->Remove(*store->at(position)).ok());
    ASSERT_EQ(store->size(), 2u);
    if (position < 2) {
      EXPECT_EQ(store->at(position)->appointment().subject, subject_after);
    }
    ASSERT_TRUE(store->SaveChanges().ok());

    std::string expected = original;
    const std::string& gone = components[event_components[position]];
    expected.erase(expected.find(gone), gone.size());
    EXPECT_EQ(ReadWholeFile(dir_.path() / "calendar.ics"), expected) << "position " << position;
    store.reset();
    std::filesystem::remove(dir_.path() / "calendar.ics");
  }
}

TEST_F(CalendarStoreTest, ChangingAMemberChangesOnlyItsLinesOfThatEvent) {
  struct Case {
    const char* name;
    size_t position;
    FieldSet fields;
    std::function<void(Appointment&)> change;
    std::vector<std::string> removed;  // names of the lines that went
    std::vector<std::string> added;    // names of the lines that came
    const char* expected_line;         // a line the new text holds
  };
  const std::vector<std::string> stamps = {"LAST-MODIFIED", "DTSTAMP"};
  const Case cases[] = {
      {"location added",
       2,
       kLocation,
       [](Appointment& a) { a.location = "Halle 2"; },
       stamps,
       {"LAST-MODIFIED", "DTSTAMP", "LOCATION", "SEQUENCE"},
       "LOCATION:Halle 2\r\n"},
      {"subject",
       0,
       kSubject,
       [](Appointment& a) { a.subject = "Zahnarzt, neu"; },
       {"LAST-MODIFIED", "DTSTAMP", "SUMMARY", "SEQUENCE"},
       {"LAST-MODIFIED", "DTSTAMP", "SUMMARY", "SEQUENCE"},
       "SUMMARY:Zahnarzt\\, neu\r\n"},
      {"start keeps its zone",
       0,
       kStart,
       [](Appointment& a) { a.start = At(2006, 6, 13, 9); },
       {"LAST-MODIFIED", "DTSTAMP", "DTSTART", "DTEND", "SEQUENCE"},
       {"LAST-MODIFIED", "DTSTAMP", "DTSTART", "DTEND", "SEQUENCE"},
       "DTSTART;TZID=Europe/Berlin:20060613T090000\r\n"
       "DTEND;TZID=Europe/Berlin:20060613T094500\r\n"},
      {"reminder off",
       0,
       kReminderSet,
       [](Appointment& a) { a.reminder_set = false; },
       {"LAST-MODIFIED", "DTSTAMP", "SEQUENCE", "BEGIN", "ACTION", "TRIGGER", "DESCRIPTION", "END"},
       {"LAST-MODIFIED", "DTSTAMP", "SEQUENCE"},
       "X-MOZ-GENERATION:2\r\nEND:VEVENT\r\n"},
      {"reminder on",
       1,
       kReminderSet,
       [](Appointment& a) { a.reminder_set = true; },
       stamps,
       {"LAST-MODIFIED", "DTSTAMP", "SEQUENCE", "BEGIN", "ACTION", "TRIGGER", "DESCRIPTION", "END"},
       "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nDESCRIPTION:Reminder\r\n"
       "END:VALARM\r\nEND:VEVENT\r\n"},
      {"categories",
       2,
       kCategories,
       [](Appointment& a) { a.categories = "Feiertag, Privat"; },
       {"LAST-MODIFIED", "DTSTAMP", "CATEGORIES"},
       {"LAST-MODIFIED", "DTSTAMP", "CATEGORIES", "SEQUENCE"},
       "CATEGORIES:Feiertag,Privat\r\n"},
      {"categories emptied",
       1,
       kCategories,
       [](Appointment& a) { a.categories.clear(); },
       {"LAST-MODIFIED", "DTSTAMP", "CATEGORIES"},
       {"LAST-MODIFIED", "DTSTAMP", "SEQUENCE"},
       "LOCATION:Gemeindesaal\r\n"},
      {"body",
       2,
       kBody,
       [](Appointment& a) { a.body = "Erste Zeile\r\nZweite Zeile"; },
       {"LAST-MODIFIED", "DTSTAMP", "DESCRIPTION"},
       {"LAST-MODIFIED", "DTSTAMP", "DESCRIPTION", "SEQUENCE"},
       "DESCRIPTION:Erste Zeile\\nZweite Zeile\r\n"},
      {"all day becomes timed",
       2,
       kTimeFields,
       [](Appointment& a) {
         a.all_day = false;
         a.start = At(2006, 7, 7, 18);
         a.duration = 240;
       },
       {"LAST-MODIFIED", "DTSTAMP", "DTSTART", "DTEND", "X-MICROSOFT-CDO-ALLDAYEVENT"},
       {"LAST-MODIFIED", "DTSTAMP", "DTSTART", "DTEND", "X-MICROSOFT-CDO-ALLDAYEVENT", "SEQUENCE"},
       "DTSTART:20060707T160000Z\r\nDTEND:20060707T200000Z\r\n"},
  };
  const std::vector<std::string> components = SampleComponents();
  const size_t event_components[] = {1, 2, 5};
  for (const Case& c : cases) {
    const auto path = Sample();
    auto store = OpenOk(path);
    ASSERT_NE(store, nullptr);
    Appointment a = store->at(c.position)->appointment();
    c.change(a);
    ASSERT_TRUE(store->Change(*store->at(c.position), a, c.fields).ok()) << c.name;
    ASSERT_TRUE(store->SaveChanges().ok()) << c.name;
    const std::string written = ReadWholeFile(path);

    // Every other component is there as it was; the changed one is where it was.
    const std::string& old_event = components[event_components[c.position]];
    for (const std::string& component : components) {
      if (&component != &old_event) {
        EXPECT_NE(written.find(component), std::string::npos) << c.name;
      }
    }
    const std::string original = ReadWholeFile(DataFile("thunderbird.ics"));
    const size_t at = original.find(old_event);
    const size_t tail = original.size() - at - old_event.size();
    ASSERT_EQ(written.substr(0, at), original.substr(0, at)) << c.name;
    ASSERT_EQ(written.substr(written.size() - tail), original.substr(at + old_event.size()))
        << c.name;
    const std::string new_event = written.substr(at, written.size() - tail - at);

    const auto old_lines = RawLines(old_event);
    const auto new_lines = RawLines(new_event);
    EXPECT_EQ(NamesOnlyIn(old_lines, new_lines), c.removed) << c.name;
    EXPECT_EQ(NamesOnlyIn(new_lines, old_lines), c.added) << c.name;
    EXPECT_NE(new_event.find(c.expected_line), std::string::npos) << c.name << "\n" << new_event;
    EXPECT_NE(new_event.find("DTSTAMP:20060601T100000Z\r\n"), std::string::npos) << c.name;

    // What the store shows is what the file holds.
    auto reread = OpenOk(path);
    ASSERT_NE(reread, nullptr);
    EXPECT_EQ(reread->at(c.position)->appointment(), store->at(c.position)->appointment())
        << c.name;
    EXPECT_EQ(reread->at(c.position)->appointment(), a) << c.name;
    store.reset();
    reread.reset();
    std::filesystem::remove(path);
  }
}

TEST_F(CalendarStoreTest, UnknownPropertiesAndParametersAreKeptThroughAChange) {
  const auto path = dir_.path() / "unknown.ics";
  const std::string unknown_lines =
      "FOO-BAR;X-Q=1:baz\r\n"
      "CONFERENCE;VALUE=URI;FEATURE=AUDIO:tel:+49-30-1234\r\n"
      "SUMMARY;FOO=BAR:Treffen\r\n";
  WriteBytes(path, CalendarWith("", "DTSTART:20060609T160000Z\r\n" + unknown_lines));
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(store->at(0)->appointment().subject, "Treffen");
  Appointment a = store->at(0)->appointment();
  a.location = "Raum 1";
  ASSERT_TRUE(store->Change(*store->at(0), a, kLocation).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  EXPECT_NE(ReadWholeFile(path).find(unknown_lines), std::string::npos);
}

TEST_F(CalendarStoreTest, NewLinesFollowTheFilesLineEndings) {
  const auto path = dir_.path() / "lf.ics";
  const std::string original =
      "BEGIN:VCALENDAR\nPRODID:-//t//t//EN\nVERSION:2.0\nBEGIN:VEVENT\nUID:1\n"
      "DTSTAMP:20060101T000000Z\nDTSTART:20060609T160000Z\nEND:VEVENT\nEND:VCALENDAR\n";
  WriteBytes(path, original);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  Appointment a = store->at(0)->appointment();
  a.subject = "Neu";
  ASSERT_TRUE(store->Change(*store->at(0), a, kSubject).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  const std::string written = ReadWholeFile(path);
  EXPECT_EQ(written.find('\r'), std::string::npos);
  const size_t event = original.find("BEGIN:VEVENT");
  EXPECT_EQ(written.substr(0, event), original.substr(0, event));
  EXPECT_EQ(written.substr(written.size() - 25), "END:VEVENT\nEND:VCALENDAR\n");
  EXPECT_NE(written.find("SUMMARY:Neu\n"), std::string::npos);
  EXPECT_NE(written.find("SUMMARY:Tag der deutschen Einheit\n"), std::string::npos);
}

TEST_F(CalendarStoreTest, AddsTheCalendarPropertiesAFileLacks) {
  const auto path = dir_.path() / "bare.ics";
  WriteBytes(path, "BEGIN:VCALENDAR\r\nX-WR-CALNAME:Bare\r\nEND:VCALENDAR\r\n");
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  const std::string expected =
      "BEGIN:VCALENDAR\r\nPRODID:-//Quillmark//Feriant 2.0//EN\r\nVERSION:2.0\r\n"
      "X-WR-CALNAME:Bare\r\nBEGIN:VEVENT\r\n";
  EXPECT_EQ(ReadWholeFile(path).substr(0, expected.size()), expected);
}

TEST_F(CalendarStoreTest, AnEventSavedAndThenDeletedLeavesTheFile) {
  const auto path = dir_.path() / "empty.ics";
  const std::string empty =
      "BEGIN:VCALENDAR\r\nPRODID:-//t//t//EN\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n";
  WriteBytes(path, empty);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  auto added = store->Add(Holiday());
  ASSERT_TRUE(added.ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  ASSERT_NE(ReadWholeFile(path).find("BEGIN:VEVENT"), std::string::npos);
  ASSERT_TRUE(store->Remove(**added).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  EXPECT_EQ(ReadWholeFile(path), empty);
}

TEST_F(CalendarStoreTest, AFileWithoutCalendarPropertiesIsNotWrittenWhenNothingChanged) {
  const auto path = dir_.path() / "bare.ics";
  const std::string bare = CalendarWith("", "DTSTART:20060609T160000Z\r\n");
  WriteBytes(path, bare.substr(0, 17) + bare.substr(bare.find("BEGIN:VEVENT")));
  const std::string original = ReadWholeFile(path);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  // What a run's probe does: an appointment saved and deleted again.
  Result<std::shared_ptr<StoredEvent>> probe = store->Add(Holiday());
  ASSERT_TRUE(probe.ok());
  ASSERT_TRUE(store->Remove(**probe).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  EXPECT_EQ(ReadWholeFile(path), original);
  EXPECT_FALSE(store->HasUnsavedChanges());
}

// SEQUENCE goes up by one per save of a changed event, however often it changed.
TEST_F(CalendarStoreTest, ChangedEventsGoUpOneSequencePerSave) {
  const struct {
    const char* name;
    const char* lines;   // SEQUENCE of the file's event, if any
    int saves;           // each after two changes
    const char* wanted;  // the line written; "" for none
  } kCases[] = {
      {"none before", "", 1, "SEQUENCE:1\r\n"},
      {"from the file's", "SEQUENCE:5\r\n", 1, "SEQUENCE:6\r\n"},
      {"two saves", "SEQUENCE:5\r\n", 2, "SEQUENCE:7\r\n"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const auto path = dir_.path() / "sequence.ics";
    WriteBytes(path, CalendarWith("", std::string("DTSTART:20060609T160000Z\r\n") + c.lines));
    auto store = OpenOk(path);
    ASSERT_NE(store, nullptr);
    for (int save = 0; save < c.saves; ++save) {
      for (const char* location : {"Raum 1", "Raum 2"}) {
        Appointment a = store->at(0)->appointment();
        a.location = location + std::to_string(save);
        ASSERT_TRUE(store->Change(*store->at(0), a, kLocation).ok());
      }
      ASSERT_TRUE(store->SaveChanges().ok());
    }
    const std::string written = ReadWholeFile(path);
    EXPECT_NE(written.find(c.wanted), std::string::npos) << written;
    EXPECT_EQ(written.find("SEQUENCE"), written.rfind("SEQUENCE"));  // one line only
  }
  // An event new to the file has no version before it is written.
  const auto path = dir_.path() / "new.ics";
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  Result<std::shared_ptr<StoredEvent>> added = store->Add(Holiday());
  ASSERT_TRUE(added.ok());
  Appointment a = (*added)->appointment();
  a.location = "Liechtenstein";
  ASSERT_TRUE(store->Change(**added, a, kLocation).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  EXPECT_EQ(ReadWholeFile(path).find("SEQUENCE"), std::string::npos);
}

TEST_F(CalendarStoreTest, RefusesFilesItCannotKeepIntactAndLeavesThemAlone) {
  const std::string sample = ReadWholeFile(DataFile("thunderbird.ics"));
  std::string binary =
      "\x7F"
      "ELF\x02\x01\x01";
  binary += std::string(3, '\0');
  struct Case {
    const char* name;
    std::string bytes;
    const char* reason;
  };
  const Case cases[] = {
      {"a letter", "Liebe Anna,\r\nbis Montag!\r\n",
       "it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR"},
      {"truncated", sample.substr(0, sample.find("X-MOZ-LASTACK")),
       "it ends inside the VEVENT begun at line 42: the file is truncated"},
      {"binary", binary, "it is not a text file"},
      {"nested 100,000 deep",
       CalendarWith("",
                    [] {
                      std::string nested;
                      for (const char* line : {"BEGIN:X-DEEP\r\n", "END:X-DEEP\r\n"}) {
                        for (int i = 0; i < 100000; ++i)
                          nested += line;
                      }
                      return nested;
                    }()),
       "line 37: components are nested more than 32 deep"},
      {"a corrupt line", CalendarWith("", "DTSTART:20060609T160000Z\r\nthis is no line\r\n"),
       "line 8 is not an iCalendar content line"},
  };
  for (const Case& c : cases) {
    const auto path = dir_.path() / "refused.ics";
    WriteBytes(path, c.bytes);
    ::chmod(path.c_str(), 0640);
    struct stat before {};
    ::stat(path.c_str(), &before);

    Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path);
    ASSERT_FALSE(store.ok()) << c.name;
    EXPECT_EQ(store.error().code, kUnreadableCalendar) << c.name;
    const std::string& text = store.error().description;
    EXPECT_EQ(text.rfind("The calendar file " + path.string() + " cannot be read: ", 0), 0u)
        << c.name << ": " << text;
    EXPECT_NE(text.find(c.reason), std::string::npos) << c.name << ": " << text;

    struct stat after {};
    ::stat(path.c_str(), &after);
    EXPECT_EQ(ReadWholeFile(path), c.bytes) << c.name;
    EXPECT_EQ(after.st_ino, before.st_ino) << c.name;
    EXPECT_EQ(after.st_mode, before.st_mode) << c.name;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                            std::filesystem::directory_iterator()),
              1)
        << c.name << ": nothing else appears beside the file";
    std::filesystem::remove(path);
  }

  Result<std::shared_ptr<CalendarStore>> directory = CalendarStore::Open(dir_.path());
  ASSERT_FALSE(directory.ok());
  EXPECT_NE(directory.error().description.find("Is a directory"), std::string::npos);
}

// An event that cannot be read, or only beyond the bounds of reading, is no item: it stays
// in the file byte for byte through a save, and the note names it. Lines the store never
// reads do not matter, however long or full of parameters: they are read in time that
// grows with the file.
TEST_F(CalendarStoreTest, AnEventThatCannotBeReadIsKeptAsItStandsAndLeftOut) {
  const std::string many_parameters = Repeated(";X-P=1", 200000);
  const struct {
    const char* name;
    std::string lines;  // from line 11, after the event's DTSTART
    const char* note;   // empty: the event is read
  } cases[] = {
      {"a blank field", "CATEGORIES:\r\n", "its CATEGORIES at line 11 has no value"},
      {"a blank folded field", "SUMMARY\r\n :\r\n", "its SUMMARY at line 11 has no value"},
      {"a date that is none", "DTEND:tomorrow\r\n",
       "its DTEND at line 11 holds a value that cannot be read"},
      {"200,000 parameters", "DESCRIPTION" + many_parameters + ":x\r\n",
       "its DESCRIPTION at line 11 has more than 100 parameters"},
      {"2 MiB of text", "DESCRIPTION:" + std::string(2 << 20, 'x') + "\r\n",
       "the lines it is read from hold more than 1 MiB"},
      {"200,000 parameters of a line not read", "X-NOTE" + many_parameters + ":x\r\n", ""},
      {"16 MiB in a line not read", "ATTACH:" + std::string(16 << 20, 'x') + "\r\n", ""},
      {"a rule not read", "RRULE:SOMETIMES\r\n", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir_.path() / "kept.ics";
    const std::string event =
        "BEGIN:VEVENT\r\nUID:u\r\nDTSTART:20060609T160000Z\r\n" + c.lines + "END:VEVENT\r\n";
    WriteBytes(path,
               "BEGIN:VCALENDAR\r\nPRODID:-//t//t//EN\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\n"
               "UID:read\r\nDTSTART;VALUE=DATE:20060101\r\nEND:VEVENT\r\n" +
                   event + "END:VCALENDAR\r\n");
    std::vector<std::string> notes;
    StoreOptions options;
    options.stamp_time = FixedStamps();
    options.note = [&](const std::string& text) { notes.push_back(text); };
    Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path, std::move(options));
    ASSERT_TRUE(store.ok()) << store.error().description;
    if (*c.note == '\0') {
      EXPECT_EQ((*store)->size(), 2u);
      EXPECT_TRUE(notes.empty());
    } else {
      EXPECT_EQ((*store)->size(), 1u);
      ASSERT_EQ(notes.size(), 1u);
      EXPECT_EQ(notes[0], "The calendar file " + path.string() +
                              ": the event at line 8 is kept as it stands and left out of this "
                              "run: " +
                              c.note + ".");
    }
    ASSERT_TRUE((*store)->Change(*(*store)->at(0), Holiday(), kSubject).ok());
    ASSERT_TRUE((*store)->SaveChanges().ok());
    const std::string written = ReadWholeFile(path);
    EXPECT_NE(written.find(event + "END:VCALENDAR\r\n"), std::string::npos);
    EXPECT_NE(written.find("SUMMARY:Tag der deutschen Einheit"), std::string::npos);
  }
}

// A time zone that cannot be read is kept as it stands, and so is every event in it; an
// event in another zone is read.
TEST_F(CalendarStoreTest, ATimeZoneThatCannotBeReadIsKeptWithItsEvents) {
  const struct {
    const char* name;
    std::string zone;
    const char* why;
    size_t items;  // of the two events, one in the zone
    int event_line;
  } cases[] = {
      {"a blank offset",
       "TZID:Broken/Zone\r\nBEGIN:STANDARD\r\nTZOFFSETFROM:\r\nTZOFFSETTO:+0100\r\n"
       "DTSTART:19700101T000000\r\nEND:STANDARD\r\n",
       "the time zone Broken/Zone at line 4 is kept as it stands, and the events in it are left "
       "out of this run: its definition cannot be read",
       1, 12},
      {"101 parameters", "TZID" + Repeated(";X-P=1", 101) + ":Broken/Zone\r\n",
       "the time zone Broken/Zone at line 4 is kept as it stands, and the events in it are left "
       "out of this run: its TZID at line 5 has more than 100 parameters",
       1, 7},
      // No event can name it: the one that names its missing TZID has floating times.
      {"no TZID", "BEGIN:STANDARD\r\nEND:STANDARD\r\n",
       "the time zone at line 4 is kept as it stands, and the events in it are left out of this "
       "run: the time zone has no TZID",
       2, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto path = dir_.path() / "zones.ics";
    const std::string zone = "BEGIN:VTIMEZONE\r\n" + c.zone + "END:VTIMEZONE\r\n";
    const std::string in_zone =
        "BEGIN:VEVENT\r\nUID:z\r\nDTSTART;TZID=Broken/Zone:20060609T160000\r\nEND:VEVENT\r\n";
    WriteBytes(path, CalendarWith(zone + in_zone, "DTSTART;VALUE=DATE:20060101\r\n"));
    std::vector<std::string> notes;
    StoreOptions options;
    options.note = [&](const std::string& text) { notes.push_back(text); };
    Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path, std::move(options));
    ASSERT_TRUE(store.ok()) << store.error().description;
    EXPECT_EQ((*store)->size(), c.items);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes[0], "The calendar file " + path.string() + ": " + c.why + ".");
    if (c.items == 1) {
      ASSERT_EQ(notes.size(), 2u);
      EXPECT_NE(notes[1].find("the event at line " + std::to_string(c.event_line) +
                              " is kept as it stands and left out of this run: its DTSTART at "
                              "line " +
                              std::to_string(c.event_line + 2) +
                              " names the time zone Broken/Zone, whose definition cannot be read"),
                std::string::npos)
          << notes[1];
    }
    ASSERT_TRUE((*store)->Add(Holiday()).ok());
    ASSERT_TRUE((*store)->SaveChanges().ok());
    EXPECT_NE(ReadWholeFile(path).find(zone + in_zone), std::string::npos);
  }
}

// Ctrl-C while a calendar is read stops the reading (platform/base/interrupt.h).
TEST_F(CalendarStoreTest, AnInterruptStopsTheReading) {
  const auto path = Sample();
  base::InstallInterruptHandlers();
  std::raise(SIGINT);
  Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path);
  base::ClearInterrupt();
  base::RestoreDefaultInterrupts();
  ASSERT_FALSE(store.ok());
  EXPECT_EQ(store.error().kind, ErrorKind::kInterrupted);
  EXPECT_EQ(store.error().code, SIGINT);
}

TEST_F(CalendarStoreTest, AMissingFileIsCreatedByTheFirstSaveThatHasSomethingToWrite) {
  const auto path = dir_.path() / "new.ics";
  struct UmaskGuard {
    mode_t old = ::umask(027);
    ~UmaskGuard() { ::umask(old); }
  } umask_guard;
  {
    auto store = OpenOk(path);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->size(), 0u);
    ASSERT_TRUE(store->SaveChanges().ok());
    EXPECT_FALSE(std::filesystem::exists(path)) << "nothing to write";
    auto added = store->Add(Holiday());
    ASSERT_TRUE(added.ok());
    ASSERT_TRUE(store->Remove(**added).ok());
    ASSERT_TRUE(store->SaveChanges().ok());
    EXPECT_FALSE(std::filesystem::exists(path)) << "added and removed again";
    EXPECT_FALSE(store->HasUnsavedChanges());
  }
  EXPECT_FALSE(std::filesystem::exists(path)) << "nor when the store goes away";

  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  const std::string written = ReadWholeFile(path);
  EXPECT_EQ(
      written.rfind("BEGIN:VCALENDAR\r\nPRODID:-//Quillmark//Feriant 2.0//EN\r\nVERSION:2.0\r\n"
                    "BEGIN:VEVENT\r\n",
                    0),
      0u);
  const std::string end = "END:VEVENT\r\nEND:VCALENDAR\r\n";
  EXPECT_EQ(written.substr(written.size() - end.size()), end);

  // A second save over the file it created.
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  auto reread = OpenOk(path);
  ASSERT_NE(reread, nullptr);
  EXPECT_EQ(reread->size(), 2u);
}

// A calendar handed to save_to is no file: it starts empty whatever the path names, and
// a save hands over what it would write there, or fails with what refused it.
TEST_F(CalendarStoreTest, ACalendarWithoutAFileHandsItsTextOver) {
  const auto path = Sample();
  const std::string sample = ReadWholeFile(path);
  std::vector<std::string> handed;
  bool refuse = true;
  StoreOptions options;
  options.new_uid = CountingUids();
  options.stamp_time = FixedStamps();
  options.save_to = [&](std::string text) -> Status {
    if (refuse) return ErrorOf(ErrorKind::kRefused, "the pipe is closed");
    handed.push_back(std::move(text));
    return Ok();
  };
  Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path, std::move(options));
  ASSERT_TRUE(store.ok());
  EXPECT_EQ((*store)->size(), 0u);
  ASSERT_TRUE((*store)->Add(Holiday()).ok());

  const Status refused = (*store)->SaveChanges();
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, kCalendarNotSaved);
  EXPECT_EQ(refused.error().description, "the pipe is closed");
  EXPECT_TRUE((*store)->HasUnsavedChanges());

  refuse = false;
  ASSERT_TRUE((*store)->SaveChanges().ok());
  ASSERT_TRUE((*store)->SaveChanges().ok());  // nothing new: nothing handed over
  ASSERT_EQ(handed.size(), 1u);
  EXPECT_EQ(handed[0], (*store)->Serialize());
  EXPECT_TRUE(handed[0].starts_with("BEGIN:VCALENDAR\r\nPRODID:-//Quillmark//Feriant 2.0//EN\r\n"));
  EXPECT_EQ(ReadWholeFile(path), sample);
}

TEST_F(CalendarStoreTest, KeepsTheModeOwnerAndGroupOfAnExistingFile) {
  const auto path = Sample();
  ::chmod(path.c_str(), 0640);
  // An administrator importing into another user's calendar must leave it theirs.
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
  }
  struct stat before {};
  ASSERT_EQ(::stat(path.c_str(), &before), 0);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  struct stat st {};
  ASSERT_EQ(::stat(path.c_str(), &st), 0);
  EXPECT_NE(st.st_ino, before.st_ino);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_uid, before.st_uid);
  EXPECT_EQ(st.st_gid, before.st_gid);
}

TEST_F(CalendarStoreTest, ASaveRemovesTheTemporaryFilesOfKilledSavesAndNothingElse) {
  const auto path = Sample();
  const struct {
    const char* name;
    bool removed;
  } entries[] = {
      {".calendar.ics.feriant-Ab12Cd", true},  // left by a save that was killed
      {".calendar.ics.feriant-Ab12C", false}, {".calendar.ics.feriant-Ab12C!", false},
      {".calendar.ics.Ab12Cd", false},  // a person's own file, whatever it looks like
      {".other.ics.feriant-Ab12Cd", false},
  };
  for (const auto& entry : entries)
    WriteBytes(dir_.path() / entry.name, "BEGIN:VCALENDAR\r\n");
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  for (const auto& entry : entries)
    EXPECT_EQ(std::filesystem::exists(dir_.path() / entry.name), !entry.removed) << entry.name;
}

TEST_F(CalendarStoreTest, AReadOnlyFileIsNotReplaced) {
  const auto path = Sample();
  const std::string original = ReadWholeFile(path);
  ::chmod(path.c_str(), 0444);
  struct stat before {};
  ::stat(path.c_str(), &before);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());

  Status saved = store->SaveChanges();
  ASSERT_FALSE(saved.ok());
  EXPECT_EQ(saved.error().code, kCalendarNotSaved);
  EXPECT_EQ(saved.error().description,
            "The calendar file " + path.string() + " could not be saved: the file is read-only.");
  EXPECT_TRUE(store->HasUnsavedChanges());
  store.reset();  // nor by the last-resort save

  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(ReadWholeFile(path), original);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode & 07777, 0444u);
}

TEST_F(CalendarStoreTest, SavingThroughASymbolicLinkKeepsTheLink) {
  const auto target = Sample();
  const auto link = dir_.path() / "current.ics";
  std::filesystem::create_symlink(target.filename(), link);
  auto store = OpenOk(link);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());

  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(std::filesystem::read_symlink(link), target.filename());
  EXPECT_NE(ReadWholeFile(target).find("SUMMARY:Tag der deutschen Einheit"), std::string::npos);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_.path()),
                          std::filesystem::directory_iterator()),
            2)
      << "no lock or temporary file is left beside either name";
}

TEST_F(CalendarStoreTest, NeverOverwritesWhatAnotherProgramChanged) {
  struct Case {
    const char* name;
    bool exists_at_load;
    std::function<void(const std::filesystem::path&)> other_program;
  };
  const Case cases[] = {
      {"rewritten", true,
       [](const auto& path) { WriteBytes(path, ReadWholeFile(path) + "X-OTHER:1\r\n"); }},
      {"deleted", true, [](const auto& path) { std::filesystem::remove(path); }},
      {"created meanwhile", false, [](const auto& path) { WriteBytes(path, "mine"); }},
  };
  for (const Case& c : cases) {
    const auto path = dir_.path() / "shared.ics";
    if (c.exists_at_load) std::filesystem::copy_file(DataFile("thunderbird.ics"), path);
    auto store = OpenOk(path);
    ASSERT_NE(store, nullptr);
    ASSERT_TRUE(store->Add(Holiday()).ok());
    c.other_program(path);
    const bool exists = std::filesystem::exists(path);
    const std::string theirs = exists ? ReadWholeFile(path) : "";

    Status saved = store->SaveChanges();
    ASSERT_FALSE(saved.ok()) << c.name;
    EXPECT_EQ(saved.error().code, kCalendarChanged) << c.name;
    EXPECT_EQ(saved.error().description,
              "The calendar file " + path.string() +
                  " was changed by another program since it was read; nothing was saved.")
        << c.name;
    EXPECT_EQ(std::filesystem::exists(path), exists) << c.name;
    if (exists) {
      EXPECT_EQ(ReadWholeFile(path), theirs) << c.name;
    }
    EXPECT_TRUE(store->HasUnsavedChanges()) << c.name << ": the changes are still there";

    store.reset();  // the last-resort save must not overwrite either
    EXPECT_EQ(std::filesystem::exists(path), exists) << c.name;
    if (exists) {
      EXPECT_EQ(ReadWholeFile(path), theirs) << c.name;
    }
    std::filesystem::remove(path);
  }
}

// Opens the sample in `dir`, adds an event and saves into the read-only `dir`: the save
// must fail with a clear message while the file and the change survive. Returns what went
// wrong; empty when all is as it should be.
std::string SaveIntoReadOnlyDirectory(const std::filesystem::path& path) {
  Result<std::shared_ptr<CalendarStore>> store = CalendarStore::Open(path);
  if (!store) return "open: " + store.error().description;
  const std::string before = ReadWholeFile(path);
  Appointment a;
  a.subject = "Neujahr";
  a.all_day = true;
  a.start = At(2007, 1, 1);
  a.duration = kMinutesPerDay;
  if (!(*store)->Add(a).ok()) return "add failed";
  Status saved = (*store)->SaveChanges();
  if (saved.ok()) return "the save succeeded";
  const std::string prefix = "The calendar file " + path.string() + " could not be saved: ";
  if (saved.error().code != kCalendarNotSaved || saved.error().description.rfind(prefix, 0) != 0 ||
      saved.error().description.find("Permission denied") == std::string::npos) {
    return "unexpected error: " + saved.error().description;
  }
  if (ReadWholeFile(path) != before) return "the file changed";
  if (!(*store)->HasUnsavedChanges()) return "the change was dropped";
  if ((*store)->Serialize().find("SUMMARY:Neujahr") == std::string::npos) return "change lost";
  return {};
}

TEST_F(CalendarStoreTest, AReadOnlyDirectoryGivesAClearErrorAndLosesNothing) {
  const auto path = Sample();
  ::chmod(path.c_str(), 0644);
  ::chmod(dir_.path().c_str(), 0555);
  if (::geteuid() == 0) {
    // Root writes anywhere: try it as nobody, in a child process.
    ::chmod(dir_.path().c_str(), 0755);
    EXPECT_EXIT(
        {
          if (::setgid(65534) != 0 || ::setuid(65534) != 0) std::_Exit(2);
          const std::string problem = SaveIntoReadOnlyDirectory(path);
          std::fprintf(stderr, "%s", problem.c_str());
          std::_Exit(problem.empty() ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
  } else {
    EXPECT_EQ(SaveIntoReadOnlyDirectory(path), "");
  }

  // Once the directory can be written again, the same kind of change is saved.
  ::chmod(dir_.path().c_str(), 0755);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  ASSERT_TRUE(store->Add(Holiday()).ok());
  ASSERT_TRUE(store->SaveChanges().ok());
  EXPECT_NE(ReadWholeFile(path).find("SUMMARY:Tag der deutschen Einheit"), std::string::npos);
}

TEST_F(CalendarStoreTest, AStoreThatGoesAwayWritesItsChanges) {
  const auto path = Sample();
  {
    auto store = OpenOk(path);
    ASSERT_NE(store, nullptr);
    ASSERT_TRUE(store->Add(Holiday()).ok());
  }
  auto reread = OpenOk(path);
  ASSERT_NE(reread, nullptr);
  ASSERT_EQ(reread->size(), 4u);
  EXPECT_EQ(reread->at(3)->appointment().subject, "Tag der deutschen Einheit");
}

TEST_F(CalendarStoreTest, NothingIsWrittenWhenTheTextComesOutTheSame) {
  const auto path = Sample();
  struct stat before {};
  ::stat(path.c_str(), &before);
  auto store = OpenOk(path);
  ASSERT_NE(store, nullptr);
  auto added = store->Add(Holiday());
  ASSERT_TRUE(added.ok());
  ASSERT_TRUE(store->Remove(**added).ok());
  EXPECT_TRUE(store->HasUnsavedChanges());
  ASSERT_TRUE(store->SaveChanges().ok());
  EXPECT_FALSE(store->HasUnsavedChanges());
  struct stat after {};
  ::stat(path.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino) << "the file was replaced";
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("thunderbird.ics")));
}

}  // namespace
}  // namespace feriant::outlook
