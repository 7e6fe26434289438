#include "LM_SoftWareInfoModel.h"

#include "FormatFileSize.h"

#include <QDebug>
#include <algorithm>

namespace {
// Ids grow with every record added anywhere, so a record removed and the one that later
// takes its memory are never confused. GUI thread only.
std::uint64_t nextSoftId = 1;
} // namespace

LM_SoftWareInfoModel::LM_SoftWareInfoModel(QObject* parent) : QAbstractListModel(parent) {}

bool LM_SoftWareInfoModel::matchesFilter(const TSoftwareInfo& record) const {
    return filterString_.isEmpty() || record.softName.contains(filterString_, Qt::CaseInsensitive);
}

void LM_SoftWareInfoModel::appendRecords(std::vector<TSoftwareInfo> records) {
    if (records.empty())
        return;
    for (TSoftwareInfo& record : records) {
        record.id = nextSoftId++;
        record.visible = matchesFilter(record);
    }
    const int first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(records.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(records.begin()),
                 std::make_move_iterator(records.end()));
    endInsertRows();
}

void LM_SoftWareInfoModel::clear() {
    if (rows_.empty())
        return;
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int LM_SoftWareInfoModel::rowOf(std::uint64_t id) const {
    const auto it = std::find_if(rows_.begin(), rows_.end(),
                                 [id](const TSoftwareInfo& record) { return record.id == id; });
    return it == rows_.end() ? -1 : static_cast<int>(it - rows_.begin());
}

std::vector<LM_SoftWareInfoModel::Ticked> LM_SoftWareInfoModel::takeChecked() {
    std::vector<Ticked> ticked;
    for (const TSoftwareInfo& record : rows_) {
        if (record.checked)
            ticked.push_back({record.id, record.uninstString});
    }
    uncheckAll();
    return ticked;
}

void LM_SoftWareInfoModel::uncheckAll() {
    for (int row = 0; row < rowCount(); ++row)
        applyChecked(row, false);
}

void LM_SoftWareInfoModel::collectTotals(int& count, QString& sizeText, int& checkedCount) const {
    std::uint64_t total = 0;
    checkedCount = 0;
    for (const TSoftwareInfo& record : rows_) {
        total += record.size;
        checkedCount += record.checked ? 1 : 0;
    }
    count = static_cast<int>(rows_.size());
    sizeText = FormatFileSize(total);
}

int LM_SoftWareInfoModel::rowCount(const QModelIndex& parent) const {
    // A list: rows have no children.
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant LM_SoftWareInfoModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const TSoftwareInfo& record = rows_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case IconPathRole:
        return record.iconPath;
    case SoftNameRole:
        return record.softName;
    case SizeRole:
        return FormatFileSize(record.size);
    case CheckedRole:
        return record.checked;
    case IsIconRole:
        return record.isIcon;
    case InstallDateRole:
        return record.installDate.isValid()
                   ? record.installDate.toString(QStringLiteral("yyyy/MM/dd"))
                   : QString();
    case UninstStringRole:
        return record.uninstString;
    case VisibleRole:
        return record.visible;
    default:
        return {};
    }
}

QHash<int, QByteArray> LM_SoftWareInfoModel::roleNames() const {
    return {
        {IconPathRole, "iconPath"},
        {SoftNameRole, "softName"},
        {SizeRole, "size"},
        {CheckedRole, "checked"},
        {IsIconRole, "isIcon"},
        {InstallDateRole, "installDate"},
        {UninstStringRole, "uninstString"},
        {VisibleRole, "visible"},
    };
}

bool LM_SoftWareInfoModel::applyChecked(int row, bool checked) {
    if (row < 0 || row >= rowCount() || rows_[static_cast<std::size_t>(row)].checked == checked)
        return false;
    rows_[static_cast<std::size_t>(row)].checked = checked;
    emit dataChanged(index(row), index(row), {CheckedRole});
    return true;
}

bool LM_SoftWareInfoModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != CheckedRole || !index.isValid() || index.model() != this)
        return false;
    return applyChecked(index.row(), value.toBool());
}

void LM_SoftWareInfoModel::setItemChecked(int index, bool checked) {
    applyChecked(index, checked);
}

void LM_SoftWareInfoModel::setChecked(int index, bool checked) {
    if (index < 0 || index >= rowCount())
        return;
    applyChecked(index, checked);
    qDebug() << "checked id and state " << index << checked;
}

void LM_SoftWareInfoModel::setFilterString(const QString& filterString) {
    if (filterString == filterString_)
        return;
    filterString_ = filterString;
    int first = -1;
    int last = -1;
    for (int row = 0; row < rowCount(); ++row) {
        TSoftwareInfo& record = rows_[static_cast<std::size_t>(row)];
        const bool visible = matchesFilter(record);
        if (visible == record.visible)
            continue;
        record.visible = visible;
        first = first < 0 ? row : first;
        last = row;
    }
    if (first >= 0)
        emit dataChanged(index(first), index(last), {VisibleRole});
    emit filterStringChanged();
}

void LM_SoftWareInfoModel::RemoveItem(std::uint64_t softId) {
    const int row = rowOf(softId);
    if (row < 0)
        return;
    beginRemoveRows(QModelIndex(), row, row);
    rows_.erase(rows_.begin() + row);
    endRemoveRows();
}

template <typename Before> void LM_SoftWareInfoModel::sortBy(Before before) {
    if (rows_.empty())
        return;
    beginResetModel();
    std::stable_sort(rows_.begin(), rows_.end(), before);
    endResetModel();
}

void LM_SoftWareInfoModel::SortAscendingFirst() {
    sortBy([](const TSoftwareInfo& a, const TSoftwareInfo& b) {
        return a.installDate.isValid() ? b.installDate.isValid() && a.installDate < b.installDate
                                       : b.installDate.isValid();
    });
}

void LM_SoftWareInfoModel::SortAscending() {
    SortAscendingFirst();
}

void LM_SoftWareInfoModel::SortDescending() {
    sortBy([](const TSoftwareInfo& a, const TSoftwareInfo& b) {
        return a.installDate.isValid() &&
               (!b.installDate.isValid() || b.installDate < a.installDate);
    });
}

void LM_SoftWareInfoModel::sendScanFinishedInfo(int softCount, const QString& softSize,
                                                int checkedCount) {
    emit scanFinishedInfo(softCount, softSize, checkedCount);
}

void LM_SoftWareInfoModel::sendScanStatusChanged(int nStatus) {
    emit scanStatusChanged(nStatus);
}

void LM_SoftWareInfoModel::setUninstalling(bool uninstalling) {
    if (uninstalling == uninstalling_)
        return;
    uninstalling_ = uninstalling;
    emit uninstallingChanged();
}
