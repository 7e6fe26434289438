#pragma once

#include "UniqueHandle.h"

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
    std::uint64_t size() const { return size_; }
    // Closes now; false when closing failed.
    bool close() { return handle_.reset(); }

private:
    UniqueHandle handle_;
    std::uint64_t size_ = 0;
};

} // namespace platform
