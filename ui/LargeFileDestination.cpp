#include "LargeFileDestination.h"

#include "AppPaths.h"
#include "PathQString.h"

#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QSettings>
#include <platform/Drives.h>

namespace {
const char* const key = "LargeFileSaveDir";
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

QString LargeFileDestination::setUp(QLabel* label, const QString& largestRoot) {
    QString folder = stored();
    if (folder.isEmpty()) {
        folder = largestRoot + QStringLiteral("大文件搬家");
        store(folder);
    }
    label->setText(folder);
    // The folder is a Windows path; on the stand-in it lives inside the mapped drive.
    QDir().mkpath(PathToQString(platform::Drives::toNativePath(folder.toStdString())));
    return folder;
}

void LargeFileDestination::choose(QLabel* label) {
    const QString start = PathToQString(platform::Drives::toNativePath(stored().toStdString()));
    const QString chosen = QFileDialog::getExistingDirectory(
        nullptr, QStringLiteral("选择大文件搬家目录"), start, QFileDialog::ShowDirsOnly);
    if (chosen.isEmpty())
        return;
    // Stored and shown as a Windows path, like the default.
    const QString folder = QDir::toNativeSeparators(
        QString::fromStdString(platform::Drives::toWindowsPath(QStringToPath(chosen))));
    qDebug() << "选择的目录是：" << folder;
    store(folder);
    label->setText(folder);
}
