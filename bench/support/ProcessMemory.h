#pragma once

#include <cstdint>

// The benchmark process's own memory, as the kernel counts it: what is resident now and the
// most that was since the last reset. Freed heap is handed back to the system before a
// reading, so what a run keeps is told apart from what it only passed through.
namespace ProcessMemory {
// Starts a new peak (the peak becomes what is resident now).
void resetPeak();
std::uint64_t peakBytes();
std::uint64_t residentBytes();
// The bytes of heap blocks handed out and not yet freed, over every thread's arena: what
// the program holds, whatever the allocator keeps aside.
std::uint64_t heapInUseBytes();
} // namespace ProcessMemory
