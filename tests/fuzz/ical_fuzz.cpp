// Fuzz target: reading an iCalendar file into the calendar store, and writing back what
// it read. Any crash, sanitizer report or uncaught exception is a fault; a refusal is not.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>

#include "hosts/outlook/calendar_store.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static feriant::fuzzing::FuzzFile file(".ics");
  feriant::outlook::StoreOptions options;
  options.note = [](const std::string&) {};
  auto store = feriant::outlook::CalendarStore::Open(file.Holding(data, size), std::move(options));
  if (!store) return 0;
  for (size_t i = 0; i < (*store)->size(); ++i)
    (void)(*store)->at(i)->appointment().subject;
  (void)(*store)->Serialize();
  return 0;
}
