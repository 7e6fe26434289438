#include "OpenFolderChain.h"

namespace platform {

namespace {

// Asked by path as well: Wine opens what a Linux link points to even so, and shows the link
// as a reparse point only here. Once the folder is held it cannot be swapped, so the path
// still names the folder the handle holds.
bool isReparsePoint(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

} // namespace

bool OpenFolderChain::start(const std::filesystem::path& folder) {
    handles_.clear();
    path_.clear();
    return hold(folder);
}

bool OpenFolderChain::enter(const std::filesystem::path& name) {
    return !handles_.empty() && hold(path_ / name);
}

bool OpenFolderChain::hold(const std::filesystem::path& folder) {
    // Backup semantics open a folder; open-reparse-point opens a junction or link itself
    // instead of its target, so it can be recognised and refused.
    const UniqueHandle& handle = handles_.emplace_back(CreateFileW(
        folder.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!handle.isValid() || !GetFileInformationByHandle(handle.get(), &info)) {
        const DWORD error = GetLastError();
        error_ = error == ERROR_FILE_NOT_FOUND ? ERROR_PATH_NOT_FOUND : error;
        handles_.pop_back();
        return false;
    }
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) || isReparsePoint(folder)) {
        error_ = ERROR_PATH_NOT_FOUND;
        handles_.pop_back();
        return false;
    }
    error_ = ERROR_SUCCESS;
    path_ = folder;
    identity_.volume = info.dwVolumeSerialNumber;
    identity_.file = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return true;
}

} // namespace platform
