#include "LargeFileDestination.h"

#include "AppPaths.h"
#include "DiskGauges.h"
#include "PathQString.h"
#include "Work_LargeFile.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QSettings>
#include <platform/Drives.h>

namespace {
const char* const key = Work_LargeFile::destinationSettingKey;
}

QString LargeFileDestination::configPath() {
    return AppPaths::current().configFile;
}

QString LargeFileDestination::stored() {
    return QSettings(configPath(), QSettings::IniFormat).value(key, QString()).toString();
}

void LargeFileDestination::store(const QString& folder) {
    QSettings settings(configPath(), QSettings::IniFormat);
    settings.setValue(key, folder);
}

QString LargeFileDestination::defaultRoot() {
    const platform::DriveBoundary systemVolume(platform::Drives::toNativePath("C:\\"));
    // Rank: another volume beats another letter on C:'s volume, which beats C: itself; then
    // the larger drive, the first of equals.
    QString best;
    std::pair<int, std::uint64_t> bestRank{-1, 0};
    for (const auto& [root, total] : DiskGauges::fixedDrives().drives) {
        const int kind = root.startsWith(QLatin1String("C:"), Qt::CaseInsensitive) ? 0
                         : systemVolume.contains(platform::Drives::toNativePath(root.toStdString()))
                             ? 1
                             : 2;
        if (std::make_pair(kind, total) > bestRank) {
            bestRank = {kind, total};
            best = root;
        }
    }
    return best;
}

QString LargeFileDestination::setUp(QLabel* label, const QString& root) {
    QString folder = stored();
    if (folder.isEmpty()) {
        folder = root + QStringLiteral("大文件搬家");
        if (!root.isEmpty())
            store(folder);
    }
    label->setText(folder);
    // The folder is a Windows path; on the stand-in it lives inside the mapped drive.
    if (const auto native = Work_LargeFile::ResolveDestination(folder)) {
        std::error_code error;
        std::filesystem::create_directories(*native, error);
    }
    return folder;
}

void LargeFileDestination::choose(QLabel* label) {
    const QString start = PathToQString(platform::Drives::toNativePath(stored().toStdString()));
    const QString chosen = QFileDialog::getExistingDirectory(
        nullptr, QStringLiteral("选择大文件搬家目录"), start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return;
    // Stored and shown as a Windows path, like the default.
    const QString folder = QDir::toNativeSeparators(WindowsPathText(QStringToPath(chosen)));
    qDebug() << "选择的目录是：" << folder;
    store(folder);
    label->setText(folder);
}
