#include "platform/SystemInfo.h"

#include <system_error>

namespace platform {

bool SystemInfo::isWindows7OrLower() {
    return false;
}

// Rendering DPI is a Windows process setting; Qt's own attributes cover Linux.
void SystemInfo::setDpiUnawareProcess() {}
void SystemInfo::setDpiUnawareThread() {}
void SystemInfo::setProcessDpiAware() {}

bool SystemInfo::setCurrentDirectory(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::current_path(dir, ec);
    return !ec;
}

std::filesystem::path SystemInfo::currentDirectory() {
    std::error_code ec;
    auto dir = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path() : dir;
}

} // namespace platform
