#pragma once

#include <cstdint>
#include <filesystem>

namespace platform {

// MoveFileExW(source, destination, MOVEFILE_COPY_ALLOWED).
// Never replaces an existing destination (ErrorAlreadyExists, 183). Across file systems
// the file is copied to a temporary name in the destination folder, flushed, checked,
// published without replacing anything, and only then is the source removed (after
// checking it did not change meanwhile). On any failure the source stays intact and no
// partial file is left. Returns a Windows error code, 0 on success.
class FileMover {
public:
    static std::uint32_t move(const std::filesystem::path& source,
                              const std::filesystem::path& destination);
};

} // namespace platform
