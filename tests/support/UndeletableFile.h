#pragma once

#include <filesystem>

// Makes a file impossible to delete for as long as it lives, as a file held by another
// program is on Windows: immutable for root (who ignores permission bits), else its folder
// loses its write permission. A delete then fails with "access denied".
class UndeletableFile {
public:
    explicit UndeletableFile(const std::filesystem::path& file);
    ~UndeletableFile();
    UndeletableFile(const UndeletableFile&) = delete;
    UndeletableFile& operator=(const UndeletableFile&) = delete;

    bool ok() const { return ok_; }

private:
    bool setImmutable(bool on);

    std::filesystem::path file_;
    bool ok_ = false;
};
