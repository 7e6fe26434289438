#include "LM_LargeFilesItemModel.h"

#include "FormatFileSize.h"

#include <platform/Drives.h>

LM_LargeFilesItemModel::LM_LargeFilesItemModel(QObject* parent) : FileListModel(parent) {}

QHash<int, QByteArray> LM_LargeFilesItemModel::roleNames() const {
    return {{PathRole, "path"},
            {SizeRole, "size"},
            {CheckedRole, "checked"},
            {ShareRole, "share"},
            {GroupIdRole, "groupID"}};
}

QVariant LM_LargeFilesItemModel::roleData(const FileRow& row, int role) const {
    switch (role) {
    case PathRole:
        return shownPath(row);
    case SizeRole:
        return FormatFileSize(row.size);
    case CheckedRole:
        return row.checked;
    case ShareRole:
        return QString();
    case GroupIdRole:
        return row.tag;
    default:
        return {};
    }
}
