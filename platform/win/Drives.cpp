#include "platform/Drives.h"

#include "platform/PathText.h"

#include <windows.h>

namespace platform {

namespace {

// "C:", "c:\" and "C:/" all name the root "C:\"; anything else is passed on as given.
std::string rootOf(const std::string& drive) {
    if (drive.size() >= 2 && drive[1] == ':' &&
        (drive.size() == 2 || (drive.size() == 3 && (drive[2] == '\\' || drive[2] == '/')))) {
        return std::string(1, drive[0]) + ":\\";
    }
    return drive;
}

} // namespace

std::vector<std::string> Drives::logicalDriveRoots() {
    // The list grows only when drives appear between the two calls, so retry until it fits.
    std::string buffer(256, '\0');
    for (;;) {
        const DWORD length =
            GetLogicalDriveStringsA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            buffer.resize(length);
            break;
        }
        buffer.resize(length + 1);
    }
    std::vector<std::string> roots;
    std::size_t start = 0;
    while (start < buffer.size()) {
        const std::size_t end = buffer.find('\0', start);
        const std::size_t stop = end == std::string::npos ? buffer.size() : end;
        if (stop > start) {
            roots.push_back(buffer.substr(start, stop - start));
        }
        start = stop + 1;
    }
    return roots;
}

DriveType Drives::driveType(const std::string& root) {
    return static_cast<DriveType>(GetDriveTypeA(rootOf(root).c_str()));
}

std::optional<DiskSpace> Drives::diskSpace(const std::string& root) {
    ULARGE_INTEGER availableToCaller{};
    ULARGE_INTEGER total{};
    ULARGE_INTEGER totalFree{};
    if (!GetDiskFreeSpaceExA(rootOf(root).c_str(), &availableToCaller, &total, &totalFree)) {
        return std::nullopt;
    }
    DiskSpace space;
    space.total = total.QuadPart;
    space.free = availableToCaller.QuadPart;
    space.totalFree = totalFree.QuadPart;
    return space;
}

std::optional<DiskSpace> Drives::storageOf(const std::string& drive) {
    const std::string root = rootOf(drive);
    const UINT type = GetDriveTypeA(root.c_str());
    if (type == DRIVE_UNKNOWN || type == DRIVE_NO_ROOT_DIR) {
        return std::nullopt;
    }
    // A drive without a medium (an empty card reader) fails here: not ready.
    return diskSpace(root);
}

std::filesystem::path Drives::toNativePath(const std::string& windowsPath) {
    std::wstring path = PathText::fromUtf8(windowsPath).native();
    // "C:" alone means the drive, not the current folder on it.
    if (path.size() == 2 && path[1] == L':') {
        path += L'\\';
    }
    // "D:\Data\" is the folder D:\Data; a root keeps its separator.
    while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/') &&
           !(path.size() == 3 && path[1] == L':')) {
        path.pop_back();
    }
    return path;
}

std::string Drives::toWindowsPath(const std::filesystem::path& native) {
    return PathText::toDisplayUtf8(native);
}

} // namespace platform
