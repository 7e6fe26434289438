#pragma once

#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

// The mounts of this process (/proc/self/mountinfo), re-read only when the kernel says the
// table changed.
class MountTable {
public:
    struct Mount {
        std::string device; // "major:minor"
        std::string root;   // folder of the file system mounted here ("/" unless a bind)
        std::filesystem::path mountPoint;
        std::string options; // per-mount options, "rw,..." or "ro,..."
        std::string fsType;
        std::string source; // "/dev/vda1", "tmpfs", ...
    };

    static MountTable& instance();
    std::vector<Mount> mounts();

    static std::vector<Mount> parse(const std::string& text);

private:
    MountTable() = default;
    ~MountTable();
    bool changed();

    std::mutex mutex_;
    int fd_ = -1;
    std::vector<Mount> mounts_;
};

} // namespace platform
