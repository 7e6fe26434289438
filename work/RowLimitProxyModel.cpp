#include "RowLimitProxyModel.h"

RowLimitProxyModel::RowLimitProxyModel(QObject* parent) : QSortFilterProxyModel(parent) {}

void RowLimitProxyModel::setMaxRows(int maxRows) {
    if (maxRows != maxRows_) {
        maxRows_ = maxRows;
        emit maxRowsChanged();
    }
    invalidateFilter();
}

int RowLimitProxyModel::rowCount(const QModelIndex& parent) const {
    return QSortFilterProxyModel::rowCount(parent);
}

void RowLimitProxyModel::setSourceModel(QAbstractItemModel* source) {
    if (sourceModel())
        disconnect(sourceModel(), nullptr, this, nullptr);
    QSortFilterProxyModel::setSourceModel(source);
    if (!source)
        return;
    // Rows removed above the limit move later rows below it: those must now show.
    connect(source, &QAbstractItemModel::rowsRemoved, this, &RowLimitProxyModel::invalidateFilter);
}

bool RowLimitProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !sourceParent.isValid() && sourceRow < maxRows_;
}
