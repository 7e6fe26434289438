#include "platform/ConfinedFileRemover.h"

#include "ErrnoMapping.h"
#include "FolderSteps.h"
#include "OpenFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <memory>
#include <string>
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

// Walks down from the root one open folder at a time, never through a link; nothing (and
// `error` set) when the way is not there any more.
std::unique_ptr<OpenFolder> walkDown(const std::filesystem::path& root,
                                     const std::filesystem::path& file, std::uint32_t& error) {
    const auto steps = FolderSteps::below(root, file);
    if (!steps) {
        error = ErrorInvalidParameter;
        return nullptr;
    }
    auto folder = std::make_unique<OpenFolder>(root.c_str());
    if (!folder->isOpen()) {
        error = folderError(folder->error());
        return nullptr;
    }
    for (const std::filesystem::path& step : *steps) {
        if (!folder->enter(step.c_str())) {
            error = folderError(folder->error());
            return nullptr;
        }
    }
    return folder;
}

// Deletes `name` relative to the open folder: no folder swapped at any moment can redirect
// the deletion.
ConfinedFileRemover::RemoveResult removeIn(const OpenFolder& folder, const char* name) {
    struct stat info {};
    if (::fstatat(folder.fd(), name, &info, AT_SYMLINK_NOFOLLOW) != 0)
        return failed(ErrnoMapping::toWinError(errno));
    // Whatever stands there now is not the file the scan found.
    if (!S_ISREG(info.st_mode))
        return failed(ErrorFileNotFound);
    if (::unlinkat(folder.fd(), name, 0) != 0)
        return failed(ErrnoMapping::toWinError(errno));
    ConfinedFileRemover::RemoveResult result;
    result.freed = static_cast<std::uint64_t>(info.st_size);
    return result;
}

} // namespace

// The folder of the last file, as reached from its root, and the spelling of both.
struct ConfinedFileRemover::Held {
    std::string root;
    std::string folder;
    std::unique_ptr<OpenFolder> open;
};

ConfinedFileRemover::ConfinedFileRemover() = default;
ConfinedFileRemover::~ConfinedFileRemover() = default;

ConfinedFileRemover::RemoveResult ConfinedFileRemover::remove(const std::filesystem::path& root,
                                                              const std::filesystem::path& file) {
    return ConfinedFileRemover().removeNext(root, file.native());
}

ConfinedFileRemover::RemoveResult ConfinedFileRemover::removeNext(const std::filesystem::path& root,
                                                                  const std::string& spelled) {
    const std::size_t slash = spelled.rfind('/');
    if (slash == std::string::npos || slash + 1 == spelled.size())
        return failed(ErrorInvalidParameter);
    const std::string name = spelled.substr(slash + 1);
    // The same folder spelled the same way below the same root was reached the same way.
    if (!held_ || held_->root != root.native() ||
        held_->folder.compare(0, std::string::npos, spelled, 0, slash) != 0) {
        held_.reset();
        std::uint32_t error = ErrorSuccess;
        std::unique_ptr<OpenFolder> folder = walkDown(root, spelled, error);
        if (!folder)
            return failed(error);
        held_ = std::make_unique<Held>(
            Held{root.native(), spelled.substr(0, slash), std::move(folder)});
    }
    return removeIn(*held_->open, name.c_str());
}

} // namespace platform
