#pragma once

#include <optional>
#include <string>

// Total and free space of a drive in whole GiB (truncated), as shown on the pages. Free
// counts every free byte of the drive, not only those the caller may use.
class DriveQuery {
public:
    struct Space {
        double totalGiB = 0;
        double freeGiB = 0;
    };
    // Nothing when the drive is unknown, not ready, or smaller than one GiB.
    static std::optional<Space> query(const std::string& drive = "C:");
};
