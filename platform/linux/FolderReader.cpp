#include "platform/FolderReader.h"

#include "ReadPermission.h"
#include "StatFacts.h"

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
    // The stat of that entry, taken when first asked for: a scan asks for the facts of
    // every file, and then maybe its identity or readability, for one fstatat.
    mutable bool statted = false;
    mutable std::optional<struct stat> regular; // nothing: no longer a regular file

    ~Impl() {
        if (stream)
            ::closedir(stream);
    }

    const std::optional<struct stat>& lastFile() const {
        if (!statted && stream && !name.empty()) {
            regular = StatFacts::ofRegularFile(::dirfd(stream), name.c_str());
            statted = true;
        }
        return regular;
    }
};

FolderReader::FolderReader(const std::filesystem::path& folder,
                           const std::optional<FileIdentity>& expected)
    : impl_(new Impl) {
    impl_->folder = folder;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    // Asked of the open folder, so what is listed is what was checked.
    struct stat info {};
    if (expected && (::fstat(fd, &info) != 0 || !S_ISDIR(info.st_mode) ||
                     StatFacts::identity(info) != *expected)) {
        ::close(fd);
        return;
    }
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
        impl_->statted = false;
        impl_->regular.reset();
        child = impl_->folder / impl_->name;
        return true;
    }
    return false;
}

std::optional<std::uint64_t> FolderReader::readableSize() const {
    // Measured without following a link planted after the listing; then asked whether it
    // may be opened for reading. The owner bits answer that for the user's own files
    // (nearly all a scan meets); for any other file, or where they refuse, access() asks
    // the kernel without opening, so a planted FIFO cannot hang the worker.
    const auto& info = impl_->lastFile();
    if (!info)
        return std::nullopt;
    if (!ReadPermission::grantedByBits(*info) &&
        ::faccessat(::dirfd(impl_->stream), impl_->name.c_str(), R_OK, 0) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info->st_size);
}

std::optional<FileFacts> FolderReader::facts() const {
    const auto& info = impl_->lastFile();
    if (!info)
        return std::nullopt;
    return StatFacts::facts(*info);
}

std::optional<FileIdentity> FolderReader::identity() const {
    const auto& info = impl_->lastFile();
    if (!info)
        return std::nullopt;
    return StatFacts::identity(*info);
}

std::optional<FileIdentity> FolderReader::folderIdentity() const {
    struct stat info {};
    if (!impl_->stream || impl_->name.empty() ||
        ::fstatat(::dirfd(impl_->stream), impl_->name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(info.st_mode))
        return std::nullopt;
    return StatFacts::identity(info);
}

} // namespace platform
