#pragma once

#include <QString>

// Where the settings live and how the program names itself; tests point these at a
// temporary folder.
struct AppPaths {
    QString configFile;      // "config.ini" beside the executable
    QString executablePath;  // as QCoreApplication::applicationFilePath()
    QString applicationName; // the Run value name

    static AppPaths current();
};
