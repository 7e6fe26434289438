#include "IconFile.h"

#include "FileTime.h"

#include <platform/Drives.h>
#include <platform/FileFacts.h>

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
    return FileTimeToDateTime(facts->modified).toString(QStringLiteral("yyyyMMdd"));
}
