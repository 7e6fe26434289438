#include "ErrnoMapping.h"

#include "platform/WinError.h"

#include <cerrno>

namespace platform {

std::uint32_t ErrnoMapping::toWinError(int err) {
    switch (err) {
    case 0:
        return ErrorSuccess;
    case ENOENT:
        return ErrorFileNotFound;
    case ENOTDIR:
    case ELOOP:
        return ErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
        return ErrorAccessDenied;
    case EROFS:
        return ErrorWriteProtect;
    case EIO:
        return ErrorIoDevice;
    case EXDEV:
        return ErrorNotSameDevice;
    case EBUSY:
    case ETXTBSY:
        return ErrorSharingViolation;
    case ENOSPC:
    case EDQUOT:
        return ErrorDiskFull;
    case EEXIST:
    case ENOTEMPTY:
        return ErrorAlreadyExists;
    case ENAMETOOLONG:
        return ErrorFilenameExcedRange;
    case EFBIG:
        return ErrorFileTooLarge;
    case EINVAL:
        return ErrorInvalidParameter;
    case ECANCELED:
        return ErrorOperationAborted;
    default:
        return ErrorGenFailure;
    }
}

} // namespace platform
