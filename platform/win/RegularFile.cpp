#include "RegularFile.h"

namespace platform {

namespace {
constexpr DWORD notRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
}

RegularFile::RegularFile(const std::filesystem::path& path, DWORD access)
    : handle_(CreateFileW(path.c_str(), access,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {
    BY_HANDLE_FILE_INFORMATION info{};
    // Asked by path as well for Wine, which opens what a Linux link points to and shows
    // the link as a reparse point only there.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (!handle_.isValid() || !GetFileInformationByHandle(handle_.get(), &info) ||
        (info.dwFileAttributes & notRegular) || attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & notRegular)) {
        handle_.reset();
        return;
    }
    size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
}

} // namespace platform
