#pragma once

#include "FileListModel.h"

#include <QByteArray>

// The files of one chat category: path, size, tick, share, account and visibility. The
// two chat programs name the account role and the visibility role differently; the rest
// is the shared file-list model.
class LM_ChatFilesModel : public FileListModel {
    Q_OBJECT
public:
    enum Roles {
        PathRole = Qt::UserRole + 1,
        SizeRole,
        CheckedRole,
        ShareRole,
        AccountRole,
        VisibleRole,
    };

    QHash<int, QByteArray> roleNames() const override;

protected:
    LM_ChatFilesModel(QByteArray accountRoleName, QByteArray visibleRoleName,
                      QObject* parent = nullptr);

    int checkedRole() const override { return CheckedRole; }
    int visibleRole() const override { return VisibleRole; }
    QVariant roleData(const FileRow& row, int role) const override;

private:
    QByteArray accountRoleName_;
    QByteArray visibleRoleName_;
};
