#include "platform/ConfinedFileRemover.h"

#include "ErrnoMapping.h"
#include "FolderSteps.h"
#include "OpenFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

ConfinedFileRemover::RemoveResult failed(std::uint32_t error) {
    ConfinedFileRemover::RemoveResult result;
    result.error = error;
    return result;
}

// A folder on the way that is gone, no folder or a link all mean the way the scan found
// is not there any more.
std::uint32_t folderError(int err) {
    return err == ENOENT || err == ENOTDIR || err == ELOOP ? ErrorPathNotFound
                                                           : ErrnoMapping::toWinError(err);
}

} // namespace

ConfinedFileRemover::RemoveResult ConfinedFileRemover::remove(const std::filesystem::path& root,
                                                              const std::filesystem::path& file) {
    const auto steps = FolderSteps::below(root, file);
    if (!steps)
        return failed(ErrorInvalidParameter);
    // Walk down from the root one open folder at a time, never through a link, and delete
    // relative to the last one: no folder swapped at any moment can redirect the deletion.
    OpenFolder folder(root.c_str());
    if (!folder.isOpen())
        return failed(folderError(folder.error()));
    for (const std::filesystem::path& step : *steps)
        if (!folder.enter(step.c_str()))
            return failed(folderError(folder.error()));
    const std::filesystem::path name = file.filename();
    struct stat info {};
    if (::fstatat(folder.fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return failed(ErrnoMapping::toWinError(errno));
    // Whatever stands there now is not the file the scan found.
    if (!S_ISREG(info.st_mode))
        return failed(ErrorFileNotFound);
    if (::unlinkat(folder.fd(), name.c_str(), 0) != 0)
        return failed(ErrnoMapping::toWinError(errno));
    RemoveResult result;
    result.freed = static_cast<std::uint64_t>(info.st_size);
    return result;
}

} // namespace platform
