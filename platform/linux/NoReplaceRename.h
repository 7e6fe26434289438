#pragma once

#include <filesystem>

namespace platform {

// Renames within one file system and fails with EEXIST instead of replacing anything.
class NoReplaceRename {
public:
    // Returns errno, 0 on success.
    static int rename(const std::filesystem::path& from, const std::filesystem::path& to);
};

} // namespace platform
