#pragma once
// How the process's heap takes memory from the system.

namespace feriant::base {

// Lets the heap grow in large steps that the kernel may back with huge pages (where it
// offers them on request: transparent huge pages "madvise" or "always"), and keeps what
// it grew to until the program ends. For short runs that build megabytes of text: each
// first touch of a small page costs a fault, and on a virtual machine a fault can cost
// more than writing the page. Call once, early, before the work; does nothing where the
// heap is not the C library's own (sanitizers) or the system refuses.
void PreferLargeHeapPages();

}  // namespace feriant::base
