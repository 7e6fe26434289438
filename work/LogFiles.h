#pragma once

#include <QString>

// Locations of "application.log" and "app.log". Until a folder is set, "application.log"
// is relative to the current directory and "app.log" lies beside the executable.
class LogFiles {
public:
    static void setDirectory(const QString& folder);
    static QString applicationLog();
    static QString appLog();
};
