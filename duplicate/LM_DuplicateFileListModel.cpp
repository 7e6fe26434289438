#include "LM_DuplicateFileListModel.h"

#include "FormatFileSize.h"
#include "LM_DuplicateFileListNode.h"
#include "LM_DuplicateFileListNodes.h"
#include "RowLimitProxyModel.h"
#include "RuleFiles.h"

#include <QDebug>
#include <QJsonArray>

LM_DuplicateFileListModel::LM_DuplicateFileListModel(const QJsonDocument& rules, QObject* parent)
    : QAbstractListModel(parent), rules_(rules) {
    if (!rules.isArray())
        return;
    const QJsonArray entries = rules.array();
    for (const QJsonValue& value : entries) {
        if (!value.isObject())
            continue;
        const QJsonObject entry = value.toObject();
        TTypeGroup type;
        type.id = entry.value(QStringLiteral("id")).toString();
        for (const QString& ext :
             RuleFiles::ExtensionSet(entry.value(QStringLiteral("ext")).toArray()))
            type.extensions.insert(ext.toStdString());
        type.title = entry.value(QStringLiteral("description")).toString();
        type.checked = entry.value(QStringLiteral("checked")).toBool();
        type.icon = entry.value(QStringLiteral("icon")).toString();
        type.nodes = new LM_DuplicateFileListNodes(this);
        type.allTable = new LM_DuplicateFileListNode(nullptr, this);
        type.nodesProxy = new RowLimitProxyModel(type.nodes);
        type.nodesProxy->setSourceModel(type.nodes);
        type.nodesProxy->setMaxRows(5);
        types_.push_back(std::move(type));
    }
}

QHash<int, QByteArray> LM_DuplicateFileListModel::roleNames() const {
    return {{IDRole, "ID"},
            {ExtRole, "ext"},
            {TitleRole, "title"},
            {SizeRole, "size"},
            {CheckedRole, "checked"},
            {NodesRole, "nodes"},
            {AllTableRole, "allTable"},
            {NodesCountRole, "nodesCount"},
            {NodesSizeRole, "nodesSize"},
            {IconRole, "icon"}};
}

int LM_DuplicateFileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(types_.size());
}

QVariant LM_DuplicateFileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const TTypeGroup& type = types_[static_cast<std::size_t>(index.row())];
    switch (role) {
    case IDRole:
        return type.id;
    case TitleRole:
        return type.title;
    case SizeRole:
        return FormatFileSize(type.size);
    case CheckedRole:
        return type.checked;
    case NodesRole:
        return QVariant::fromValue(static_cast<QObject*>(type.nodesProxy));
    case AllTableRole:
        return QVariant::fromValue(static_cast<QObject*>(type.allTable));
    case NodesCountRole:
        return type.nodes->rowCount();
    case NodesSizeRole:
        return FormatFileSize(type.nodes->totalSize());
    case IconRole:
        return type.icon;
    default:
        return {};
    }
}

QJsonObject LM_DuplicateFileListModel::item(int row) const {
    if (row < 0 || row >= rowCount())
        return {};
    const TTypeGroup& type = types_[static_cast<std::size_t>(row)];
    return {{QStringLiteral("id"), type.id}, {QStringLiteral("title"), type.title}};
}

std::vector<std::vector<LM_DuplicateFileListNodes::TCRC32Node>>
LM_DuplicateFileListModel::clearAll() {
    std::vector<std::vector<LM_DuplicateFileListNodes::TCRC32Node>> old;
    for (TTypeGroup& type : types_) {
        type.allTable->clearFiles();
        old.push_back(type.nodes->clear());
        type.size = 0;
    }
    if (!types_.empty())
        emit dataChanged(index(0), index(rowCount() - 1),
                         {SizeRole, NodesCountRole, NodesSizeRole});
    sendTableInfo();
    return old;
}

void LM_DuplicateFileListModel::addGroups(std::vector<DuplicateGroup>& groups) {
    for (std::size_t t = 0; t < types_.size(); ++t) {
        std::vector<DuplicateGroup> ofType;
        for (DuplicateGroup& group : groups) {
            if (group.type == t)
                ofType.push_back(std::move(group));
        }
        if (ofType.empty())
            continue;
        TTypeGroup& type = types_[t];
        const std::size_t first = type.nodes->groups().size();
        type.nodes->addGroups(ofType); // numbers the rows of each group and keeps them
        std::vector<DuplicateFile> files;
        for (std::size_t g = first; g < type.nodes->groups().size(); ++g) {
            const std::vector<DuplicateFile>& copies = type.nodes->groups()[g].files;
            files.insert(files.end(), copies.begin(), copies.end());
        }
        type.allTable->appendFiles(files);
        const QModelIndex row = index(static_cast<int>(t));
        emit dataChanged(row, row, {NodesCountRole, NodesSizeRole});
        type.allTable->sendInfo(type.nodes->rowCount());
    }
}

void LM_DuplicateFileListModel::collectTotals(int& groups, std::uint64_t& bytes,
                                              int& checked) const {
    groups = 0;
    bytes = 0;
    checked = 0;
    for (const TTypeGroup& type : types_) {
        groups += type.nodes->rowCount();
        bytes += type.nodes->totalSize();
        checked += type.allTable->checkedCount();
    }
}

void LM_DuplicateFileListModel::sendTableInfo() {
    for (const TTypeGroup& type : types_)
        type.allTable->sendInfo(type.nodes->rowCount());
}

void LM_DuplicateFileListModel::updateGroupTitleInfo(QString ID, QString CMD) {
    if (CMD != QLatin1String("size")) {
        qWarning() << "updateGroupTitleInfo: unknown command" << CMD;
        return;
    }
    for (int row = 0; row < rowCount(); ++row) {
        if (types_[static_cast<std::size_t>(row)].id == ID) {
            emit dataChanged(index(row), index(row), {SizeRole});
            return;
        }
    }
}
