#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace platform {

// The way from a folder down to a file below it, by names alone (nothing is looked up).
class FolderSteps {
public:
    // The folder names from `root` down to the folder holding `file`; nothing when `file`
    // does not lie below `root` by its spelling (a "..", another root) or names no file.
    static std::optional<std::vector<std::filesystem::path>>
    below(const std::filesystem::path& root, const std::filesystem::path& file);
};

} // namespace platform
