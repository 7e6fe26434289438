#pragma once

#include "FileListModel.h"

#include <QString>

// What the account and date selectors of a chat page let through: the files of one account
// (or of all), last written more than so many days ago (or at any time). A file whose age is
// not known is too new for any age.
struct ChatFileFilter {
    // Empty: every account.
    QString account;
    // 0: any age.
    int olderThanDays = 0;

    // The rows' test; nothing when every row passes. The age counts from each row's test.
    FileListModel::RowFilter rowFilter() const;
};
