#include "ProcessMemory.h"

#include <fstream>
#include <malloc.h>
#include <string>

namespace {
// A "Name:   1234 kB" line of /proc/self/status, in bytes.
std::uint64_t StatusBytes(const std::string& name) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, name.size() + 1, name + ":") == 0)
            return std::stoull(line.substr(name.size() + 1)) * 1024;
    }
    return 0;
}
} // namespace

void ProcessMemory::resetPeak() {
    malloc_trim(0);
    // "5" resets the peak resident size (VmHWM) of the process.
    std::ofstream("/proc/self/clear_refs") << "5";
}

std::uint64_t ProcessMemory::peakBytes() {
    return StatusBytes("VmHWM");
}

std::uint64_t ProcessMemory::residentBytes() {
    malloc_trim(0);
    return StatusBytes("VmRSS");
}

std::uint64_t ProcessMemory::heapInUseBytes() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}
