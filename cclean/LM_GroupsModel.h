#pragma once

#include "Group.h"
#include "GroupListModel.h"

// The groups of the C-drive page, one row each, in rule-file order.
class LM_GroupsModel : public GroupListModel<Group> {
    Q_OBJECT
public:
    explicit LM_GroupsModel(QObject* parent = nullptr);
    ~LM_GroupsModel() override;

    // Clears every group's size text and every item's size, and tells the views.
    void resetSizes();
};
