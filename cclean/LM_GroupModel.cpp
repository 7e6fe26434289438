#include "LM_GroupModel.h"

#include "FolderItem.h"
#include "FormatFileSize.h"
#include "IWork.h"
#include "RowChangeCoalescer.h"

LM_GroupModel::LM_GroupModel(IWork* work, QObject* parent)
    : QAbstractListModel(parent), work_(work),
      sizeChanges_(new RowChangeCoalescer(this, {FolderSizeRole})) {}

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
    beginInsertRows(QModelIndex(), items_.size(), items_.size());
    items_.append(item);
    endInsertRows();
}

void LM_GroupModel::resetSizes() {
    sizeChanges_->forget();
    for (FolderItem* item : items_)
        item->size = 0;
    if (!items_.isEmpty())
        emit dataChanged(index(0), index(items_.size() - 1), {FolderSizeRole});
}

bool LM_GroupModel::addFound(int row, std::uint64_t bytes) {
    if (row < 0 || row >= items_.size())
        return false;
    FolderItem* item = items_.at(row);
    item->size += bytes;
    sizeChanges_->changed(row);
    return item->checked;
}

void LM_GroupModel::flushChanges() {
    sizeChanges_->flush();
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
        return item->checked;
    case FolderNameRole:
        return item->name;
    case FolderSizeRole:
        return FormatFileSize(item->size);
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
    // A repeated tick must not count the bytes twice.
    if (item->checked == checked)
        return false;
    item->checked = checked;
    emit dataChanged(index(row), index(row), {FolderCheckedRole});
    const auto size = static_cast<std::int64_t>(item->size);
    if (work_)
        work_->AddSelectedSize(checked ? size : -size);
    return true;
}
