#pragma once

#include <QSortFilterProxyModel>

class FileListModel;

// The rows of a file list that its page shows (FileListModel::isShown: visible, and not left
// out by the page's filter), in source order: what a paging proxy on top counts and pages,
// so ten rows shown are ten rows the user can see.
class ShownRowsProxyModel : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit ShownRowsProxyModel(FileListModel* files, QObject* parent = nullptr);

    // For QML, which calls it without a parent.
    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    FileListModel* files_;
};
