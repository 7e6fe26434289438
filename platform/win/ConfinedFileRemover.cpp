#include "platform/ConfinedFileRemover.h"

#include "FolderSteps.h"
#include "OpenFolderChain.h"
#include "RegularFile.h"

namespace platform {

namespace {

ConfinedFileRemover::RemoveResult failed(DWORD error) {
    ConfinedFileRemover::RemoveResult result;
    // A failure always says why, even when the system forgot to.
    result.error = error != ERROR_SUCCESS ? error : static_cast<DWORD>(ErrorGenFailure);
    return result;
}

} // namespace

ConfinedFileRemover::RemoveResult ConfinedFileRemover::remove(const std::filesystem::path& root,
                                                              const std::filesystem::path& file) {
    // Every folder from the root down stays open, none a reparse point, until the file is
    // gone: no folder can be swapped for a junction in the meantime.
    const auto steps = FolderSteps::below(root, file);
    if (!steps)
        return failed(ErrorInvalidParameter);
    OpenFolderChain chain;
    if (!chain.start(root))
        return failed(chain.error());
    for (const std::filesystem::path& step : *steps)
        if (!chain.enter(step))
            return failed(chain.error());
    // Deleted through this very handle, so the file checked is the file deleted.
    RegularFile target(chain.path() / file.filename(), DELETE | FILE_READ_ATTRIBUTES);
    if (!target.isOpen())
        return failed(target.error());
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(target.handle(), FileDispositionInfo, &disposition,
                                    sizeof disposition))
        return failed(GetLastError());
    // The file goes when its last handle closes.
    if (!target.close())
        return failed(GetLastError());
    RemoveResult result;
    result.freed = target.size();
    return result;
}

// Each file walks down on its own here: a folder handle held open between files would keep
// the user from renaming or deleting that folder meanwhile.
struct ConfinedFileRemover::Held {};

ConfinedFileRemover::ConfinedFileRemover() = default;
ConfinedFileRemover::~ConfinedFileRemover() = default;

ConfinedFileRemover::RemoveResult
ConfinedFileRemover::removeNext(const std::filesystem::path& root,
                                const std::filesystem::path::string_type& file) {
    return remove(root, std::filesystem::path(file));
}

} // namespace platform
