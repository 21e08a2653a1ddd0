#include "apps/feriant/progress_line.h"

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace feriant::cli {
namespace {

// What the terminal receives for a sequence of changes.
TEST(ProgressLineTest, DrawsOnlyWhatChangesWhileShown) {
  struct Case {
    const char* name;
    std::function<void(ProgressLine&)> changes;
    std::string terminal;
  };
  const std::string erase = "\x1b[K";
  const Case cases[] = {
      {"hidden: values are kept, nothing is drawn",
       [](ProgressLine& line) {
         line.SetMin(0);
         line.SetMax(100);
         line.SetValue(40);
         line.SetLabel("Caching Appointments...");
       },
       ""},
      {"shown: drawn at once with the values set while hidden",
       [](ProgressLine& line) {
         line.SetValue(50);
         line.SetLabel("Caching Appointments...");
         line.SetShown(true);
       },
       "\rCaching Appointments... [##########          ]  50%" + erase},
      {"a value within the same percent draws nothing",
       [](ProgressLine& line) {
         line.SetMax(1000);
         line.SetShown(true);
         line.SetValue(1);
         line.SetValue(9);
         line.SetValue(10);
       },
       "\r[                    ]   0%" + erase + "\r[                    ]   1%" + erase},
      {"a year range as the run sets it: 2005 alone is min 2004, max 2006",
       [](ProgressLine& line) {
         line.SetShown(true);
         line.SetMax(2006);
         line.SetMin(2004);
         line.SetLabel("Processing holidays of 2005...");
         line.SetValue(2005);
       },
       // Neither bound moves the bar off 0% while the value is below the range.
       "\r[                    ]   0%" + erase +
           "\rProcessing holidays of 2005... [                    ]   0%" + erase +
           "\rProcessing holidays of 2005... [##########          ]  50%" + erase},
      {"hiding erases the line; clearing twice erases once",
       [](ProgressLine& line) {
         line.SetShown(true);
         line.SetShown(false);
         line.Clear();
         line.SetValue(100);  // hidden: not drawn
       },
       "\r[                    ]   0%" + erase + "\r" + erase},
      {"a cleared line is drawn again by the next change",
       [](ProgressLine& line) {
         line.SetShown(true);
         line.Clear();
         line.SetValue(100);
       },
       "\r[                    ]   0%" + erase + "\r" + erase + "\r[####################] 100%" +
           erase},
      {"no range (maximum not above minimum) and values outside it",
       [](ProgressLine& line) {
         line.SetShown(true);
         line.SetMin(100);
         line.SetValue(-5);
         line.SetMin(0);
         line.SetValue(500);
       },
       "\r[                    ]   0%" + erase + "\r[####################] 100%" + erase},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream terminal;
    ProgressLine line(terminal);
    c.changes(line);
    EXPECT_EQ(terminal.str(), c.terminal);
  }
}

TEST(ProgressLineTest, PercentCoversTheWholeRangeOf32Bits) {
  std::ostringstream terminal;
  ProgressLine line(terminal);
  line.SetMin(-2147483647 - 1);
  line.SetMax(2147483647);
  line.SetValue(0);
  EXPECT_EQ(line.Percent(), 50);  // 2^31 of 2^32 - 1
  line.SetValue(2147483647);
  EXPECT_EQ(line.Percent(), 100);
}

}  // namespace
}  // namespace feriant::cli
