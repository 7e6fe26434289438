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
        return QVariant::fromValue(static_cast<QObject*>(group.node));
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
        auto* node = new LM_DuplicateFileListNode(this, this);
        node->appendFiles(group.files);
        groups_.push_back(TCRC32Node{Crc32Text(group.crc), node});
    }
    endInsertRows();
}

void LM_DuplicateFileListNodes::clear() {
    if (groups_.empty())
        return;
    beginResetModel();
    for (TCRC32Node& group : groups_)
        delete group.node;
    groups_.clear();
    endResetModel();
}

std::uint64_t LM_DuplicateFileListNodes::totalSize() const {
    std::uint64_t bytes = 0;
    for (const TCRC32Node& group : groups_)
        bytes += group.node->totalSize();
    return bytes;
}

int LM_DuplicateFileListNodes::checkedCount() const {
    int count = 0;
    for (const TCRC32Node& group : groups_)
        count += group.node->checkedCount();
    return count;
}

void LM_DuplicateFileListNodes::sendCheckedCountChanged() {
    emit checkedCountChanged(checkedCount());
}
