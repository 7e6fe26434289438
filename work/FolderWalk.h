#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <platform/Drives.h>
#include <platform/FileFacts.h>
#include <vector>

class RunProgress;
namespace platform {
class FolderReader;
}

// Walks folder trees on all workers of a pool at once: every worker takes the next folder
// to list, and the sub-folders it meets go back to the shared queue. Below a root nothing
// is followed: links to folders and files are neither entered nor reported, a folder on
// another file system than its root's is not entered, and neither is a folder that is no
// longer the one its parent's listing saw (a folder on its path swapped for a link since
// would lead outside the root). A folder that cannot be listed is passed over alone.
// Qt-free; the visitor decides what becomes of each file.
//
// Use: reset(), addRoot() for each root and setFolderFilter() on the thread that starts the
// pool, before any worker runs; then each worker calls work() with its own visitor.
class FolderWalk {
public:
    // A regular file met by the walk. Valid only during the call that receives it.
    class File {
    public:
        const std::filesystem::path& path() const { return path_; }
        // The resolved root the file lies below, and the tag it was added with.
        const std::filesystem::path& root() const { return root_; }
        std::size_t tag() const { return tag_; }
        // Its size when it may be opened for reading now (a file in use may not) and is
        // still a regular file; nothing otherwise.
        std::optional<std::uint64_t> readableSize() const;
        // Size and last write, and which file it is (device and inode), read without
        // following a link; nothing when it is no longer a regular file. On Linux one
        // system call serves all three questions.
        std::optional<platform::FileFacts> facts() const;
        std::optional<platform::FileIdentity> identity() const;

    private:
        friend class FolderWalk;
        File(const platform::FolderReader& reader, const std::filesystem::path& path,
             const std::filesystem::path& root, std::size_t tag)
            : reader_(reader), path_(path), root_(root), tag_(tag) {}
        const platform::FolderReader& reader_;
        const std::filesystem::path& path_;
        const std::filesystem::path& root_;
        std::size_t tag_;
    };

    struct Visitor {
        // Each regular file, on the worker that listed its folder.
        std::function<void(const File&)> file;
        // After the worker has listed one folder: a moment to hand over what it collected.
        std::function<void()> folderDone;
    };
    // Whether to list a folder met below a root (never asked for the roots themselves).
    using FolderFilter = std::function<bool(const std::filesystem::path& folder, std::size_t tag)>;

    // The folder a root names with its links resolved: a root may itself be reached
    // through a link (data moved to another drive), only what lies below it may not.
    // Nothing for an empty or relative path; the path itself when it cannot be resolved.
    static std::filesystem::path ResolveRoot(const std::filesystem::path& folder);

    // Forgets the roots, the filter and any folders left by a stopped walk.
    void reset();
    // Adds a folder, already resolved, to walk; `tag` comes back with each file below it.
    // An empty folder adds nothing.
    void addRoot(const std::filesystem::path& resolvedFolder, std::size_t tag);
    void setFolderFilter(FolderFilter filter);
    // Where the walk tells the folder it lists and counts the files it meets; kept by
    // reset(). Set it before any worker runs.
    void setProgress(RunProgress* progress) { progress_ = progress; }

    // Lists folders until none is left and no other worker may still add one, or until
    // `stop` is set (checked between folders). Never throws: a visitor's exception passes
    // over the rest of that folder only.
    void work(const Visitor& visitor, const std::atomic<bool>& stop);

private:
    struct Root {
        std::filesystem::path folder;
        std::size_t tag = 0;
        platform::DriveBoundary boundary;
    };
    struct Task {
        std::filesystem::path folder;
        std::size_t root = 0;
        // Which folder the listing of its parent saw; nothing for a root.
        std::optional<platform::FileIdentity> identity;
    };

    // Takes the next folder, waiting while others are listing; false when the walk is over.
    bool take(Task& task, const std::atomic<bool>& stop);
    void list(const Task& task, const Visitor& visitor);
    void done();

    std::vector<Root> roots_;
    FolderFilter filter_;
    RunProgress* progress_ = nullptr;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Task> queue_;
    // Workers listing a folder right now: they may still queue sub-folders, so the others
    // wait for them instead of leaving.
    int listing_ = 0;
};
