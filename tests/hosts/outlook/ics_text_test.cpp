#include "hosts/outlook/ics_text.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace feriant::outlook {
namespace {

// Splits folded output into its physical lines, checking each ends with CR LF.
std::vector<std::string> PhysicalLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t end = text.find("\r\n", pos);
    EXPECT_NE(end, std::string::npos) << "no CR LF at the end of: " << text.substr(pos);
    if (end == std::string::npos) break;
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8SequenceLength(text.substr(i));
    if (length == 0) return false;
    i += length;
  }
  return true;
}

TEST(FoldingTest, FoldsAt75OctetsWithoutSplittingCharacters) {
  const std::string x75(75, 'x');
  const std::string x74(74, 'x');
  const std::string x73(73, 'x');
  struct Case {
    const char* name;
    std::string logical;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"short", "SUMMARY:Neujahr", {"SUMMARY:Neujahr"}},
      {"exactly 75", x75, {x75}},
      {"76 octets", x75 + "y", {x75, " y"}},
      {"second line holds 74", x75 + x74 + "z", {x75, " " + x74, " z"}},
      {"two-byte character at the edge", x74 + "\xC3\xA4", {x74, " \xC3\xA4"}},
      {"three-byte character at the edge", x73 + "\xE2\x82\xAC", {x73, " \xE2\x82\xAC"}},
      {"four-byte character at the edge", x73 + "\xF0\x9F\x8E\x89", {x73, " \xF0\x9F\x8E\x89"}},
      {"empty", "", {""}},
  };
  for (const Case& c : cases) {
    std::string out;
    AppendFolded(out, c.logical, "\r\n");
    EXPECT_EQ(PhysicalLines(out), c.lines) << c.name;
  }
}

TEST(FoldingTest, EveryLengthAndMixOfCharactersUnfoldsToItself) {
  // Characters of one to four octets, so folds meet every kind of boundary.
  const std::string pieces[] = {"a", "\xC3\xBC", "\xE2\x82\xAC", "\xF0\x9F\x8E\x89", " ", ";"};
  for (size_t length = 0; length < 300; ++length) {
    std::string logical = "DESCRIPTION:";
    for (size_t i = 0; i < length; ++i)
      logical += pieces[(i * 7 + length) % 6];
    std::string out;
    AppendFolded(out, logical, "\r\n");
    std::string unfolded;
    const std::vector<std::string> lines = PhysicalLines(out);
    for (size_t i = 0; i < lines.size(); ++i) {
      EXPECT_LE(lines[i].size(), kMaxLineOctets) << "length " << length;
      EXPECT_TRUE(IsValidUtf8(lines[i])) << "length " << length << " line " << i;
      if (i > 0) {
        ASSERT_FALSE(lines[i].empty());
        EXPECT_EQ(lines[i][0], ' ');
        unfolded += lines[i].substr(1);
      } else {
        unfolded += lines[i];
      }
    }
    EXPECT_EQ(unfolded, logical) << "length " << length;

    ContentLineReader reader(out);
    ASSERT_TRUE(reader.Next());
    EXPECT_EQ(reader.logical(), logical);
    EXPECT_EQ(reader.raw(), out);
    EXPECT_FALSE(reader.Next());
  }
}

TEST(ContentLineReaderTest, UnfoldsAndFindsNameAndValue) {
  const std::string text =
      "ATTENDEE;CN=\"Doe: Jane\";ROLE=CHAIR:mailto:j\r\n"
      " ane@example.org\r\n"
      "SUMMARY:Tab\n"
      "\tfolded, LF only\n"
      "\r\n"
      "END:VEVENT";
  ContentLineReader reader(text);
  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.name(), "ATTENDEE");
  EXPECT_EQ(reader.line_number(), 1);
  std::string_view value;
  ASSERT_TRUE(reader.Value(value));
  EXPECT_EQ(value, "mailto:jane@example.org");  // the quoted colon is not the separator
  EXPECT_EQ(reader.raw(), text.substr(0, text.find("SUMMARY")));

  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.logical(), "SUMMARY:Tabfolded, LF only");
  EXPECT_EQ(reader.line_number(), 3);
  EXPECT_TRUE(reader.NameIs("SUMMARY"));

  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.logical(), "");
  EXPECT_EQ(reader.name(), "");

  ASSERT_TRUE(reader.Next());
  EXPECT_EQ(reader.logical(), "END:VEVENT");
  EXPECT_EQ(reader.line_number(), 6);
  EXPECT_EQ(reader.offset() + reader.raw().size(), text.size());
  EXPECT_FALSE(reader.Next());
}

constexpr const char* kEvent =
    "BEGIN:VEVENT\r\n"
    "UID:1\r\n"
    "DTSTAMP:20060101T000000Z\r\n"
    "END:VEVENT\r\n";

std::string Calendar(const std::string& inside) {
  return "BEGIN:VCALENDAR\r\nPRODID:-//t//t//EN\r\nVERSION:2.0\r\n" + inside + "END:VCALENDAR\r\n";
}

// The revision a changed event is written with builds on this reading.
TEST(SequenceTest, OnlyDigitsAreARevision) {
  const struct {
    const char* line;  // the SEQUENCE line, or none
    std::int64_t sequence;
  } cases[] = {{nullptr, 0},       {"SEQUENCE:7", 7},  {"SEQUENCE:0", 0},  {"SEQUENCE:-3", 0},
               {"SEQUENCE:+3", 0}, {"SEQUENCE:3x", 0}, {"SEQUENCE: 3", 0}, {"SEQUENCE:", 0}};
  for (const auto& c : cases) {
    std::string event = "BEGIN:VEVENT\r\nUID:a\r\n";
    if (c.line != nullptr) event += std::string(c.line) + "\r\n";
    event += "END:VEVENT\r\n";
    EXPECT_EQ(SequenceOf(event), c.sequence) << (c.line != nullptr ? c.line : "none");
  }
}

TEST(ScanCalendarTest, RefusesWhatIsNoIntactCalendar) {
  struct Case {
    const char* name;
    std::string text;
    const char* reason;
  };
  const std::string calendar = Calendar(kEvent);
  const Case cases[] = {
      {"plain text", "Dear Anna,\r\nsee you on Monday.\r\n",
       "it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR"},
      {"a vCard", "BEGIN:VCARD\r\nVERSION:3.0\r\nEND:VCARD\r\n",
       "it is not an iCalendar file: it does not begin with BEGIN:VCALENDAR"},
      {"binary with NUL", std::string("BEGIN:VCALENDAR\r\nX\0Y\r\n", 22),
       "it is not a text file (line 2 holds the control byte 0x00)"},
      {"an image", "\x89PNG\r\n\x1A\n\0\0\0\rIHDR", "it is not a text file (line 2 holds"},
      {"a lone carriage return", "BEGIN:VCALENDAR\rVERSION:2.0\r\nEND:VCALENDAR\r\n",
       "control byte 0x0D"},
      {"truncated inside an event", calendar.substr(0, calendar.find("DTSTAMP")),
       "it ends inside the VEVENT begun at line 4: the file is truncated"},
      {"truncated before the end", calendar.substr(0, calendar.find("END:VCALENDAR")),
       "it ends inside the VCALENDAR begun at line 1: the file is truncated"},
      {"END of the wrong component", Calendar("BEGIN:VEVENT\r\nUID:1\r\nEND:VTODO\r\n"),
       "line 6: END:VTODO does not close the VEVENT begun at line 4"},
      {"END without BEGIN", "BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\nEND:VCALENDAR\r\n",
       "line 3: END:VCALENDAR closes nothing"},
      {"a line without a colon", Calendar("BEGIN:VEVENT\r\nUID 1\r\nEND:VEVENT\r\n"),
       "line 5 is not an iCalendar content line"},
      {"a bad name", Calendar("BEGIN:VEVENT\r\nUI D:1\r\nEND:VEVENT\r\n"),
       "line 5 is not an iCalendar content line"},
      {"Latin-1 text", Calendar("BEGIN:VEVENT\r\nSUMMARY:M\xFCller\r\nEND:VEVENT\r\n"),
       "it is not UTF-8 text (line 5)"},
      {"version 1.0", "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nEND:VCALENDAR\r\n",
       "it is an iCalendar file of version 1.0; only version 2.0 can be read"},
      {"no version", "BEGIN:VCALENDAR\r\nVERSION:\r\nEND:VCALENDAR\r\n",
       "line 2 names no version; only version 2.0 can be read"},
      {"a calendar inside a calendar", Calendar("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n"),
       "line 4: a calendar begins inside the VCALENDAR begun at line 1"},
      {"text after the calendar", calendar + "Regards\r\n",
       "line 9 is not an iCalendar content line"},
      {"a property after the calendar", calendar + "SUMMARY:x\r\n",
       "line 9 stands outside a calendar"},
      {"a component after the calendar", calendar + kEvent,
       "line 9: BEGIN:VEVENT stands outside a calendar"},
  };
  for (const Case& c : cases) {
    Result<CalendarLayout> layout = ScanCalendar(c.text);
    ASSERT_FALSE(layout.ok()) << c.name;
    EXPECT_NE(layout.error().description.find(c.reason), std::string::npos)
        << c.name << ": " << layout.error().description;
  }
}

TEST(ScanCalendarTest, FindsTheComponentsAndWhereNewOnesGo) {
  const std::string todo = "BEGIN:VTODO\r\nUID:2\r\nEND:VTODO\r\n";
  const std::string unknown = "BEGIN:X-FOO\r\nBEGIN:X-BAR\r\nX-A:1\r\nEND:X-BAR\r\nEND:X-FOO\r\n";
  const std::string text = Calendar(std::string(kEvent) + todo + unknown);
  Result<CalendarLayout> layout = ScanCalendar(text);
  ASSERT_TRUE(layout.ok()) << layout.error().description;
  EXPECT_FALSE(layout->empty);
  EXPECT_TRUE(layout->has_prodid);
  EXPECT_TRUE(layout->has_version);
  EXPECT_EQ(layout->line_ending, "\r\n");
  ASSERT_EQ(layout->components.size(), 3u);
  const std::string expected[] = {kEvent, todo, unknown};
  const char* names[] = {"VEVENT", "VTODO", "X-FOO"};
  const int lines[] = {4, 8, 11};
  for (size_t i = 0; i < 3; ++i) {
    const ComponentSpan& span = layout->components[i];
    EXPECT_EQ(span.name, names[i]);
    EXPECT_EQ(text.substr(span.begin, span.end - span.begin), expected[i]);
    EXPECT_EQ(span.line, lines[i]);
  }
  EXPECT_EQ(text.substr(0, layout->calendar_body), "BEGIN:VCALENDAR\r\n");
  EXPECT_EQ(text.substr(layout->calendar_end), "END:VCALENDAR\r\n");
}

TEST(ScanCalendarTest, AcceptsWhatOtherWritersProduce) {
  struct Case {
    const char* name;
    std::string text;
    bool empty;
    const char* line_ending;
    size_t components;
  };
  const Case cases[] = {
      {"an empty file", "", true, "\r\n", 0},
      {"blank lines only", "\r\n \r\n\n", true, "\r\n", 0},
      {"LF line endings",
       "BEGIN:VCALENDAR\nVERSION:2.0\nBEGIN:VEVENT\nUID:1\nEND:VEVENT\n"
       "END:VCALENDAR\n",
       false, "\n", 1},
      {"a byte order mark", "\xEF\xBB\xBF" + Calendar(kEvent), false, "\r\n", 1},
      {"lower-case names",
       "begin:vcalendar\r\nversion:2.0\r\nbegin:vevent\r\nend:vevent\r\n"
       "end:vcalendar\r\n",
       false, "\r\n", 1},
      {"no line ending at the end", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR", false,
       "\r\n", 0},
      {"a fold inside a character",
       Calendar("BEGIN:VEVENT\r\nSUMMARY:Gr\xC3\r\n \xBC\xC3\x9F"
                "e\r\nEND:VEVENT\r\n"),
       false, "\r\n", 1},
      {"blank lines between components", Calendar(std::string(kEvent) + "\r\n" + kEvent), false,
       "\r\n", 2},
      {"versions 1.0 to 2.0", "BEGIN:VCALENDAR\r\nVERSION:1.0;2.0\r\nEND:VCALENDAR\r\n", false,
       "\r\n", 0},
      {"two calendars", Calendar(kEvent) + Calendar(kEvent), false, "\r\n", 2},
  };
  for (const Case& c : cases) {
    Result<CalendarLayout> layout = ScanCalendar(c.text);
    ASSERT_TRUE(layout.ok()) << c.name << ": " << layout.error().description;
    EXPECT_EQ(layout->empty, c.empty) << c.name;
    EXPECT_EQ(layout->line_ending, c.line_ending) << c.name;
    EXPECT_EQ(layout->components.size(), c.components) << c.name;
  }
}

TEST(ComponentTextTest, EditsOnlyTheLinesItIsAskedTo) {
  const std::string event =
      "BEGIN:VEVENT\r\n"
      "UID:1\r\n"
      "SUMMARY:Old\r\n"
      "X-UNKNOWN;X-P=1:kept\\, as is\r\n"
      "CATEGORIES:A\r\n"
      "CATEGORIES:B\r\n"
      "BEGIN:VALARM\r\n"
      "ACTION:DISPLAY\r\n"
      "TRIGGER:-PT15M\r\n"
      "SUMMARY:of the alarm\r\n"
      "END:VALARM\r\n"
      "END:VEVENT\r\n";
  const std::string alarm =
      "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER:-PT15M\r\nSUMMARY:of the alarm\r\nEND:VALARM\r\n";
  const std::string head = "BEGIN:VEVENT\r\nUID:1\r\n";
  const std::string unknown = "X-UNKNOWN;X-P=1:kept\\, as is\r\n";
  struct Case {
    const char* name;
    std::function<void(ComponentText&)> edit;
    std::string expected;
  };
  const Case cases[] = {
      {"nothing", [](ComponentText&) {}, event},
      {"replace in place", [](ComponentText& e) { e.SetProperty("SUMMARY", {"SUMMARY:New"}); },
       head + "SUMMARY:New\r\n" + unknown + "CATEGORIES:A\r\nCATEGORIES:B\r\n" + alarm +
           "END:VEVENT\r\n"},
      {"add before the alarm", [](ComponentText& e) { e.SetProperty("LOCATION", {"LOCATION:X"}); },
       head + "SUMMARY:Old\r\n" + unknown + "CATEGORIES:A\r\nCATEGORIES:B\r\nLOCATION:X\r\n" +
           alarm + "END:VEVENT\r\n"},
      {"merge duplicates",
       [](ComponentText& e) { e.SetProperty("CATEGORIES", {"CATEGORIES:A,B"}); },
       head + "SUMMARY:Old\r\n" + unknown + "CATEGORIES:A,B\r\n" + alarm + "END:VEVENT\r\n"},
      {"remove", [](ComponentText& e) { e.RemoveProperty("SUMMARY"); },
       head + unknown + "CATEGORIES:A\r\nCATEGORIES:B\r\n" + alarm + "END:VEVENT\r\n"},
      {"remove the alarm", [](ComponentText& e) { e.RemoveComponents("VALARM"); },
       head + "SUMMARY:Old\r\n" + unknown + "CATEGORIES:A\r\nCATEGORIES:B\r\nEND:VEVENT\r\n"},
      {"add an alarm",
       [](ComponentText& e) {
         e.AddComponent({"BEGIN:VALARM", "ACTION:AUDIO", "TRIGGER:-PT5M", "END:VALARM"});
       },
       head + "SUMMARY:Old\r\n" + unknown + "CATEGORIES:A\r\nCATEGORIES:B\r\n" + alarm +
           "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT5M\r\nEND:VALARM\r\nEND:VEVENT\r\n"},
      {"fold a long new line",
       [](ComponentText& e) { e.SetProperty("SUMMARY", {"SUMMARY:" + std::string(80, 's')}); },
       head + "SUMMARY:" + std::string(67, 's') + "\r\n " + std::string(13, 's') + "\r\n" +
           unknown + "CATEGORIES:A\r\nCATEGORIES:B\r\n" + alarm + "END:VEVENT\r\n"},
  };
  for (const Case& c : cases) {
    ComponentText text(event);
    c.edit(text);
    EXPECT_EQ(text.Text("\r\n"), c.expected) << c.name;
  }

  ComponentText text(event);
  EXPECT_TRUE(text.HasComponent("VALARM"));
  EXPECT_TRUE(text.HasProperty("SUMMARY"));
  EXPECT_FALSE(text.HasProperty("ACTION"));  // a property of the alarm only
  EXPECT_EQ(text.Property("SUMMARY"), "SUMMARY:Old");
  text.RemoveComponents("VALARM");
  EXPECT_FALSE(text.HasComponent("VALARM"));
}

}  // namespace
}  // namespace feriant::outlook
