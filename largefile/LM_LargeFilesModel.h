#pragma once

#include "FileListModel.h"
#include "LargeFileGroup.h"

#include <QAbstractListModel>
#include <QJsonDocument>
#include <vector>

// The categories of the large-file page, one row each in rule-file order, each owning its
// file list and the paging proxy the page shows it through. A category's size is what the
// last scan found in it: moves take files out of the list but leave the size.
class LM_LargeFilesModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles {
        IdRole = Qt::UserRole + 1,
        ExtRole,
        TitleRole,
        SizeRole,
        CheckedRole,
        FilesRole,
    };

    // Categories from a LargeFileData document (anything but an array gives none); every
    // change of the ticked bytes of any category goes to `selectedChanged`.
    LM_LargeFilesModel(const QJsonDocument& rules, FileListModel::SelectedChanged selectedChanged,
                       QObject* parent = nullptr);

    const std::vector<LargeFileGroup>& groups() const { return groups_; }
    // Files a scan found for category `row`: listed, and counted in its size (announced).
    void addFound(int row, std::vector<FileRow> files);
    // Empties every category's file list and size (scan start), announced.
    void clearGroupFiles();
    // Ticked files over all categories.
    int checkedCount() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The checked role (what the box shows) sets the category's flag only: which files of
    // the next scan arrive ticked. The ticked bytes follow the files' own ticks.
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value,
                             int role = Qt::EditRole) override;
    QHash<int, QByteArray> roleNames() const override;

    // A click on the category's box: ticks or unticks all its files, and the box shows the
    // click; the files of later scans arrive unticked, whatever was clicked, so a tick given
    // once never reaches files the user has not seen.
    Q_INVOKABLE void setCheckedToChildren(int index, bool checked);

private:
    std::vector<LargeFileGroup> groups_;
};
