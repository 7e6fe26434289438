#include "platform/FileFacts.h"

#include "StatFacts.h"

#include <fcntl.h>

namespace platform {

std::optional<FileIdentity> FileIdentity::read(const std::filesystem::path& path) {
    const auto info = StatFacts::ofRegularFile(AT_FDCWD, path.c_str());
    if (!info)
        return std::nullopt;
    return StatFacts::identity(*info);
}

std::optional<FileFacts> FileFacts::read(const std::filesystem::path& path) {
    const auto info = StatFacts::ofRegularFile(AT_FDCWD, path.c_str());
    if (!info)
        return std::nullopt;
    return StatFacts::facts(*info);
}

} // namespace platform
