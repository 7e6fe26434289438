#include "DriveQuery.h"

#include <platform/Drives.h>

std::optional<DriveQuery::Space> DriveQuery::query(const std::string& drive) {
    const auto storage = platform::Drives::storageOf(drive);
    if (!storage)
        return std::nullopt;
    constexpr std::uint64_t gib = 1ull << 30;
    Space space;
    space.totalGiB = static_cast<double>(storage->total / gib);
    // Every free byte, those kept for the system included: how full the drive is.
    space.freeGiB = static_cast<double>(storage->totalFree / gib);
    return space;
}
