#include "AppLog.h"

#include "LogFiles.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QStringList>
#include <QTextStream>

void AppLog(const QString& message) {
    AppLog(QStringList{message});
}

void AppLog(const QStringList& messages) {
    if (messages.isEmpty())
        return;
    QFile file(LogFiles::appLog());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning() << "Failed to open log file for writing!";
        return;
    }
    // Written in one go: every line carries the moment of writing.
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QTextStream out(&file);
    for (const QString& message : messages)
        out << stamp << QLatin1String(" - ") << message << QLatin1Char('\n');
    out.flush();
    file.close();
}
