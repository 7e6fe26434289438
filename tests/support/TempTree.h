#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

// A new empty folder under the system's temporary folder, removed with all its content
// (names that are not valid text included), with what tests need to build a tree in it
// and to tell exactly what a destructive call changed there.
class TempTree {
public:
    // One entry of a snapshot, as found without following links.
    struct Entry {
        enum class Kind { Folder, File, Link, Other };
        Kind kind = Kind::Other;
        std::uint64_t size = 0;       // files
        std::uint64_t hash = 0;       // files: of the content (of a file over 1 MiB, its
                                      // first and last 256 KiB), so a changed byte shows
        std::filesystem::path target; // links, where the platform tells

        bool operator==(const Entry& other) const;
        bool operator!=(const Entry& other) const { return !(*this == other); }
    };
    // Every entry below a folder, keyed by its path relative to that folder.
    using Snapshot = std::map<std::filesystem::path, Entry>;

    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::filesystem::path& name) const {
        return path_ / name;
    }

    // Writes a file, creating its folders, and returns its path. `where` is relative to the
    // root or a path below it; anything else throws, so no test writes outside its tree.
    std::filesystem::path write(const std::filesystem::path& where, std::uintmax_t size) const;
    std::filesystem::path write(const std::filesystem::path& where,
                                const std::string& content) const;
    static std::string read(const std::filesystem::path& file);

    Snapshot snapshot() const { return snapshotOf(path_); }
    static Snapshot snapshotOf(const std::filesystem::path& folder);
    // "added: x", "changed: y", "removed: z" for every entry that differs, sorted, with
    // paths as UTF-8 text and "/" between names; empty when the snapshots are equal.
    static std::vector<std::string> diff(const Snapshot& before, const Snapshot& after);

    // Called with the root before it is removed, for a platform whose remove_all would
    // follow a link below it: the hook removes the links themselves first.
    static void setLinkRemover(std::function<void(const std::filesystem::path&)> remover);

private:
    std::filesystem::path below(const std::filesystem::path& where) const;

    std::filesystem::path path_;
};
