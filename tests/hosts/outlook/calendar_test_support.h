#pragma once
// Test support for the Outlook calendar: a scratch directory, the user's time zone and
// clock held fixed, whole-file reads and writes, and a second opinion on written files
// from another iCalendar reader (Python's icalendar, where it is installed).

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/clock.h"
#include "tests/support/scratch_dir.h"
#include "tests/support/whole_file.h"

namespace feriant::outlook::testing {

using feriant::testing::ReadWholeFile;

inline void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::filesystem::path DataFile(const std::string& name) {
  return std::filesystem::path(FERIANT_SOURCE_DIR) / "tests" / "data" / "calendars" / name;
}

using ::feriant::testing::ScopedEnv;
using ::feriant::testing::ScratchDir;

// The person's situation in every test: Berlin time, 1 June 2006 12:00, and UIDs that
// count up, so that written files can be compared byte for byte.
class CalendarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base::SetCurrentClock(std::make_shared<base::FixedClock>(
        std::chrono::local_days(std::chrono::year(2006) / 6 / 1) + std::chrono::hours(12)));
  }
  void TearDown() override { base::SetCurrentClock(nullptr); }

  // Stamps at 1 June 2006 10:00 UTC (the fixed clock's time) in place of the system's.
  static std::function<std::chrono::sys_seconds()> FixedStamps() {
    return [] {
      return std::chrono::sys_days(std::chrono::year(2006) / 6 / 1) + std::chrono::hours(10);
    };
  }
  std::function<std::string()> CountingUids() {
    return [this] { return "feriant-test-" + std::to_string(++uids_); };
  }
  std::filesystem::path Copy(const std::string& data_file, const std::string& name) {
    const std::filesystem::path target = dir_.path() / name;
    std::filesystem::copy_file(DataFile(data_file), target);
    return target;
  }

  ScopedEnv time_zone_{"TZ", "Europe/Berlin"};
  ScratchDir dir_;
  int uids_ = 0;
};

inline const char* kPythonCheck = R"PY(
import sys
import icalendar
problems = []
for path in sys.argv[1:]:
    try:
        cal = icalendar.Calendar.from_ical(open(path, 'rb').read())
        if not cal.get('PRODID') or str(cal.get('VERSION')) != '2.0':
            problems.append(path + ': no PRODID or VERSION:2.0')
        for event in cal.walk('VEVENT'):
            if not event.get('UID') or not event.get('DTSTAMP'):
                problems.append(path + ': an event without UID or DTSTAMP')
            event.decoded('DTSTART')
            if event.get('DTEND') is not None:
                event.decoded('DTEND')
    except Exception as error:
        problems.append(path + ': ' + repr(error))
print('\n'.join(problems))
)PY";

inline bool PythonIcalendarAvailable() {
  return std::system("/usr/bin/python3 -c 'import icalendar' >/dev/null 2>&1") == 0;
}

// What Python's icalendar finds wrong with the files; empty when it reads them all.
inline std::string PythonIcalendarProblems(const std::vector<std::filesystem::path>& files) {
  std::string command = "/usr/bin/python3 -c \"$FERIANT_PY_CHECK\"";
  for (const auto& file : files)
    command += " '" + file.string() + "'";
  command += " 2>&1";
  ScopedEnv script("FERIANT_PY_CHECK", kPythonCheck);
  std::string output;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
      output += buffer;
    if (::pclose(pipe) != 0) output += "(python failed)";
  }
  while (!output.empty() && output.back() == '\n')
    output.pop_back();
  return output;
}

}  // namespace feriant::outlook::testing
