#pragma once
// A record of the program's live heap for long unattended runs: with
// IKEASOBI_HEAP_LOG set to a file name, the window's loop appends
// "<milliseconds> <live heap bytes>" to it every two seconds. Live bytes are
// the allocator's own count of what the program holds, so a cache the
// allocator keeps (a sanitizer's quarantine, free pages) does not show.
#include <cstdint>
#include <string>

namespace ikea {

// Bytes allocated and not yet freed, from whichever allocator the program
// runs with.
uint64_t LiveHeapBytes();

// Does nothing when path is empty.
void StartHeapLog(const std::string& path);

} // namespace ikea
