#include "LM_PrivacyFolderModel.h"

#include "TPrivacyItem.h"

LM_PrivacyFolderModel::LM_PrivacyFolderModel(QObject* parent) : QAbstractListModel(parent) {}

LM_PrivacyFolderModel::~LM_PrivacyFolderModel() {
    qDeleteAll(items_);
}

void LM_PrivacyFolderModel::addItem(const QString& id, const QString& icon, bool checked,
                                    const QString& description, std::uint32_t count,
                                    const QString& path) {
    auto* item = new TPrivacyItem{id, icon, checked, description, count, path};
    beginInsertRows(QModelIndex(), items_.size(), items_.size());
    items_.append(item);
    rowOfId_.insert(id, items_.size() - 1);
    endInsertRows();
}

bool LM_PrivacyFolderModel::setCount(int row, std::uint32_t count) {
    if (row < 0 || row >= items_.size())
        return false;
    TPrivacyItem* item = items_.at(row);
    if (item->count != count) {
        item->count = count;
        emit dataChanged(index(row), index(row), {FolderSizeRole});
    }
    return true;
}

void LM_PrivacyFolderModel::resetCounts() {
    for (int row = 0; row < items_.size(); ++row)
        setCount(row, 0);
}

void LM_PrivacyFolderModel::updatePrivacyFolderItem(const QString& id, uint size) {
    const auto found = rowOfId_.constFind(id);
    if (found != rowOfId_.cend())
        setCount(*found, size);
}

int LM_PrivacyFolderModel::rowCount(const QModelIndex& parent) const {
    // Rows have no children: a list, not an endless tree.
    return parent.isValid() ? 0 : items_.size();
}

QVariant LM_PrivacyFolderModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= items_.size())
        return {};
    const TPrivacyItem* item = items_.at(index.row());
    switch (role) {
    case FolderIdRole:
        return item->id;
    case FolderIconRole:
        return item->icon;
    case FolderCheckedRole:
        return item->checked;
    case FolderNameRole:
        return item->description;
    case FolderSizeRole:
        return QStringLiteral("%1条").arg(item->count);
    case PathRole:
        return item->path;
    default:
        return {};
    }
}

QHash<int, QByteArray> LM_PrivacyFolderModel::roleNames() const {
    return {{FolderIdRole, "folderID"},           {FolderIconRole, "folderIcon"},
            {FolderCheckedRole, "folderChecked"}, {FolderNameRole, "folderName"},
            {FolderSizeRole, "folderSize"},       {PathRole, "path"}};
}

bool LM_PrivacyFolderModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() < 0 || index.row() >= items_.size() ||
        role != FolderCheckedRole)
        return false;
    return applyChecked(index.row(), value.toBool());
}

void LM_PrivacyFolderModel::setChecked(int index, bool checked) {
    if (index >= 0 && index < items_.size())
        applyChecked(index, checked);
}

bool LM_PrivacyFolderModel::applyChecked(int row, bool checked) {
    TPrivacyItem* item = items_.at(row);
    if (item->checked == checked)
        return false;
    item->checked = checked;
    emit dataChanged(index(row), index(row), {FolderCheckedRole});
    return true;
}
