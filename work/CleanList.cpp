#include "CleanList.h"

#include "IWork.h"
#include "RunProgress.h"

#include <algorithm>

void CleanList::clear() {
    roots_.clear();
    targets_.clear();
    next_.store(0);
    std::lock_guard<std::mutex> lock(hiddenMutex_);
    hidden_.clear();
}

std::uint32_t CleanList::addRoot(const std::filesystem::path& root) {
    roots_.push_back(root);
    return static_cast<std::uint32_t>(roots_.size() - 1);
}

void CleanList::add(NativePath file, std::uint32_t root, std::uint64_t row) {
    targets_.push_back(Target{std::move(file), root, row});
}

void CleanList::work(const Outcome& outcome, const Check& check) {
    run(
        [&check](const std::filesystem::path& root, const Target& target,
                 platform::ConfinedFileRemover& remover) -> std::optional<RemoveResult> {
            if (check && !check(target))
                return std::nullopt;
            return remover.removeNext(root, target.file.native());
        },
        outcome);
}

void CleanList::work(const Action& action, const Outcome& outcome) {
    run(
        [&action](const std::filesystem::path& root, const Target& target,
                  platform::ConfinedFileRemover& remover) -> std::optional<RemoveResult> {
            return action(root, target, remover);
        },
        outcome);
}

void CleanList::run(const MaybeAction& action, const Outcome& outcome) {
    // Targets are fixed before the workers start; each is taken by exactly one worker. A
    // long list is taken in runs of neighbours, so the rows a worker reports gone lie next
    // to each other and the page removes them a run at a time, not one by one.
    const std::size_t count = targets_.size();
    const std::size_t chunk = count > 4096 ? 64 : 1;
    // This worker's own: it keeps the folder of the last file open for the next one.
    platform::ConfinedFileRemover remover;
    for (std::size_t first = next_.fetch_add(chunk); first < count;
         first = next_.fetch_add(chunk)) {
        for (std::size_t i = first; i < std::min(first + chunk, count); ++i) {
            if (IWork::Quitting())
                return;
            const Target& target = targets_[i];
            try {
                if (progress_) {
                    progress_->setPlace(target.file);
                    progress_->addFiles(1);
                }
                const std::optional<RemoveResult> result =
                    action(roots_[target.root], target, remover);
                if (result && result->removed() && progress_)
                    progress_->addDone(1);
                if (result && outcome)
                    outcome(target, *result);
            } catch (...) {
                // One file's trouble (out of memory in a log line) must not end the clean.
            }
        }
    }
}

void CleanList::hide(std::uint64_t row) {
    std::lock_guard<std::mutex> lock(hiddenMutex_);
    hidden_.push_back(row);
}

std::vector<std::uint64_t> CleanList::takeHidden() {
    std::lock_guard<std::mutex> lock(hiddenMutex_);
    std::vector<std::uint64_t> rows;
    rows.swap(hidden_);
    return rows;
}
