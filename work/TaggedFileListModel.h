#pragma once

#include "FileListModel.h"

#include <QByteArray>

// A page's file list as the chat and large-file pages show it: path, size, tick, share, the
// row's tag (the account of a chat file, the category of a large file) and, where the page
// hides rows, the visibility. The pages read the tag and the visibility under names of
// their own; a list that hides nothing has no visibility role at all.
class TaggedFileListModel : public FileListModel {
    Q_OBJECT
public:
    enum Roles {
        PathRole = Qt::UserRole + 1,
        SizeRole,
        CheckedRole,
        ShareRole,
        TagRole,
        VisibleRole,
    };

    explicit TaggedFileListModel(QByteArray tagRoleName, QByteArray visibleRoleName = {},
                                 QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;

protected:
    int checkedRole() const override { return CheckedRole; }
    // -1 when the visibility role has no name.
    int visibleRole() const override;
    QVariant roleData(const FileRow& row, int role) const override;

private:
    QByteArray tagRoleName_;
    QByteArray visibleRoleName_;
};
