#include "platform/base/heap.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace feriant::base {
namespace {

struct Region {
  std::uintptr_t begin = 0;
  std::uintptr_t end = 0;
};

// The ranges of the heap that ask for huge pages, as the kernel lists them.
std::vector<Region> HugePageHeap() {
  std::ifstream maps("/proc/self/smaps");
  std::vector<Region> found;
  Region current;
  bool heap = false;
  for (std::string line; std::getline(maps, line);) {
    // A mapping's first line is "begin-end perms ...", its fields' lines "Name: ...".
    if (const size_t dash = line.find('-'); dash < line.find(' ')) {
      current.begin = std::stoull(line.substr(0, dash), nullptr, 16);
      current.end = std::stoull(line.substr(dash + 1), nullptr, 16);
      heap = line.ends_with("[heap]");
    } else if (heap && line.starts_with("VmFlags:") && line.find(" hg") != std::string::npos) {
      found.push_back(current);
    }
  }
  return found;
}

// Once the heap prefers huge pages, what the program allocates next lands on them: small
// blocks and those of megabytes (which otherwise get mappings of their own).
TEST(HeapTest, AllocationsLandOnTheHugePageHeap) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the sanitizer's allocator keeps no heap of the C library";
#endif
  if (!std::filesystem::exists("/sys/kernel/mm/transparent_hugepage"))
    GTEST_SKIP() << "this kernel has no huge pages to ask for";
  PreferLargeHeapPages();
  const std::vector<Region> huge = HugePageHeap();
  ASSERT_EQ(huge.size(), 1u);
  for (const size_t size : {size_t{24}, size_t{4000}, size_t{8} << 20}) {
    void* block = std::malloc(size);
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    EXPECT_GE(at, huge[0].begin) << size;
    EXPECT_LE(at + size, huge[0].end) << size;
    std::free(block);
  }
}

}  // namespace
}  // namespace feriant::base
