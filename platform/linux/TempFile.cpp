#include "TempFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

TempFile::TempFile(const std::filesystem::path& target) {
    // The hidden name must fit where the target's name fits, so long names are cut.
    const std::string base = target.filename().native().substr(0, 200);
    std::string name = (target.parent_path() / ("." + base)).native();
    name += ".merivane-XXXXXX";
    fd_ = ::mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    path_ = name;
}

TempFile::~TempFile() {
    close();
    if (!kept_ && !path_.empty())
        ::unlink(path_.c_str());
}

int TempFile::writeAll(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return 0;
}

int TempFile::sync() {
    return ::fsync(fd_) == 0 ? 0 : errno;
}

int TempFile::close() {
    if (fd_ < 0)
        return 0;
    const int result = ::close(fd_) == 0 ? 0 : errno;
    fd_ = -1;
    return result;
}

void TempFile::syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace platform
