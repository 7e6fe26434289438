#pragma once

#include "platform/FileFacts.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

namespace platform {

// Lists one folder for a scan without ever following a link: sub-folders and regular files
// are returned, links (Windows: every reparse point, junctions included) and every other
// kind are skipped. A folder that is itself a link is not opened; a link further up its
// path is followed, though, so a walk gives each sub-folder the identity its parent's
// listing saw: a folder swapped for a link on the way since then leads elsewhere, and
// what is there is not opened. Nothing throws; names that are not valid text (Linux
// bytes) are listed like any other.
class FolderReader {
public:
    enum class Kind { Folder, RegularFile };

    // Opens `folder`; given `expected`, only when the folder reached is that very one.
    explicit FolderReader(const std::filesystem::path& folder,
                          const std::optional<FileIdentity>& expected = std::nullopt);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    bool isOpen() const;
    // The next sub-folder or regular file (the folder joined with its name); false at the
    // end or on a read error.
    bool next(std::filesystem::path& child, Kind& kind);
    // For the regular file `next` returned last: its size when it can be opened for reading
    // now (a file in use cannot) and still is a regular file, else nothing.
    std::optional<std::uint64_t> readableSize() const;
    // For the regular file `next` returned last: its size and last write, and which file it
    // is, never of what a link there points to. Linux: taken when first asked, by one
    // system call that also serves the other two questions about that entry; nothing when
    // it is no longer a regular file. Windows: the facts are those the listing brought
    // (no call); the identity opens the file, and is nothing when that cannot be done.
    std::optional<FileFacts> facts() const;
    std::optional<FileIdentity> identity() const;
    // For the sub-folder `next` returned last: which folder it is, never what a link there
    // points to; nothing when it is no longer a folder. Linux: one system call relative to
    // the open folder; Windows: opens the sub-folder.
    std::optional<FileIdentity> folderIdentity() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace platform
