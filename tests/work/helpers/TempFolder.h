#pragma once

#include <QString>
#include <filesystem>

// A temporary folder removed with std::filesystem, which also deletes names that are not
// valid UTF-8 (QTemporaryDir leaves those behind).
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    QString text() const;

private:
    std::filesystem::path path_;
};
