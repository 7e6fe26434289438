#include "FixtureRegistry.h"

#include "DriveFixture.h"

#include <QFile>
#include <platform/RegistryKey.h>
#include <stdexcept>

const char* const FixtureRegistry::runMruKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\RunMRU";

FixtureRegistry::FixtureRegistry(DriveFixture& fixture) : file_(fixture.root() / "registry.reg") {
    fixture.setEnv("MERIVANE_REGISTRY", QByteArray::fromStdString(file_.native()));
}

void FixtureRegistry::set(const QString& key, const QString& name, const QString& value) const {
    auto opened = platform::RegistryKey::open(
        platform::RegistryRoot::CurrentUser, key.toStdString(), platform::RegistryAccess::ReadWrite,
        platform::RegistryView::Default, true);
    if (!opened.isOpen() || opened.writeString(name.toStdString(), value.toStdString()) != 0)
        throw std::runtime_error("fixture registry not writable");
}

QStringList FixtureRegistry::entries() const {
    QFile reg(QString::fromStdString(file_.native()));
    if (!reg.open(QIODevice::ReadOnly))
        return {};
    QStringList list;
    QString key;
    for (const QString& line : QString::fromUtf8(reg.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            key = line;
            list << key;
        } else if (!line.isEmpty() && !key.isEmpty()) {
            list << key + QLatin1Char(' ') + line;
        }
    }
    return list;
}

QStringList FixtureRegistry::diff(const QStringList& before, const QStringList& after) {
    QStringList changes;
    for (const QString& entry : after) {
        if (before.count(entry) < after.count(entry) && !changes.contains("added: " + entry))
            changes << "added: " + entry;
    }
    for (const QString& entry : before) {
        if (after.count(entry) < before.count(entry) && !changes.contains("removed: " + entry))
            changes << "removed: " + entry;
    }
    changes.sort();
    return changes;
}
