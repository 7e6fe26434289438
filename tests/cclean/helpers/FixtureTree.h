#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

// A throw-away folder tree standing in for drive C:. MERIVANE_DRIVES maps C: onto
// root()/"c", and TEMP / USERPROFILE point inside it, so nothing real is ever touched.
class FixtureTree {
public:
    FixtureTree();
    // Removes the tree with std::filesystem: QDir skips names holding byte 0xFF.
    ~FixtureTree();
    bool isValid() const { return dir_.isValid(); }

    std::filesystem::path root() const;
    // The native folder of a drive-C path below the fixture: "Windows\Temp" -> .../c/Windows/Temp
    std::filesystem::path c(const std::filesystem::path& relative = {}) const;
    // Creates the file (and its folders) with `size` bytes.
    static void writeFile(const std::filesystem::path& file, std::uintmax_t size);

    // Every entry below root(), links not followed: relative path -> "file <size>",
    // "dir" or "link -> <target>".
    std::map<std::filesystem::path, std::string> snapshot() const;

private:
    QTemporaryDir dir_;
};
