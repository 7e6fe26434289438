#include "UndeletableFolder.h"

#include "ScratchVolume.h"

#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

UndeletableFolder::UndeletableFolder(
    const fs::path& folder, std::initializer_list<std::pair<const char*, std::uintmax_t>> files)
    : folder_(folder) {
    fs::create_directories(folder);
    if (geteuid() == 0) {
        volume_ = std::make_unique<ScratchVolume>(folder, 4u << 20);
        if (!volume_->mounted()) {
            problem_ = QStringLiteral("cannot mount a file system here");
            return;
        }
    }
    for (const auto& file : files) {
        std::ofstream out(folder / file.first, std::ios::binary);
        out << std::string(file.second, 'x');
    }
    if (volume_) {
        if (!volume_->sealReadOnly())
            problem_ = QStringLiteral("cannot remount read-only");
    } else {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    }
}

UndeletableFolder::~UndeletableFolder() {
    if (!volume_)
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add);
}
