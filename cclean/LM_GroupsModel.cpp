#include "LM_GroupsModel.h"

#include "LM_GroupModel.h"

LM_GroupsModel::LM_GroupsModel(QObject* parent) : GroupListModel<Group>(parent) {}

LM_GroupsModel::~LM_GroupsModel() = default;

void LM_GroupsModel::resetSizes() {
    for (Group* group : groups()) {
        if (group->model)
            group->model->resetSizes();
    }
    clearSizeTexts();
}
