#pragma once

#include <filesystem>
#include <string>

// A new empty folder under the system's temporary folder, removed with all its content.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

    // Writes a file (creating its folders) and returns its path.
    static std::filesystem::path writeFile(const std::filesystem::path& file,
                                           const std::string& content);
    static std::string readFile(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
};
