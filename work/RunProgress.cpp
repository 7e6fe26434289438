#include "RunProgress.h"

void RunProgress::reset() {
    files_.store(0, std::memory_order_relaxed);
    done_.store(0, std::memory_order_relaxed);
    std::lock_guard<std::mutex> lock(placeMutex_);
    place_.clear();
}

void RunProgress::setPlace(const std::filesystem::path& place) {
    std::lock_guard<std::mutex> lock(placeMutex_);
    place_ = place;
}

std::filesystem::path RunProgress::place() const {
    std::lock_guard<std::mutex> lock(placeMutex_);
    return place_;
}
