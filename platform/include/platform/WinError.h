#pragma once

#include <cstdint>

namespace platform {

// Windows error codes, used by both backends so that logs read alike everywhere.
enum WinError : std::uint32_t {
    ErrorSuccess = 0,
    ErrorFileNotFound = 2,
    ErrorPathNotFound = 3,
    ErrorAccessDenied = 5,
    ErrorNotSameDevice = 17,
    ErrorWriteProtect = 19,
    ErrorCrc = 23,
    ErrorWriteFault = 29,
    ErrorReadFault = 30,
    ErrorSharingViolation = 32,
    ErrorHandleDiskFull = 39,
    ErrorInvalidParameter = 87,
    ErrorDiskFull = 112,
    ErrorAlreadyExists = 183,
    ErrorBadPathname = 161,
    ErrorFilenameExcedRange = 206,
    ErrorFileTooLarge = 223,
    ErrorOperationAborted = 995,
    ErrorRegistryCorrupt = 1015,
    ErrorKeyDeleted = 1018,
    ErrorNoUnicodeTranslation = 1113,
    ErrorIoDevice = 1117,
    ErrorGenFailure = 31,
};

} // namespace platform
