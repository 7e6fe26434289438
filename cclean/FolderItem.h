#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <platform/Drives.h>
#include <vector>

class LM_GroupModel;

// One rule folder of the C-drive page: a tile of its group. Shared by the model (GUI
// thread) and the scan and clean workers, so everything a worker writes is either an
// atomic or guarded by the engine's queue mutex.
struct FolderItem {
    QString icon;
    std::atomic<bool> checked{false};
    QString name;
    // The rule folder as shown, environment references expanded ("C:\Windows\Temp").
    QString path;
    // Makes "tick state changes" and "a worker adds a file of a ticked item" exclusive,
    // so the selected byte count always matches the ticks.
    std::mutex mutex;
    // Files found by the last scan; guarded by the engine's queue mutex.
    std::vector<std::filesystem::path> files;
    std::atomic<std::uint64_t> size{0};
    LM_GroupModel* owner = nullptr;

    // Set when a scan starts (no worker running): the real native folder of `path`, empty
    // when it cannot be resolved, and the file system the walk must stay on.
    std::filesystem::path root;
    std::optional<platform::DriveBoundary> boundary;

    // True while a size refresh of this item is queued to the GUI thread, so workers post
    // at most one at a time instead of one per file.
    std::atomic<bool> refreshQueued{false};
};
