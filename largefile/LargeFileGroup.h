#pragma once

#include <QSet>
#include <QString>

class LM_LargeFilesItemModel;
class RowLimitProxyModel;

// One file-type category of the large-file page, as the rule file names it.
struct LargeFileGroup {
    QString id;
    QSet<QString> extensions; // lower case, with the leading dot
    QString title;
    // Whether files found by the next scan arrive ticked.
    bool checked = false;
    LM_LargeFilesItemModel* files = nullptr;
    RowLimitProxyModel* proxy = nullptr;
};
