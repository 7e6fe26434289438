#include "OpenFolder.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {
constexpr int folderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
}

OpenFolder::OpenFolder(const char* path) : fd_(::open(path, folderFlags)) {}

OpenFolder::~OpenFolder() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool OpenFolder::enter(const char* name) {
    const int next = fd_ >= 0 ? ::openat(fd_, name, folderFlags) : -1;
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = next;
    return fd_ >= 0;
}

} // namespace platform
