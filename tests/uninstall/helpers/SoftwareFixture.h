#pragma once

#include "DriveFixture.h"
#include "FixtureRegistry.h"

#include <QList>
#include <QPair>
#include <QString>
#include <filesystem>

// A Windows machine in a temporary folder (drives C: and D:) with a registry file of its
// own, in which tests register programs under the four uninstall keys.
class SoftwareFixture {
public:
    enum class Key { Machine64, Machine32, User64, User32 };
    // Registry values in order; a value of the form "dword:0000abcd" is a DWORD.
    using Values = QList<QPair<QString, QString>>;

    // withKeys: the four uninstall keys exist, empty, as on any Windows machine.
    explicit SoftwareFixture(bool withKeys = true);

    DriveFixture& drives() { return drives_; }
    std::filesystem::path c(const std::filesystem::path& relative = {}) const {
        return drives_.c(relative);
    }
    std::filesystem::path write(const std::filesystem::path& where, std::uintmax_t size) const {
        return drives_.write(where, size);
    }

    // Registers a program under `key` as subkey `subKey`.
    void add(Key key, const QString& subKey, const Values& values);
    // The same under the machine-wide 64-bit key, from name, uninstall string and more.
    void add(const QString& name, const QString& uninstString, const Values& more = {});

private:
    DriveFixture drives_;
    FixtureRegistry registry_;
};
