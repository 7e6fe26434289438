#pragma once

#include <QByteArray>
#include <QString>

// Locations of "application.log" and "app.log". Until a folder is set, "application.log"
// is relative to the current directory and "app.log" lies beside the executable.
class LogFiles {
public:
    static void setDirectory(const QString& folder);
    static QString applicationLog();
    // Appends whole lines to "application.log", one caller at a time, so lines written by
    // different threads never interleave; drops them when the file cannot be opened.
    static void appendToApplicationLog(const QByteArray& line);
    static QString appLog();
};
