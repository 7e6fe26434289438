#include "LM_ChatFilesModel.h"

#include "FormatFileSize.h"

#include <platform/Drives.h>

LM_ChatFilesModel::LM_ChatFilesModel(QByteArray accountRoleName, QByteArray visibleRoleName,
                                     QObject* parent)
    : FileListModel(parent), accountRoleName_(std::move(accountRoleName)),
      visibleRoleName_(std::move(visibleRoleName)) {}

QHash<int, QByteArray> LM_ChatFilesModel::roleNames() const {
    return {{PathRole, "path"},
            {SizeRole, "size"},
            {CheckedRole, "checked"},
            {ShareRole, "share"},
            {AccountRole, accountRoleName_},
            {VisibleRole, visibleRoleName_}};
}

QVariant LM_ChatFilesModel::roleData(const FileRow& row, int role) const {
    switch (role) {
    case PathRole:
        return shownPath(row);
    case SizeRole:
        return FormatFileSize(row.size);
    case CheckedRole:
        return row.checked;
    case ShareRole:
        return QString();
    case AccountRole:
        return row.tag;
    case VisibleRole:
        return row.visible;
    default:
        return {};
    }
}
