#include "ReadPermission.h"

#include <algorithm>
#include <unistd.h>
#include <vector>

namespace platform {

namespace {

// The ids access is judged by; a process of ours never changes them.
struct Identity {
    uid_t user = ::geteuid();
    gid_t group = ::getegid();
    std::vector<gid_t> groups;

    Identity() {
        const int count = ::getgroups(0, nullptr);
        if (count > 0) {
            groups.resize(static_cast<std::size_t>(count));
            groups.resize(static_cast<std::size_t>(std::max(0, ::getgroups(count, groups.data()))));
        }
    }
    bool inGroup(gid_t gid) const {
        return gid == group || std::find(groups.begin(), groups.end(), gid) != groups.end();
    }
};

const Identity& identity() {
    static const Identity ids;
    return ids;
}

} // namespace

bool ReadPermission::grantedByBits(const struct stat& info) {
    const Identity& ids = identity();
    // The kernel checks one class only: the owner's bits for the owner, and so on.
    if (info.st_uid == ids.user)
        return (info.st_mode & S_IRUSR) != 0;
    if (ids.inGroup(info.st_gid))
        return (info.st_mode & S_IRGRP) != 0;
    return (info.st_mode & S_IROTH) != 0;
}

} // namespace platform
