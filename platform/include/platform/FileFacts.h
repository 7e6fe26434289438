#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

namespace platform {

// Which file a path reaches: the same file reached twice (hard link, bind mount, two drive
// letters on one file system) has the same identity.
struct FileIdentity {
    std::uint64_t volume = 0; // Linux: st_dev; Windows: volume serial number
    std::uint64_t file = 0;   // Linux: st_ino; Windows: 64-bit file index

    bool operator==(const FileIdentity& o) const { return volume == o.volume && file == o.file; }
    bool operator!=(const FileIdentity& o) const { return !(*this == o); }
    bool operator<(const FileIdentity& o) const {
        return volume != o.volume ? volume < o.volume : file < o.file;
    }

    // Of the regular file at path itself, never what a link there points to; nothing when
    // it is missing, a link, or not a regular file.
    static std::optional<FileIdentity> read(const std::filesystem::path& path);
};

// What a scan knows of a regular file without reading it.
struct FileFacts {
    std::uint64_t size = 0;
    std::int64_t modified = 0; // last write, in 100 ns ticks since 1601-01-01 UTC (FILETIME)

    // Of the regular file at path itself, never what a link there points to; nothing when
    // it is missing, a link, or not a regular file.
    static std::optional<FileFacts> read(const std::filesystem::path& path);
};

} // namespace platform
