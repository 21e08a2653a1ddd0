// Fuzz target: reading a Project XML file, rendering it unedited (which must give back
// the very bytes read) and editing the days of its base calendars.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "hosts/project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace std::chrono;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  auto file = feriant::project::ProjectFile::FromBytes("fuzz.xml", bytes);
  if (!file) return 0;
  // What the store did not change it writes back byte for byte.
  if (file->Render() != bytes) std::abort();
  (void)file->VersionText();
  int edited = 0;
  for (const std::string& name : file->BaseCalendarNames()) {
    if (++edited > 2) break;
    (void)file->EditDays(name, year(2006) / 12 / 24, year(2006) / 12 / 26,
                         feriant::project::DayEdit::kNonWorking);
    (void)file->EditDays(name, year(2006) / 12 / 25, year(2006) / 12 / 25,
                         feriant::project::DayEdit::kDefault);
  }
  (void)file->Render();
  return 0;
}
