#include "LinkedTree.h"

#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;

LinkedTree::LinkedTree(const fs::path& pool, int poolSize,
                       const std::function<std::uint64_t(int)>& sizeOf) {
    fs::create_directories(pool);
    for (int i = 0; i < poolSize; ++i) {
        const fs::path file = pool / ("p" + std::to_string(i));
        const std::uint64_t size = sizeOf(i);
        std::ofstream(file, std::ios::binary) << std::string(std::size_t(size), 'x');
        pool_.push_back(file);
        sizes_.push_back(size);
    }
}

void LinkedTree::link(const fs::path& file, int n) const {
    const fs::path& target = pool_[std::size_t(n) % pool_.size()];
    if (::link(target.c_str(), file.c_str()) == 0)
        return;
    fs::create_directories(file.parent_path());
    fs::create_hard_link(target, file);
}

void LinkedTree::copy(const fs::path& from, const fs::path& to) {
    fs::create_directories(to);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / entry.path().lexically_relative(from);
        if (entry.is_directory() && !entry.is_symlink())
            fs::create_directory(target);
        else
            fs::create_hard_link(entry.path(), target);
    }
}
