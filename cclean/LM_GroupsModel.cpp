#include "LM_GroupsModel.h"

#include "Group.h"
#include "LM_GroupModel.h"

LM_GroupsModel::LM_GroupsModel(QObject* parent) : QAbstractListModel(parent) {}

LM_GroupsModel::~LM_GroupsModel() {
    for (Group* group : groups_)
        delete group->model;
    qDeleteAll(groups_);
}

void LM_GroupsModel::addGroup(const QString& id, const QString& title, const QString& sizeText,
                              LM_GroupModel* model) {
    if (id.isEmpty())
        throw "groupID can't be empty string!";
    beginInsertRows(QModelIndex(), groups_.size(), groups_.size());
    groups_.append(new Group{id, title, sizeText, model});
    endInsertRows();
}

void LM_GroupsModel::resetSizes() {
    for (Group* group : groups_) {
        group->sizeText.clear();
        if (group->model)
            group->model->resetSizes();
    }
    if (!groups_.isEmpty())
        emit dataChanged(index(0), index(groups_.size() - 1), {GroupSizeRole});
}

int LM_GroupsModel::rowCount(const QModelIndex& parent) const {
    // Rows have no children: a list, not an endless tree.
    return parent.isValid() ? 0 : groups_.size();
}

QVariant LM_GroupsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() < 0 || index.row() >= groups_.size())
        return {};
    const Group* group = groups_.at(index.row());
    switch (role) {
    case GroupIdRole:
        return group->id;
    case GroupTitleRole:
        return group->title;
    case GroupSizeRole:
        return group->sizeText;
    case GroupListModelRole:
        return QVariant::fromValue(group->model);
    default:
        return {};
    }
}

QHash<int, QByteArray> LM_GroupsModel::roleNames() const {
    return {{GroupIdRole, "groupID"},
            {GroupTitleRole, "groupTitle"},
            {GroupSizeRole, "groupSize"},
            {GroupListModelRole, "groupListModel"}};
}
