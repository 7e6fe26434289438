#include "RuleFolderRemover.h"

#include <iterator>
#include <system_error>

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

#ifdef _WIN32

std::optional<std::uint64_t> RuleFolderRemover::Remove(const fs::path& root, const fs::path& file) {
    if (root.empty() || !file.has_filename())
        return std::nullopt;
    std::error_code ec;
    // The real folder, links resolved, and the file by its real path from then on.
    const fs::path folder = fs::canonical(file.parent_path(), ec);
    if (ec || !IsWithin(root, folder))
        return std::nullopt;
    const fs::path real = folder / file.filename();
    const fs::file_status status = fs::symlink_status(real, ec);
    if (ec || !fs::is_regular_file(status))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(real, ec);
    if (ec)
        return std::nullopt;
    if (!fs::remove(real, ec) || ec)
        return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

#else

namespace {

// Closes the folder it holds.
class FolderHandle {
public:
    explicit FolderHandle(int fd) : fd_(fd) {}
    ~FolderHandle() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;
    int fd() const { return fd_; }
    // Steps into a sub-folder, refusing a link; false when that is not possible.
    bool enter(const char* name) {
        const int next = ::openat(fd_, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0)
            return false;
        ::close(fd_);
        fd_ = next;
        return true;
    }

private:
    int fd_;
};

} // namespace

std::optional<std::uint64_t> RuleFolderRemover::Remove(const fs::path& root, const fs::path& file) {
    if (root.empty() || !file.has_filename())
        return std::nullopt;
    const fs::path relative = file.parent_path().lexically_relative(root);
    if (relative.empty())
        return std::nullopt;
    // Walk down from the rule folder one open folder at a time, never through a link, and
    // delete relative to the last one: no folder swapped at any moment can redirect it.
    FolderHandle folder(::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.fd() < 0)
        return std::nullopt;
    for (const fs::path& part : relative) {
        if (part == ".")
            continue;
        if (part == ".." || !folder.enter(part.c_str()))
            return std::nullopt;
    }
    const fs::path name = file.filename();
    struct stat info {};
    if (::fstatat(folder.fd(), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(info.st_mode))
        return std::nullopt;
    if (::unlinkat(folder.fd(), name.c_str(), 0) != 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

#endif

bool RuleFolderRemover::IsWithin(const fs::path& root, const fs::path& path) {
    if (root.empty())
        return false;
    auto r = root.begin();
    auto p = path.begin();
    for (; r != root.end(); ++r, ++p) {
        // A trailing separator shows up as an empty last element.
        if (r->empty() && std::next(r) == root.end())
            return true;
        if (p == path.end() || *r != *p)
            return false;
    }
    return true;
}
