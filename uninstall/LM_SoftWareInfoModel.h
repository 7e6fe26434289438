#pragma once

#include "TSoftwareInfo.h"

#include <QAbstractListModel>
#include <cstdint>
#include <vector>

// The installed programs of the uninstall page, one row each, in display order. Rows
// belong to the GUI thread: the inventory's records arrive here in batches, and ticks,
// the search filter and the sort orders change them here. Hidden rows stay in the model.
class LM_SoftWareInfoModel : public QAbstractListModel {
    Q_OBJECT
    Q_PROPERTY(
        QString filterString READ getFilterString WRITE setFilterString NOTIFY filterStringChanged)
public:
    enum Roles {
        IconPathRole = Qt::UserRole + 1,
        SoftNameRole,
        SizeRole,
        CheckedRole,
        IsIconRole,
        InstallDateRole,
        UninstStringRole,
        VisibleRole,
    };

    // A ticked row taken for uninstalling.
    struct Ticked {
        std::uint64_t id = 0;
        QString uninstString;
    };

    explicit LM_SoftWareInfoModel(QObject* parent = nullptr);

    // Appends records with one announced insertion, giving each an id no other record of
    // the process has. They follow the current search filter.
    void appendRecords(std::vector<TSoftwareInfo> records);
    // Removes every row, announced.
    void clear();
    const std::vector<TSoftwareInfo>& records() const { return rows_; }
    // The row of a record, or -1 when it is gone.
    int rowOf(std::uint64_t id) const;
    // The ticked rows in row order, unticked now that they are handed on.
    std::vector<Ticked> takeChecked();
    void uncheckAll();
    // Number of rows (hidden ones too), the formatted total size, number of ticked rows.
    void collectTotals(int& count, QString& sizeText, int& checkedCount) const;

    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;
    // The tick role ticks or unticks the row; nothing else can be set.
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value,
                             int role = Qt::EditRole) override;
    Q_INVOKABLE void setItemChecked(int index, bool checked);
    Q_INVOKABLE void setChecked(int index, bool checked);

    QString getFilterString() const { return filterString_; }
    // Uninstallers are being started: a new inventory must wait until they are.
    bool uninstalling() const { return uninstalling_; }

public slots:
    // Shows only the rows whose name contains the text, ignoring case; empty shows all.
    // Rows keep their order.
    void setFilterString(const QString& filterString);
    // Removes the record's row; nothing when it is gone already.
    void RemoveItem(std::uint64_t softId);
    // Oldest install date first; rows without a valid date come first. Stable.
    void SortAscendingFirst();
    void SortAscending();
    // Newest first; rows without a valid date come last. Stable.
    void SortDescending();
    void sendScanFinishedInfo(int softCount, const QString& softSize, int checkedCount);
    void sendScanStatusChanged(int nStatus);
    // Set by the work when its uninstall loop starts and once it has ended.
    void setUninstalling(bool uninstalling);

signals:
    void filterStringChanged();
    void scanFinishedInfo(int SoftCount, QString SoftSize, int CheckedCount);
    // 2: the inventory runs; 3: it has finished.
    void scanStatusChanged(int nStatus);
    void uninstallingChanged();

private:
    bool matchesFilter(const TSoftwareInfo& record) const;
    bool applyChecked(int row, bool checked);
    template <typename Before> void sortBy(Before before);

    std::vector<TSoftwareInfo> rows_;
    QString filterString_;
    bool uninstalling_ = false;
};
