#include "platform/base/heap.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

namespace feriant::base {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;
// What the heap reserves in one step: the largest runs (a calendar of tens of thousands
// of events) stay within one or two.
constexpr std::size_t kHeapStep = std::size_t{64} << 20;
// Blocks from this size on get mappings of their own: the largest the C library allows.
constexpr std::size_t kOwnMapping = std::size_t{32} << 20;

// The block that fills the heap below its first huge page; held, so that leak checkers
// see it reachable (volatile, or the compiler would leave out the malloc as unused).
void* volatile below_huge_pages = nullptr;

std::uintptr_t RoundUp(std::uintptr_t value) {
  return (value + kHugePage - 1) & ~(kHugePage - 1);
}
std::uintptr_t RoundDown(std::uintptr_t value) {
  return value & ~(kHugePage - 1);
}

}  // namespace

void PreferLargeHeapPages() {
  // Large blocks (a calendar's text) from the heap as well, not from mappings of their own
  // that are faulted in page by page and given back on every free.
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kOwnMapping));
  mallopt(M_TRIM_THRESHOLD, static_cast<int>(kHeapStep * 2));
  mallopt(M_TOP_PAD, static_cast<int>(kHeapStep));
  // Grow the heap now, by more than a step, and ask for huge pages over what it grew by.
  // A block larger than the heap's free top makes it grow; freeing it leaves the space on
  // top. The heap writes a header behind the block: a huge page can only come where no
  // small one was yet, so the block is large, and that one header lies far up.
  void* const start = sbrk(0);
  if (start == reinterpret_cast<void*>(-1)) return;
  // volatile: a compiler may leave out a malloc whose block is only freed.
  void* volatile block = std::malloc(mallinfo2().keepcost + kOwnMapping - kHugePage);
  std::free(block);
  const auto grown_from = reinterpret_cast<std::uintptr_t>(start);
  const auto grown_to = reinterpret_cast<std::uintptr_t>(sbrk(0));
  const std::uintptr_t begin = RoundUp(grown_from);
  const std::uintptr_t end = RoundDown(grown_to);
  if (end <= begin) return;  // not the C library's heap, or it did not grow
  if (madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE) != 0) return;
  // The heap hands out its top from the bottom up: a block that is never touched fills
  // the space below the first huge page, so that what the run allocates lands on huge
  // pages rather than first on up to 2 MB of small ones.
  const std::uintptr_t top = grown_to - mallinfo2().keepcost;
  if (begin - top > 64) below_huge_pages = std::malloc(begin - top - 32);
}

}  // namespace feriant::base
