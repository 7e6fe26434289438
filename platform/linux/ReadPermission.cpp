#include "ReadPermission.h"

#include <unistd.h>

namespace platform {

bool ReadPermission::grantedByBits(const struct stat& info) {
    // A process of ours never changes its user.
    static const uid_t user = ::geteuid();
    return info.st_uid == user && (info.st_mode & S_IRUSR) != 0;
}

} // namespace platform
