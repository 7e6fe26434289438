#include "DriveQuery.h"

#include <platform/Drives.h>

std::optional<DriveQuery::Space> DriveQuery::query(const std::string& drive) {
    const auto storage = platform::Drives::storageOf(drive);
    if (!storage)
        return std::nullopt;
    constexpr std::uint64_t gib = 1ull << 30;
    // A drive of less than one whole GiB tells nothing in whole GiB, and would divide by
    // zero in every percentage: the query fails.
    if (storage->total < gib)
        return std::nullopt;
    Space space;
    space.totalGiB = static_cast<double>(storage->total / gib);
    // Every free byte, those kept for the system included: how full the drive is.
    space.freeGiB = static_cast<double>(storage->totalFree / gib);
    return space;
}
