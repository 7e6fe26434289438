#include "FileListModel.h"

#include "PathQString.h"
#include "ReleaseOffThread.h"

#include <algorithm>

namespace {
// Ids grow with every row added anywhere, so each model's rows stay sorted by id and any id
// names one row of the process. GUI thread only.
std::uint64_t nextRowId = 1;
} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractListModel(parent) {
    // Often enough for rows to be seen going, seldom enough to be cheap.
    removalTimer_.setSingleShot(true);
    removalTimer_.setInterval(150);
    connect(&removalTimer_, &QTimer::timeout, this, &FileListModel::flushRemovals);
}

std::int64_t FileListModel::selectedPart(const FileRow& row) {
    return row.checked && shown(row) ? static_cast<std::int64_t>(row.size) : 0;
}

void FileListModel::changeSelected(std::int64_t delta, Cause cause) {
    if (delta == 0)
        return;
    selectedSize_ += static_cast<std::uint64_t>(delta);
    if (selectedChanged_)
        selectedChanged_(delta, cause);
}

void FileListModel::append(std::vector<FileRow> rows) {
    if (rows.empty())
        return;
    std::int64_t selected = 0;
    for (FileRow& row : rows) {
        row.id = nextRowId++;
        row.filteredOut = filter_ && !filter_(row);
        totalSize_ += row.size;
        filteredOutSize_ += row.filteredOut ? row.size : 0;
        selected += selectedPart(row);
    }
    const int first = this->rows();
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(rows.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(rows.begin()),
                 std::make_move_iterator(rows.end()));
    endInsertRows();
    changeSelected(selected, Cause::Work);
}

int FileListModel::rowOf(std::uint64_t id) const {
    const auto it =
        std::lower_bound(rows_.begin(), rows_.end(), id,
                         [](const FileRow& row, std::uint64_t key) { return row.id < key; });
    return it != rows_.end() && it->id == id ? static_cast<int>(it - rows_.begin()) : -1;
}

std::uint64_t FileListModel::remove(const std::vector<std::uint64_t>& ids) {
    std::vector<int> found;
    found.reserve(ids.size());
    for (std::uint64_t id : ids) {
        const int row = rowOf(id);
        if (row >= 0)
            found.push_back(row);
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    // From the end, one announcement per run of neighbouring rows, so the indexes of the
    // runs still to go do not move.
    std::uint64_t bytes = 0;
    for (auto last = found.rbegin(); last != found.rend();) {
        auto first = last;
        while (std::next(first) != found.rend() && *std::next(first) == *first - 1)
            ++first;
        bytes += removeRange(*first, *last);
        last = std::next(first);
    }
    return bytes;
}

void FileListModel::removeSoon(const std::vector<std::uint64_t>& ids) {
    pendingRemovals_.insert(pendingRemovals_.end(), ids.begin(), ids.end());
    if (!removalTimer_.isActive())
        removalTimer_.start();
}

void FileListModel::flushRemovals() {
    removalTimer_.stop();
    if (pendingRemovals_.empty())
        return;
    std::vector<std::uint64_t> ids;
    ids.swap(pendingRemovals_);
    remove(ids);
}

std::uint64_t FileListModel::removeRange(int first, int last) {
    std::uint64_t bytes = 0;
    std::uint64_t filteredOut = 0;
    std::int64_t selected = 0;
    for (int row = first; row <= last; ++row) {
        bytes += at(row).size;
        filteredOut += at(row).filteredOut ? at(row).size : 0;
        selected += selectedPart(at(row));
    }
    beginRemoveRows(QModelIndex(), first, last);
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
    totalSize_ -= bytes;
    filteredOutSize_ -= filteredOut;
    endRemoveRows();
    changeSelected(-selected, Cause::Work);
    return bytes;
}

void FileListModel::setVisible(const std::vector<std::uint64_t>& ids, bool visible) {
    // One announcement for the lot: a clean hides hundreds of thousands of rows at its end,
    // and a dataChanged per row kept the proxies busy for seconds.
    int first = rows(), last = -1;
    std::int64_t delta = 0;
    for (std::uint64_t id : ids) {
        const int row = rowOf(id);
        if (row < 0 || at(row).visible == visible)
            continue;
        FileRow& file = rows_[static_cast<std::size_t>(row)];
        const std::int64_t before = selectedPart(file);
        file.visible = visible;
        delta += selectedPart(file) - before;
        first = std::min(first, row);
        last = std::max(last, row);
    }
    if (last < 0)
        return;
    if (visibleRole() >= 0)
        emit dataChanged(index(first), index(last), {visibleRole()});
    changeSelected(delta, Cause::Work);
    emit shownChanged();
}

void FileListModel::setFilter(RowFilter filter) {
    filter_ = std::move(filter);
    std::int64_t delta = 0;
    bool changed = false;
    for (FileRow& row : rows_) {
        const bool out = filter_ && !filter_(row);
        if (out == row.filteredOut)
            continue;
        const std::int64_t before = selectedPart(row);
        row.filteredOut = out;
        delta += selectedPart(row) - before;
        filteredOutSize_ = out ? filteredOutSize_ + row.size : filteredOutSize_ - row.size;
        changed = true;
    }
    if (!changed)
        return;
    // The visibility role keeps telling the row's own state: which rows the page lists is
    // the proxies' business (ShownRowsProxyModel).
    emit shownChanged();
    changeSelected(delta, Cause::User);
}

bool FileListModel::isShown(int row) const {
    return row >= 0 && row < rows() && shown(at(row));
}

void FileListModel::clear() {
    removalTimer_.stop();
    pendingRemovals_.clear();
    if (rows_.empty())
        return;
    std::int64_t selected = 0;
    for (const FileRow& row : rows_)
        selected += selectedPart(row);
    beginResetModel();
    std::vector<FileRow> old;
    old.swap(rows_);
    totalSize_ = 0;
    filteredOutSize_ = 0;
    endResetModel();
    changeSelected(-selected, Cause::Work);
    ReleaseOffThread(std::move(old));
}

bool FileListModel::setRowChecked(int row, bool checked) {
    if (row < 0 || row >= rows() || at(row).checked == checked)
        return false;
    FileRow& file = rows_[static_cast<std::size_t>(row)];
    const std::int64_t before = selectedPart(file);
    file.checked = checked;
    emit dataChanged(index(row), index(row), {checkedRole()});
    changeSelected(selectedPart(file) - before, Cause::User);
    return true;
}

void FileListModel::setAllChecked(bool checked) {
    std::int64_t delta = 0;
    for (FileRow& row : rows_) {
        if (row.filteredOut)
            continue;
        const std::int64_t before = selectedPart(row);
        row.checked = checked;
        delta += selectedPart(row) - before;
    }
    if (!rows_.empty())
        emit dataChanged(index(0), index(rows() - 1), {checkedRole()});
    changeSelected(delta, Cause::User);
}

int FileListModel::checkedCount() const {
    return static_cast<int>(std::count_if(
        rows_.begin(), rows_.end(), [](const FileRow& row) { return row.checked && shown(row); }));
}

void FileListModel::forEachChecked(const std::function<void(const FileRow&)>& visit) const {
    for (const FileRow& row : rows_) {
        if (row.checked && shown(row))
            visit(row);
    }
}

std::vector<FileRow> FileListModel::checkedRows() const {
    std::vector<FileRow> checked;
    forEachChecked([&checked](const FileRow& row) { checked.push_back(row); });
    return checked;
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    // Rows have no children: a list, not an endless tree.
    return parent.isValid() ? 0 : rows();
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rows())
        return {};
    return roleData(at(index.row()), role);
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() < 0 || index.row() >= rows())
        return false;
    if (role == checkedRole())
        return setRowChecked(index.row(), value.toBool());
    if (role == visibleRole() && role >= 0) {
        if (setRowVisible(index.row(), value.toBool(), Cause::User))
            emit shownChanged();
        return true;
    }
    return false;
}

QVariantMap FileListModel::getRoleNames() const {
    QVariantMap names;
    const QHash<int, QByteArray> roles = roleNames();
    for (auto it = roles.cbegin(); it != roles.cend(); ++it)
        names.insert(QString::number(it.key()), QString::fromUtf8(it.value()));
    return names;
}

void FileListModel::setItemChecked(int index, bool checked) {
    setRowChecked(index, checked);
}

void FileListModel::setItemVisible(int index, bool visible) {
    if (setRowVisible(index, visible, Cause::User))
        emit shownChanged();
}

bool FileListModel::setRowVisible(int row, bool visible, Cause cause) {
    if (row < 0 || row >= rows() || at(row).visible == visible)
        return false;
    FileRow& file = rows_[static_cast<std::size_t>(row)];
    const std::int64_t before = selectedPart(file);
    file.visible = visible;
    if (visibleRole() >= 0)
        emit dataChanged(index(row), index(row), {visibleRole()});
    changeSelected(selectedPart(file) - before, cause);
    return true;
}

QString FileListModel::shownPath(const FileRow& row) {
    return WindowsPathText(row.path);
}
