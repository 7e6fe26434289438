#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <sys/stat.h>

namespace platform {

// Moves a regular file to another file system: copy to a temporary name beside the
// destination, flush, compare, publish without replacing, and only then remove the source.
class CrossDeviceMove {
public:
    // `cancel` (may be null) stops the copy between two blocks; see FileMover.
    CrossDeviceMove(const std::filesystem::path& source, const std::filesystem::path& destination,
                    const std::atomic<bool>* cancel = nullptr);
    // A Windows error code, 0 on success. On failure the source is untouched and nothing
    // is left at the destination.
    std::uint32_t run();

private:
    int copyInto(int in, int out);
    bool sameContent(int in, int out);
    bool sourceUnchanged(int in) const;
    bool cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    std::filesystem::path source_;
    std::filesystem::path destination_;
    const std::atomic<bool>* cancel_;
    struct stat before_ {};
};

} // namespace platform
