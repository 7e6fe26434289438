#include "DriveQuery.h"

#include <platform/Drives.h>

std::optional<DriveQuery::Space> DriveQuery::query(const std::string& drive) {
    const auto storage = platform::Drives::storageOf(drive);
    if (!storage)
        return std::nullopt;
    constexpr std::uint64_t gib = 1ull << 30;
    Space space;
    space.totalGiB = static_cast<double>(storage->total / gib);
    space.freeGiB = static_cast<double>(storage->free / gib);
    return space;
}
