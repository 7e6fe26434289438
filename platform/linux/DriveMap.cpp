#include "DriveMap.h"

#include "MountTable.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <set>

namespace platform {

namespace {

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool isLetter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// System folders that hold a block-device file system but are no user drive.
bool isSystemMount(const std::string& mountPoint) {
    for (const char* prefix : {"/boot", "/proc", "/sys", "/dev", "/run", "/snap"})
        if (mountPoint == prefix || startsWith(mountPoint, std::string(prefix) + "/"))
            return true;
    return false;
}

bool isRemovableDevice(const std::string& device) {
    const std::string base = "/sys/dev/block/" + device;
    for (const std::string& file : {base + "/removable", base + "/../removable"}) {
        std::ifstream in(file);
        char flag = '0';
        if (in >> flag)
            return flag == '1';
    }
    return false;
}

} // namespace

std::optional<char> DriveMap::letterOfRoot(const std::string& root) {
    if (root.size() < 2 || !isLetter(root[0]) || root[1] != ':')
        return std::nullopt;
    if (root.find_first_not_of("\\/", 2) != std::string::npos)
        return std::nullopt;
    return upper(root[0]);
}

std::vector<DriveMap::Drive> DriveMap::parseOverride(const std::string& text) {
    std::vector<Drive> drives;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        const std::string entry = text.substr(start, end - start);
        start = end + 1;
        if (entry.size() < 3 || !isLetter(entry[0]) || entry[1] != '=')
            continue;
        const char letter = upper(entry[0]);
        drives.erase(std::remove_if(drives.begin(), drives.end(),
                                    [letter](const Drive& d) { return d.letter == letter; }),
                     drives.end());
        std::string folder = std::filesystem::path(entry.substr(2)).lexically_normal().native();
        while (folder.size() > 1 && folder.back() == '/')
            folder.pop_back(); // "C=/x/c/" names the same folder as "C=/x/c"
        drives.push_back({letter, folder, DriveType::Fixed});
    }
    std::sort(drives.begin(), drives.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    return drives;
}

std::vector<DriveMap::Drive> DriveMap::fromMounts() {
    const auto mounts = MountTable::instance().mounts();
    std::string rootDevice;
    for (const auto& mount : mounts)
        if (mount.mountPoint == "/")
            rootDevice = mount.device;
    // A later mount on the same folder hides the earlier one.
    std::vector<MountTable::Mount> visible;
    for (const auto& mount : mounts) {
        visible.erase(std::remove_if(visible.begin(), visible.end(),
                                     [&](const MountTable::Mount& m) {
                                         return m.mountPoint == mount.mountPoint;
                                     }),
                      visible.end());
        visible.push_back(mount);
    }
    std::sort(visible.begin(), visible.end(),
              [](const MountTable::Mount& a, const MountTable::Mount& b) {
                  return a.mountPoint.native() < b.mountPoint.native();
              });
    std::vector<Drive> drives{{'C', "/", DriveType::Fixed}};
    std::set<std::string> devices{rootDevice};
    for (const auto& mount : visible) {
        const std::string& point = mount.mountPoint.native();
        const bool usable = startsWith(mount.source, "/dev/") && startsWith(mount.options, "rw") &&
                            mount.root == "/" && point != "/" && !isSystemMount(point);
        if (!usable || !devices.insert(mount.device).second)
            continue;
        const char letter = static_cast<char>('C' + drives.size());
        if (letter > 'Z')
            break;
        drives.push_back(
            {letter, mount.mountPoint,
             isRemovableDevice(mount.device) ? DriveType::Removable : DriveType::Fixed});
    }
    return drives;
}

std::vector<DriveMap::Drive> DriveMap::current() {
    const char* override = std::getenv("MERIVANE_DRIVES");
    if (override != nullptr && *override != '\0')
        return parseOverride(override);
    return fromMounts();
}

std::optional<DriveMap::Drive> DriveMap::find(char letter) {
    letter = upper(letter);
    for (auto& drive : current())
        if (drive.letter == letter)
            return drive;
    return std::nullopt;
}

} // namespace platform
