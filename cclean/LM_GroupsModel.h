#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>

struct Group;
class LM_GroupModel;

// The groups of the C-drive page, one row each, in rule-file order.
class LM_GroupsModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Roles {
        GroupIdRole = Qt::UserRole + 1,
        GroupTitleRole,
        GroupSizeRole,
        GroupListModelRole,
    };

    explicit LM_GroupsModel(QObject* parent = nullptr);
    ~LM_GroupsModel() override;

    // Throws the C string "groupID can't be empty string!" for an empty id. Ids may repeat.
    void addGroup(const QString& id, const QString& title, const QString& sizeText,
                  LM_GroupModel* model);
    const QList<Group*>& groups() const { return groups_; }
    // Clears every group's size text and every item's size, and tells the views.
    void resetSizes();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QHash<int, QByteArray> roleNames() const override;

private:
    QList<Group*> groups_;
};
