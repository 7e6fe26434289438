#pragma once

#include "UniqueHandle.h"
#include "platform/FileFacts.h"

#include <cstdint>
#include <filesystem>

namespace platform {

// A regular file opened itself, never what a link or junction there points to; all sharing
// is granted, so only a program that denies it keeps the file from being opened.
class RegularFile {
public:
    // Opens `path` with `access`; not open when it cannot be, or is a folder or reparse
    // point.
    RegularFile(const std::filesystem::path& path, DWORD access);

    bool isOpen() const { return handle_.isValid(); }
    HANDLE handle() const { return handle_.get(); }
    // Why it is not open: ERROR_FILE_NOT_FOUND when nothing or no regular file is there,
    // else the system's code (sharing violation, access denied...).
    DWORD error() const { return error_; }
    std::uint64_t size() const { return facts_.size; }
    const FileFacts& facts() const { return facts_; }
    const FileIdentity& identity() const { return identity_; }
    // Closes now; false when closing failed.
    bool close() { return handle_.reset(); }

    // The facts as Windows hands them out, in a handle's information or a find's data.
    static FileFacts factsOf(DWORD sizeHigh, DWORD sizeLow, const FILETIME& lastWrite);

private:
    UniqueHandle handle_;
    DWORD error_ = ERROR_SUCCESS;
    FileFacts facts_;
    FileIdentity identity_;
};

} // namespace platform
