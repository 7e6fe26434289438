#pragma once

#include "DuplicateFile.h"
#include "FileListModel.h"

#include <QString>
#include <optional>
#include <unordered_map>

class LM_DuplicateFileListNodes;

// The files of one duplicate group, or, once per type, the all-files table the page shows
// (every row of every group of the type, in group order). Rows carry the group ID, so the
// page can colour neighbouring groups apart and a clean can keep one copy per group.
class LM_DuplicateFileListNode : public FileListModel {
    Q_OBJECT
public:
    enum TFileRoles {
        IDRole = Qt::UserRole + 1,
        ShortNameRole,
        PathRole,
        SizeRole,
        CreateTimeRole,
        CheckedRole,
        VisibleRole,
    };
    Q_ENUM(TFileRoles)

    // A group table has its owner; an all-files table has none.
    explicit LM_DuplicateFileListNode(LM_DuplicateFileListNodes* owner, QObject* parent = nullptr);

    QHash<int, QByteArray> roleNames() const override;
    bool isAllTable() const { return owner_ == nullptr; }

    // Which file a row's path reached at the scan, and below which scanned root.
    struct Origin {
        platform::FileIdentity identity;
        std::uint32_t root = 0;
    };

    // Appends the copies with one insertion and remembers where each row's file came from.
    void appendFiles(const std::vector<DuplicateFile>& files);
    // Nothing for an id that is not a row here.
    std::optional<Origin> origin(std::uint64_t id) const;
    // Hides the rows with these ids, telling the ticked count once.
    void hide(const std::vector<std::uint64_t>& ids);
    // Removes every row and what was remembered of them.
    void clearFiles();

    // Tells the page the table's groups, size and ticked rows (nodeInfoTableChanged).
    void sendInfo(int groups);

    // Ticks or unticks row index (out of range: ignored) and tells the new count.
    Q_INVOKABLE void setChecked(int index, bool checked);

signals:
    void nodeCheckedCountChanged(int checkCount);
    void nodeInfoTableChanged(int nodesCount, QString nodesSize, int checkedCount);

public slots:
    void sendCheckedCountChanged();

protected:
    int checkedRole() const override { return CheckedRole; }
    int visibleRole() const override { return VisibleRole; }
    QVariant roleData(const FileRow& row, int role) const override;

private:
    LM_DuplicateFileListNodes* owner_;
    std::unordered_map<std::uint64_t, Origin> origins_;
    // While hide() runs: rows change without the count being said, until the end.
    bool hiding_ = false;
    bool countStale_ = false;
};
