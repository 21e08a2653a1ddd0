// Fuzz target: reading a per-user registry file. A file that reads must read back the
// same from the text written for it.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/registry/registry.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace registry = feriant::registry;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto hive = registry::ParseRegistryFile(text, "fuzz.json");
  if (!hive) return 0;
  auto again = registry::ParseRegistryFile(registry::FormatRegistryFile(*hive), "fuzz.json");
  if (!again || !(*again == *hive)) std::abort();
  return 0;
}
