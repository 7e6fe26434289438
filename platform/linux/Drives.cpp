#include "platform/Drives.h"

#include "DriveMap.h"
#include "Utf8.h"

#include <sys/statvfs.h>

namespace platform {

namespace {

std::vector<std::string> components(const std::string& text) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : text) {
        if (c == '\\' || c == '/') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

// Windows resolves "." and ".." by name and never climbs above the drive root; the
// mapped folder must not be escaped either.
std::filesystem::path underRoot(const std::filesystem::path& root, const std::string& rest) {
    std::vector<std::string> kept;
    for (auto& part : components(rest)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
            continue;
        }
        kept.push_back(part);
    }
    std::filesystem::path result = root;
    for (auto& part : kept)
        result /= part;
    return result;
}

bool isUnder(const std::string& path, const std::string& folder) {
    if (folder == "/")
        return !path.empty() && path[0] == '/';
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

} // namespace

std::vector<std::string> Drives::logicalDriveRoots() {
    std::vector<std::string> roots;
    for (const auto& drive : DriveMap::current())
        roots.push_back(std::string(1, drive.letter) + ":\\");
    return roots;
}

DriveType Drives::driveType(const std::string& root) {
    const auto letter = DriveMap::letterOfRoot(root);
    const auto drive = letter ? DriveMap::find(*letter) : std::nullopt;
    return drive ? drive->type : DriveType::NoRootDir;
}

std::optional<DiskSpace> Drives::diskSpace(const std::string& root) {
    const auto letter = DriveMap::letterOfRoot(root);
    const auto drive = letter ? DriveMap::find(*letter) : std::nullopt;
    struct statvfs info {};
    if (!drive || ::statvfs(drive->folder.c_str(), &info) != 0)
        return std::nullopt;
    DiskSpace space;
    space.total = static_cast<std::uint64_t>(info.f_blocks) * info.f_frsize;
    space.free = static_cast<std::uint64_t>(info.f_bavail) * info.f_frsize;
    space.totalFree = static_cast<std::uint64_t>(info.f_bfree) * info.f_frsize;
    return space;
}

std::optional<DiskSpace> Drives::storageOf(const std::string& drive) {
    return diskSpace(drive);
}

std::filesystem::path Drives::toNativePath(const std::string& windowsPath) {
    const bool hasDrive = windowsPath.size() >= 2 && windowsPath[1] == ':' &&
                          DriveMap::letterOfRoot(windowsPath.substr(0, 2)).has_value();
    if (!hasDrive) {
        std::string native = windowsPath;
        for (char& c : native)
            if (c == '\\')
                c = '/';
        return native;
    }
    const auto drive = DriveMap::find(windowsPath[0]);
    if (!drive)
        return {};
    return underRoot(drive->folder, windowsPath.substr(2));
}

std::string Drives::toWindowsPath(const std::filesystem::path& native) {
    const std::string& text = native.native();
    const DriveMap::Drive* best = nullptr;
    const auto drives = DriveMap::current();
    for (const auto& drive : drives)
        if (isUnder(text, drive.folder.native()) &&
            (best == nullptr || drive.folder.native().size() > best->folder.native().size()))
            best = &drive;
    if (best == nullptr)
        return Utf8::sanitized(text);
    std::string windows = std::string(1, best->letter) + ":";
    const std::string& folder = best->folder.native();
    for (auto& part : components(text.substr(folder == "/" ? 0 : folder.size())))
        windows += "\\" + part;
    if (windows.size() == 2)
        windows += "\\";
    return Utf8::sanitized(windows);
}

} // namespace platform
