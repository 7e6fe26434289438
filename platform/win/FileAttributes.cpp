#include "platform/FileAttributes.h"

#include <windows.h>

namespace platform {

std::optional<FileAttributes> FileAttributes::read(const std::filesystem::path& path) {
    const DWORD bits = GetFileAttributesW(path.c_str());
    if (bits == INVALID_FILE_ATTRIBUTES) {
        return std::nullopt;
    }
    FileAttributes attributes;
    attributes.hidden = (bits & FILE_ATTRIBUTE_HIDDEN) != 0;
    attributes.system = (bits & FILE_ATTRIBUTE_SYSTEM) != 0;
    attributes.directory = (bits & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return attributes;
}

} // namespace platform
