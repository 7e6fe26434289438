#include "MessageHandler.h"

#include "LogFiles.h"

#include <QDateTime>

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

// "yyyy-MM-dd hh:mm:ss.zzz ", local time. The local date and time are worked out once a
// second per thread: QDateTime::currentDateTime() looks up the time zone each call, which
// made it the dearest part of a log line.
QByteArray Timestamp() {
    thread_local qint64 second = -1;
    thread_local QByteArray prefix;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    if (now / 1000 != second) {
        second = now / 1000;
        prefix = QDateTime::fromMSecsSinceEpoch(second * 1000)
                     .toString(QStringLiteral("yyyy-MM-dd hh:mm:ss."))
                     .toLatin1();
    }
    QByteArray stamp = prefix;
    stamp += QByteArray::number(now % 1000).rightJustified(3, '0');
    stamp += ' ';
    return stamp;
}
} // namespace

void MessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& msg) {
    QByteArray line = Timestamp();
    line += levelWord(type);
    line += msg.toUtf8();
    line += " (";
    line += context.file ? context.file : "";
    line += ':';
    line += QByteArray::number(context.line);
    line += ")\n";
    LogFiles::appendToApplicationLog(line);
}
