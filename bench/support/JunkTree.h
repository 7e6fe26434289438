#pragma once

#include <filesystem>

// The C-drive benchmarks' tree: 100,000 small files in 2,000 folders below `root`, 40
// parents of 50 folders of 50 files (sizes 0 to 511 bytes, folder names in Chinese).
class JunkTree {
public:
    static constexpr int parents = 40;
    static constexpr int foldersPerParent = 50;
    static constexpr int filesPerFolder = 50;
    static constexpr int files = parents * foldersPerParent * filesPerFolder;

    static void build(const std::filesystem::path& root);
};
