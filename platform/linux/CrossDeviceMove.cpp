#include "CrossDeviceMove.h"

#include "ErrnoMapping.h"
#include "NoReplaceRename.h"
#include "TempFile.h"
#include "platform/WinError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

constexpr std::size_t chunkSize = 1 << 20;

// Reads up to size bytes, fewer only at the end of the file; -1 on error.
ssize_t readFull(int fd, char* buffer, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

bool sameTime(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

struct FdCloser {
    int fd;
    ~FdCloser() {
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

CrossDeviceMove::CrossDeviceMove(const std::filesystem::path& source,
                                 const std::filesystem::path& destination,
                                 const std::atomic<bool>* cancel)
    : source_(source), destination_(destination), cancel_(cancel) {}

int CrossDeviceMove::copyInto(int in, int out) {
    if (before_.st_size > 0) {
        // Claim the space first, so a full disk fails before any data is written.
        const int err = ::posix_fallocate(out, 0, before_.st_size);
        if (err == ENOSPC || err == EDQUOT || err == EFBIG)
            return err;
    }
    std::vector<char> buffer(chunkSize);
    for (;;) {
        if (cancelled())
            return ECANCELED;
        const ssize_t n = readFull(in, buffer.data(), buffer.size());
        if (n < 0)
            return errno;
        if (n == 0)
            return 0;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w =
                ::write(out, buffer.data() + done, static_cast<std::size_t>(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            if (w < 0)
                return errno;
            done += w;
        }
    }
}

bool CrossDeviceMove::sameContent(int in, int out) {
    struct stat copied {};
    if (::fstat(out, &copied) != 0 || copied.st_size != before_.st_size)
        return false;
    if (::lseek(in, 0, SEEK_SET) != 0 || ::lseek(out, 0, SEEK_SET) != 0)
        return false;
    std::vector<char> a(chunkSize), b(chunkSize);
    for (;;) {
        if (cancelled())
            return false;
        const ssize_t na = readFull(in, a.data(), a.size());
        const ssize_t nb = readFull(out, b.data(), b.size());
        if (na < 0 || na != nb ||
            std::memcmp(a.data(), b.data(), static_cast<std::size_t>(na)) != 0)
            return false;
        if (na == 0)
            return true;
    }
}

bool CrossDeviceMove::sourceUnchanged(int in) const {
    struct stat now {
    }, named{};
    return ::fstat(in, &now) == 0 && ::lstat(source_.c_str(), &named) == 0 &&
           named.st_dev == before_.st_dev && named.st_ino == before_.st_ino &&
           now.st_size == before_.st_size && sameTime(now.st_mtim, before_.st_mtim);
}

std::uint32_t CrossDeviceMove::run() {
    struct stat own {};
    if (::lstat(source_.c_str(), &own) != 0)
        return ErrnoMapping::toWinError(errno);
    if (!S_ISREG(own.st_mode))
        return ErrorNotSameDevice; // folders, links and special files move within a drive only
    FdCloser in{::open(source_.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW)};
    if (in.fd < 0)
        return ErrnoMapping::toWinError(errno);
    if (::fstat(in.fd, &before_) != 0)
        return ErrnoMapping::toWinError(errno);
    if (!S_ISREG(before_.st_mode) || before_.st_ino != own.st_ino)
        return ErrorSharingViolation; // replaced between the two looks
    TempFile temp(destination_);
    if (temp.error() != 0)
        return ErrnoMapping::toWinError(temp.error());
    if (int err = copyInto(in.fd, temp.fd()))
        return ErrnoMapping::toWinError(err);
    ::fchmod(temp.fd(), before_.st_mode & 07777);
    const timespec times[2] = {before_.st_atim, before_.st_mtim};
    ::futimens(temp.fd(), times);
    if (int err = temp.sync())
        return ErrnoMapping::toWinError(err);
    if (!sameContent(in.fd, temp.fd()))
        return cancelled() ? ErrorOperationAborted : ErrorGenFailure;
    if (!sourceUnchanged(in.fd))
        return ErrorSharingViolation;
    struct stat copied {};
    ::fstat(temp.fd(), &copied);
    if (int err = temp.close())
        return ErrnoMapping::toWinError(err);
    if (int err = NoReplaceRename::rename(temp.path(), destination_))
        return ErrnoMapping::toWinError(err);
    temp.keep();
    TempFile::syncFolder(destination_.parent_path());
    if (::unlink(source_.c_str()) != 0) {
        // Keeping both copies would report a failed move that still used the space; undo
        // the copy so the source alone remains, as before the call.
        const int err = errno;
        struct stat published {};
        if (::lstat(destination_.c_str(), &published) == 0 && published.st_ino == copied.st_ino &&
            published.st_dev == copied.st_dev)
            ::unlink(destination_.c_str());
        return ErrnoMapping::toWinError(err);
    }
    TempFile::syncFolder(source_.parent_path());
    return ErrorSuccess;
}

} // namespace platform
