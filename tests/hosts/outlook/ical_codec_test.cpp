#include "hosts/outlook/ical_codec.h"

#include <map>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <libical/ical.h>

#include "hosts/outlook/ics_text.h"
#include "tests/hosts/outlook/calendar_test_support.h"

namespace feriant::outlook {
namespace {

using std::chrono::local_days;
using std::chrono::local_seconds;
using std::chrono::sys_days;

local_seconds At(int y, unsigned m, unsigned d, int hour = 0, int minute = 0) {
  return local_days(std::chrono::year(y) / m / d) + std::chrono::hours(hour) +
         std::chrono::minutes(minute);
}

// The event's content lines, unfolded, by name (the first of each name).
std::map<std::string, std::string> LinesByName(std::string_view text) {
  std::map<std::string, std::string> lines;
  ContentLineReader reader(text);
  while (reader.Next())
    lines.emplace(std::string(reader.name()), reader.logical());
  return lines;
}

using IcalCodecTest = testing::CalendarTest;

// A new event's item shows what reading its text gives, and its times are written as
// every reader takes them. Berlin time throughout.
TEST_F(IcalCodecTest, ANewEventReadsAsTheAppointmentItWasMadeFrom) {
  struct Case {
    const char* name;
    Appointment appointment;
    const char* dtstart;
    const char* dtend;
    local_seconds read_start;
    std::int32_t read_duration;
  };
  const auto timed = [](local_seconds start, std::int32_t minutes) {
    Appointment a;
    a.subject = "Termin";
    a.start = start;
    a.duration = minutes;
    return a;
  };
  const auto all_day = [](local_seconds start, std::int32_t minutes) {
    Appointment a;
    a.subject = "Feiertag";
    a.start = start;
    a.duration = minutes;
    a.all_day = true;
    return a;
  };
  Appointment texts = all_day(At(2006, 8, 1), kMinutesPerDay);
  texts.subject = "Eins, zwei; drei \\ vier \"f\xC3\xBCnf\"\tsechs";
  texts.location = "Schweiz, Z\xC3\xBCrich";
  texts.body = "Zeile 1\r\n\r\nZ\xC3\xBCrich, Gen\xC3\xA8ve; Ticino \\ " + std::string(90, 'x');
  texts.categories = "Feiertag, A\\B, C;D";
  texts.reminder_set = true;
  Appointment folded = timed(At(2006, 1, 2, 9), 60);
  // "SUMMARY:" and 66 letters leave one octet of the first line for a three-octet sign.
  folded.subject = std::string(66, 'a') + "\xE2\x82\xAC\xE2\x82\xAC" + std::string(100, 'b');
  Appointment empty = timed(At(2006, 1, 2, 9), 30);
  empty.subject.clear();

  const Case cases[] = {
      {"timed in winter", timed(At(2006, 1, 2, 9, 30), 90), "DTSTART:20060102T083000Z",
       "DTEND:20060102T100000Z", At(2006, 1, 2, 9, 30), 90},
      {"over the start of summer time", timed(At(2006, 3, 26, 1, 30), 60),
       "DTSTART:20060326T003000Z", "DTEND:20060326T013000Z", At(2006, 3, 26, 1, 30), 60},
      {"in the hour summer time skips", timed(At(2006, 3, 26, 2, 30), 30),
       "DTSTART:20060326T013000Z", "DTEND:20060326T020000Z", At(2006, 3, 26, 3, 30), 30},
      {"a negative duration", timed(At(2006, 6, 1, 12), -5), "DTSTART:20060601T100000Z",
       "DTEND:20060601T095500Z", At(2006, 6, 1, 12), 0},
      // Berlin kept its local mean time then, 53 minutes 28 seconds ahead of UTC.
      {"the first day Outlook keeps", timed(At(1601, 1, 1), 0), "DTSTART:16001231T230632Z",
       "DTEND:16001231T230632Z", At(1601, 1, 1), 0},
      {"after the year 3000", timed(At(4500, 12, 31, 23), 120), "DTSTART:45001231T220000Z",
       "DTEND:45010101T000000Z", At(4500, 12, 31, 23), 120},
      {"all day", all_day(At(2006, 12, 25), 2 * kMinutesPerDay), "DTSTART;VALUE=DATE:20061225",
       "DTEND;VALUE=DATE:20061227", At(2006, 12, 25), 2 * kMinutesPerDay},
      {"all day from a time, part of a day", all_day(At(2006, 12, 25, 13), 1500),
       "DTSTART;VALUE=DATE:20061225", "DTEND;VALUE=DATE:20061227", At(2006, 12, 25),
       2 * kMinutesPerDay},
      {"all day for no time", all_day(At(2006, 12, 25), 0), "DTSTART;VALUE=DATE:20061225",
       "DTEND;VALUE=DATE:20061226", At(2006, 12, 25), kMinutesPerDay},
      {"the texts and the alarm", texts, "DTSTART;VALUE=DATE:20060801", "DTEND;VALUE=DATE:20060802",
       At(2006, 8, 1), kMinutesPerDay},
      {"a text folded between characters", folded, "DTSTART:20060102T080000Z",
       "DTEND:20060102T090000Z", At(2006, 1, 2, 9), 60},
      {"no texts", empty, "DTSTART:20060102T080000Z", "DTEND:20060102T083000Z", At(2006, 1, 2, 9),
       30},
  };
  const TimeZones zones;
  // After the year 3000 too, where libical writes no time.
  const EventStamp stamp{"uid-1", sys_days(std::chrono::year(3500) / 1 / 1), std::nullopt};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Result<NewEvent> made = MakeNewEvent(c.appointment, stamp, "\r\n");
    ASSERT_TRUE(made) << made.error().description;
    const std::map<std::string, std::string> lines = LinesByName(made->text);
    EXPECT_EQ(lines.at("DTSTART"), c.dtstart);
    EXPECT_EQ(lines.at("DTEND"), c.dtend);
    EXPECT_EQ(lines.at("DTSTAMP"), "DTSTAMP:35000101T000000Z");
    EXPECT_EQ(made->appointment.start, c.read_start);
    EXPECT_EQ(made->appointment.duration, c.read_duration);
    const Result<Appointment> read = ReadEvent(made->text, zones);
    ASSERT_TRUE(read) << read.error().description;
    EXPECT_EQ(*read, made->appointment);
  }

  // Blanks and tabs at either end of a value are not read back, so they are not written;
  // a value of blanks alone is no text.
  for (const std::string blanks : {" a\t b ", "\t \ta", "a \t", " ", "\t\t", " \r\nx\r\n"}) {
    SCOPED_TRACE(::testing::PrintToString(blanks));
    Appointment a = empty;
    a.subject = a.location = NormalizeLine(blanks);
    a.body = NormalizeBody(blanks);
    const Result<NewEvent> made = MakeNewEvent(a, stamp, "\r\n");
    ASSERT_TRUE(made) << made.error().description;
    const Result<Appointment> read = ReadEvent(made->text, zones);
    ASSERT_TRUE(read) << read.error().description;
    EXPECT_EQ(*read, made->appointment);
    // Changed to them, an event reads the same.
    const std::string changed =
        ChangeEventText(made->text, a, kSubject | kLocation | kBody, stamp, "\r\n", zones);
    const Result<Appointment> reread = ReadEvent(changed, zones);
    ASSERT_TRUE(reread) << reread.error().description;
    EXPECT_EQ(*reread, made->appointment);
  }

  // An event whose lines ReadEvent would refuse is not made.
  Appointment huge = texts;
  huge.body = std::string(kMaxReadOctets, 'x');
  const Result<NewEvent> refused = MakeNewEvent(huge, stamp, "\r\n");
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().description, "the lines it is read from hold more than 1 MiB");
}

// A byte is cleaned the same wherever it stands in a longer text of plain letters.
TEST(NormalizeTest, EachByteIsCleanedAloneAsWithinALongerText) {
  for (int c = 0; c < 0x100; ++c) {
    const std::string byte(1, static_cast<char>(c));
    for (const size_t before : {0, 7, 8, 13}) {
      SCOPED_TRACE(std::to_string(c) + " after " + std::to_string(before));
      const std::string head(before, 'a');
      const std::string tail(10, 'b');
      EXPECT_EQ(NormalizeLine(head + byte + tail), head + NormalizeLine(byte) + tail);
      EXPECT_EQ(NormalizeBody(head + byte + tail), head + NormalizeBody(byte) + tail);
    }
  }
}

// Text values are the bytes libical wrote for them before: every ASCII byte, a character
// of each UTF-8 length, and lines long enough to be folded.
TEST_F(IcalCodecTest, TextLinesAreTheBytesLibicalWrites) {
  std::vector<std::string> texts;
  // Each byte alone and at every place of an eight-byte word of a longer text.
  for (int c = 1; c < 0x80; ++c) {
    for (const size_t before : {1, 8, 11, 15})
      texts.push_back(std::string(before, 'a') + static_cast<char>(c) + std::string(9, 'b'));
  }
  texts.push_back("\xC3\xBC \xE2\x82\xAC \xF0\x9F\x8E\x89 " + std::string(120, ','));
  const EventStamp stamp{"uid", sys_days(std::chrono::year(2006) / 6 / 1), std::nullopt};
  for (const std::string& text : texts) {
    SCOPED_TRACE(text);
    Appointment a;
    a.subject = text;
    a.location = text;
    const Result<NewEvent> made = MakeNewEvent(a, stamp, "\r\n");
    ASSERT_TRUE(made);
    const std::map<std::string, std::string> lines = LinesByName(made->text);
    for (const auto& [name, make] : {std::pair{"SUMMARY", &icalproperty_new_summary},
                                     std::pair{"LOCATION", &icalproperty_new_location}}) {
      const std::unique_ptr<icalproperty, decltype(&icalproperty_free)> property(
          make(text.c_str()), &icalproperty_free);
      ContentLineReader libical(icalproperty_as_ical_string(property.get()));
      ASSERT_TRUE(libical.Next());
      EXPECT_EQ(lines.at(name), libical.logical());
    }
  }
}

}  // namespace
}  // namespace feriant::outlook
