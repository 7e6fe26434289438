#include "UndeletableFolder.h"

#include <fstream>
#include <sys/mount.h>
#include <unistd.h>

namespace fs = std::filesystem;

UndeletableFolder::UndeletableFolder(
    const fs::path& folder, std::initializer_list<std::pair<const char*, std::uintmax_t>> files)
    : folder_(folder) {
    fs::create_directories(folder);
    if (geteuid() == 0) {
        if (::mount("merivane-test", folder.c_str(), "tmpfs", 0, "size=4m") != 0) {
            problem_ = QStringLiteral("cannot mount a file system here");
            return;
        }
        mounted_ = true;
    }
    for (const auto& file : files) {
        std::ofstream out(folder / file.first, std::ios::binary);
        out << std::string(file.second, 'x');
    }
    if (mounted_) {
        if (::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
            problem_ = QStringLiteral("cannot remount read-only");
    } else {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    }
}

UndeletableFolder::~UndeletableFolder() {
    if (mounted_)
        ::umount2(folder_.c_str(), MNT_DETACH);
    else
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
}
