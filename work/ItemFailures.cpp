#include "ItemFailures.h"

void ItemFailures::clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.clear();
}

void ItemFailures::add(Failure failure) {
    std::lock_guard<std::mutex> lock(mutex_);
    failures_.push_back(std::move(failure));
}

void ItemFailures::add(const std::filesystem::path& path, std::uint32_t error) {
    Failure failure;
    failure.path = path;
    failure.error = error;
    add(std::move(failure));
}

std::vector<ItemFailures::Failure> ItemFailures::take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<Failure> taken;
    taken.swap(failures_);
    return taken;
}
