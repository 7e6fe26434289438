#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

namespace platform {

// MoveFileExW(source, destination, MOVEFILE_COPY_ALLOWED).
// Never replaces an existing destination (ErrorAlreadyExists, 183). Across file systems
// the file is copied to a temporary name in the destination folder, flushed, checked,
// published without replacing anything, and only then is the source removed (after
// checking it did not change meanwhile). On any failure the source stays intact and no
// partial file is left. Returns a Windows error code, 0 on success.
//
// `cancel`, when given, is read between two blocks of a copy: once it is set the copy stops,
// its temporary file is removed and the move fails with ErrorOperationAborted, so a quitting
// program never waits for a long copy. A move within one file system is a rename and is
// not affected.
class FileMover {
public:
    static std::uint32_t move(const std::filesystem::path& source,
                              const std::filesystem::path& destination,
                              const std::atomic<bool>* cancel = nullptr);
};

} // namespace platform
