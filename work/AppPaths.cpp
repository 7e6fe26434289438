#include "AppPaths.h"

#include <QCoreApplication>

AppPaths AppPaths::current() {
    AppPaths paths;
    paths.configFile = QCoreApplication::applicationDirPath() + QStringLiteral("/config.ini");
    paths.executablePath = QCoreApplication::applicationFilePath();
    paths.applicationName = QCoreApplication::applicationName();
    return paths;
}
