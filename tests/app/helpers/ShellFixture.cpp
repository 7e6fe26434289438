#include "ShellFixture.h"

#include "AutostartEntry.h"

#include <QDir>
#include <QFile>
#include <platform/RegistryKey.h>

namespace {
platform::RegistryKey runKey(bool write) {
    return platform::RegistryKey::open(
        platform::RegistryRoot::CurrentUser, AutostartEntry::RunKeyPath,
        write ? platform::RegistryAccess::ReadWrite : platform::RegistryAccess::Read,
        platform::RegistryView::Default, write);
}
} // namespace

ShellFixture::ShellFixture(const QString& executable) {
    QDir(dir.path()).mkpath(QStringLiteral("app"));
    QDir(dir.path()).mkpath(QStringLiteral("config"));
    qputenv("MERIVANE_REGISTRY", (dir.path() + QStringLiteral("/registry.reg")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (dir.path() + QStringLiteral("/config")).toUtf8());
    paths.configFile = dir.path() + QStringLiteral("/app/config.ini");
    paths.executablePath = executable;
    paths.applicationName = QStringLiteral("Merivane");
}

ShellFixture::~ShellFixture() {
    qunsetenv("MERIVANE_REGISTRY");
    qunsetenv("XDG_CONFIG_HOME");
}

std::optional<std::string> ShellFixture::runValue() const {
    return runKey(false).readString(paths.applicationName.toStdString());
}

void ShellFixture::setRunValue(const QString& data) const {
    runKey(true).writeString(paths.applicationName.toStdString(), data.toStdString());
}

void ShellFixture::removeRunValue() const {
    runKey(true).deleteValue(paths.applicationName.toStdString());
}

QByteArray ShellFixture::registryFile() const {
    QFile file(dir.path() + QStringLiteral("/registry.reg"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
