#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

// A small file system of its own, mounted at a new folder for the life of the object:
// moves onto it cross file systems, and it fills up quickly.
class SmallVolume {
public:
    explicit SmallVolume(const std::filesystem::path& folder, std::uint64_t bytes = 1 << 20);
    ~SmallVolume();
    SmallVolume(const SmallVolume&) = delete;
    SmallVolume& operator=(const SmallVolume&) = delete;

    // Why the volume could not be mounted; the test is skipped then.
    const std::optional<std::string>& skipReason() const { return skipReason_; }
    const std::filesystem::path& path() const { return path_; }
    void unmount();

private:
    std::filesystem::path path_;
    std::optional<std::string> skipReason_;
};
