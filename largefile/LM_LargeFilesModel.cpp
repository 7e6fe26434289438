#include "LM_LargeFilesModel.h"

#include "FormatFileSize.h"
#include "LM_LargeFilesItemModel.h"
#include "RowLimitProxyModel.h"
#include "RuleFiles.h"

#include <QJsonArray>
#include <QJsonObject>

LM_LargeFilesModel::LM_LargeFilesModel(const QJsonDocument& rules,
                                       FileListModel::SelectedChanged selectedChanged,
                                       QObject* parent)
    : QAbstractListModel(parent) {
    if (!rules.isArray())
        return;
    for (const QJsonValue& value : rules.array()) {
        if (!value.isObject())
            continue;
        const QJsonObject rule = value.toObject();
        LargeFileGroup group;
        group.id = rule.value(QStringLiteral("id")).toString();
        group.extensions = RuleFiles::ExtensionSet(rule.value(QStringLiteral("ext")).toArray());
        group.title = rule.value(QStringLiteral("description")).toString();
        group.checked = rule.value(QStringLiteral("checked")).toBool(false);
        group.boxTicked = group.checked;
        group.files = new LM_LargeFilesItemModel(this);
        group.files->setSelectedChanged(selectedChanged);
        group.proxy = new RowLimitProxyModel(this);
        group.proxy->setSourceModel(group.files);
        groups_.push_back(group);
    }
}

void LM_LargeFilesModel::clearGroupFiles() {
    for (LargeFileGroup& group : groups_) {
        group.size = 0;
        group.files->clear();
        group.proxy->setMaxRows(10);
        // The box tells how the new files arrive.
        group.boxTicked = group.checked;
    }
    // Told even when the lists were empty already: moves empty a list but keep its size.
    if (!groups_.empty())
        emit dataChanged(index(0), index(rowCount() - 1), {SizeRole, CheckedRole});
}

void LM_LargeFilesModel::addFound(int row, std::vector<FileRow> files) {
    LargeFileGroup& group = groups_[static_cast<std::size_t>(row)];
    for (const FileRow& file : files)
        group.size += file.size;
    group.files->append(std::move(files));
    // One refresh per batch, never per file.
    emit dataChanged(index(row), index(row), {SizeRole});
}

int LM_LargeFilesModel::checkedCount() const {
    int count = 0;
    for (const LargeFileGroup& group : groups_)
        count += group.files->checkedCount();
    return count;
}

int LM_LargeFilesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(groups_.size());
}

QVariant LM_LargeFilesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const LargeFileGroup& group = groups_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case IdRole:
        return group.id;
    case TitleRole:
        return group.title;
    case SizeRole:
        return FormatFileSize(group.size);
    case CheckedRole:
        return group.boxTicked;
    case FilesRole:
        return QVariant::fromValue<QObject*>(group.proxy);
    default:
        // The extensions are the engine's business; the page has no use for them.
        return {};
    }
}

bool LM_LargeFilesModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != CheckedRole || !index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return false;
    LargeFileGroup& group = groups_[static_cast<std::size_t>(index.row())];
    if (group.checked == value.toBool() && group.boxTicked == value.toBool())
        return false;
    group.checked = value.toBool();
    group.boxTicked = group.checked;
    emit dataChanged(index, index, {CheckedRole});
    return true;
}

QHash<int, QByteArray> LM_LargeFilesModel::roleNames() const {
    return {{IdRole, "ID"},     {ExtRole, "ext"},         {TitleRole, "title"},
            {SizeRole, "size"}, {CheckedRole, "checked"}, {FilesRole, "files"}};
}

void LM_LargeFilesModel::setCheckedToChildren(int row, bool checked) {
    if (row < 0 || row >= rowCount())
        return;
    LargeFileGroup& group = groups_[static_cast<std::size_t>(row)];
    group.files->setAllChecked(checked);
    group.checked = false;
    group.boxTicked = checked;
    emit dataChanged(index(row), index(row), {CheckedRole});
}
