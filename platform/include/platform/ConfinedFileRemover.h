#pragma once

#include "platform/WinError.h"

#include <cstdint>
#include <filesystem>
#include <memory>

namespace platform {

// Deletes a file found by a scan, but only while it is still a regular file reached from
// the folder it was found in without passing a link: every folder from `root` down to the
// file is opened in turn and refused when it is a link (Windows: any reparse point), and
// stays open while the file is deleted. A folder swapped for a link after the scan
// therefore cannot lead a clean anywhere else, and a link is never deleted itself.
class ConfinedFileRemover {
public:
    struct RemoveResult {
        std::uint64_t freed = 0;            // bytes of the removed file
        std::uint32_t error = ErrorSuccess; // a WinError code; ErrorSuccess when removed
        bool removed() const { return error == ErrorSuccess; }
    };

    // `root` is the folder the file was found in, as resolved when the scan started; `file`
    // must lie lexically below it (else ErrorInvalidParameter). A folder on the way that is
    // missing, no folder or a link gives ErrorPathNotFound; a file that is gone, or is no
    // longer a regular file, ErrorFileNotFound. Otherwise the system's reason, such as
    // ErrorAccessDenied, ErrorSharingViolation, ErrorWriteProtect or ErrorIoDevice.
    static RemoveResult remove(const std::filesystem::path& root,
                               const std::filesystem::path& file);

    // One remover per thread that deletes many files: it may keep the folder of the last
    // file open (Linux), so the next file of that folder, reached by the same way from the
    // same root, is deleted without walking down again. The folder held is the one the
    // walk reached without a link; the checks on the file itself are made every time.
    ConfinedFileRemover();
    ~ConfinedFileRemover();
    ConfinedFileRemover(const ConfinedFileRemover&) = delete;
    ConfinedFileRemover& operator=(const ConfinedFileRemover&) = delete;
    // As remove(), for a file spelled as the system spells it.
    RemoveResult removeNext(const std::filesystem::path& root,
                            const std::filesystem::path::string_type& file);

private:
    struct Held;
    std::unique_ptr<Held> held_;
};

} // namespace platform
