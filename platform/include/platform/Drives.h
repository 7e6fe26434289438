#pragma once

#include "platform/FileFacts.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Values match Windows' DRIVE_* constants.
enum class DriveType : unsigned {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct DiskSpace {
    std::uint64_t total = 0;
    std::uint64_t free = 0;      // free for the caller (quotas applied)
    std::uint64_t totalFree = 0; // every free byte, those reserved for the system included
};

// Logical drives and Windows path translation.
//
// Linux stand-in: C: is "/" and the other local read-write block-device file systems
// become D:, E:, ... sorted by mount point. MERIVANE_DRIVES overrides the whole map:
// "C=/tmp/x/c;D=/tmp/x/d" (drive letter, "=", folder; ";" between drives). Overridden
// drives are Fixed.
class Drives {
public:
    // Roots such as "C:\", in drive-letter order.
    static std::vector<std::string> logicalDriveRoots();
    static DriveType driveType(const std::string& root);
    static std::optional<DiskSpace> diskSpace(const std::string& root);
    // The storage query for a drive ("C:" or "C:\"): nothing when the drive is unknown
    // or not ready.
    static std::optional<DiskSpace> storageOf(const std::string& drive);

    // "C:\Windows\Temp" -> the native folder. A path without a drive letter is taken as
    // native already; "\" joins are separators either way. "." and ".." never lead above
    // the drive's folder. An unknown drive gives an empty path. Windows: the path itself,
    // with "C:" read as "C:\" and trailing separators dropped.
    static std::filesystem::path toNativePath(const std::string& windowsPath);
    // The inverse for display and logs: a native path under a mapped drive becomes
    // "D:\Data\x.zip"; anything else keeps its native spelling. Never throws, whatever
    // bytes the name holds.
    static std::string toWindowsPath(const std::filesystem::path& native);
};

// Tells whether a folder is still on the drive a walk started on, so a walk never
// crosses into another file system (Linux: /proc, other mounts; Windows: mounted
// volumes in folders).
class DriveBoundary {
public:
    explicit DriveBoundary(const std::filesystem::path& root);
    bool isValid() const { return valid_; }
    // False when the folder cannot be examined or lies on another file system.
    bool contains(const std::filesystem::path& folder) const;
    // Whether the file or folder of that identity lies on this drive; asks the system
    // nothing, for a walk that has the identity already.
    bool contains(const FileIdentity& entry) const { return valid_ && entry.volume == device_; }

private:
    bool valid_ = false;
    std::uint64_t device_ = 0; // what FileIdentity::volume holds on this platform
};

} // namespace platform
