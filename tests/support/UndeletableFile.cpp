#include "UndeletableFile.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace fs = std::filesystem;

UndeletableFile::UndeletableFile(const fs::path& file) : file_(file) {
    if (::geteuid() != 0) {
        fs::permissions(file.parent_path(), fs::perms::owner_write, fs::perm_options::remove);
        ok_ = true;
        return;
    }
    ok_ = setImmutable(true);
}

UndeletableFile::~UndeletableFile() {
    if (::geteuid() != 0)
        fs::permissions(file_.parent_path(), fs::perms::owner_write, fs::perm_options::add);
    else if (ok_)
        setImmutable(false);
}

bool UndeletableFile::setImmutable(bool on) {
    const int fd = ::open(file_.c_str(), O_RDONLY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    return done;
}
