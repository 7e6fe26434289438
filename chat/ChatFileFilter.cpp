#include "ChatFileFilter.h"

#include "FileTime.h"

FileListModel::RowFilter ChatFileFilter::rowFilter() const {
    if (account.isEmpty() && olderThanDays <= 0)
        return {};
    return [account = account, days = olderThanDays](const FileRow& row) {
        if (!account.isEmpty() && row.tag != account)
            return false;
        return days <= 0 ||
               (row.modified != 0 && row.modified < CurrentFileTime() - days * FileTimeTicksPerDay);
    };
}
