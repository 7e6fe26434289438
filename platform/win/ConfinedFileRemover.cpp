#include "platform/ConfinedFileRemover.h"

#include "FolderSteps.h"
#include "OpenFolderChain.h"
#include "RegularFile.h"

namespace platform {

std::optional<std::uint64_t> ConfinedFileRemover::remove(const std::filesystem::path& root,
                                                         const std::filesystem::path& file) {
    // Every folder from the root down stays open, none a reparse point, until the file is
    // gone: no folder can be swapped for a junction in the meantime.
    const auto steps = FolderSteps::below(root, file);
    OpenFolderChain chain;
    if (!steps || !chain.start(root))
        return std::nullopt;
    for (const std::filesystem::path& step : *steps)
        if (!chain.enter(step))
            return std::nullopt;
    // Deleted through this very handle, so the file checked is the file deleted.
    RegularFile target(chain.path() / file.filename(), DELETE | FILE_READ_ATTRIBUTES);
    if (!target.isOpen())
        return std::nullopt;
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!SetFileInformationByHandle(target.handle(), FileDispositionInfo, &disposition,
                                    sizeof disposition))
        return std::nullopt;
    // The file goes when its last handle closes.
    if (!target.close())
        return std::nullopt;
    return target.size();
}

} // namespace platform
