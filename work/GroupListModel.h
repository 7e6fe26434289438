#pragma once

#include <QAbstractListModel>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <type_traits>

// The first level of a page of titled groups of tiles (the C-drive and privacy pages): one
// row per group, in the order added, each carrying the model of its tiles. `Group` is a
// record with the QString members id, title and sizeText and a pointer `model` to the
// tiles' model (declared a Qt meta-type); records and models are owned here. The role
// names are what the pages read.
template <typename Group> class GroupListModel : public QAbstractListModel {
public:
    enum Roles {
        GroupIdRole = Qt::UserRole + 1,
        GroupTitleRole,
        GroupSizeRole,
        GroupListModelRole,
    };
    using Items = std::remove_pointer_t<decltype(Group::model)>;

    explicit GroupListModel(QObject* parent = nullptr) : QAbstractListModel(parent) {}
    ~GroupListModel() override {
        for (Group* group : groups_)
            delete group->model;
        qDeleteAll(groups_);
    }

    // Throws the C string "groupID can't be empty string!" for an empty id, leaving `model`
    // to the caller; otherwise takes it over. Ids may repeat.
    void addGroup(const QString& id, const QString& title, const QString& sizeText, Items* model) {
        if (id.isEmpty())
            throw "groupID can't be empty string!";
        beginInsertRows(QModelIndex(), groups_.size(), groups_.size());
        auto* group = new Group;
        group->id = id;
        group->title = title;
        group->sizeText = sizeText;
        group->model = model;
        groups_.append(group);
        endInsertRows();
    }
    const QList<Group*>& groups() const { return groups_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        // Rows have no children: a list, not an endless tree.
        return parent.isValid() ? 0 : groups_.size();
    }
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override {
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
    QHash<int, QByteArray> roleNames() const override {
        return {{GroupIdRole, "groupID"},
                {GroupTitleRole, "groupTitle"},
                {GroupSizeRole, "groupSize"},
                {GroupListModelRole, "groupListModel"}};
    }

protected:
    // Empties every group's size text and tells the views.
    void clearSizeTexts() {
        for (Group* group : groups_)
            group->sizeText.clear();
        if (!groups_.isEmpty())
            emit dataChanged(index(0), index(groups_.size() - 1), {GroupSizeRole});
    }

private:
    QList<Group*> groups_;
};
