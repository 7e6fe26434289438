#pragma once

#include <filesystem>
#include <string>

namespace platform {

// Replaces a whole file so that readers and crashes see either the old or the new content:
// temporary file in the same folder, fsync, rename, folder fsync.
class AtomicFile {
public:
    // Returns errno, 0 on success. The old file is untouched on failure and no temporary
    // file is left. Missing folders are created. A link is followed, so the file it names
    // is the one replaced.
    static int write(const std::filesystem::path& path, const std::string& bytes);
};

} // namespace platform
