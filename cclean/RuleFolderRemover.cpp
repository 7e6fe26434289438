#include "RuleFolderRemover.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

std::optional<std::uint64_t> RuleFolderRemover::Remove(const fs::path& root, const fs::path& file) {
    if (root.empty() || !file.has_filename())
        return std::nullopt;
    std::error_code ec;
    // The real folder, links resolved, and the file by its real path from then on.
    const fs::path folder = fs::canonical(file.parent_path(), ec);
    if (ec || !IsWithin(root, folder))
        return std::nullopt;
    const fs::path real = folder / file.filename();
    const fs::file_status status = fs::symlink_status(real, ec);
    if (ec || !fs::is_regular_file(status))
        return std::nullopt;
    const std::uintmax_t size = fs::file_size(real, ec);
    if (ec)
        return std::nullopt;
    if (!fs::remove(real, ec) || ec)
        return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

bool RuleFolderRemover::IsWithin(const fs::path& root, const fs::path& path) {
    if (root.empty())
        return false;
    auto r = root.begin();
    auto p = path.begin();
    for (; r != root.end(); ++r, ++p) {
        // A trailing separator shows up as an empty last element.
        if (r->empty() && std::next(r) == root.end())
            return true;
        if (p == path.end() || *r != *p)
            return false;
    }
    return true;
}
