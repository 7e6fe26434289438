#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>

class DriveFixture;

// A registry file inside a drive fixture, chosen with MERIVANE_REGISTRY for the fixture's
// lifetime. Values are written through the platform registry, so the file is in the
// store's own form from the start and a change shows as changed lines only.
class FixtureRegistry {
public:
    static const char* const runMruKey; // below HKEY_CURRENT_USER

    explicit FixtureRegistry(DriveFixture& fixture);

    // Creates the key (below HKEY_CURRENT_USER) as needed and writes a string value.
    void set(const QString& key, const QString& name, const QString& value) const;
    // Every key and value of the file, each value line prefixed with its key:
    // "[HKEY_CURRENT_USER\…\RunMRU] "a"="cmd"".
    QStringList entries() const;
    // What changed between two entries() lists: "added: …" and "removed: …", sorted.
    static QStringList diff(const QStringList& before, const QStringList& after);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};
