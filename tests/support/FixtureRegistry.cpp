#include "FixtureRegistry.h"

#include "DriveFixture.h"

#include <QFile>
#include <stdexcept>

namespace {

platform::RegistryKey Created(platform::RegistryRoot root, const QString& key) {
    auto opened =
        platform::RegistryKey::open(root, key.toStdString(), platform::RegistryAccess::ReadWrite,
                                    platform::RegistryView::Default, true);
    if (!opened.isOpen())
        throw std::runtime_error("fixture registry not writable");
    return opened;
}

void Check(std::uint32_t error) {
    if (error != 0)
        throw std::runtime_error("fixture registry not writable");
}

} // namespace

FixtureRegistry::FixtureRegistry(DriveFixture& fixture) : file_(fixture.root() / "registry.reg") {
    fixture.setEnv("MERIVANE_REGISTRY", QByteArray::fromStdString(file_.native()));
}

void FixtureRegistry::createKey(Root root, const QString& key) const {
    Created(root, key);
}

void FixtureRegistry::set(Root root, const QString& key, const QString& name,
                          const QString& value) const {
    Check(Created(root, key).writeString(name.toStdString(), value.toStdString()));
}

void FixtureRegistry::setDword(Root root, const QString& key, const QString& name,
                               std::uint32_t value) const {
    Check(Created(root, key).writeDword(name.toStdString(), value));
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
