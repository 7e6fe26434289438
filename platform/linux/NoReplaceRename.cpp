#include "NoReplaceRename.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

int NoReplaceRename::rename(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    const int err = errno;
    if (err != EINVAL && err != ENOSYS && err != EOPNOTSUPP)
        return err;
    // The file system cannot rename without replacing; a hard link also refuses an
    // existing name.
    if (::link(from.c_str(), to.c_str()) != 0)
        return errno;
    if (::unlink(from.c_str()) == 0)
        return 0;
    const int unlinkErr = errno;
    ::unlink(to.c_str());
    return unlinkErr;
}

} // namespace platform
