#include "StatFacts.h"

#include <fcntl.h>
#include <limits>

namespace platform {

namespace {

constexpr std::int64_t ticksPerSecond = 10'000'000;
// Seconds from 1601-01-01, where FILETIME counts from, to 1970-01-01.
constexpr std::int64_t secondsTo1970 = 11'644'473'600;

// A time far outside what FILETIME holds is clamped rather than wrapped around.
std::int64_t fileTime(const timespec& time) {
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / ticksPerSecond;
    const std::int64_t seconds = static_cast<std::int64_t>(time.tv_sec) + secondsTo1970;
    if (seconds >= limit)
        return std::numeric_limits<std::int64_t>::max();
    if (seconds <= -limit)
        return std::numeric_limits<std::int64_t>::min();
    return seconds * ticksPerSecond + time.tv_nsec / 100;
}

} // namespace

std::optional<struct stat> StatFacts::ofRegularFile(int dirFd, const char* name) {
    struct stat info {};
    if (::fstatat(dirFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info;
}

FileFacts StatFacts::facts(const struct stat& info) {
    FileFacts facts;
    facts.size = static_cast<std::uint64_t>(info.st_size);
    facts.modified = fileTime(info.st_mtim);
    return facts;
}

FileIdentity StatFacts::identity(const struct stat& info) {
    FileIdentity identity;
    identity.volume = static_cast<std::uint64_t>(info.st_dev);
    identity.file = static_cast<std::uint64_t>(info.st_ino);
    return identity;
}

} // namespace platform
