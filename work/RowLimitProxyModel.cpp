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
    // Rows removed before the limit move later rows up into it: those must now show. A
    // removal at or after the limit moves no row into view, and filtering again would go
    // over every row of the source once per removal during a clean.
    connect(source, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int) {
                if (first < maxRows_)
                    invalidateFilter();
            });
}

bool RowLimitProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !sourceParent.isValid() && sourceRow < maxRows_;
}
