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
    // Rows removed before the limit move later rows up into it, and rows inserted before it
    // (a filtered source showing rows again) push the last ones out: filter again. A change
    // at or after the limit moves no row across it, and filtering again would go over every
    // row of the source once per removal during a clean.
    const auto moved = [this](const QModelIndex&, int first, int) {
        if (first < maxRows_)
            invalidateFilter();
    };
    connect(source, &QAbstractItemModel::rowsRemoved, this, moved);
    connect(source, &QAbstractItemModel::rowsInserted, this, moved);
}

bool RowLimitProxyModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    return !sourceParent.isValid() && sourceRow < maxRows_;
}
