#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>

// How far a run has come, for a face that shows it while the run works (the command line's
// progress line): the files gone over so far, those of them a clean or move dealt with, and
// the folder or file in hand. Workers write, any thread reads; the bytes are the work's own
// counters.
class RunProgress {
public:
    void reset();
    void addFiles(std::uint64_t files) { files_.fetch_add(files, std::memory_order_relaxed); }
    std::uint64_t files() const { return files_.load(std::memory_order_relaxed); }
    void addDone(std::uint64_t items) { done_.fetch_add(items, std::memory_order_relaxed); }
    std::uint64_t done() const { return done_.load(std::memory_order_relaxed); }
    void setPlace(const std::filesystem::path& place);
    std::filesystem::path place() const;

private:
    std::atomic<std::uint64_t> files_{0};
    std::atomic<std::uint64_t> done_{0};
    mutable std::mutex placeMutex_;
    std::filesystem::path place_;
};
