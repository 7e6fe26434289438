#pragma once

#include <sys/stat.h>

namespace platform {

// Whether a file's permission bits let this process read it, judged from its stat alone:
// a scan asks this of every file, and access() would cost a system call each. The bits
// settle it when they grant reading to the process's owner, group or other class; when
// they do not, only the kernel can say (an ACL may still grant it), so the caller asks.
class ReadPermission {
public:
    static bool grantedByBits(const struct stat& info);
};

} // namespace platform
