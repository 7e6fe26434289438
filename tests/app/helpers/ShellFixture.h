#pragma once

#include "AppPaths.h"

#include <QString>
#include <QTemporaryDir>
#include <optional>
#include <string>

// A private world for the shell: the registry file, the XDG config folder and the
// executable's folder all live in one temporary folder.
class ShellFixture {
public:
    explicit ShellFixture(
        const QString& executable = QStringLiteral("C:/Program Files/梅里/Merivane.exe"));
    ~ShellFixture();

    AppPaths paths;
    QString folder() const { return dir.path(); }

    // The Run value named after the application, as stored.
    std::optional<std::string> runValue() const;
    void setRunValue(const QString& data) const;
    void removeRunValue() const;
    QByteArray registryFile() const;

private:
    QTemporaryDir dir;
};
