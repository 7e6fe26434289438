#pragma once

#include <QSet>
#include <QString>
#include <cstdint>

class LM_LargeFilesItemModel;
class RowLimitProxyModel;

// One file-type category of the large-file page, as the rule file names it.
struct LargeFileGroup {
    QString id;
    QSet<QString> extensions; // lower case, with the leading dot
    QString title;
    // Whether files found by the next scan arrive ticked: the rule's choice until the user
    // clicks the category's box, never again after.
    bool checked = false;
    // What the category's box shows: the rule's choice, then the user's last click, until
    // the next scan starts.
    bool boxTicked = false;
    // Bytes the last scan found in the category; moves do not lower it, so the title keeps
    // telling what the scan found.
    std::uint64_t size = 0;
    LM_LargeFilesItemModel* files = nullptr;
    RowLimitProxyModel* proxy = nullptr;
};
