#include "LM_ChatListModel.h"

#include "FormatFileSize.h"
#include "LM_ChatFilesModel.h"
#include "RowChangeCoalescer.h"
#include "RowLimitProxyModel.h"
#include "ShownRowsProxyModel.h"

#include <QJsonArray>
#include <QJsonObject>

LM_ChatListModel::LM_ChatListModel(QString folderText, QJsonDocument rules,
                                   FileListModel::SelectedChanged selectedChanged, QObject* parent)
    : QAbstractListModel(parent), folderText_(std::move(folderText)), rules_(std::move(rules)),
      selectedChanged_(std::move(selectedChanged)),
      sizeChanges_(new RowChangeCoalescer(this, {SizeRole})) {}

LM_ChatListModel::~LM_ChatListModel() = default;

void LM_ChatListModel::build() {
    if (!rules_.isArray())
        return;
    for (const QJsonValue& value : rules_.array()) {
        if (!value.isObject())
            continue;
        const QJsonObject rule = value.toObject();
        auto category = std::make_unique<ChatCategory>();
        category->id = rule.value(QStringLiteral("id")).toString();
        category->path = categoryPath(rule.value(QStringLiteral("path")));
        category->title = rule.value(QStringLiteral("description")).toString();
        category->checked = rule.value(QStringLiteral("checked")).toBool(false);
        category->files = createFilesModel();
        category->files->setParent(this);
        category->files->setSelectedChanged(selectedChanged_);
        category->shown = new ShownRowsProxyModel(category->files, this);
        category->proxy = new RowLimitProxyModel(this);
        category->proxy->setSourceModel(category->shown);
        // The size shown is what the category lists: refresh this row whenever that changes.
        const int row = categoryCount();
        auto sizeChanged = [this, row] { sizeChanges_->changed(row); };
        connect(category->files, &QAbstractItemModel::rowsInserted, this, sizeChanged);
        connect(category->files, &QAbstractItemModel::rowsRemoved, this, sizeChanged);
        connect(category->files, &QAbstractItemModel::modelReset, this, sizeChanged);
        connect(category->files, &FileListModel::shownChanged, this, sizeChanged);
        beginInsertRows(QModelIndex(), row, row);
        categories_.push_back(std::move(category));
        endInsertRows();
    }
}

QString LM_ChatListModel::categoryPath(const QJsonValue& path) const {
    return path.toString();
}

void LM_ChatListModel::addAccount(const QString& account) {
    if (!accounts_.contains(account))
        accounts_.append(account);
}

void LM_ChatListModel::clearGroupFiles() {
    for (const auto& category : categories_)
        category->files->clear();
}

bool LM_ChatListModel::setCategoryChecked(int row, bool checked) {
    if (row < 0 || row >= categoryCount())
        return false;
    ChatCategory& target = category(row);
    target.checked = checked;
    target.files->setAllChecked(checked);
    emit dataChanged(index(row), index(row), {CheckedRole});
    return true;
}

void LM_ChatListModel::flushSizes() {
    sizeChanges_->flush();
}

void LM_ChatListModel::setFileFilter(const ChatFileFilter& filter) {
    for (const auto& category : categories_)
        category->files->setFilter(filter.rowFilter());
}

int LM_ChatListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : categoryCount();
}

QVariant LM_ChatListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= categoryCount())
        return {};
    const ChatCategory& row = category(index.row());
    switch (role) {
    case IdRole:
        return row.id;
    case PathRole:
        return row.path;
    case TitleRole:
        return row.title;
    case SizeRole:
        // What the page lists of it: the account and age chosen.
        return FormatFileSize(row.files->filteredSize());
    case CheckedRole:
        return row.checked;
    case FilesRole:
        return QVariant::fromValue<QObject*>(row.proxy);
    default:
        return {};
    }
}

bool LM_ChatListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != CheckedRole || !index.isValid() || index.model() != this)
        return false;
    return setCategoryChecked(index.row(), value.toBool());
}

QHash<int, QByteArray> LM_ChatListModel::roleNames() const {
    return {{IdRole, "ID"},     {PathRole, "path"},       {TitleRole, "title"},
            {SizeRole, "size"}, {CheckedRole, "checked"}, {FilesRole, "files"}};
}

void LM_ChatListModel::SetCheckedIndexs(bool checked, const QList<int>& indexArray) {
    for (int row : indexArray)
        setCategoryChecked(row, checked);
}
