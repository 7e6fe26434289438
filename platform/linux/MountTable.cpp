#include "MountTable.h"

#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <unistd.h>

namespace platform {

namespace {

// Mount points escape blanks, tabs, line feeds and backslashes as octal ("\040").
std::string unescaped(const std::string& field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

std::string readAll(int fd) {
    std::string text;
    char buffer[8192];
    ::lseek(fd, 0, SEEK_SET);
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

} // namespace

MountTable& MountTable::instance() {
    static MountTable table;
    return table;
}

MountTable::~MountTable() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool MountTable::changed() {
    if (fd_ < 0) {
        fd_ = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
        return true;
    }
    pollfd p{fd_, POLLPRI, 0};
    return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLPRI | POLLERR)) != 0;
}

std::vector<MountTable::Mount> MountTable::mounts() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (changed() && fd_ >= 0)
        mounts_ = parse(readAll(fd_));
    return mounts_;
}

std::vector<MountTable::Mount> MountTable::parse(const std::string& text) {
    std::vector<Mount> result;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint, options, field;
        if (!(fields >> id >> parent >> device >> root >> mountPoint >> options))
            continue;
        while (fields >> field && field != "-") {
        } // optional fields
        Mount mount;
        if (!(fields >> mount.fsType >> mount.source))
            continue;
        mount.device = device;
        mount.root = unescaped(root);
        mount.mountPoint = unescaped(mountPoint);
        mount.options = options;
        mount.source = unescaped(mount.source);
        result.push_back(std::move(mount));
    }
    return result;
}

} // namespace platform
