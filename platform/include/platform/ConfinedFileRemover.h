#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include "platform/WinError.h"

namespace platform {

// Deletes a file found by a scan, but only while it is still a regular file reached from
// the folder it was found in without passing a link: every folder from `root` down to the
// file is opened in turn and refused when it is a link (Windows: any reparse point), and
// stays open while the file is deleted. A folder swapped for a link after the scan
// therefore cannot lead a clean anywhere else, and a link is never deleted itself.
struct RemoveResult {
    std::uint64_t freed = 0;
    std::uint32_t error = ErrorSuccess;
    bool removed() const { return error == ErrorSuccess; }
};

class ConfinedFileRemover {
public:
    // `root` is the folder the file was found in, as resolved when the scan started; `file`
    // must lie lexically below it. Returns the bytes freed, or nothing when the file was
    // left alone or already gone.
    static RemoveResult remove(const std::filesystem::path& root,
                                               const std::filesystem::path& file);
};

} // namespace platform
