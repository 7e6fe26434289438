#include "DriveFixture.h"

#include <QStringList>

namespace fs = std::filesystem;

DriveFixture::DriveFixture() {
    fs::create_directories(c("Users/u/AppData/Local/Temp"));
    fs::create_directories(c("Users/u/AppData/Roaming"));
    fs::create_directories(c("Users/Public"));
    fs::create_directories(d());
    setEnv("MERIVANE_DRIVES", QByteArray("C=") + QByteArray::fromStdString(c().native()) +
                                  QByteArray(";D=") + QByteArray::fromStdString(d().native()));
    setEnv("TEMP", "C:\\Users\\u\\AppData\\Local\\Temp");
    setEnv("USERPROFILE", "C:\\Users\\u");
    setEnv("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    setEnv("PUBLIC", "C:\\Users\\Public");
}

DriveFixture::~DriveFixture() {
    for (auto it = saved_.cbegin(); it != saved_.cend(); ++it) {
        if (unset_.contains(it.key()))
            qunsetenv(it.key().constData());
        else
            qputenv(it.key().constData(), it.value());
    }
    // Files a test made unreadable must not survive it.
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(root(), ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all,
                        fs::perm_options::add | fs::perm_options::nofollow, ec);
}

fs::path DriveFixture::c(const fs::path& relative) const {
    return relative.empty() ? root() / "c" : root() / "c" / relative;
}

fs::path DriveFixture::d(const fs::path& relative) const {
    return relative.empty() ? root() / "d" : root() / "d" / relative;
}

fs::path DriveFixture::write(const fs::path& where, std::uintmax_t size) const {
    return tree_.write(where, size);
}

QStringList DriveFixture::changesSince(const TempTree::Snapshot& before) const {
    QStringList lines;
    for (const std::string& line : TempTree::diff(before, tree_.snapshot()))
        lines << QString::fromStdString(line);
    return lines;
}

void DriveFixture::setEnv(const char* name, const QByteArray& value) {
    if (!saved_.contains(name)) {
        if (qEnvironmentVariableIsSet(name))
            saved_.insert(name, qgetenv(name));
        else {
            saved_.insert(name, QByteArray());
            unset_ << name;
        }
    }
    qputenv(name, value);
}
