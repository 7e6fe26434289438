#include "platform/FileFacts.h"

#include "RegularFile.h"

namespace platform {

std::optional<FileIdentity> FileIdentity::read(const std::filesystem::path& path) {
    const RegularFile file(path, FILE_READ_ATTRIBUTES);
    if (!file.isOpen())
        return std::nullopt;
    return file.identity();
}

std::optional<FileFacts> FileFacts::read(const std::filesystem::path& path) {
    const RegularFile file(path, FILE_READ_ATTRIBUTES);
    if (!file.isOpen())
        return std::nullopt;
    return file.facts();
}

} // namespace platform
