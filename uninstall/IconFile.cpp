#include "IconFile.h"

#include <QDateTime>
#include <platform/Drives.h>
#include <platform/FileFacts.h>

namespace {
// FILETIME ticks (100 ns since 1601-01-01 UTC) to milliseconds since 1970-01-01 UTC.
constexpr std::int64_t ticksPerMs = 10000;
constexpr std::int64_t msFrom1601To1970 = 11644473600000LL;
} // namespace

QString IconFile::path(const QString& displayIcon) {
    QString file = displayIcon.section(QLatin1Char(','), 0, 0);
    file.remove(QLatin1Char('"'));
    return file.trimmed();
}

std::filesystem::path IconFile::nativePath(const QString& displayIcon) {
    const QString file = path(displayIcon);
    return file.isEmpty() ? std::filesystem::path()
                          : platform::Drives::toNativePath(file.toStdString());
}

bool IconFile::isIconFile(const QString& displayIcon) {
    return path(displayIcon).endsWith(QLatin1String(".ico"), Qt::CaseInsensitive);
}

QString IconFile::dateText(const QString& displayIcon) {
    if (displayIcon.contains(QLatin1String("msiexec.exe"), Qt::CaseInsensitive))
        return {};
    const std::filesystem::path file = nativePath(displayIcon);
    if (file.empty())
        return {};
    const auto facts = platform::FileFacts::read(file);
    if (!facts)
        return {};
    const std::int64_t ms = facts->modified / ticksPerMs - msFrom1601To1970;
    return QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime).toString(QStringLiteral("yyyyMMdd"));
}
