#include "TaggedFileListModel.h"

#include "FormatFileSize.h"

TaggedFileListModel::TaggedFileListModel(QByteArray tagRoleName, QByteArray visibleRoleName,
                                         QObject* parent)
    : FileListModel(parent), tagRoleName_(std::move(tagRoleName)),
      visibleRoleName_(std::move(visibleRoleName)) {}

QHash<int, QByteArray> TaggedFileListModel::roleNames() const {
    QHash<int, QByteArray> names{{PathRole, "path"},
                                 {SizeRole, "size"},
                                 {CheckedRole, "checked"},
                                 {ShareRole, "share"},
                                 {TagRole, tagRoleName_}};
    if (!visibleRoleName_.isEmpty())
        names.insert(VisibleRole, visibleRoleName_);
    return names;
}

int TaggedFileListModel::visibleRole() const {
    return visibleRoleName_.isEmpty() ? -1 : VisibleRole;
}

QVariant TaggedFileListModel::roleData(const FileRow& row, int role) const {
    switch (role) {
    case PathRole:
        return shownPath(row);
    case SizeRole:
        return FormatFileSize(row.size);
    case CheckedRole:
        return row.checked;
    case ShareRole:
        return QString();
    case TagRole:
        return row.tag;
    case VisibleRole:
        return visibleRoleName_.isEmpty() ? QVariant() : QVariant(row.visible);
    default:
        return {};
    }
}
