#pragma once

#include <QSortFilterProxyModel>

// Shows the first `maxRows` rows of its source, in source order, for pages that list
// thousands of files ten at a time. A filter rather than a trimmed row count, so every
// insertion and removal reaches the views: a view's row count always equals rowCount().
class RowLimitProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
    Q_PROPERTY(int maxRows READ maxRows WRITE setMaxRows NOTIFY maxRowsChanged)
public:
    explicit RowLimitProxyModel(QObject* parent = nullptr);

    int maxRows() const { return maxRows_; }
    // Stores the limit (telling maxRowsChanged only when it changed) and filters again.
    Q_INVOKABLE void setMaxRows(int maxRows);
    // For QML, which calls it without a parent.
    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;

    void setSourceModel(QAbstractItemModel* source) override;

signals:
    void maxRowsChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    int maxRows_ = 10;
};
