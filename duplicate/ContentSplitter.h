#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

// Finds which files of one size hold the same bytes. Files are read side by side, block by
// block, and split wherever their bytes differ, so a file is read at most once, a file
// without a copy is dropped at its first differing block (the first block is small), and
// every set returned is byte-equal, not merely equal in CRC-32. Qt-free; one splitter per
// worker, since it keeps its buffers between calls.
class ContentSplitter {
public:
    // Byte-equal files: their positions in the list given to split(), in list order.
    struct Copies {
        std::uint32_t crc = 0;
        std::vector<std::size_t> files;
    };

    // Sets of two or more byte-equal files among `files`, each expected to be `size` bytes.
    // A file that cannot be opened or read, or is no longer `size` bytes long, joins no set.
    // Nothing at all once `stop` is set (checked between blocks).
    std::vector<Copies> split(const std::vector<std::filesystem::path>& files, std::uint64_t size,
                              const std::atomic<bool>& stop);

    // Blocks: the first one small, so most non-copies cost one small read each.
    static constexpr std::size_t firstBlock = 16 * 1024;
    static constexpr std::size_t largeBlock = 1024 * 1024;
    // Files read side by side at most; larger sets are narrowed by CRC-32 first.
    static constexpr std::size_t maxOpen = 64;

private:
    struct Part;
    std::vector<Copies> sideBySide(const std::vector<std::filesystem::path>& files,
                                   const std::vector<std::size_t>& which, std::uint64_t size,
                                   const std::atomic<bool>& stop);
    std::vector<Copies> narrowByCrc(const std::vector<std::filesystem::path>& files,
                                    const std::vector<std::size_t>& which, std::uint64_t size,
                                    std::uint64_t length, const std::atomic<bool>& stop);
    // The CRC-32 of the first `length` bytes of a file of `size` bytes; false when it could
    // not be read (or the size changed) or `stop` was set.
    bool crcOf(const std::filesystem::path& file, std::uint64_t size, std::uint64_t length,
               std::uint32_t& crc, const std::atomic<bool>& stop);

    std::vector<std::vector<char>> buffers_;
};
