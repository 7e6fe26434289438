#pragma once

#include "FileRow.h"

#include <cstdint>
#include <platform/FileFacts.h>
#include <vector>

// One copy as the scan found it: the row the page shows, plus what a clean checks before
// it deletes (which file it was, below which scanned root).
struct DuplicateFile {
    FileRow row;
    platform::FileIdentity identity;
    std::uint32_t root = 0;
};

// Byte-equal files of one type, found by one scan; `type` is the type's row.
struct DuplicateGroup {
    std::size_t type = 0;
    std::uint32_t crc = 0;
    std::vector<DuplicateFile> files;
};
