#include "platform/FileMover.h"

#include "CrossVolumeMove.h"
#include "MoveError.h"

#include <windows.h>

namespace platform {

// A plain MoveFileExW without MOVEFILE_REPLACE_EXISTING is an atomic rename that never
// replaces anything. Across volumes MOVEFILE_COPY_ALLOWED is not used: it reports success
// when the source cannot be deleted afterwards, and an interrupted copy leaves a partial
// file under the final name. CrossVolumeMove does that case safely instead.
std::uint32_t FileMover::move(const std::filesystem::path& source,
                              const std::filesystem::path& destination,
                              const std::atomic<bool>* cancel) {
    if (source.empty() || destination.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    if (MoveFileExW(source.c_str(), destination.c_str(), 0)) {
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_NOT_SAME_DEVICE) {
        return MoveError::normalized(error);
    }
    return CrossVolumeMove::move(source, destination, cancel);
}

} // namespace platform
