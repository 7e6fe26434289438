#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <filesystem>
#include <platform/RegistryKey.h>

class DriveFixture;

// A registry file inside a drive fixture, chosen with MERIVANE_REGISTRY for the fixture's
// lifetime. Values are written through the platform registry, so the file is in the
// store's own form from the start and a change shows as changed lines only.
class FixtureRegistry {
public:
    using Root = platform::RegistryRoot;

    explicit FixtureRegistry(DriveFixture& fixture);

    // Each creates the key (below `root`) as needed. Throws when the store refuses.
    void createKey(Root root, const QString& key) const;
    void set(Root root, const QString& key, const QString& name, const QString& value) const;
    void setDword(Root root, const QString& key, const QString& name, std::uint32_t value) const;
    // A string value below HKEY_CURRENT_USER.
    void set(const QString& key, const QString& name, const QString& value) const {
        set(Root::CurrentUser, key, name, value);
    }

    // Every key and value of the file, each value line prefixed with its key:
    // "[HKEY_CURRENT_USER\…\RunMRU] "a"="cmd"".
    QStringList entries() const;
    // What changed between two entries() lists: "added: …" and "removed: …", sorted.
    static QStringList diff(const QStringList& before, const QStringList& after);

    const std::filesystem::path& file() const { return file_; }

private:
    std::filesystem::path file_;
};
