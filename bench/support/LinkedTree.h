#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

// Large trees on little disk: every file is a hard link to one of a pool of files of many
// sizes, so a million names cost their folder entries and next to no data. Building such a
// tree takes a link per file, not a write.
class LinkedTree {
public:
    // `poolSize` files in `pool` (a folder outside every scanned tree), file i of
    // sizeOf(i) bytes.
    LinkedTree(const std::filesystem::path& pool, int poolSize,
               const std::function<std::uint64_t(int)>& sizeOf);

    // Makes `file` (its folder made if needed) a link to pool file n % poolSize.
    void link(const std::filesystem::path& file, int n) const;
    std::uint64_t sizeOf(int n) const { return sizes_[std::size_t(n) % sizes_.size()]; }

    // An identical tree of links at `to`, e.g. for a standard tool to delete.
    static void copy(const std::filesystem::path& from, const std::filesystem::path& to);

private:
    std::vector<std::filesystem::path> pool_;
    std::vector<std::uint64_t> sizes_;
};
