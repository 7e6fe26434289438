#include "SmallVolume.h"

#include "TestBackend.h"

SmallVolume::SmallVolume(const std::filesystem::path& folder, std::uint64_t bytes) : path_(folder) {
    std::filesystem::create_directories(folder);
    skipReason_ = TestBackend::mountSmallVolume(folder, bytes);
}

SmallVolume::~SmallVolume() {
    unmount();
}

void SmallVolume::unmount() {
    if (!skipReason_)
        TestBackend::unmountSmallVolume(path_);
    skipReason_ = "unmounted";
}
