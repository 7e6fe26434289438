#pragma once

#include "UniqueHandle.h"
#include "platform/FileFacts.h"

#include <deque>
#include <filesystem>

namespace platform {

// The folders from a starting folder down to one below it, opened one after the other and
// all held open without delete sharing: while held, none of them can be renamed, removed
// or replaced by a junction, so the path of the last one keeps leading where it led when
// it was checked. A reparse point (junction, symbolic link, mount point) is refused.
class OpenFolderChain {
public:
    OpenFolderChain() = default;
    OpenFolderChain(const OpenFolderChain&) = delete;
    OpenFolderChain& operator=(const OpenFolderChain&) = delete;

    // Starts the chain at `folder`; false when it is no folder or a reparse point.
    bool start(const std::filesystem::path& folder);
    // Goes down into the sub-folder `name` of the last folder, on the same terms.
    bool enter(const std::filesystem::path& name);
    // The path of the last folder held, and which folder it is.
    const std::filesystem::path& path() const { return path_; }
    const FileIdentity& identity() const { return identity_; }
    // Why the last start or enter failed: ERROR_PATH_NOT_FOUND for a folder that is
    // missing, no folder or a reparse point, else the system's code (access denied...).
    DWORD error() const { return error_; }

private:
    bool hold(const std::filesystem::path& folder);

    std::filesystem::path path_;
    FileIdentity identity_;
    DWORD error_ = ERROR_SUCCESS;
    std::deque<UniqueHandle> handles_;
};

} // namespace platform
