#include "platform/Drives.h"

#include <sys/stat.h>

namespace platform {

DriveBoundary::DriveBoundary(const std::filesystem::path& root) {
    struct stat info {};
    valid_ = ::stat(root.c_str(), &info) == 0;
    device_ = valid_ ? static_cast<std::uint64_t>(info.st_dev) : 0;
}

bool DriveBoundary::contains(const std::filesystem::path& folder) const {
    struct stat info {};
    return valid_ && ::stat(folder.c_str(), &info) == 0 &&
           static_cast<std::uint64_t>(info.st_dev) == device_;
}

} // namespace platform
