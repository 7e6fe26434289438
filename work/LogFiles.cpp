#include "LogFiles.h"

#include <QCoreApplication>
#include <mutex>

namespace {
std::mutex folderMutex;
QString folder;

QString logFolder() {
    std::lock_guard<std::mutex> lock(folderMutex);
    return folder;
}
} // namespace

void LogFiles::setDirectory(const QString& dir) {
    std::lock_guard<std::mutex> lock(folderMutex);
    folder = dir;
}

QString LogFiles::applicationLog() {
    const QString dir = logFolder();
    return dir.isEmpty() ? QStringLiteral("application.log")
                         : dir + QStringLiteral("/application.log");
}

QString LogFiles::appLog() {
    QString dir = logFolder();
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return dir + QStringLiteral("/app.log");
}
