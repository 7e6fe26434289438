#include "AtomicFile.h"

#include "TempFile.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

namespace platform {

int AtomicFile::write(const std::filesystem::path& path, const std::string& bytes) {
    std::error_code ec;
    std::filesystem::path target = path;
    if (std::filesystem::is_symlink(target, ec)) {
        const auto resolved = std::filesystem::weakly_canonical(target, ec);
        if (ec)
            return ec.value();
        target = resolved;
    }
    std::filesystem::create_directories(target.parent_path(), ec);
    if (ec)
        return ec.value();
    TempFile temp(target);
    if (temp.error() != 0)
        return temp.error();
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0)
        ::fchmod(temp.fd(), old.st_mode & 07777);
    if (int err = temp.writeAll(bytes.data(), bytes.size()))
        return err;
    if (int err = temp.sync())
        return err;
    if (int err = temp.close())
        return err;
    if (std::rename(temp.path().c_str(), target.c_str()) != 0)
        return errno;
    temp.keep();
    TempFile::syncFolder(target.parent_path());
    return 0;
}

} // namespace platform
