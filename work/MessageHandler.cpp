#include "MessageHandler.h"

#include "LogFiles.h"

#include <QDateTime>
#include <QFile>
#include <QTextStream>

namespace {
const char* levelWord(QtMsgType type) {
    switch (type) {
    case QtDebugMsg:
        return "DEBUG ";
    case QtInfoMsg:
        return "INFO ";
    case QtWarningMsg:
        return "WARNING ";
    case QtCriticalMsg:
        return "CRITICAL ";
    case QtFatalMsg:
        return "FATAL ";
    }
    return "";
}
} // namespace

void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    // Opened and closed per message so every line reaches the disk at once; each call has
    // its own handle, so lines from different threads never interleave.
    QFile file(LogFiles::applicationLog());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss.zzz "))
        << QLatin1String(levelWord(type)) << msg << QLatin1String(" (")
        << QString::fromUtf8(context.file ? context.file : "") << QLatin1Char(':') << context.line
        << QLatin1Char(')') << Qt::endl;
    file.close();
}
