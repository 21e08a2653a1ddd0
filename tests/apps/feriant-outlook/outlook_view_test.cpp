// The calendar shell's view: the appointments of the file in date order, with subject,
// location and categories, read through the object model the add-ins get.

#include <algorithm>

#include <gtest/gtest.h>

#include "apps/feriant-outlook/outlook_window.h"
#include "hosts/outlook/outlook.h"

namespace feriant::outlook_shell {
namespace {

TEST(OutlookViewTest, ListsTheAppointmentsInDateOrderWhateverTheFileOrder) {
  const auto file =
      std::filesystem::path(FERIANT_SOURCE_DIR) / "tests/data/calendars/thunderbird.ics";
  auto application = outlook::CreateOutlookApplication(file);
  auto rows = CalendarRows(*application);
  ASSERT_TRUE(rows) << rows.error().description;
  ASSERT_GE(rows->size(), 3u);
  EXPECT_TRUE(std::is_sorted(rows->begin(), rows->end(),
                             [](const auto& a, const auto& b) { return a.date < b.date; }));
  EXPECT_NE(rows->front().subject, "Zahnarzt Dr. Müller");  // first in the file, not by date
  const auto party = std::find_if(rows->begin(), rows->end(), [](const auto& row) {
    return row.subject == "Sommerfest im Büro";
  });
  ASSERT_NE(party, rows->end());
  EXPECT_EQ(party->date, "2006-07-07");  // all day: no time
  EXPECT_EQ(party->categories, "Arbeit, Feier");
  const auto dentist = std::find_if(rows->begin(), rows->end(), [](const auto& row) {
    return row.subject == "Zahnarzt Dr. Müller";
  });
  ASSERT_NE(dentist, rows->end());
  EXPECT_EQ(dentist->date.size(), 16u) << dentist->date;  // "YYYY-MM-DD HH:MM"
  EXPECT_EQ(dentist->location, "Praxis am Markt, Schöneberg");
}

TEST(OutlookViewTest, AnUnreadableCalendarIsAnError) {
  auto application = outlook::CreateOutlookApplication(std::filesystem::path(FERIANT_SOURCE_DIR) /
                                                       "tests/data/calendars/damaged.ics");
  auto rows = CalendarRows(*application);
  ASSERT_FALSE(rows);
  EXPECT_NE(rows.error().description.find("damaged.ics"), std::string::npos);
}

TEST(OutlookViewTest, TakesAFileOrAServerCalendarToOpenAndRefusesOtherLocations) {
  const struct {
    const char* typed;
    const char* location;  // nullptr: refused
  } cases[] = {
      {"  /tmp/a b.ics\n", "/tmp/a b.ics"},
      {"holidays.ics", "holidays.ics"},
      {"file:///tmp/x%20y.ics", "/tmp/x y.ics"},
      {" https://alice@dav.example.org/cal/ ", "https://alice@dav.example.org/cal/"},
      {"", nullptr},
      {" \t", nullptr},
      {"ftp://host/x.ics", nullptr},
      {"webcal://host/x.ics", nullptr},
  };
  for (const auto& c : cases) {
    const Result<std::string> location = CalendarLocation(c.typed);
    if (c.location == nullptr) {
      EXPECT_FALSE(location) << c.typed;
    } else {
      ASSERT_TRUE(location) << c.typed << ": " << location.error().description;
      EXPECT_EQ(*location, c.location);
    }
  }
}

}  // namespace
}  // namespace feriant::outlook_shell
