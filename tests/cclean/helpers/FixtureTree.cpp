#include "FixtureTree.h"

#include <fstream>
#include <string>

namespace fs = std::filesystem;

FixtureTree::FixtureTree() {
    fs::create_directories(c());
    fs::create_directories(c("Users/u/AppData/Local/Temp"));
    const QByteArray drives = QByteArray("C=") + QByteArray::fromStdString(c().native());
    qputenv("MERIVANE_DRIVES", drives);
    qputenv("TEMP", QByteArray::fromStdString(c("Users/u/AppData/Local/Temp").native()));
    qputenv("USERPROFILE", QByteArray::fromStdString(c("Users/u").native()));
}

FixtureTree::~FixtureTree() {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root(), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all,
                        fs::perm_options::add | fs::perm_options::nofollow, ec);
    fs::remove_all(root(), ec);
}

fs::path FixtureTree::root() const {
    return fs::path(dir_.path().toStdString());
}

fs::path FixtureTree::c(const fs::path& relative) const {
    return relative.empty() ? root() / "c" : root() / "c" / relative;
}

void FixtureTree::writeFile(const fs::path& file, std::uintmax_t size) {
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    const std::string block(4096, 'x');
    for (std::uintmax_t left = size; left > 0;) {
        const std::uintmax_t n = left < block.size() ? left : block.size();
        out.write(block.data(), static_cast<std::streamsize>(n));
        left -= n;
    }
}

std::map<fs::path, std::string> FixtureTree::snapshot() const {
    std::map<fs::path, std::string> entries;
    for (auto it = fs::recursive_directory_iterator(root());
         it != fs::recursive_directory_iterator(); ++it) {
        const fs::path relative = it->path().lexically_relative(root());
        if (it->is_symlink())
            entries[relative] = "link -> " + fs::read_symlink(it->path()).native();
        else if (it->is_directory())
            entries[relative] = "dir";
        else
            entries[relative] = "file " + std::to_string(it->file_size());
    }
    return entries;
}
