#include "LM_GroupModel.h"

#include "FolderItem.h"
#include "FormatFileSize.h"
#include "IWork.h"

LM_GroupModel::LM_GroupModel(IWork* work, QObject* parent)
    : QAbstractListModel(parent), work_(work) {}

LM_GroupModel::~LM_GroupModel() {
    qDeleteAll(items_);
}

void LM_GroupModel::addItem(const QString& icon, bool checked, const QString& name,
                            const QString& /*sizeText*/, const QString& path) {
    auto* item = new FolderItem;
    item->icon = icon;
    item->checked = checked;
    item->name = name;
    item->path = path;
    item->owner = this;
    beginInsertRows(QModelIndex(), items_.size(), items_.size());
    items_.append(item);
    endInsertRows();
}

void LM_GroupModel::resetSizes() {
    for (FolderItem* item : items_) {
        item->files.clear();
        item->size = 0;
    }
    if (!items_.isEmpty())
        emit dataChanged(index(0), index(items_.size() - 1), {FolderSizeRole});
}

int LM_GroupModel::rowCount(const QModelIndex& parent) const {
    // Rows have no children: a list, not an endless tree.
    return parent.isValid() ? 0 : items_.size();
}

QVariant LM_GroupModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= items_.size())
        return {};
    const FolderItem* item = items_.at(index.row());
    switch (role) {
    case FolderIconRole:
        return item->icon;
    case FolderCheckedRole:
        return item->checked.load();
    case FolderNameRole:
        return item->name;
    case FolderSizeRole:
        return FormatFileSize(item->size.load());
    case PathRole:
        return item->path;
    default:
        return {};
    }
}

QHash<int, QByteArray> LM_GroupModel::roleNames() const {
    return {{FolderIconRole, "folderIcon"},
            {FolderCheckedRole, "folderChecked"},
            {FolderNameRole, "folderName"},
            {FolderSizeRole, "folderSize"},
            {PathRole, "path"}};
}

bool LM_GroupModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() < 0 || index.row() >= items_.size() ||
        role != FolderCheckedRole)
        return false;
    return applyChecked(index.row(), value.toBool());
}

void LM_GroupModel::setChecked(int index, bool checked) {
    if (index >= 0 && index < items_.size())
        applyChecked(index, checked);
}

bool LM_GroupModel::applyChecked(int row, bool checked) {
    FolderItem* item = items_.at(row);
    {
        // A repeated tick must not count the bytes twice, and a scan worker adding a file
        // to this item must see either the old tick and size or the new ones.
        std::lock_guard<std::mutex> lock(item->mutex);
        if (item->checked.load() == checked)
            return false;
        item->checked = checked;
        const auto size = static_cast<std::int64_t>(item->size.load());
        if (work_)
            work_->AddSelectedSize(checked ? size : -size);
    }
    emit dataChanged(index(row), index(row), {FolderCheckedRole});
    return true;
}

void LM_GroupModel::updateFolderItem(void* folderItem) {
    const int row = items_.indexOf(static_cast<FolderItem*>(folderItem));
    if (row < 0)
        return;
    // Cleared before the size is read, so a file added from now on queues a new refresh.
    items_.at(row)->refreshQueued = false;
    emit dataChanged(index(row), index(row), {FolderSizeRole});
}
