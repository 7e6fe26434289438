#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#ifdef _WIN32
#include <system_error>
#else
#include <dirent.h>
#endif

// Lists one folder for the scan without ever following a link: sub-folders and regular
// files are returned, links and every other kind are skipped, and a folder that has been
// swapped for a link is not opened at all. On Linux everything after the opening is done
// relative to the open folder, which also spares a path walk per file.
class DirectoryLister {
public:
    enum class Kind { Directory, RegularFile };

    explicit DirectoryLister(const std::filesystem::path& dir);
    ~DirectoryLister();
    DirectoryLister(const DirectoryLister&) = delete;
    DirectoryLister& operator=(const DirectoryLister&) = delete;

    bool isOpen() const;
    // The next sub-folder or regular file; false at the end or on a read error.
    bool next(std::filesystem::path& child, Kind& kind);
    // For the regular file `next` returned last: its size when it can be opened for
    // reading now (a file in use cannot) and still is a regular file, else nothing.
    std::optional<std::uint64_t> readableSize() const;

private:
    std::filesystem::path dir_;
#ifdef _WIN32
    std::filesystem::directory_iterator it_;
    std::filesystem::path current_;
    std::error_code error_;
    bool started_ = false;
#else
    DIR* stream_ = nullptr;
    std::string name_;
#endif
};
