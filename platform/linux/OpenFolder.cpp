#include "OpenFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
}

OpenFolder::OpenFolder(const char* path) {
    opened(::open(path, folderFlags));
}

OpenFolder::~OpenFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool OpenFolder::enter(const char* name) {
    if (fd_ < 0)
        return false;
    const int next = ::openat(fd_, name, folderFlags);
    const int err = errno;
    ::close(fd_);
    errno = err;
    opened(next);
    return fd_ >= 0;
}

void OpenFolder::opened(int fd) {
    fd_ = fd;
    error_ = fd >= 0 ? 0 : errno;
}

} // namespace platform
