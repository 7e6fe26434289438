#include "SoftwareFixture.h"

#include <QFile>
#include <QTextStream>

namespace {

QString keyPath(SoftwareFixture::Key key) {
    const QString tail = QStringLiteral("Microsoft\\Windows\\CurrentVersion\\Uninstall");
    switch (key) {
    case SoftwareFixture::Key::Machine64:
        return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\") + tail;
    case SoftwareFixture::Key::Machine32:
        return QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\") + tail;
    case SoftwareFixture::Key::User64:
        return QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\") + tail;
    case SoftwareFixture::Key::User32:
        return QStringLiteral("HKEY_CURRENT_USER\\SOFTWARE\\Wow6432Node\\") + tail;
    }
    return {};
}

QString quoted(QString text) {
    text.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    text.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

SoftwareFixture::SoftwareFixture(bool withKeys) : registry_(drives_.root() / "registry.reg") {
    drives_.setEnv("MERIVANE_REGISTRY", QByteArray::fromStdString(registry_.native()));
    if (withKeys) {
        for (Key key : {Key::Machine64, Key::Machine32, Key::User64, Key::User32})
            keys_.append({keyPath(key), {}});
    }
    writeRegistry();
}

void SoftwareFixture::add(Key key, const QString& subKey, const Values& values) {
    keys_.append({keyPath(key) + QLatin1Char('\\') + subKey, values});
    writeRegistry();
}

void SoftwareFixture::add(const QString& name, const QString& uninstString, const Values& more) {
    Values values{{QStringLiteral("DisplayName"), name},
                  {QStringLiteral("UninstallString"), uninstString}};
    add(Key::Machine64, name, values + more);
}

void SoftwareFixture::writeRegistry() const {
    // Written aside and renamed, as the program's own store does, so a reader never sees
    // half a file.
    const QString path = QString::fromStdString(registry_.native());
    QFile file(path + QStringLiteral(".new"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        qFatal("cannot write the registry file");
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << "Windows Registry Editor Version 5.00\n\n";
    for (const auto& key : keys_) {
        out << '[' << key.first << "]\n";
        for (const auto& value : key.second) {
            out << quoted(value.first) << '=';
            if (value.second.startsWith(QLatin1String("dword:")))
                out << value.second << '\n';
            else
                out << quoted(value.second) << '\n';
        }
        out << '\n';
    }
    out.flush();
    file.close();
    QFile::remove(path);
    if (!QFile::rename(file.fileName(), path))
        qFatal("cannot place the registry file");
}
