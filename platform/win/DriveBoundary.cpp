#include "UniqueHandle.h"
#include "platform/Drives.h"

#include <windows.h>

namespace platform {

namespace {

// The serial number of the volume a folder lives on. A volume mounted in a folder of
// another one has its own serial, so a walk stops at the mount point.
std::optional<std::uint64_t> volumeSerial(const std::filesystem::path& folder) {
    // Backup semantics lets CreateFileW open a directory.
    UniqueHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!handle.isValid()) {
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle.get(), &info)) {
        return std::nullopt;
    }
    return info.dwVolumeSerialNumber;
}

} // namespace

DriveBoundary::DriveBoundary(const std::filesystem::path& root) {
    if (const auto serial = volumeSerial(root)) {
        device_ = *serial;
        valid_ = true;
    }
}

bool DriveBoundary::contains(const std::filesystem::path& folder) const {
    if (!valid_) {
        return false;
    }
    const auto serial = volumeSerial(folder);
    return serial && *serial == device_;
}

} // namespace platform
