#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>
#include <system_error>
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

    // Told of a file that could not be opened, with the reason; on the splitter's thread.
    using OpenFailed =
        std::function<void(const std::filesystem::path& file, const std::error_code& error)>;
    void setOpenFailed(OpenFailed openFailed) { openFailed_ = std::move(openFailed); }

    // Sets of two or more byte-equal files among `files`, each expected to be `size` bytes.
    // A file that cannot be opened or read, or is no longer `size` bytes long, joins no set.
    // No set is confirmed once `stop` is set (checked between blocks); sets confirmed
    // before it may still be returned, byte-equal as any other.
    std::vector<Copies> split(const std::vector<std::filesystem::path>& files, std::uint64_t size,
                              const std::atomic<bool>& stop);

    // Blocks: the first one small, so most non-copies cost one small read each.
    static constexpr std::size_t firstBlock = 16 * 1024;
    static constexpr std::size_t largeBlock = 1024 * 1024;
    // Files read side by side at most; larger sets are narrowed by CRC-32 first.
    static constexpr std::size_t maxOpen = 64;
    // Files open at once over all splitters of the process: a splitter waits for its share
    // before it opens a set. Every worker at maxOpen would pass the C runtime's 512 streams
    // on Windows from about ten workers, and a usual 1024 descriptors on Linux from about
    // twenty, and copies would go missing.
    static constexpr std::size_t openBudget = 256;
    static_assert(maxOpen <= openBudget, "a set must fit into the budget");

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

    // Opens a file for unbuffered reading; nothing, with the reason told, when it fails.
    std::unique_ptr<std::ifstream> openForReading(const std::filesystem::path& file) const;

    std::vector<std::vector<char>> buffers_;
    OpenFailed openFailed_;
};
