#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

// Deletes a file found by a scan, but only while it is still a regular file whose real
// location lies inside the rule folder it was found in. A folder swapped for a link after
// the scan therefore cannot lead a clean anywhere else.
class RuleFolderRemover {
public:
    // `root` is the rule folder's canonical path as resolved when the scan started.
    // Returns the bytes freed, or nothing when the file was left alone or already gone.
    static std::optional<std::uint64_t> Remove(const std::filesystem::path& root,
                                               const std::filesystem::path& file);
    // True when canonical `path` is `root` or lies below it (both canonical). The Windows
    // clean checks the file's resolved folder with it.
    static bool IsWithin(const std::filesystem::path& root, const std::filesystem::path& path);
};
