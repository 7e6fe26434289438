#include "FolderWalk.h"

#include "RunProgress.h"

#include <chrono>
#include <platform/FolderReader.h>

namespace fs = std::filesystem;

std::optional<std::uint64_t> FolderWalk::File::readableSize() const {
    return reader_.readableSize();
}

std::optional<platform::FileFacts> FolderWalk::File::facts() const {
    return reader_.facts();
}

std::optional<platform::FileIdentity> FolderWalk::File::identity() const {
    return reader_.identity();
}

fs::path FolderWalk::ResolveRoot(const fs::path& folder) {
    // A relative path (a rule whose variable stayed unexpanded) would name a folder below
    // wherever the program happens to run: never a root.
    if (folder.empty() || folder.is_relative())
        return {};
    std::error_code ec;
    fs::path real = fs::canonical(folder, ec);
    return ec ? folder : real;
}

void FolderWalk::reset() {
    std::lock_guard<std::mutex> lock(mutex_);
    roots_.clear();
    filter_ = nullptr;
    queue_.clear();
    listing_ = 0;
}

void FolderWalk::addRoot(const fs::path& resolvedFolder, std::size_t tag) {
    if (resolvedFolder.empty())
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    roots_.push_back(Root{resolvedFolder, tag, platform::DriveBoundary(resolvedFolder)});
    queue_.push_back(Task{resolvedFolder, roots_.size() - 1, std::nullopt});
}

void FolderWalk::setFolderFilter(FolderFilter filter) {
    std::lock_guard<std::mutex> lock(mutex_);
    filter_ = std::move(filter);
}

void FolderWalk::work(const Visitor& visitor, const std::atomic<bool>& stop) {
    Task task;
    while (take(task, stop)) {
        try {
            list(task, visitor);
        } catch (...) {
            // A visitor that failed on this folder must not end the walk.
        }
        try {
            if (visitor.folderDone)
                visitor.folderDone();
        } catch (...) {
        }
        done();
    }
}

bool FolderWalk::take(Task& task, const std::atomic<bool>& stop) {
    std::unique_lock<std::mutex> lock(mutex_);
    // An empty queue ends the walk only once nobody can add to it any more; the timeout
    // lets a waiting worker see a stop request.
    while (queue_.empty() && listing_ > 0 && !stop.load(std::memory_order_relaxed))
        changed_.wait_for(lock, std::chrono::milliseconds(20));
    if (stop.load(std::memory_order_relaxed) || queue_.empty()) {
        changed_.notify_all();
        return false;
    }
    task = std::move(queue_.front());
    queue_.pop_front();
    ++listing_;
    return true;
}

void FolderWalk::done() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        --listing_;
    }
    changed_.notify_all();
}

void FolderWalk::list(const Task& task, const Visitor& visitor) {
    // Roots are only added before the workers start, so reading them needs no lock.
    const Root& root = roots_[task.root];
    if (progress_)
        progress_->setPlace(task.folder);
    platform::FolderReader reader(task.folder, task.identity);
    fs::path child;
    platform::FolderReader::Kind kind;
    std::uint64_t files = 0;
    while (reader.next(child, kind)) {
        if (kind == platform::FolderReader::Kind::Folder) {
            // Read from this listing without following a link, and checked again when the
            // sub-folder is opened by its path.
            std::optional<platform::FileIdentity> identity = reader.folderIdentity();
            if (!identity || !root.boundary.contains(*identity) ||
                (filter_ && !filter_(child, root.tag)))
                continue;
            {
                std::lock_guard<std::mutex> lock(mutex_);
                queue_.push_back(Task{child, task.root, identity});
            }
            changed_.notify_one();
            continue;
        }
        ++files;
        if (visitor.file)
            visitor.file(File(reader, child, root.folder, root.tag));
    }
    if (progress_)
        progress_->addFiles(files);
}
