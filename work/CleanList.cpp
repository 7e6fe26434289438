#include "CleanList.h"

#include "IWork.h"
#include "RunProgress.h"

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

void CleanList::add(std::filesystem::path file, std::uint32_t root, std::uint64_t row) {
    targets_.push_back(Target{std::move(file), root, row});
}

void CleanList::work(const Outcome& outcome, const Check& check) {
    run(
        [&check](const std::filesystem::path& root,
                 const Target& target) -> std::optional<RemoveResult> {
            if (check && !check(target))
                return std::nullopt;
            return platform::ConfinedFileRemover::remove(root, target.file);
        },
        outcome);
}

void CleanList::work(const Action& action, const Outcome& outcome) {
    run([&action](const std::filesystem::path& root, const Target& target)
            -> std::optional<RemoveResult> { return action(root, target); },
        outcome);
}

void CleanList::run(const MaybeAction& action, const Outcome& outcome) {
    // Targets are fixed before the workers start; each is taken by exactly one worker.
    for (std::size_t i = next_.fetch_add(1); i < targets_.size(); i = next_.fetch_add(1)) {
        if (IWork::Quitting())
            return;
        const Target& target = targets_[i];
        try {
            if (progress_) {
                progress_->setPlace(target.file);
                progress_->addFiles(1);
            }
            const std::optional<RemoveResult> result = action(roots_[target.root], target);
            if (result && result->removed() && progress_)
                progress_->addDone(1);
            if (result && outcome)
                outcome(target, *result);
        } catch (...) {
            // One file's trouble (out of memory in a log line) must not end the clean.
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
