#include "InitFirstRunSettings.h"

#include "AutostartEntry.h"

#include <QFileInfo>
#include <QSettings>

void InitFirstRunSettings(const AppPaths& paths) {
    if (QFileInfo::exists(paths.configFile))
        return;
    AutostartEntry(paths).registerHere();
    QSettings settings(paths.configFile, QSettings::IniFormat);
    settings.setValue(QStringLiteral("isTray"), QStringLiteral("true"));
    settings.sync();
}
