#pragma once

#include <QString>
#include <cstdint>
#include <filesystem>

// One file of a page's file list, as a scan found it. Rows are values: workers build them
// and hand them to the GUI thread, where a FileListModel owns them.
struct FileRow {
    // Identifies the row for the life of the work, whatever rows come and go around it;
    // given by the receiving model when the row is added.
    std::uint64_t id = 0;
    std::filesystem::path path;
    std::uint64_t size = 0;
    // Last write, in 100 ns ticks since 1601-01-01 UTC; 0 when not known.
    std::int64_t modified = 0;
    // What the page groups the row by besides its list: the account of a chat file, the
    // category of a large file.
    QString tag;
    // The duplicate group of the row; 0 elsewhere.
    std::int32_t group = 0;
    bool checked = false;
    bool visible = true;
    // Left out by the page's filter (another account, a file too new): like a hidden row,
    // it shows nowhere, counts nowhere and is never cleaned. Set by the receiving model.
    bool filteredOut = false;
};
