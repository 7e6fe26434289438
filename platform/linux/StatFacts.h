#pragma once

#include "platform/FileFacts.h"

#include <optional>
#include <sys/stat.h>

namespace platform {

// File facts as a stat of the file itself gives them.
class StatFacts {
public:
    // fstatat of `name` in the folder `dirFd` (or AT_FDCWD) without following a link;
    // nothing unless it is a regular file.
    static std::optional<struct stat> ofRegularFile(int dirFd, const char* name);
    static FileFacts facts(const struct stat& info);
    static FileIdentity identity(const struct stat& info);
};

} // namespace platform
