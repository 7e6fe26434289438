#pragma once

#include <QString>
#include <filesystem>
#include <vector>

// The recent-items folder: each regular file directly in it is a trace, except the
// folder's own "desktop.ini" in any letter case. Sub-folders and links are neither listed
// nor followed.
class RecentItems {
public:
    // The folder a rule names ("C:\Users\…\Recent"), with its links resolved; empty when the
    // text names no folder on a drive. A relative path (an unknown drive, a variable left
    // unexpanded) is never taken relative to the current folder.
    static std::filesystem::path locate(const QString& ruleFolder);
    // The traces in `folder` (from locate; none when empty). With `log`, the path of every
    // regular file goes to "app.log", and so does a folder that cannot be listed.
    static std::vector<std::filesystem::path> list(const std::filesystem::path& folder, bool log);
};
