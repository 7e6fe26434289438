#pragma once

#include <filesystem>
#include <vector>

// The recent-items folder: each regular file directly in it is a trace, except the
// folder's own "desktop.ini" (exactly that name; "Desktop.ini" is a trace like any other).
// Sub-folders and links are neither listed nor followed.
class RecentItems {
public:
    // The traces in `folder`. With `log`, the path of every regular file goes to "app.log",
    // and so does a folder that cannot be listed (which holds no traces then).
    static std::vector<std::filesystem::path> list(const std::filesystem::path& folder, bool log);
};
