#include "LogFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <mutex>

namespace {
std::mutex folderMutex;
QString folder;
// "application.log", kept open between lines: opening it for every line cost more than
// anything else a busy run logged. Never destroyed, so lines logged while the program's
// statics go still land.
QFile* applicationLogFile = new QFile;

QString ApplicationLogIn(const QString& dir) {
    return dir.isEmpty() ? QStringLiteral("application.log")
                         : dir + QStringLiteral("/application.log");
}

QString logFolder() {
    std::lock_guard<std::mutex> lock(folderMutex);
    return folder;
}
} // namespace

void LogFiles::setDirectory(const QString& dir) {
    std::lock_guard<std::mutex> lock(folderMutex);
    folder = dir;
    // The old folder may go away now (on Windows not while a file in it is open).
    applicationLogFile->close();
}

void LogFiles::appendToApplicationLog(const QByteArray& line) {
    std::lock_guard<std::mutex> lock(folderMutex);
    if (!applicationLogFile->isOpen()) {
        applicationLogFile->setFileName(ApplicationLogIn(folder));
        // Unbuffered: each line is one write, on its way to the disk at once.
        if (!applicationLogFile->open(QIODevice::WriteOnly | QIODevice::Append |
                                      QIODevice::Unbuffered))
            return;
    }
    applicationLogFile->write(line);
}

QString LogFiles::applicationLog() {
    return ApplicationLogIn(logFolder());
}

QString LogFiles::appLog() {
    QString dir = logFolder();
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath();
    return dir + QStringLiteral("/app.log");
}
