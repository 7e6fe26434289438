#pragma once

#include <sys/stat.h>

namespace platform {

// Whether a file's permission bits alone show that this process may read it: a scan asks
// this of every file, and access() would cost a path lookup each. Only the owner class is
// exact, since an ACL's owner entry is the owner bits; for anyone else the group bits may
// be an ACL's mask and a named-user or named-group entry may refuse what the group and
// other bits grant. So true means readable for a file of the process's own user whose
// owner bits grant reading, and false means only the kernel can say: the caller asks it.
class ReadPermission {
public:
    static bool grantedByBits(const struct stat& info);
};

} // namespace platform
