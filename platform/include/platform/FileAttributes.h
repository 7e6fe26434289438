#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// GetFileAttributesW. Linux: a name starting with "." is hidden; nothing is "system".
class FileAttributes {
public:
    bool hidden = false;
    bool system = false;
    bool directory = false;

    // Nothing when the path cannot be examined.
    static std::optional<FileAttributes> read(const std::filesystem::path& path);
};

} // namespace platform
