#pragma once

#include "DuplicateFile.h"

#include <QAbstractListModel>
#include <string>
#include <vector>

class LM_DuplicateFileListNode;

// The duplicate groups of one type, in the order they were found: per group its CRC-32
// text and its own file table. Group n (from 1) gives its rows the ID n.
class LM_DuplicateFileListNodes : public QAbstractListModel {
    Q_OBJECT
public:
    enum TNodesRoles {
        IDRole = Qt::UserRole + 1,
        CRC32Role,
        CountRole,
        NodeRole,
    };
    Q_ENUM(TNodesRoles)

    struct TCRC32Node {
        std::string crc32;
        LM_DuplicateFileListNode* node = nullptr;
    };

    explicit LM_DuplicateFileListNodes(QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;
    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Appends the groups with one insertion; each group's rows get its ID first.
    void addGroups(std::vector<DuplicateGroup>& groups);
    // Drops every group and its table.
    void clear();

    const std::vector<TCRC32Node>& groups() const { return groups_; }
    // Bytes of every file of every group, every copy counted.
    std::uint64_t totalSize() const;
    int checkedCount() const;

signals:
    void nodesInfoChanged(int nodesCount, QString nodesSize, int checkedCount);
    void scanDriveChanged(QString drive);
    void checkedCountChanged(int checkedCount);

public slots:
    void sendCheckedCountChanged();

private:
    std::vector<TCRC32Node> groups_;
};
