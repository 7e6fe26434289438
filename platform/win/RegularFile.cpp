#include "RegularFile.h"

namespace platform {

namespace {

constexpr DWORD notRegular = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;

std::uint64_t joined(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

} // namespace

RegularFile::RegularFile(const std::filesystem::path& path, DWORD access)
    : handle_(CreateFileW(path.c_str(), access,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr)) {
    const DWORD openError = handle_.isValid() ? ERROR_SUCCESS : GetLastError();
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = handle_.isValid() && GetFileInformationByHandle(handle_.get(), &info);
    const DWORD infoError = handle_.isValid() && !known ? GetLastError() : openError;
    // Asked by path as well for Wine, which opens what a Linux link points to and shows
    // the link as a reparse point only there. A folder or link that could not be opened
    // as a file (access denied) is just as much not the file looked for.
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & notRegular)) {
        error_ = ERROR_FILE_NOT_FOUND;
    } else if (!known) {
        error_ = infoError;
    } else if ((info.dwFileAttributes & notRegular) || attributes == INVALID_FILE_ATTRIBUTES) {
        error_ = ERROR_FILE_NOT_FOUND;
    }
    if (error_ != ERROR_SUCCESS) {
        handle_.reset();
        return;
    }
    facts_ = factsOf(info.nFileSizeHigh, info.nFileSizeLow, info.ftLastWriteTime);
    identity_.volume = info.dwVolumeSerialNumber;
    identity_.file = joined(info.nFileIndexHigh, info.nFileIndexLow);
}

FileFacts RegularFile::factsOf(DWORD sizeHigh, DWORD sizeLow, const FILETIME& lastWrite) {
    FileFacts facts;
    facts.size = joined(sizeHigh, sizeLow);
    facts.modified =
        static_cast<std::int64_t>(joined(lastWrite.dwHighDateTime, lastWrite.dwLowDateTime));
    return facts;
}

} // namespace platform
