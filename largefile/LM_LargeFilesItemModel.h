#pragma once

#include "FileListModel.h"

// The files of one large-file category. Ticks and removals go through FileListModel, which
// reports every change of the ticked bytes.
class LM_LargeFilesItemModel : public FileListModel {
    Q_OBJECT
public:
    enum Roles {
        PathRole = Qt::UserRole + 1,
        SizeRole,
        CheckedRole,
        ShareRole,
        GroupIdRole,
    };

    explicit LM_LargeFilesItemModel(QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;

protected:
    int checkedRole() const override { return CheckedRole; }
    QVariant roleData(const FileRow& row, int role) const override;
};
