#include "platform/ConfinedFileRemover.h"

#include "FolderSteps.h"
#include "OpenFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

RemoveResult ConfinedFileRemover::remove(const std::filesystem::path& root,
                                                         const std::filesystem::path& file) {
    const auto steps = FolderSteps::below(root, file);
    if (!steps)
        return {0, ErrorFileNotFound};
    // Walk down from the root one open folder at a time, never through a link, and delete
    // relative to the last one: no folder swapped at any moment can redirect the deletion.
    OpenFolder folder(root.c_str());
    if (!folder.isOpen())
        return {0, ErrorFileNotFound};
    for (const std::filesystem::path& step : *steps)
        if (!folder.enter(step.c_str()))
            return {0, ErrorFileNotFound};
    const std::filesystem::path name = file.filename();
    struct stat info {};
    if (::fstatat(folder.fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode))
        return {0, ErrorFileNotFound};
    if (::unlinkat(folder.fd(), name.c_str(), 0) != 0)
        return {0, ErrorFileNotFound};
    return {static_cast<std::uint64_t>(info.st_size), ErrorSuccess};
}

} // namespace platform
