#include "AppLog.h"

#include "LogFiles.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QTextStream>

void AppLog(const QString& message) {
    QFile file(LogFiles::appLog());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning() << "Failed to open log file for writing!";
        return;
    }
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
        << QLatin1String(" - ") << message << QLatin1Char('\n');
    out.flush();
    file.close();
}
