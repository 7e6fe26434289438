#pragma once

#include <cstdint>
#include <filesystem>
#include <sys/stat.h>

namespace platform {

// Moves a regular file to another file system: copy to a temporary name beside the
// destination, flush, compare, publish without replacing, and only then remove the source.
class CrossDeviceMove {
public:
    CrossDeviceMove(const std::filesystem::path& source, const std::filesystem::path& destination);
    // A Windows error code, 0 on success. On failure the source is untouched and nothing
    // is left at the destination.
    std::uint32_t run();

private:
    int copyInto(int in, int out);
    bool sameContent(int in, int out);
    bool sourceUnchanged(int in) const;

    std::filesystem::path source_;
    std::filesystem::path destination_;
    struct stat before_ {};
};

} // namespace platform
