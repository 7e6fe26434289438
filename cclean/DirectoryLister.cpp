#include "DirectoryLister.h"

#include "IsFileLocked.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

DirectoryLister::DirectoryLister(const fs::path& dir) : dir_(dir), it_(dir, error_) {}

DirectoryLister::~DirectoryLister() = default;

bool DirectoryLister::isOpen() const {
    return !error_;
}

bool DirectoryLister::next(fs::path& child, Kind& kind) {
    if (started_) // step past the entry returned last time
        it_.increment(error_);
    started_ = true;
    for (; !error_ && it_ != fs::directory_iterator(); it_.increment(error_)) {
        std::error_code ec;
        const fs::file_status status = it_->symlink_status(ec);
        if (ec || fs::is_symlink(status))
            continue;
        if (fs::is_directory(status) || fs::is_regular_file(status)) {
            kind = fs::is_directory(status) ? Kind::Directory : Kind::RegularFile;
            child = current_ = it_->path();
            return true;
        }
    }
    return false;
}

std::optional<std::uint64_t> DirectoryLister::readableSize() const {
    std::error_code ec;
    if (!fs::is_regular_file(fs::symlink_status(current_, ec)) || IsFileLocked(current_))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(current_, ec);
    if (ec)
        return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

#else

DirectoryLister::DirectoryLister(const fs::path& dir) : dir_(dir) {
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    stream_ = ::fdopendir(fd);
    if (!stream_)
        ::close(fd);
}

DirectoryLister::~DirectoryLister() {
    if (stream_)
        ::closedir(stream_);
}

bool DirectoryLister::isOpen() const {
    return stream_ != nullptr;
}

bool DirectoryLister::next(fs::path& child, Kind& kind) {
    if (!stream_)
        return false;
    while (const dirent* entry = ::readdir(stream_)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(::dirfd(stream_), name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type != DT_DIR && type != DT_REG)
            continue;
        kind = type == DT_DIR ? Kind::Directory : Kind::RegularFile;
        name_ = name;
        child = dir_ / name_;
        return true;
    }
    return false;
}

std::optional<std::uint64_t> DirectoryLister::readableSize() const {
    if (!stream_ || name_.empty())
        return std::nullopt;
    // Measured without following a link planted after the listing; then asked whether
    // it may be opened for reading. access() answers that without opening, so a planted
    // FIFO cannot hang the worker, and it costs two system calls per file instead of the
    // open, fstat and close of a real opening.
    struct stat info {};
    if (::fstatat(::dirfd(stream_), name_.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode))
        return std::nullopt;
    if (::faccessat(::dirfd(stream_), name_.c_str(), R_OK, 0) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

#endif
