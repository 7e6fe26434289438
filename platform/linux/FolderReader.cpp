#include "platform/FolderReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

// Everything after the opening is done relative to the open folder: no link can be
// followed by a path walk, and each file costs no path walk either.
struct FolderReader::Impl {
    std::filesystem::path folder;
    DIR* stream = nullptr;
    std::string name; // of the entry returned last

    ~Impl() {
        if (stream)
            ::closedir(stream);
    }
};

FolderReader::FolderReader(const std::filesystem::path& folder) : impl_(new Impl) {
    impl_->folder = folder;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    impl_->stream = ::fdopendir(fd);
    if (!impl_->stream)
        ::close(fd);
}

FolderReader::~FolderReader() = default;

bool FolderReader::isOpen() const {
    return impl_->stream != nullptr;
}

bool FolderReader::next(std::filesystem::path& child, Kind& kind) {
    if (!impl_->stream)
        return false;
    while (const dirent* entry = ::readdir(impl_->stream)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        unsigned char type = entry->d_type;
        if (type == DT_UNKNOWN) {
            struct stat info {};
            if (::fstatat(::dirfd(impl_->stream), name, &info, AT_SYMLINK_NOFOLLOW) != 0)
                continue;
            type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
        }
        if (type != DT_DIR && type != DT_REG)
            continue;
        kind = type == DT_DIR ? Kind::Folder : Kind::RegularFile;
        impl_->name = name;
        child = impl_->folder / impl_->name;
        return true;
    }
    return false;
}

std::optional<std::uint64_t> FolderReader::readableSize() const {
    if (!impl_->stream || impl_->name.empty())
        return std::nullopt;
    // Measured without following a link planted after the listing; then asked whether it
    // may be opened for reading. access() answers that without opening, so a planted FIFO
    // cannot hang the worker, and it costs two system calls per file instead of the open,
    // fstat and close of a real opening.
    const int fd = ::dirfd(impl_->stream);
    struct stat info {};
    if (::fstatat(fd, impl_->name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode))
        return std::nullopt;
    if (::faccessat(fd, impl_->name.c_str(), R_OK, 0) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

} // namespace platform
