#include "SoftwareFixture.h"

namespace {

using Root = FixtureRegistry::Root;

const QString uninstallTail = QStringLiteral("Microsoft\\Windows\\CurrentVersion\\Uninstall");

Root rootOf(SoftwareFixture::Key key) {
    return key == SoftwareFixture::Key::Machine64 || key == SoftwareFixture::Key::Machine32
               ? Root::LocalMachine
               : Root::CurrentUser;
}

QString keyPath(SoftwareFixture::Key key) {
    return key == SoftwareFixture::Key::Machine32 || key == SoftwareFixture::Key::User32
               ? QStringLiteral("SOFTWARE\\Wow6432Node\\") + uninstallTail
               : QStringLiteral("SOFTWARE\\") + uninstallTail;
}

} // namespace

SoftwareFixture::SoftwareFixture(bool withKeys) : registry_(drives_) {
    if (withKeys) {
        for (Key key : {Key::Machine64, Key::Machine32, Key::User64, Key::User32})
            registry_.createKey(rootOf(key), keyPath(key));
    }
}

void SoftwareFixture::add(Key key, const QString& subKey, const Values& values) {
    const QString path = keyPath(key) + QLatin1Char('\\') + subKey;
    registry_.createKey(rootOf(key), path);
    const QLatin1String dword("dword:");
    for (const auto& value : values) {
        if (value.second.startsWith(dword)) {
            bool ok = false;
            const uint number = value.second.mid(dword.size()).toUInt(&ok, 16);
            if (!ok)
                qFatal("not a DWORD: %s", qPrintable(value.second));
            registry_.setDword(rootOf(key), path, value.first, number);
        } else {
            registry_.set(rootOf(key), path, value.first, value.second);
        }
    }
}

void SoftwareFixture::add(const QString& name, const QString& uninstString, const Values& more) {
    Values values{{QStringLiteral("DisplayName"), name},
                  {QStringLiteral("UninstallString"), uninstString}};
    add(Key::Machine64, name, values + more);
}
