#pragma once

#include <filesystem>
#include <string>

namespace platform {

// A new file with a unique hidden name beside a target, removed again unless kept, so a
// failed write never leaves a partial file behind.
class TempFile {
public:
    explicit TempFile(const std::filesystem::path& target);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    // errno of the creation, 0 when the file exists.
    int error() const { return error_; }
    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }

    // Each returns errno, 0 on success.
    int writeAll(const char* data, std::size_t size);
    int sync();
    int close();
    // The file was renamed into place: nothing to remove.
    void keep() { kept_ = true; }

    // Makes a rename or link in this folder durable.
    static void syncFolder(const std::filesystem::path& folder);

private:
    std::filesystem::path path_;
    int fd_ = -1;
    int error_ = 0;
    bool kept_ = false;
};

} // namespace platform
