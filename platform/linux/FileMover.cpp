#include "platform/FileMover.h"

#include "CrossDeviceMove.h"
#include "ErrnoMapping.h"
#include "NoReplaceRename.h"
#include "platform/WinError.h"

#include <cerrno>
#include <sys/stat.h>

namespace platform {

namespace {

bool entryExists(const std::filesystem::path& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

bool folderExists(const std::filesystem::path& folder) {
    struct stat info {};
    return ::stat(folder.empty() ? "." : folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Windows tells a missing file (2) from a missing folder on the way (3).
std::uint32_t missing(const std::filesystem::path& path) {
    return folderExists(path.parent_path()) ? ErrorFileNotFound : ErrorPathNotFound;
}

} // namespace

std::uint32_t FileMover::move(const std::filesystem::path& source,
                              const std::filesystem::path& destination,
                              const std::atomic<bool>* cancel) {
    if (source.empty() || destination.empty())
        return ErrorInvalidParameter;
    if (!entryExists(source))
        return errno == ENOENT ? missing(source) : ErrnoMapping::toWinError(errno);
    if (entryExists(destination))
        return ErrorAlreadyExists;
    if (!folderExists(destination.parent_path()))
        return ErrorPathNotFound;
    const int err = NoReplaceRename::rename(source, destination);
    if (err == EXDEV)
        return CrossDeviceMove(source, destination, cancel).run();
    return ErrnoMapping::toWinError(err);
}

} // namespace platform
