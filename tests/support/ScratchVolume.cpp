#include "ScratchVolume.h"

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/mount.h>

ScratchVolume::ScratchVolume(const std::filesystem::path& folder, std::uint64_t bytes)
    : folder_(folder) {
    std::filesystem::create_directories(folder);
    const std::string options = "size=" + std::to_string(bytes);
    if (::mount("merivane-scratch", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.c_str()) != 0)
        skipReason_ = QStringLiteral("mounting a tmpfs is not permitted here (%1); run as root")
                          .arg(QString::fromLocal8Bit(std::strerror(errno)));
}

bool ScratchVolume::sealReadOnly() {
    return mounted() && ::mount(nullptr, folder_.c_str(), nullptr,
                                MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

ScratchVolume::~ScratchVolume() {
    if (mounted())
        ::umount2(folder_.c_str(), MNT_DETACH);
}
