#pragma once

#include "TempTree.h"

#include <QByteArray>
#include <QMap>
#include <filesystem>

// A Windows machine in a temporary folder: drives C: and D: map onto c/ and d/, and the
// profile variables (TEMP, USERPROFILE, APPDATA, PUBLIC) name folders of a user "u" on C:.
// Works built while it lives see only this tree; the environment is restored afterwards.
class DriveFixture {
public:
    DriveFixture();
    ~DriveFixture();
    DriveFixture(const DriveFixture&) = delete;
    DriveFixture& operator=(const DriveFixture&) = delete;

    TempTree& tree() { return tree_; }
    const std::filesystem::path& root() const { return tree_.path(); }
    // The native folder of a path below a drive: c("Windows/Temp") -> <root>/c/Windows/Temp.
    std::filesystem::path c(const std::filesystem::path& relative = {}) const;
    std::filesystem::path d(const std::filesystem::path& relative = {}) const;
    // Writes a file of `size` bytes below the tree (a path from c() or d(), or relative).
    std::filesystem::path write(const std::filesystem::path& where, std::uintmax_t size) const;

    // Every entry of the tree and what changed since `before` ("removed: c/Temp/x", ...).
    TempTree::Snapshot snapshot() const { return tree_.snapshot(); }
    QStringList changesSince(const TempTree::Snapshot& before) const;

    // Sets a variable for the fixture's lifetime.
    void setEnv(const char* name, const QByteArray& value);

private:
    TempTree tree_;
    QMap<QByteArray, QByteArray> saved_; // the values to restore; absent ones as null
    QList<QByteArray> unset_;
};
