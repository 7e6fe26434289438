#include "platform/FileAttributes.h"

#include <sys/stat.h>

namespace platform {

std::optional<FileAttributes> FileAttributes::read(const std::filesystem::path& path) {
    struct stat own {};
    if (::lstat(path.c_str(), &own) != 0)
        return std::nullopt;
    FileAttributes attributes;
    const std::string name = path.filename().native();
    attributes.hidden = name.size() > 1 && name[0] == '.' && name != "..";
    struct stat target {};
    // A link to a folder reports the folder attribute, as a Windows junction does.
    attributes.directory =
        S_ISDIR(own.st_mode) ||
        (S_ISLNK(own.st_mode) && ::stat(path.c_str(), &target) == 0 && S_ISDIR(target.st_mode));
    return attributes;
}

} // namespace platform
