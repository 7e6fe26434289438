#include "PathQString.h"

#include <platform/Drives.h>
#include <platform/PathText.h>

QString PathToQString(const std::filesystem::path& path) {
    return QString::fromStdString(platform::PathText::toDisplayUtf8(path));
}

std::filesystem::path QStringToPath(const QString& text) {
    return platform::PathText::fromUtf8(text.toStdString());
}

QString WindowsPathText(const std::filesystem::path& path) {
    return QString::fromStdString(platform::Drives::toWindowsPath(path));
}
