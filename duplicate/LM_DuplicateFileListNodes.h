#pragma once

#include "DuplicateFile.h"

#include <QAbstractListModel>
#include <string>
#include <vector>

class LM_DuplicateFileListNode;

// The duplicate groups of one type, in the order they were found: per group its CRC-32
// text and its own file table. Group n (from 1) gives its rows the ID n. A group's table
// is made when first asked for: a scan finds thousands of groups, and the page lists the
// all-files tables instead.
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
        std::vector<DuplicateFile> files;
        LM_DuplicateFileListNode* node = nullptr; // made by table()
    };

    explicit LM_DuplicateFileListNodes(QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;
    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // Appends the groups with one insertion, taking over their files; each group's rows
    // get its ID first.
    void addGroups(std::vector<DuplicateGroup>& groups);
    // Drops every group and its table; returns the groups' files, for the caller to free
    // where it costs the page nothing.
    std::vector<TCRC32Node> clear();

    const std::vector<TCRC32Node>& groups() const { return groups_; }
    // The file table of group `row` (made now if need be); null out of range.
    LM_DuplicateFileListNode* table(int row) const;
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
    // Tables are made on demand, also from const accessors such as data().
    mutable std::vector<TCRC32Node> groups_;
};
