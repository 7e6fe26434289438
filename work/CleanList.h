#pragma once

#include "NativePath.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <platform/ConfinedFileRemover.h>
#include <vector>

class RunProgress;

// The files a clean deletes, shared out among the workers of a pool. Each file is deleted
// only while it is still a regular file reached from its root without passing a link (see
// platform::ConfinedFileRemover); a work that must see the very file the scan found, not
// another one put under its name since, gives a Check. The outcome, bytes freed or the
// reason it stayed, goes to the work. A work that does something else with each file (a
// move) gives its own action instead of the delete. Rows whose files stayed for a reason the page
// must show can be marked for hiding; the work hands them to the GUI thread in one go when the
// clean ends.
class CleanList {
public:
    struct Target {
        NativePath file;
        std::uint32_t root = 0;
        // Which row of the page the file belongs to, as the work identifies rows.
        std::uint64_t row = 0;
    };
    using RemoveResult = platform::ConfinedFileRemover::RemoveResult;
    using Outcome = std::function<void(const Target&, const RemoveResult&)>;
    // What is done with one file, given its root and this worker's confined delete (which
    // keeps the last file's folder open for the next); the result's `freed` is the bytes
    // the action dealt with.
    using Action = std::function<RemoveResult(const std::filesystem::path& root, const Target&,
                                              platform::ConfinedFileRemover& remover)>;
    // Asked on the worker right before a file is deleted; false leaves the file, untold.
    using Check = std::function<bool(const Target&)>;

    // Empties the list; call before the workers start.
    void clear();
    // Where the clean tells the file in hand, counts the files it went over and those it
    // removed (or moved); kept by clear(). Set it before any worker runs.
    void setProgress(RunProgress* progress) { progress_ = progress; }
    // The folder files are confined to; returns its index for add().
    std::uint32_t addRoot(const std::filesystem::path& root);
    void add(NativePath file, std::uint32_t root, std::uint64_t row);
    // Room for this many files, so a long list grows without moving what it holds.
    void reserve(std::size_t files) { targets_.reserve(files); }
    std::size_t size() const { return targets_.size(); }

    // Deletes files until none is left or the program quits (checked between two files),
    // telling each outcome to `outcome` on this worker. Never throws. With `check`, only the
    // files it approves are deleted (a work that must see them unchanged since the scan).
    void work(const Outcome& outcome, const Check& check = {});
    // The same with `action` in place of the confined delete.
    void work(const Action& action, const Outcome& outcome);

    // Any worker: the row of this target is to be hidden when the clean ends.
    void hide(std::uint64_t row);
    std::vector<std::uint64_t> takeHidden();

private:
    // An action that may leave a file untold (nothing).
    using MaybeAction = std::function<std::optional<RemoveResult>(
        const std::filesystem::path&, const Target&, platform::ConfinedFileRemover&)>;
    void run(const MaybeAction& action, const Outcome& outcome);

    std::vector<std::filesystem::path> roots_;
    std::vector<Target> targets_;
    RunProgress* progress_ = nullptr;
    std::atomic<std::size_t> next_{0};
    std::mutex hiddenMutex_;
    std::vector<std::uint64_t> hidden_;
};
