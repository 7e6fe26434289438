#pragma once

#include "FileRow.h"

#include <QAbstractListModel>
#include <QTimer>
#include <QVariantMap>
#include <cstdint>
#include <functional>
#include <vector>

// The base of the models that list files for a page (chat files, large files, duplicate
// copies). Its rows belong to the GUI thread: they arrive in batches, one insertion each,
// and every removal, hiding and clearing is announced to the views. Ticks change only
// here, and every change of the bytes that are ticked and visible is reported through
// `selectedChanged`, so a page's selected amount always equals the sum of those rows.
// The selection is those rows alone: a hidden row counts nowhere, ticked or not, and neither
// does a row the page's filter leaves out (the chat pages' account and age).
//
// Subclasses name the roles and say which role is the tick and which the visibility.
class FileListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // What changed the ticked, visible bytes: the user ticking, unticking, showing or hiding
    // rows (the page's sentence follows), or the work adding, removing, hiding or clearing
    // them (the page hears of those through the run's status).
    enum class Cause { User, Work };
    // Told every change of the ticked, visible bytes of this model, with its cause.
    using SelectedChanged = std::function<void(std::int64_t delta, Cause cause)>;
    // Whether the page shows a row; every row when empty.
    using RowFilter = std::function<bool(const FileRow&)>;

    explicit FileListModel(QObject* parent = nullptr);

    void setSelectedChanged(SelectedChanged callback) { selectedChanged_ = std::move(callback); }
    // The user's choice of rows to see: applied to every row now and to each row added
    // later, until the next choice. A row it leaves out counts like a hidden one.
    void setFilter(RowFilter filter);

    // Appends rows, giving each an id no other row of the process has, with one announced
    // insertion. Ticked rows count as selected at once.
    void append(std::vector<FileRow> rows);
    // Removes the rows with these ids (ids not here are ignored); returns the bytes of the
    // rows removed.
    std::uint64_t remove(const std::vector<std::uint64_t>& ids);
    // Removes them a little later, together with the others asked for meanwhile: a clean
    // reports files gone in batches from each worker, and a list of many thousand rows
    // costs the views the same to take one run of rows away as a long one.
    void removeSoon(const std::vector<std::uint64_t>& ids);
    // Removes at once what removeSoon() holds (the run's end: the page's figures follow).
    void flushRemovals();
    // Sets the visibility of the rows with these ids (the work's doing).
    void setVisible(const std::vector<std::uint64_t>& ids, bool visible);
    // Removes every row, announced.
    void clear();

    // Ticks or unticks one row for the user; false when nothing changed.
    bool setRowChecked(int row, bool checked);
    // Ticks or unticks, for the user, every row but those the filter leaves out (what the
    // page cannot show is never ticked by a click), with one announcement.
    void setAllChecked(bool checked);

    int rows() const { return static_cast<int>(rows_.size()); }
    const FileRow& at(int row) const { return rows_[static_cast<std::size_t>(row)]; }
    // The row index of an id, or -1.
    int rowOf(std::uint64_t id) const;
    // Whether the page shows a row: visible, and not left out by the filter.
    bool isShown(int row) const;
    std::uint64_t totalSize() const { return totalSize_; }
    // The bytes of the rows the filter lets through, hidden ones included.
    std::uint64_t filteredSize() const { return totalSize_ - filteredOutSize_; }
    // The bytes of the rows that are ticked and visible.
    std::uint64_t selectedSize() const { return selectedSize_; }
    // The rows that are ticked and visible: what the selected bytes count.
    int checkedCount() const;
    // Those rows, in row order: visited where they are, or copied.
    void forEachChecked(const std::function<void(const FileRow&)>& visit) const;
    std::vector<FileRow> checkedRows() const;

    // Invokable for QML, which calls it without a parent.
    Q_INVOKABLE int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    // The tick role ticks the row, the visibility role shows or hides it, for the user.
    Q_INVOKABLE bool setData(const QModelIndex& index, const QVariant& value,
                             int role = Qt::EditRole) override;
    // Role numbers, in decimal, mapped to their names.
    Q_INVOKABLE QVariantMap getRoleNames() const;
    // A row's tick and visibility as the page sets them, for the user.
    Q_INVOKABLE void setItemChecked(int index, bool checked);
    Q_INVOKABLE void setItemVisible(int index, bool visible);

    // A row's path as the user knows it ("C:\Users\..."); names that are not valid text
    // still show, with U+FFFD.
    static QString shownPath(const FileRow& row);

signals:
    // Rows were shown or left out other than by insertion or removal: hidden, shown again
    // or filtered.
    void shownChanged();

protected:
    virtual int checkedRole() const = 0;
    virtual int visibleRole() const { return -1; }
    // A role's value for a row; roles not handled give an invalid value.
    virtual QVariant roleData(const FileRow& row, int role) const = 0;

private:
    static bool shown(const FileRow& row) { return row.visible && !row.filteredOut; }
    static std::int64_t selectedPart(const FileRow& row);
    void changeSelected(std::int64_t delta, Cause cause);
    // Whether setRowVisible changed the row.
    bool setRowVisible(int row, bool visible, Cause cause);
    // Removes rows [first, last] (announced) and returns their bytes.
    std::uint64_t removeRange(int first, int last);

    std::vector<FileRow> rows_;
    std::uint64_t totalSize_ = 0;
    std::uint64_t filteredOutSize_ = 0;
    std::uint64_t selectedSize_ = 0;
    SelectedChanged selectedChanged_;
    RowFilter filter_;
    std::vector<std::uint64_t> pendingRemovals_;
    QTimer removalTimer_;
};
