#include "LM_DuplicateFileListNodes.h"

#include "Crc32.h"
#include "LM_DuplicateFileListNode.h"

LM_DuplicateFileListNodes::LM_DuplicateFileListNodes(QObject* parent)
    : QAbstractListModel(parent) {}

QHash<int, QByteArray> LM_DuplicateFileListNodes::roleNames() const {
    return {{IDRole, "ID"}, {CRC32Role, "CRC32"}, {CountRole, "Count"}, {NodeRole, "node"}};
}

int LM_DuplicateFileListNodes::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(groups_.size());
}

QVariant LM_DuplicateFileListNodes::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const TCRC32Node& group = groups_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case IDRole:
        return index.row();
    case CRC32Role:
        return QString::fromStdString(group.crc32);
    case CountRole:
        return rowCount();
    case NodeRole:
        return QVariant::fromValue(static_cast<QObject*>(table(index.row())));
    default:
        return {};
    }
}

void LM_DuplicateFileListNodes::addGroups(std::vector<DuplicateGroup>& groups) {
    if (groups.empty())
        return;
    const int first = rowCount();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(groups.size()) - 1);
    for (DuplicateGroup& group : groups) {
        const auto id = static_cast<std::int32_t>(groups_.size() + 1);
        for (DuplicateFile& file : group.files)
            file.row.group = id;
        groups_.push_back(TCRC32Node{Crc32Text(group.crc), std::move(group.files), nullptr});
    }
    endInsertRows();
}

std::vector<LM_DuplicateFileListNodes::TCRC32Node> LM_DuplicateFileListNodes::clear() {
    std::vector<TCRC32Node> old;
    if (groups_.empty())
        return old;
    beginResetModel();
    for (TCRC32Node& group : groups_) {
        delete group.node;
        group.node = nullptr;
    }
    old.swap(groups_);
    endResetModel();
    return old;
}

LM_DuplicateFileListNode* LM_DuplicateFileListNodes::table(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    TCRC32Node& group = groups_[static_cast<std::size_t>(row)];
    if (!group.node) {
        auto* self = const_cast<LM_DuplicateFileListNodes*>(this);
        group.node = new LM_DuplicateFileListNode(self, self);
        group.node->appendFiles(group.files);
    }
    return group.node;
}

std::uint64_t LM_DuplicateFileListNodes::totalSize() const {
    std::uint64_t bytes = 0;
    for (const TCRC32Node& group : groups_) {
        for (const DuplicateFile& file : group.files)
            bytes += file.row.size;
    }
    return bytes;
}

int LM_DuplicateFileListNodes::checkedCount() const {
    int count = 0;
    for (const TCRC32Node& group : groups_)
        count += group.node ? group.node->checkedCount() : 0;
    return count;
}

void LM_DuplicateFileListNodes::sendCheckedCountChanged() {
    emit checkedCountChanged(checkedCount());
}
