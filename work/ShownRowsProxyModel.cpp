#include "ShownRowsProxyModel.h"

#include "FileListModel.h"

ShownRowsProxyModel::ShownRowsProxyModel(FileListModel* files, QObject* parent)
    : QSortFilterProxyModel(parent), files_(files) {
    setSourceModel(files);
    connect(files, &FileListModel::shownChanged, this, &ShownRowsProxyModel::invalidateFilter);
}

int ShownRowsProxyModel::rowCount(const QModelIndex& parent) const {
    return QSortFilterProxyModel::rowCount(parent);
}

bool ShownRowsProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !sourceParent.isValid() && files_->isShown(sourceRow);
}
