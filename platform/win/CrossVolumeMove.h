#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>

namespace platform {

// Moves a file to another volume without ever losing or replacing data: the source is
// held open against writers and deleters, copied to a new temporary file beside the
// destination, flushed and checked, published with a rename that never replaces, and
// only then deleted through the same handle. If deleting it fails, the published copy is
// removed again. Returns a Windows error code, 0 on success; on failure the source is
// intact and no file of ours is left behind. `cancel` (may be null) stops the copy between
// two blocks with ERROR_OPERATION_ABORTED.
class CrossVolumeMove {
public:
    static std::uint32_t move(const std::filesystem::path& source,
                              const std::filesystem::path& destination,
                              const std::atomic<bool>* cancel = nullptr);
};

} // namespace platform
